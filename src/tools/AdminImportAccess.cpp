// sna-admin import-access: copies a school's Access-format database into a
// store and runs the start-up table check on it, with a line per table.

#include "AccessImport.h"
#include "AdminCommand.h"
#include "SchemaTables.h"

#include <QCommandLineParser>
#include <QDir>

namespace {

const QString CommandName = QStringLiteral("import-access");

void printTables(const AccessImportResult &result)
{
    for (const TableImport &table : result.tables) {
        Admin::printLine(QStringLiteral("%1: %2 rows read, %3 written").arg(table.table).arg(table.rowsRead).arg(table.rowsWritten));
        for (const QString &column : table.skippedColumns)
            Admin::printLine(QStringLiteral("  column skipped: ") + column);
        if (!table.created)
            Admin::printLine(QStringLiteral("  table not created: every column holds binary data"));
        for (const QString &failure : table.rowFailures)
            Admin::printLine(QStringLiteral("  not written: ") + failure);
        if (table.failedRows > table.rowFailures.size())
            Admin::printLine(QStringLiteral("  not written: %1 rows in all").arg(table.failedRows));
    }
}

void printCheck(const AccessImportResult &result)
{
    if (!result.notASchoolDatabase.isEmpty()) {
        Admin::printLine(result.notASchoolDatabase);
        return;
    }
    const TableCheckResult &check = result.check;
    for (const QString &table : check.upgraded)
        Admin::printLine(QStringLiteral("table check: upgraded ") + table);
    for (qsizetype i = 0; i < check.upgradeFailed.size(); ++i)
        Admin::printLine(QStringLiteral("table check: upgrade failed %1: %2")
                             .arg(check.upgradeFailed[i], check.upgradeErrors[size_t(i)].description()));
    if (!check.created.isEmpty())
        Admin::printLine(QStringLiteral("table check: created %1 of the program's tables").arg(check.created.size()));
    for (const QString &table : check.learnerIdDropped)
        Admin::printLine(QStringLiteral("table check: dropped Learner_ID from ") + table);
}

int runImportAccess(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("db"), QString(), QStringLiteral("PATH")});
    parser.addOption({QStringLiteral("replace"), QString()});
    // The Access file comes first, as the usage line shows.
    if (args.isEmpty() || args.constFirst().startsWith(QLatin1Char('-')))
        return Admin::usageError(CommandName, QStringLiteral("give the Access file (.mdb or .accdb) first"));
    if (!Admin::parseArguments(parser, CommandName, args.mid(1)))
        return Admin::ExitUsage;
    const QString target = Admin::databaseArgument(parser);
    if (target.isEmpty())
        return Admin::usageError(CommandName, QStringLiteral("no database registered; give --db PATH"));

    AccessImport import(args.constFirst(), target);
    import.setReplace(parser.isSet(QStringLiteral("replace")));
    const AccessImportResult result = import.run();
    printTables(result);
    if (!result.imported()) {
        Admin::printError(QStringLiteral("sna-admin import-access: ") + result.message);
        if (result.targetHoldsSchool)
            Admin::printError(QStringLiteral("To replace it with the Access file, import again with --replace."));
        return Admin::ExitFailed;
    }
    printCheck(result);
    const double seconds = std::max<qint64>(result.elapsedMs, 1) / 1000.0;
    Admin::printLine(QStringLiteral("imported %1 tables, %2 rows into %3 in %4 s (%5 rows per second)")
                         .arg(result.tables.size())
                         .arg(result.rows)
                         .arg(QDir::toNativeSeparators(target))
                         .arg(seconds, 0, 'f', 2)
                         .arg(qint64(double(result.rows) / seconds)));
    return result.check.upgradeFailed.isEmpty() ? 0 : Admin::ExitFailed;
}

const AdminCommandRegistration registration{AdminCommand{
    .name = CommandName,
    .summary = QStringLiteral("copies a school's Access database (.mdb, .accdb) into a database the program uses"),
    .usage = QStringLiteral("FILE [--db PATH] [--replace]"),
    .details = QStringLiteral("copies every table of the Access file FILE (read only, never changed) into the "
                              "database PATH, a new file or one without a school's data, then runs the program's "
                              "table check; prints a line per table; --replace lets the import take the place of a "
                              "database that already holds a school's data. Nothing is changed when any row cannot "
                              "be written."),
    .example = QStringLiteral("sna-admin import-access \"/media/usb/School Data.mdb\" --db /tmp/school.db"),
    .run = &runImportAccess,
}};

} // namespace
