// sna-admin demo-host: a demo school to try the program on, registered as the
// program's database unless another one is registered already.

#include "AdminCommand.h"
#include "AppState.h"
#include "CheckTables.h"
#include "Connection.h"
#include "DemoAssessments.h"
#include "DemoHost.h"
#include "Settings.h"
#include "StoreCopy.h"
#include "StoreLocation.h"
#include "StoreError.h"
#include "TableCheckReport.h"

#include <QCommandLineParser>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <stdexcept>

namespace {

const QString CommandName = QStringLiteral("demo-host");
constexpr int MinimumLearners = 60;

// Where a demo school goes when neither --db nor the settings name a file:
// the user's data folder (~/.local/share/VantorEmis/demo-school.db on Linux).
QString defaultDemoPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/VantorEmis/demo-school.db");
}

int runDemoHost(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("db"), QString(), QStringLiteral("PATH")});
    parser.addOption({QStringLiteral("learners"), QString(), QStringLiteral("N")});
    parser.addOption({QStringLiteral("register"), QString()});
    parser.addOption({QStringLiteral("if-unset"), QString()});
    parser.addOption({QStringLiteral("assessed"), QString(), QStringLiteral("N")});
    if (!Admin::parseArguments(parser, CommandName, args))
        return Admin::ExitUsage;

    // First run of the demo: only when this computer has no database yet.
    if (parser.isSet(QStringLiteral("if-unset")) && Settings::hasDatabasePath()) {
        Admin::printLine(QStringLiteral("the registered database %1 is used")
                             .arg(QDir::toNativeSeparators(Settings::databasePath())));
        return 0;
    }

    int learners = MinimumLearners;
    if (parser.isSet(QStringLiteral("learners"))) {
        bool ok = false;
        learners = parser.value(QStringLiteral("learners")).toInt(&ok);
        if (!ok || learners < MinimumLearners)
            return Admin::usageError(CommandName,
                                     QStringLiteral("--learners takes a whole number of %1 or more").arg(MinimumLearners));
    }

    int assessed = 0;
    if (parser.isSet(QStringLiteral("assessed"))) {
        bool ok = false;
        assessed = parser.value(QStringLiteral("assessed")).toInt(&ok);
        if (!ok || assessed < 0)
            return Admin::usageError(CommandName, QStringLiteral("--assessed takes a whole number of 0 or more"));
    }

    QString path = Admin::databaseArgument(parser);
    if (path.isEmpty())
        path = defaultDemoPath();
    // A school on a database server is built in a file first and then
    // copied there whole, as copy-store moves a school.
    const bool onServer = StoreLocation::isServer(path);
    const QTemporaryDir building;
    const QString file = onServer ? building.filePath(QStringLiteral("demo-school.db")) : QFileInfo(path).absoluteFilePath();
    if (!onServer) {
        path = file;
        if (QFileInfo::exists(path)) {
            Admin::printError(QStringLiteral("sna-admin demo-host: %1 already exists; a demo school never replaces a file")
                                  .arg(QDir::toNativeSeparators(path)));
            return Admin::ExitFailed;
        }
        QDir().mkpath(QFileInfo(path).absolutePath());
    }
    DemoAssessments::Counts counts;
    try {
        DemoHost::createDemoHost(file, learners);
        if (assessed > 0) {
            // The program's tables, as its start-up makes them, then last
            // year's assessments (and some of this year's).
            try {
                appState().DatabasePath = file;
                ReportUpgradeFailures(CheckTables());
                std::unique_ptr<Connection> connection = Connection::open(file);
                counts = DemoAssessments::fill(*connection, assessed, QDate::currentDate().year());
            } catch (...) {
                // No half-assessed school is left behind either.
                QFile::remove(file);
                throw;
            }
        }
        // A server already holding a school is refused, untouched.
        if (onServer)
            StoreCopy::copy(*Connection::open(file), *Connection::open(path), StoreCopy::Existing::Refuse);
    } catch (const StoreError &error) {
        Admin::printError(QStringLiteral("sna-admin demo-host: %1 (%2)").arg(error.description()).arg(error.number()));
        return Admin::ExitFailed;
    } catch (const std::exception &error) {
        Admin::printError(QStringLiteral("sna-admin demo-host: ") + QString::fromUtf8(error.what()));
        return Admin::ExitFailed;
    }
    Admin::printLine(QStringLiteral("created demo host database %1 (%2 learners)")
                         .arg(QDir::toNativeSeparators(path))
                         .arg(learners));
    if (assessed > 0)
        Admin::printLine(QStringLiteral("assessed %1 learners for %2 and %3 of them for %4 as well (%5 rows)")
                             .arg(counts.learners)
                             .arg(QDate::currentDate().year() - 1)
                             .arg(counts.thisYear)
                             .arg(QDate::currentDate().year())
                             .arg(counts.rows));

    const QString registered = Settings::databasePath();
    if (registered.isEmpty() || parser.isSet(QStringLiteral("register"))) {
        Settings::setDatabasePath(path);
        Admin::printLine(QStringLiteral("registered %1 as the program's database").arg(QDir::toNativeSeparators(path)));
    } else if (registered == path) {
        Admin::printLine(QStringLiteral("%1 is the registered database").arg(QDir::toNativeSeparators(path)));
    } else {
        Admin::printLine(QStringLiteral("left the registered database %1 alone (--register replaces it)")
                             .arg(QDir::toNativeSeparators(registered)));
    }
    return 0;
}

const AdminCommandRegistration registration{AdminCommand{
    .name = CommandName,
    .summary = QStringLiteral("creates a demo school database to try the program on"),
    .usage = QStringLiteral("[--db PATH] [--learners N] [--assessed N] [--register] [--if-unset]"),
    .details = QStringLiteral("creates a demo host database (N >= 60 learners, default 60) and registers it "
                              "when no database is registered yet, or with --register; --if-unset does nothing "
                              "when a database is registered already; --assessed N gives N qualifying learners a full "
                              "assessment for last year and some of them for this year"),
    .example = QStringLiteral("sna-admin demo-host --db /tmp/school.db --register"),
    .run = &runDemoHost,
}};

} // namespace
