#include "ReviewsDue.h"

#include "Connection.h"
#include "CsvText.h"

#include <QHash>
#include <algorithm>

using ReviewDate::Group;

QString ReviewLine::reviewShown() const
{
    return reviewDate.isValid() ? ReviewDate::shown(reviewDate) : reviewText.trimmed();
}

QString ReviewLine::actionShown() const
{
    return QStringLiteral("Action %1").arg(action);
}

GroupCounts ReviewsDueList::counts() const
{
    GroupCounts n {};
    for (const ReviewLine &line : lines)
        ++n[std::size_t(line.group)];
    return n;
}

QString ReviewsDueList::countsLine() const
{
    return countsLine(counts());
}

QString ReviewsDueList::countsLine(const GroupCounts &n)
{
    QStringList parts;
    for (int g = 0; g < ReviewDate::GroupCount; ++g)
        parts << QStringLiteral("%1: %2").arg(ReviewDate::groupTitle(Group(g))).arg(n[std::size_t(g)]);
    return parts.join(QStringLiteral("   "));
}

ReviewsDueList ReviewsDueList::within(int days) const
{
    ReviewsDueList kept = *this;
    kept.withinDays = days;
    kept.lines.clear();
    for (const ReviewLine &line : lines) {
        if (!line.reviewDate.isValid() || today.daysTo(line.reviewDate) <= days)
            kept.lines.append(line);
    }
    return kept;
}

namespace ReviewsDue {

namespace {

QString firstLine(const QString &text)
{
    const auto end = std::find_if(text.cbegin(), text.cend(),
                                  [](QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); });
    return text.left(end - text.cbegin()).trimmed();
}

// The last review held per learner: the latest date of the year's review
// lines that is not after today. A learner whose lines hold only texts that
// are no date shows the text of the highest line, as written.
QHash<qint32, QString> lastReviews(Connection &connection, const QString &year, const QDate &today)
{
    const Recordset rs = connection.query(
        QStringLiteral("SELECT r.LearnerID, r.[Action], r.Review_Date FROM SNE_Action_Review r "
                       "INNER JOIN Learner_Info l ON l.ID = r.LearnerID "
                       "WHERE r.Data_Year = ") + year + QStringLiteral(" AND l.Status = 'C' ORDER BY r.[Action]"));
    QHash<qint32, QDate> latest;
    QHash<qint32, QString> written;
    for (int r = 0; r < rs.recordCount(); ++r) {
        const qint32 learner = rs.value(r, QStringLiteral("LearnerID")).toInt();
        const QString text = rs.text(r, QStringLiteral("Review_Date")).trimmed();
        if (text.isEmpty())
            continue;
        const QDate date = ReviewDate::read(text);
        if (!date.isValid())
            written.insert(learner, text);
        else if (date <= today && date > latest.value(learner))
            latest.insert(learner, date);
    }
    for (auto it = latest.cbegin(); it != latest.cend(); ++it)
        written.insert(it.key(), ReviewDate::shown(it.value()));
    return written;
}

bool listOrder(const ReviewLine &a, const ReviewLine &b)
{
    if (a.group != b.group)
        return a.group < b.group;
    if (a.reviewDate != b.reviewDate)
        return a.reviewDate < b.reviewDate;
    if (a.learnerName != b.learnerName)
        return a.learnerName < b.learnerName;
    if (a.action != b.action)
        return a.action < b.action;
    return a.actionId < b.actionId;
}

} // namespace

ReviewsDueList load(Connection &connection, qint32 year, const QDate &today)
{
    ReviewsDueList list;
    list.year = year;
    list.today = today;
    const QString yearText = QString::number(year);
    const Recordset rs = connection.query(
        QStringLiteral("SELECT i.ID, i.LearnerID, i.[Action], i.Target, i.Person_Responsible, i.Review_Date, "
                       "l.FName, l.SName, l.AccessionNo, l.BirthDate, s.Name AS Grade "
                       "FROM (SNE_ISP i INNER JOIN Learner_Info l ON l.ID = i.LearnerID) "
                       "LEFT JOIN SchoolGrades s ON s.ID = l.Grade "
                       "WHERE i.Data_Year = ") + yearText
        + QStringLiteral(" AND l.Status = 'C' AND i.[Action] BETWEEN 1 AND 5"));
    const QHash<qint32, QString> last = lastReviews(connection, yearText, today);

    list.lines.reserve(rs.recordCount());
    for (int r = 0; r < rs.recordCount(); ++r) {
        ReviewLine line;
        line.actionId = rs.value(r, QStringLiteral("ID")).toLongLong();
        line.learnerId = rs.value(r, QStringLiteral("LearnerID")).toInt();
        line.learnerName = rs.text(r, QStringLiteral("SName")).toUpper() + QLatin1Char(' ')
                           + rs.text(r, QStringLiteral("FName"));
        line.accessionNo = rs.text(r, QStringLiteral("AccessionNo"));
        line.grade = rs.text(r, QStringLiteral("Grade"));
        line.birthDate = rs.text(r, QStringLiteral("BirthDate"));
        line.action = rs.value(r, QStringLiteral("Action")).toInt();
        line.target = firstLine(rs.text(r, QStringLiteral("Target")));
        line.personResponsible = rs.text(r, QStringLiteral("Person_Responsible")).trimmed();
        line.reviewText = rs.text(r, QStringLiteral("Review_Date"));
        line.reviewDate = ReviewDate::read(line.reviewText);
        line.group = line.reviewDate.isValid() ? ReviewDate::groupOf(line.reviewDate, today)
                                               : ReviewDate::groupOf(line.reviewText, today);
        line.lastReview = last.value(line.learnerId);
        list.lines.append(std::move(line));
    }
    std::sort(list.lines.begin(), list.lines.end(), listOrder);
    return list;
}

const QStringList &columnTitles()
{
    static const QStringList titles = {
        QStringLiteral("Learner"), QStringLiteral("Accession No"), QStringLiteral("Grade"),
        QStringLiteral("Action"), QStringLiteral("Target"), QStringLiteral("Person Responsible"),
        QStringLiteral("Review Date"), QStringLiteral("Last Review Held")};
    return titles;
}

QStringList columns(const ReviewLine &line)
{
    return {line.learnerName, line.accessionNo, line.grade, line.actionShown(), line.target,
            line.personResponsible, line.reviewShown(), line.lastReview};
}

QByteArray csv(const ReviewsDueList &list)
{
    QByteArray out = CsvText::record(QStringList{QStringLiteral("Group")} + columnTitles());
    for (const ReviewLine &line : list.lines)
        out += CsvText::record(QStringList{ReviewDate::groupTitle(line.group)} + columns(line));
    return out;
}

} // namespace ReviewsDue
