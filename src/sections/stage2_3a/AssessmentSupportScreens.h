#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The four Section 3a rating screens as data: each member's rows, which item
// of support is rated on which row and in which support areas, the ranges that
// pick its items from the stored levels, its grids, its neighbours in the
// chain and its printed blocks. Items are numbered 1 to 45 across the four
// members (GridID); support areas 1 to 5 are the rating grid's columns 2 to 6.
namespace AssessmentSupportScreens {

constexpr int AreaCount = 5;
constexpr int FirstAreaCol = 2;          // area a sits in column a + 1
constexpr int RatingCols = FirstAreaCol + AreaCount - 1;

inline int colOfArea(int area) { return area + FirstAreaCol - 1; }
inline int areaOfCol(int col) { return col - FirstAreaCol + 1; }

struct Item
{
    int gridId = 0;
    int captionRow = 0;          // the row holding the caption
    int ratedRow = 0;            // the row holding the level cells (the caption row or the one below)
    QVector<int> areas;          // the support areas the item is rated in
    bool ratedIn(int area) const { return areas.contains(area); }
};

struct Heading
{
    int row = 0;
    QString text;
};

struct PrintBlock
{
    QString grid;                // object name of the grid
    double top = 0;              // twips
    QList<int> headingRows = {}; // column headings repeated on a sheet the grid continues on
};

struct Member
{
    QString name;                // object name and error-report location
    int rowCount = 0;            // rows of gridAreaLevel
    QString headingGrid;         // gridFamilySistuation on the first member, gridHearder on the others
    bool learnerFields = false;  // the disability description and psycho-social support
    bool overallRatings = false; // row 21 holds the overall rating per area
    // Appended to the statements after the data year, as the statements are
    // written (the first literal follows the year's digits directly).
    QString loadRange;
    QString loadOrder;
    QVector<Heading> headings;
    QVector<Item> items;
    QVector<PrintBlock> printBlocks;

    const Item *item(int gridId) const;
};

// The overall ratings of the last member.
constexpr int OverallTextRow = 20;
constexpr int OverallRatingRow = 21;

const QVector<Member> &members();
const Member *member(const QString &name);
// Whether some member has a level cell for the item in the area: a level
// stored anywhere else is not shown, and does not count toward a rating.
bool ratable(int gridId, int area);

// The entries of every level cell, in order; a cell may also stay empty.
QStringList levelChoices();
// Row 1 of every rating grid: "Areas of support" and the five area headings.
QStringList ratingColumnTitles();

} // namespace AssessmentSupportScreens
