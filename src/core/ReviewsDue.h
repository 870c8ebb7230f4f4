#pragma once

#include "ReviewDate.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

class Connection;

// Every ISP action of the current learners of one data year with its review
// date, grouped by how soon the review falls due, and beside each learner the
// last review held as Section 4's action review records it.
struct ReviewLine
{
    qint64 actionId = 0;            // SNE_ISP.ID
    qint32 learnerId = 0;
    QString learnerName;            // surname in capitals, a blank, first name
    QString accessionNo;
    QString grade;
    QString birthDate;
    int action = 0;                 // ISP group 1 to 5
    QString target;                 // its first line
    QString personResponsible;
    QString reviewText;             // as stored
    QDate reviewDate;               // invalid unless the text is a date
    ReviewDate::Group group = ReviewDate::Group::NoDate;
    QString lastReview;             // the last review held, as shown; empty when none is recorded

    // The review date as the list shows it: the date in the ISP's form, or the
    // text as written when it is no date.
    QString reviewShown() const;
    QString actionShown() const;    // "Action 3"
};

using GroupCounts = std::array<int, ReviewDate::GroupCount>;

struct ReviewsDueList
{
    qint32 year = 0;
    QDate today;
    int withinDays = -1;            // -1: every dated action
    // By group, then date, then learner and action.
    QVector<ReviewLine> lines;

    GroupCounts counts() const;
    // "overdue: 3   due within 7 days: 0   ..."
    QString countsLine() const;
    static QString countsLine(const GroupCounts &counts);
    // Only overdue actions and those due within `days` of today; undated and
    // unreadable ones stay, so none is ever dropped unseen.
    ReviewsDueList within(int days) const;
};

namespace ReviewsDue {

// Reads the list of `year` as seen from `today`: two statements, one over the
// ISP actions, one over the action review lines.
ReviewsDueList load(Connection &connection, qint32 year, const QDate &today);

// The columns of the list, the print and the spreadsheet, in that order.
const QStringList &columnTitles();
QStringList columns(const ReviewLine &line);

// The list as a spreadsheet file: UTF-8, RFC 4180 (CRLF line ends, fields
// with a comma, quote or line break quoted, quotes doubled); a heading
// record, then one record per action with its group in the first field.
QByteArray csv(const ReviewsDueList &list);

} // namespace ReviewsDue
