#include "ReviewDate.h"

#include <QRegularExpression>

namespace ReviewDate {

namespace {

// An optional time after the date: 14:30, 14:30:05, 2:30 PM, T14:30:05.123,
// the form host engines print beside a date.
const QString TimePart = QStringLiteral(R"((?:(?:\s+|T)\d{1,2}:\d{2}(?::\d{2}(?:\.\d+)?)?(?:\s*[AaPp][Mm])?)?)");

int fullYear(const QString &digits)
{
    const int year = digits.toInt();
    if (digits.size() != 2)
        return year;
    return year < 80 ? 2000 + year : 1900 + year;
}

} // namespace

QDate read(const QString &text)
{
    static const QRegularExpression yearFirst(QStringLiteral(R"(^(\d{4})-(\d{1,2})-(\d{1,2}))") + TimePart
                                              + QStringLiteral("$"));
    // The same separator twice: 03/04-2026 is a typing slip, not a date.
    static const QRegularExpression dayFirst(QStringLiteral(R"(^(\d{1,2})([/.-])(\d{1,2})\2(\d{4}|\d{2}))") + TimePart
                                             + QStringLiteral("$"));
    const QString trimmed = text.trimmed();
    if (const QRegularExpressionMatch m = yearFirst.match(trimmed); m.hasMatch())
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (const QRegularExpressionMatch m = dayFirst.match(trimmed); m.hasMatch())
        return QDate(fullYear(m.captured(4)), m.captured(3).toInt(), m.captured(1).toInt());
    return QDate();
}

Group groupOf(const QDate &date, const QDate &today)
{
    const qint64 days = today.daysTo(date);
    if (days < 0)
        return Group::Overdue;
    if (days <= 7)
        return Group::Within7;
    if (days <= 30)
        return Group::Within30;
    return Group::Later;
}

Group groupOf(const QString &text, const QDate &today)
{
    if (text.trimmed().isEmpty())
        return Group::NoDate;
    const QDate date = read(text);
    return date.isValid() ? groupOf(date, today) : Group::Unreadable;
}

QString groupTitle(Group group)
{
    switch (group) {
    case Group::Overdue: return QStringLiteral("overdue");
    case Group::Within7: return QStringLiteral("due within 7 days");
    case Group::Within30: return QStringLiteral("due within 30 days");
    case Group::Later: return QStringLiteral("later");
    case Group::NoDate: return QStringLiteral("no review date set");
    case Group::Unreadable: return QStringLiteral("date not readable");
    }
    return QString();
}

QString shown(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace ReviewDate
