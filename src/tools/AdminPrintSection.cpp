// sna-admin print-section: loads one section screen for a learner and year,
// headless, and prints its page into a PDF exactly as Print Page would.

#include "AdminCommand.h"
#include "AdminScreens.h"
#include "AppState.h"
#include "CheckTables.h"
#include "Connection.h"
#include "DatabaseConnection.h"
#include "EveryScreen.h"
#include "LearnerContext.h"
#include "PrinterChoice.h"
#include "ScreenRegistry.h"
#include "SectionScreen.h"
#include "StoreError.h"
#include "TableCheckReport.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <memory>

namespace {

const QString CommandName = QStringLiteral("print-section");

int runPrintSection(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("learner"), QString(), QStringLiteral("ID")});
    parser.addOption({QStringLiteral("year"), QString(), QStringLiteral("Y")});
    parser.addOption({QStringLiteral("screen"), QString(), QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("pdf"), QString(), QStringLiteral("OUT")});
    parser.addOption({QStringLiteral("db"), QString(), QStringLiteral("PATH")});
    parser.addOption({QStringLiteral("tab"), QString(), QStringLiteral("N")});
    if (!Admin::parseArguments(parser, CommandName, args))
        return Admin::ExitUsage;

    for (const char *required : {"learner", "year", "screen", "pdf"}) {
        if (!parser.isSet(QString::fromLatin1(required)))
            return Admin::usageError(CommandName, QStringLiteral("--%1 is required").arg(QString::fromLatin1(required)));
    }
    bool learnerOk = false;
    bool yearOk = false;
    const qint32 learnerId = parser.value(QStringLiteral("learner")).toInt(&learnerOk);
    const qint32 year = parser.value(QStringLiteral("year")).toInt(&yearOk);
    if (!learnerOk)
        return Admin::usageError(CommandName, QStringLiteral("--learner takes a learner's ID (a whole number)"));
    if (!yearOk || year < 2008 || year > 9999)
        return Admin::usageError(CommandName, QStringLiteral("--year takes a year from 2008 on"));
    bool tabOk = true;
    const int tab = parser.isSet(QStringLiteral("tab")) ? parser.value(QStringLiteral("tab")).toInt(&tabOk) : 1;
    if (!tabOk || tab < 1)
        return Admin::usageError(CommandName, QStringLiteral("--tab takes the number of a tab, from 1"));

    registerEveryScreen(ScreenRegistry::instance());
    const ScreenRegistry &registry = ScreenRegistry::instance();
    const QString screenName = parser.value(QStringLiteral("screen"));
    const ScreenRegistry::Entry *entry = registry.entry(screenName);
    if (!entry) {
        Admin::printError(QStringLiteral("sna-admin print-section: no section screen is called \"%1\"; known screens: %2")
                              .arg(screenName, registry.names().join(QStringLiteral(", "))));
        return Admin::ExitFailed;
    }

    const QString database = Admin::databaseArgument(parser);
    if (database.isEmpty()) {
        Admin::printError(QStringLiteral("sna-admin print-section: no database: give --db PATH or register one"));
        return Admin::ExitFailed;
    }
    appState().DatabasePath = database;
    appState().CurrentDataYear = year;

    LearnerFacts learner;
    try {
        // The same start-up as the program: the tables it needs, the school.
        std::unique_ptr<Connection> connection = Connection::open(database);
        ReportUpgradeFailures(CheckTables(*connection));
        LoadSchoolDetails(*connection);
        if (!readLearner(*connection, learnerId, learner)) {
            Admin::printError(QStringLiteral("sna-admin print-section: no learner has the ID %1 in %2").arg(learnerId).arg(database));
            return Admin::ExitFailed;
        }
    } catch (const StoreError &error) {
        Admin::printError(QStringLiteral("sna-admin print-section: cannot read %1: %2").arg(database, error.description()));
        return Admin::ExitFailed;
    }

    const LearnerContext current(learner, year);
    // Any error report while the screen loads or prints fails the command.
    const int &errorReports = AdminScreens::countErrorReports();

    const QString pdf = QFileInfo(parser.value(QStringLiteral("pdf"))).absoluteFilePath();
    PrinterChoice::setChooser(PrinterChoice::pdfChooser(pdf));
    std::unique_ptr<SectionScreen> screen(entry->create(nullptr));
    screen->loadScreen();
    // The tab (or action group) printed is the one showing, as on screen.
    if (tab > qMax(1, screen->pageCount())) {
        Admin::printError(QStringLiteral("sna-admin print-section: %1 has %2 tab(s); --tab %3 is not one of them")
                              .arg(screenName).arg(qMax(1, screen->pageCount())).arg(tab));
        return Admin::ExitFailed;
    }
    screen->setCurrentPage(tab - 1);
    const bool printed = screen->printPageNow();
    PrinterChoice::setChooser({});
    if (!printed || errorReports > 0 || !QFileInfo::exists(pdf)) {
        Admin::printError(QStringLiteral("sna-admin print-section: %1 was not printed").arg(screenName));
        return Admin::ExitFailed;
    }
    Admin::printLine(QStringLiteral("printed %1 for learner %2, %3 into %4").arg(screenName).arg(learnerId).arg(year).arg(pdf));
    return 0;
}

const AdminCommandRegistration registration(AdminCommand{
    .name = CommandName,
    .summary = QStringLiteral("prints a learner's section page into a PDF, as Print Page does"),
    .usage = QStringLiteral("--learner ID --year Y --screen NAME --pdf OUT [--tab N] [--db PATH]"),
    .details = QStringLiteral("NAME is a section screen (frmISP, frmBackgroundInfo, ...); --tab picks its tab, from 1"),
    .example = QStringLiteral("sna-admin print-section --learner 40001 --year 2026 --screen frmISP --tab 2 --pdf /tmp/isp.pdf"),
    .run = &runPrintSection,
});

} // namespace
