// sna-admin report: makes one of the four reports, headless, into a PDF with
// the very designs the viewer shows.

#include "AdminCommand.h"
#include "AppState.h"
#include "TextRoutines.h"
#include "CheckTables.h"
#include "Connection.h"
#include "DatabaseConnection.h"
#include "ListReportStatement.h"
#include "ReportBuilder.h"
#include "ReportDesign.h"
#include "StoreError.h"
#include "clsSQL.h"
#include "TableCheckReport.h"

#include <QCommandLineParser>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QMap>

namespace {

const QString CommandName = QStringLiteral("report");

const QMap<QString, QString> &modes()
{
    static const QMap<QString, QString> list = {
        {QStringLiteral("summary"), ReportModes::LearnerSummary},
        {QStringLiteral("providers"), ReportModes::LearnerList},
        {QStringLiteral("scores"), ReportModes::ScoreSummary},
        {QStringLiteral("profile"), ReportModes::MainReport},
    };
    return list;
}

// The filters each report takes.
QStringList filtersOf(const QString &mode)
{
    if (mode == ReportModes::LearnerSummary)
        return {QStringLiteral("barrier"), QStringLiteral("accession")};
    if (mode == ReportModes::LearnerList)
        return {QStringLiteral("provider"), QStringLiteral("accession")};
    return {QStringLiteral("grade"), QStringLiteral("accession")};
}

// The grade's identifier among the grades the options screen offers.
qint32 gradeId(Connection &connection, const QString &name)
{
    const Recordset rows = connection.query(clsSQL().qSchoolGrades());
    CodeTable grades;
    for (int row = 0; row < rows.recordCount(); ++row)
        grades.append({rows.text(row, QStringLiteral("ID")), rows.text(row, QStringLiteral("Name"))});
    return LookupCodeByText(name, grades);
}

int runReport(const QStringList &args)
{
    if (args.isEmpty() || !modes().contains(args.first()))
        return Admin::usageError(CommandName, QStringLiteral("MODE is one of: summary, providers, scores, profile"));
    const QString mode = modes().value(args.first());

    QCommandLineParser parser;
    for (const char *option : {"year", "grade", "accession", "barrier", "provider", "pdf", "db"})
        parser.addOption({QString::fromLatin1(option), QString(), QStringLiteral("VALUE")});
    if (!Admin::parseArguments(parser, CommandName, args.mid(1)))
        return Admin::ExitUsage;
    for (const char *required : {"year", "pdf"}) {
        if (!parser.isSet(QString::fromLatin1(required)))
            return Admin::usageError(CommandName, QStringLiteral("--%1 is required").arg(QString::fromLatin1(required)));
    }
    bool yearOk = false;
    const qint32 year = parser.value(QStringLiteral("year")).toInt(&yearOk);
    if (!yearOk || year < 2008 || year > 9999)
        return Admin::usageError(CommandName, QStringLiteral("--year takes a year from 2008 on"));
    QStringList given;
    for (const char *filter : {"grade", "accession", "barrier", "provider"}) {
        if (parser.isSet(QString::fromLatin1(filter)))
            given << QString::fromLatin1(filter);
    }
    for (const QString &filter : std::as_const(given)) {
        if (!filtersOf(mode).contains(filter))
            return Admin::usageError(CommandName, QStringLiteral("%1 takes no --%2").arg(args.first(), filter));
    }
    if ((mode == ReportModes::ScoreSummary || mode == ReportModes::MainReport) && given.size() > 1)
        return Admin::usageError(CommandName, QStringLiteral("give --grade or --accession, not both"));

    const QString path = Admin::databaseArgument(parser);
    if (path.isEmpty())
        return Admin::usageError(CommandName, QStringLiteral("no database registered; give --db PATH"));
    AppState &state = appState();
    state.DatabasePath = path;
    // As the program starts: the data year is the clock's year.
    state.CurrentDataYear = QDate::currentDate().year();
    state.ReportYear = year;

    const QString pdf = QFileInfo(parser.value(QStringLiteral("pdf"))).absoluteFilePath();
    try {
        std::unique_ptr<Connection> connection = Connection::open(path);
        ReportUpgradeFailures(CheckTables(*connection));
        LoadSchoolDetails(*connection);
        ReportRequest request;
        request.mode = mode;
        request.reportYear = year;
        request.currentDataYear = state.CurrentDataYear;
        if (mode == ReportModes::LearnerSummary || mode == ReportModes::LearnerList) {
            ListReportFilter filter;
            filter.formMode = mode;
            filter.reportYear = year;
            filter.currentDataYear = state.CurrentDataYear;
            if (parser.isSet(QStringLiteral("barrier")))
                filter.barrier = parser.value(QStringLiteral("barrier"));
            if (parser.isSet(QStringLiteral("provider")))
                filter.provider = parser.value(QStringLiteral("provider"));
            if (parser.isSet(QStringLiteral("accession")))
                filter.accession = parser.value(QStringLiteral("accession"));
            request.sql = listReportStatement(filter);
        } else if (parser.isSet(QStringLiteral("grade"))) {
            const qint32 grade = gradeId(*connection, parser.value(QStringLiteral("grade")));
            if (grade == 0) {
                Admin::printError(QStringLiteral("sna-admin report: no grade with qualifying learners is called \"%1\"")
                                      .arg(parser.value(QStringLiteral("grade"))));
                return Admin::ExitFailed;
            }
            request.repGrade = true;
            request.repVar = QString::number(grade);
        } else if (parser.isSet(QStringLiteral("accession"))) {
            request.repVar = parser.value(QStringLiteral("accession"));
        }
        clsSQL statements;
        std::unique_ptr<ReportDesign> design = ReportBuilder::build(*connection, statements, request, state.SchoolName);
        connection.reset();
        const int pages = design->writePdf(pdf);
        Admin::printLine(QStringLiteral("wrote \"%1\" (%2, %3 pages) into %4")
                             .arg(design->title(), design->name()).arg(pages).arg(QDir::toNativeSeparators(pdf)));
    } catch (const NumberedError &error) {
        Admin::printError(QStringLiteral("sna-admin report: %1 (%2)").arg(error.description()).arg(error.number()));
        return Admin::ExitFailed;
    }
    return 0;
}

const AdminCommandRegistration registration{AdminCommand{
    .name = CommandName,
    .summary = QStringLiteral("makes one of the four reports into a PDF"),
    .usage = QStringLiteral("MODE --year Y [--grade NAME | --accession A | --barrier NAME | --provider NAME] --pdf OUT [--db PATH]"),
    .details = QStringLiteral("MODE: summary (learners per barrier), providers (learners per provider), "
                              "scores (learner score summary), profile (learner profiles)"),
    .example = QStringLiteral("sna-admin report scores --year 2025 --pdf /tmp/scores.pdf"),
    .run = &runReport,
}};

} // namespace
