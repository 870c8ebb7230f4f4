#include "ListReportStatement.h"

#include "CentralRoutines.h"

namespace {

QString yearClause(const ListReportFilter &filter)
{
    const QString year = QString::number(filter.reportYear);
    // The data year's own report lists the school's current learners only.
    if (filter.reportYear == filter.currentDataYear)
        return QStringLiteral(" WHERE (((LI.Status) = 'C') And ((BI.Data_Year) = ") + year + QStringLiteral("))");
    if (filter.formMode == ReportModes::LearnerSummary)
        return QStringLiteral(" WHERE (((BI.Data_Year) = ") + year + QStringLiteral("))");
    return QStringLiteral(" WHERE ((BI.Data_Year) = ") + year + QStringLiteral(")");
}

// Typed values are quoted, so a name with an apostrophe is searched for as
// written instead of breaking (or changing) the statement.
QString clause(const QString &column, const std::optional<QString> &value)
{
    if (!value)
        return QString();
    return QStringLiteral(" AND ") + column + QStringLiteral(" = '") + SqlText(*value) + QStringLiteral("'");
}

} // namespace

QString listReportStatement(const ListReportFilter &filter)
{
    if (filter.formMode == ReportModes::LearnerSummary) {
        return QStringLiteral("SELECT LI.AccessionNo, LI.SName, LI.FName, Disa.Name AS Disability, SG.Name")
            + QStringLiteral(" FROM ((Learner_Info as LI INNER JOIN SNE_Learner_Background_Info as BI ON LI.ID = BI.LearnerID)")
            + QStringLiteral(" INNER JOIN Disabilities as Disa ON LI.LSENDisabilities = Disa.id)")
            + QStringLiteral(" INNER JOIN SchoolGrades as SG ON LI.Grade = SG.ID")
            + yearClause(filter) + clause(QStringLiteral("Disa.Name"), filter.barrier)
            + clause(QStringLiteral("LI.AccessionNo"), filter.accession)
            + QStringLiteral(" ORDER BY Disa.Name, SG.Name,LI.SName");
    }
    if (filter.formMode == ReportModes::LearnerList) {
        return QStringLiteral("SELECT BI.Name_Of_Provider, LI.AccessionNo, LI.SName, LI.FName, SG.Name")
            + QStringLiteral(" FROM (Learner_Info as LI INNER JOIN SNE_Learner_Background_Info as BI ON LI.ID = BI.LearnerID)")
            + QStringLiteral(" INNER JOIN SchoolGrades as SG ON LI.Grade = SG.ID")
            + yearClause(filter) + clause(QStringLiteral("BI.Name_Of_Provider"), filter.provider)
            + clause(QStringLiteral("LI.AccessionNo"), filter.accession)
            + QStringLiteral(" ORDER BY BI.Name_Of_Provider, SG.Name, LI.SName");
    }
    return QString();
}
