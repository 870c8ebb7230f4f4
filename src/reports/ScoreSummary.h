#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <array>

class Connection;

// The learner score summary: one row per current learner, the severity word
// of each of the eight activity domains and the overall rating of each of the
// five support areas for the report year.
struct ScoreSummaryRow
{
    static constexpr int DomainCount = 8;
    static constexpr int AreaCount = 5;

    QString Grade;          // the grade identifier Learner_Info holds, as text
    QString FName;
    QString SName;
    QString AccessionNo;
    qint32 ID = 0;
    std::array<QString, DomainCount> domains;   // "MILD", "MODERATE", "SEVERE" or "N/A"
    std::array<QVariant, AreaCount> ratings;    // 0 when none stored; invalid when stored empty
};

namespace ScoreSummary {

// Column names of the table, in order.
const QStringList &columnNames();

// The learner statement: current learners whose LSENStatus is not 1, narrowed
// to a grade (repGrade) or an accession number (a non-empty repVar).
QString learnerStatement(const QString &repVar, bool repGrade);

// The word for a domain's mean score: exactly 1, 2 or 3 name a severity;
// anything else (a mean between whole numbers, none at all) is "N/A".
QString severityWord(const QVariant &meanScore);

// Builds the table with one grouped query per table (criteria means, ratings)
// instead of two statements per learner; rows in the learner statement's order.
QVector<ScoreSummaryRow> build(Connection &connection, qint32 reportYear, const QString &repVar, bool repGrade);

} // namespace ScoreSummary
