#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The six criteria-for-selection screens of the diagnostic profile, as data:
// every member's rows with their fixed texts, which rows carry a score and for
// which sub-section, the condition that picks the member's sub-sections from
// the stored scores, and its neighbours in the chain.
namespace CriteriaScreens {

enum class RowKind {
    Domain,        // the domain's name, and a question spanning columns 2 to 5
    Item,          // an activity with its three limitation texts and a score cell
    Information,   // one text spanning all five columns
    Separator,     // an empty row spanning all five columns
    Other          // free texts in columns 2 to 4 and a score (screen 6)
};

struct Row
{
    int row = 0;
    RowKind kind = RowKind::Separator;
    QString title;                 // column 1, or the whole row's text
    QString question;              // a domain row's spanning text
    // Item rows: the sub-section the score is stored under, and whether the
    // three limitation texts are the sub-section's own level descriptions.
    int subSection = 0;
    bool lookupTexts = false;
    QString mild;
    QString moderate;
    QString severe;
};

struct Member
{
    QString name;                  // object name and error-report location
    int rowCount = 0;
    QString condition;             // appended to the load and delete statements
    int cursorRow = 0;             // the score cell (column 5) the cursor starts on
    QVector<Row> rows;             // row 1 (the column titles) is common to all

    const Row *otherRow() const;
    // The row holding the score of a sub-section; 0 when the member has none.
    int rowOfSubSection(int subSection) const;
};

const QVector<Member> &members();
const Member *member(const QString &name);

// Column titles of every member's row 1.
QStringList columnTitles();

} // namespace CriteriaScreens
