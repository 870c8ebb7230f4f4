#include "ReviewDate.h"

#include <QRegularExpression>

namespace ReviewDate {

namespace {

// A run of digits from pos on; pos moves past it.
QStringView digitsAt(QStringView text, qsizetype &pos)
{
    const qsizetype from = pos;
    while (pos < text.size() && text.at(pos).isDigit() && text.at(pos).unicode() < 128)
        ++pos;
    return text.mid(from, pos - from);
}

// What may stand after the date: nothing, or a time as host engines print it
// beside a date (14:30, 14:30:05, 2:30 PM, T14:30:05.123).
bool isTimeOrNothing(QStringView rest)
{
    if (rest.isEmpty())
        return true;
    static const QRegularExpression time(
        QStringLiteral(R"(^(?:\s+|T)\d{1,2}:\d{2}(?::\d{2}(?:\.\d+)?)?(?:\s*[AaPp][Mm])?$)"));
    return time.match(rest.toString()).hasMatch();
}

int fullYear(QStringView digits)
{
    const int year = digits.toInt();
    if (digits.size() != 2)
        return year;
    return year < 80 ? 2000 + year : 1900 + year;
}

} // namespace

QDate read(const QString &text)
{
    // Three numbers with the same separator between them: yyyy-M-d, or day,
    // month and year with "/", "-" or "." (03/04-2026 is a typing slip, not a
    // date). Read by hand: the list reads thousands of these at a time.
    const QStringView t = QStringView(text).trimmed();
    qsizetype pos = 0;
    const QStringView first = digitsAt(t, pos);
    if (first.isEmpty() || pos >= t.size())
        return QDate();
    const QChar separator = t.at(pos++);
    if (separator != QLatin1Char('/') && separator != QLatin1Char('-') && separator != QLatin1Char('.'))
        return QDate();
    const QStringView second = digitsAt(t, pos);
    if (second.isEmpty() || second.size() > 2 || pos >= t.size() || t.at(pos++) != separator)
        return QDate();
    const QStringView third = digitsAt(t, pos);
    if (third.isEmpty() || !isTimeOrNothing(t.mid(pos)))
        return QDate();
    if (first.size() == 4 && separator == QLatin1Char('-') && third.size() <= 2)
        return QDate(first.toInt(), second.toInt(), third.toInt());
    if (first.size() <= 2 && (third.size() == 2 || third.size() == 4))
        return QDate(fullYear(third), second.toInt(), first.toInt());
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
