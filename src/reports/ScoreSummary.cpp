#include "ScoreSummary.h"

#include "CentralRoutines.h"
#include "Connection.h"

#include <QHash>

namespace ScoreSummary {

const QStringList &columnNames()
{
    static const QStringList names = {
        QStringLiteral("Grade"), QStringLiteral("FName"), QStringLiteral("SName"), QStringLiteral("AccessionNo"),
        QStringLiteral("ID"), QStringLiteral("Mobility"), QStringLiteral("SelfCare"), QStringLiteral("Communication"),
        QStringLiteral("Vision"), QStringLiteral("Hearing"), QStringLiteral("Mental"), QStringLiteral("Cognition"),
        QStringLiteral("Needs"), QStringLiteral("Staff"), QStringLiteral("HRD"), QStringLiteral("Devices"),
        QStringLiteral("Cassessment"), QStringLiteral("Access"),
    };
    return names;
}

QString learnerStatement(const QString &repVar, bool repGrade)
{
    QString filter;
    if (repGrade)
        filter = QStringLiteral(" AND Grade =") + QString::number(repVar.trimmed().toLongLong());
    else if (!repVar.isEmpty())
        filter = QStringLiteral(" AND AccessionNo ='") + SqlText(repVar) + QStringLiteral("'");
    return QStringLiteral("SELECT  Grade, SName, FName, ") + QStringLiteral("AccessionNo, ID, LSENStatus From Learner_Info ")
        + QStringLiteral(" WHERE Status='C' AND LSENStatus<>1 ") + filter
        // The school's order of its grades, then the names, so one grade's
        // learners stand together.
        + QStringLiteral(" ORDER BY Grade, SName, FName");
}

QString severityWord(const QVariant &meanScore)
{
    if (!meanScore.isValid() || meanScore.isNull())
        return QStringLiteral("N/A");
    // The mean is compared as it is, unrounded: 1.5 is no severity.
    const double mean = meanScore.toDouble();
    if (mean == 1.0)
        return QStringLiteral("MILD");
    if (mean == 2.0)
        return QStringLiteral("MODERATE");
    if (mean == 3.0)
        return QStringLiteral("SEVERE");
    return QStringLiteral("N/A");
}

QVector<ScoreSummaryRow> build(Connection &connection, qint32 reportYear, const QString &repVar, bool repGrade)
{
    const QString year = QString::number(reportYear);
    const Recordset learners = connection.query(learnerStatement(repVar, repGrade));

    // Means per learner and domain for the year, in one pass over the criteria.
    const Recordset means = connection.query(
        QStringLiteral("SELECT c.LearnerID, s.Activity_Domain AS sDomain, Avg(c.Score) AS AvgOfScore")
        + QStringLiteral(" FROM SNE_Criteria_For_Selection AS c")
        + QStringLiteral(" INNER JOIN SNE_lu_Activity_Domain_Sub_Section AS s ON c.Sub_Section = s.ID")
        + QStringLiteral(" WHERE c.Data_Year = ") + year
        + QStringLiteral(" GROUP BY c.LearnerID, s.Activity_Domain"));
    QHash<qint64, std::array<QString, ScoreSummaryRow::DomainCount>> words;
    for (int row = 0; row < means.recordCount(); ++row) {
        const int domain = means.value(row, QStringLiteral("sDomain")).toInt();
        if (domain < 1 || domain > ScoreSummaryRow::DomainCount)
            continue;
        const qint64 learner = means.value(row, QStringLiteral("LearnerID")).toLongLong();
        auto found = words.find(learner);
        if (found == words.end()) {
            found = words.insert(learner, {});
            found->fill(QStringLiteral("N/A"));
        }
        (*found)[domain - 1] = severityWord(means.value(row, QStringLiteral("AvgOfScore")));
    }

    // Ratings in stored order: where an area holds two rows, the later one
    // counts, as it would reading the learner's rows one by one.
    const Recordset ratings = connection.query(
        QStringLiteral("SELECT LearnerID, Support_Area, Rating From SNE_Assessment_Supp_Req_Rating")
        + QStringLiteral(" WHERE Data_Year =") + year + QStringLiteral(" ORDER BY ID"));
    QHash<qint64, std::array<QVariant, ScoreSummaryRow::AreaCount>> rated;
    for (int row = 0; row < ratings.recordCount(); ++row) {
        const int area = ratings.value(row, QStringLiteral("Support_Area")).toInt();
        if (area < 1 || area > ScoreSummaryRow::AreaCount)
            continue;
        const qint64 learner = ratings.value(row, QStringLiteral("LearnerID")).toLongLong();
        auto found = rated.find(learner);
        if (found == rated.end()) {
            found = rated.insert(learner, {});
            found->fill(QVariant(qint32(0)));
        }
        const QVariant rating = ratings.value(row, QStringLiteral("Rating"));
        (*found)[area - 1] = rating.isValid() ? QVariant(qint32(rating.toLongLong())) : QVariant();
    }

    QVector<ScoreSummaryRow> table;
    table.reserve(learners.recordCount());
    for (int row = 0; row < learners.recordCount(); ++row) {
        ScoreSummaryRow line;
        line.Grade = learners.text(row, QStringLiteral("Grade"));
        line.SName = learners.text(row, QStringLiteral("SName"));
        line.FName = learners.text(row, QStringLiteral("FName"));
        line.AccessionNo = learners.text(row, QStringLiteral("AccessionNo"));
        line.ID = qint32(learners.value(row, QStringLiteral("ID")).toLongLong());
        line.domains.fill(QStringLiteral("N/A"));
        line.ratings.fill(QVariant(qint32(0)));
        if (const auto found = words.constFind(line.ID); found != words.constEnd())
            line.domains = *found;
        if (const auto found = rated.constFind(line.ID); found != rated.constEnd())
            line.ratings = *found;
        table.append(line);
    }
    return table;
}

} // namespace ScoreSummary
