// sna-admin append: carries last year's rows of the copied sections over into
// the year given (the clock's year by default), as the learner list's append
// does, without asking.

#include "AdminCommand.h"
#include "AppState.h"
#include "CheckTables.h"
#include "Connection.h"
#include "PreviousYearAppend.h"
#include "StoreError.h"
#include "TableCheckReport.h"

#include <QCommandLineParser>
#include <QDate>
#include <QDir>

namespace {

const QString CommandName = QStringLiteral("append");

int runAppend(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("year"), QString(), QStringLiteral("Y")});
    parser.addOption({QStringLiteral("db"), QString(), QStringLiteral("PATH")});
    if (!Admin::parseArguments(parser, CommandName, args))
        return Admin::ExitUsage;

    qint32 year = QDate::currentDate().year();
    if (parser.isSet(QStringLiteral("year"))) {
        bool ok = false;
        year = parser.value(QStringLiteral("year")).toInt(&ok);
        if (!ok || year < 2009 || year > 9999)
            return Admin::usageError(CommandName, QStringLiteral("--year takes a year from 2009 on"));
    }
    const QString path = Admin::databaseArgument(parser);
    if (path.isEmpty())
        return Admin::usageError(CommandName, QStringLiteral("no database registered; give --db PATH"));
    appState().DatabasePath = path;

    try {
        ReportUpgradeFailures(CheckTables());
        std::unique_ptr<Connection> connection = Connection::open(path);
        // Counts are told once the whole copy committed: before, they could
        // still come to nothing.
        QStringList counts;
        const qint32 total = PreviousYearAppend::copyAll(*connection, year, [&counts](const QString &table, int rows) {
            counts << QStringLiteral("%1: %2 rows copied").arg(table).arg(rows);
        });
        for (const QString &line : std::as_const(counts))
            Admin::printLine(line);
        Admin::printLine(QStringLiteral("Append Complete: %1 Rows Affected (from %2 into %3)").arg(total).arg(year - 1).arg(year));
    } catch (const StoreError &error) {
        Admin::printError(QStringLiteral("sna-admin append: %1: %2 (%3); nothing was copied, and running the "
                                         "append again copies everything")
                              .arg(QDir::toNativeSeparators(path), error.description())
                              .arg(error.number()));
        return Admin::ExitFailed;
    }
    return 0;
}

const AdminCommandRegistration registration{AdminCommand{
    .name = CommandName,
    .summary = QStringLiteral("carries last year's information over into a year, as the learner list's append does"),
    .usage = QStringLiteral("[--year Y] [--db PATH]"),
    .details = QStringLiteral("copies the previous year's rows of the nine carried-over sections into year Y (default: this "
                              "year) for current learners who have none in Y"),
    .example = QStringLiteral("sna-admin append --year 2026 --db /tmp/school.db"),
    .run = &runAppend,
    .needsGui = false,
}};

} // namespace
