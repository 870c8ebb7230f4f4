#pragma once

#include "PageFlow.h"

#include <QList>
#include <QString>
#include <QVector>

class PagePrinter;
struct PageHead;
namespace grid { class SpreadModel; }

// The common layout of a printed section page: the bold header line with the
// school's EMIS number and the section's title, the optional learner line (both
// from the printer's PageHead), and
// the screen's grids, each from its left edge (x 500 unless it says otherwise)
// at its own top or just below the grid
// above it, whichever is lower. A grid that runs past the sheet continues on
// the next one, which starts with the header (and learner) line again, so
// nothing typed is ever hidden or left off the paper.
namespace SectionPage {

struct Block
{
    const grid::SpreadModel *grid = nullptr;
    double top = 0;
    double left = 500;
    QList<int> headingRows = {};   // the grid's column headings, repeated on a sheet it continues on
};

constexpr double BlockLeft = 500;   // twips
constexpr double BlockGap = 120;    // between a grid and one pushed down below it

void printHeader(PagePrinter &printer, const QString &title, double pointSize = 11);
void printLearnerLine(PagePrinter &printer);

// What heads every sheet of a section page. The Stage 1 and Section 4 pages
// print their header at 11 points; Section 3b and the landscape Stage 2 pages
// at 12, and those start a sheet's content no higher than 800 twips so their
// grids keep the places they were laid out for.
struct Head
{
    QString title;
    double pointSize = 11;
    bool learnerLine = true;
    double contentTop = 0;   // twips: the highest a sheet's content may start
};

constexpr double LandscapeContentTop = 800;   // twips
Head landscapeHead(const QString &title);

// The header line, the learner line when asked, bold off; returns the y where
// the sheet's content may start: a gap below the head, and not above
// head.contentTop.
double printHead(PagePrinter &printer, const Head &head);
// printHead on every sheet of a flow.
PageFlow::HeadPrinter everySheet(const Head &head);

// The head (11 points), then the blocks flowing down the sheets with the head
// at the top of every sheet; a sheet a grid continues on names the learner in
// its continued mark when the page has no learner line, so each sheet reads
// alone.
void print(PagePrinter &printer, const QString &title, bool learnerLine, const QVector<Block> &blocks);

QString headerText(const PageHead &head, const QString &title);
QString learnerLineText(const PageHead &head);

} // namespace SectionPage
