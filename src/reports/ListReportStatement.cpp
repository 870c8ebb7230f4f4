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

// Both lists keep a learner whose grade or barrier code names nothing (the
// designs print "unknown grade (99)"), and sort grades by the school's
// order of its grades, not by their names as text ("Grade 10" before
// "Grade 2").
QString listReportStatement(const ListReportFilter &filter)
{
    if (filter.formMode == ReportModes::LearnerSummary) {
        return QStringLiteral("SELECT LI.AccessionNo, LI.SName, LI.FName, Disa.Name AS Disability, SG.Name")
            + QStringLiteral(", LI.Grade AS GradeID, LI.LSENDisabilities AS DisabilityID")
            + QStringLiteral(" FROM ((Learner_Info as LI INNER JOIN SNE_Learner_Background_Info as BI ON LI.ID = BI.LearnerID)")
            + QStringLiteral(" LEFT JOIN Disabilities as Disa ON LI.LSENDisabilities = Disa.id)")
            + QStringLiteral(" LEFT JOIN SchoolGrades as SG ON LI.Grade = SG.ID")
            + yearClause(filter) + clause(QStringLiteral("Disa.Name"), filter.barrier)
            + clause(QStringLiteral("LI.AccessionNo"), filter.accession)
            + QStringLiteral(" ORDER BY Disa.Name, IIf(IsNull(Disa.Name), LI.LSENDisabilities, 0), LI.Grade, LI.SName, LI.FName");
    }
    if (filter.formMode == ReportModes::LearnerList) {
        return QStringLiteral("SELECT BI.Name_Of_Provider, LI.AccessionNo, LI.SName, LI.FName, SG.Name")
            + QStringLiteral(", LI.Grade AS GradeID")
            + QStringLiteral(" FROM (Learner_Info as LI INNER JOIN SNE_Learner_Background_Info as BI ON LI.ID = BI.LearnerID)")
            + QStringLiteral(" LEFT JOIN SchoolGrades as SG ON LI.Grade = SG.ID")
            + yearClause(filter) + clause(QStringLiteral("BI.Name_Of_Provider"), filter.provider)
            + clause(QStringLiteral("LI.AccessionNo"), filter.accession)
            + QStringLiteral(" ORDER BY BI.Name_Of_Provider, LI.Grade, LI.SName, LI.FName");
    }
    return QString();
}
