#include "ReportBuilder.h"

#include "Connection.h"
#include "ListReportStatement.h"
#include "ReportDesign.h"
#include "ScoreSummary.h"
#include "clsSQL.h"

namespace ReportBuilder {

QString title(const QString &mode, qint32 reportYear)
{
    const QString year = QString::number(reportYear);
    if (mode == ReportModes::LearnerSummary)
        return QStringLiteral("Learner Summary per Barrier (Primary): ") + year;
    if (mode == ReportModes::LearnerList)
        return QStringLiteral("Learner List per Responsible Provider : ") + year;
    if (mode == ReportModes::ScoreSummary)
        return QStringLiteral("Learner Score Summary: ") + year;
    if (mode == ReportModes::MainReport)
        return QStringLiteral("Learner Profile: ") + year;
    return QString();
}

LearnerProfileData loadLearnerProfile(Connection &connection, clsSQL &statements, const ReportRequest &request)
{
    LearnerProfileData data;
    data.main = connection.query(statements.Rep01BackgroundQuery(request.reportYear, request.currentDataYear,
                                                                 request.repVar, request.repGrade));
    data.diagnostic = connection.query(statements.Rep01DPQuery(request.reportYear));
    data.criteria = connection.query(statements.Rep01CFS(request.reportYear));
    return data;
}

namespace {

QHash<QString, QString> gradeNames(Connection &connection)
{
    const Recordset grades = connection.query(QStringLiteral("SELECT ID, Name FROM SchoolGrades"));
    QHash<QString, QString> names;
    for (int row = 0; row < grades.recordCount(); ++row)
        names.insert(grades.text(row, QStringLiteral("ID")), grades.text(row, QStringLiteral("Name")));
    return names;
}

std::unique_ptr<ReportDesign> makeDesign(Connection &connection, clsSQL &statements, ReportRequest &request)
{
    if (request.mode == ReportModes::LearnerSummary)
        return std::make_unique<crdLearner_DisSum>(connection.query(request.sql));
    if (request.mode == ReportModes::LearnerList)
        return std::make_unique<crdLearner_ListProv>(connection.query(request.sql));
    if (request.mode == ReportModes::ScoreSummary) {
        request.sql = ScoreSummary::learnerStatement(request.repVar, request.repGrade);
        return std::make_unique<crdLearnerScoreSummary>(
            ScoreSummary::build(connection, request.reportYear, request.repVar, request.repGrade), gradeNames(connection));
    }
    if (request.mode == ReportModes::MainReport) {
        LearnerProfileData data = loadLearnerProfile(connection, statements, request);
        return std::make_unique<crd_01Background>(std::move(data.main), std::move(data.diagnostic),
                                                  std::move(data.criteria), QString::number(request.reportYear));
    }
    return nullptr;
}

} // namespace

std::unique_ptr<ReportDesign> build(Connection &connection, clsSQL &statements, ReportRequest &request,
                                    const QString &schoolName)
{
    std::unique_ptr<ReportDesign> design = makeDesign(connection, statements, request);
    if (design) {
        design->setSchoolName(schoolName);
        design->setTitle(title(request.mode, request.reportYear));
    }
    return design;
}

} // namespace ReportBuilder
