#pragma once

#include <QDate>
#include <QString>

// Review dates are stored as text: the ISP's grid writes dd/MM/yyyy, while
// other programs and hand edits leave yyyy-MM-dd, d/M/yy, dd-MM-yyyy, with or
// without a time. One routine reads them all, day before month as the school
// writes dates; a text it cannot read as exactly one real date is never
// guessed at.
namespace ReviewDate {

// The date the text names, or an invalid QDate. Blanks around the text are
// ignored; a time after the date is accepted and dropped. Two-digit years are
// 2000 to 2079, and 1980 to 1999 from 80 on.
QDate read(const QString &text);

// Where a review date puts its action, seen from `today`.
enum class Group {
    Overdue,       // before today
    Within7,       // today up to 7 days on
    Within30,      // 8 to 30 days on
    Later,         // more than 30 days on
    NoDate,        // no text at all (empty, blanks or no value)
    Unreadable,    // a text that is no date ("next term", "?", 31/02/2026)
};
constexpr int GroupCount = 6;

Group groupOf(const QString &text, const QDate &today);
Group groupOf(const QDate &date, const QDate &today);   // a valid date
QString groupTitle(Group group);

// As the ISP shows dates.
QString shown(const QDate &date);

} // namespace ReviewDate
