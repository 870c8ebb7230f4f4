// sna-admin check-tables: the program's start-up table check, with a line for
// everything it changed.

#include "AdminCommand.h"
#include "AppState.h"
#include "CheckTables.h"
#include "SchemaTables.h"
#include "StoreError.h"

#include <QCommandLineParser>
#include <QDir>

namespace {

const QString CommandName = QStringLiteral("check-tables");

void printResult(const TableCheckResult &result)
{
    QStringList tables = SchemaTables::dataTables();
    tables += SchemaTables::lookupTables();
    if (result.changedNothing()) {
        Admin::printLine(QStringLiteral("all %1 tables present").arg(tables.size()));
        return;
    }
    for (const QString &table : std::as_const(tables)) {
        if (result.created.contains(table))
            Admin::printLine(QStringLiteral("created ") + table);
        if (result.filled.contains(table))
            Admin::printLine(QStringLiteral("filled %1 (%2 rows)").arg(table).arg(result.filledRows.value(table)));
        if (result.upgraded.contains(table))
            Admin::printLine(QStringLiteral("upgraded ") + table);
        if (const qsizetype failed = result.upgradeFailed.indexOf(table); failed >= 0)
            Admin::printLine(QStringLiteral("upgrade failed %1: %2").arg(table, result.upgradeErrors[size_t(failed)].description()));
    }
    for (const QString &table : result.learnerIdDropped)
        Admin::printLine(QStringLiteral("dropped Learner_ID from ") + table);
    for (const QString &table : result.indexed)
        Admin::printLine(QStringLiteral("indexed ") + table);
}

int runCheckTables(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("db"), QString(), QStringLiteral("PATH")});
    if (!Admin::parseArguments(parser, CommandName, args))
        return Admin::ExitUsage;

    const QString path = Admin::databaseArgument(parser);
    if (path.isEmpty())
        return Admin::usageError(CommandName, QStringLiteral("no database registered; give --db PATH"));
    appState().DatabasePath = path;

    TableCheckResult result;
    try {
        result = CheckTables();
    } catch (const StoreError &error) {
        Admin::printError(QStringLiteral("sna-admin check-tables: %1: %2 (%3)")
                              .arg(QDir::toNativeSeparators(path), error.description())
                              .arg(error.number()));
        return Admin::ExitFailed;
    }
    printResult(result);
    return result.upgradeFailed.isEmpty() ? 0 : Admin::ExitFailed;
}

const AdminCommandRegistration registration{AdminCommand{
    .name = CommandName,
    .summary = QStringLiteral("creates, upgrades and fills the program's tables as the program does at start-up"),
    .usage = QStringLiteral("[--db PATH]"),
    .details = QStringLiteral("prints a line for every table it created, filled or upgraded"),
    .example = QStringLiteral("sna-admin check-tables --db /tmp/school.db"),
    .run = &runCheckTables,
}};

} // namespace
