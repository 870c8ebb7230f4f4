#include "AccessImport.h"

#include "AccessError.h"
#include "AccessProbe.h"
#include "AccessReader.h"
#include "Connection.h"
#include "ImportStatements.h"
#include "RowWriter.h"
#include "SchemaTables.h"
#include "StoreError.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

namespace {

using Outcome = AccessImportResult::Outcome;

// Rows between two progress calls: often enough for a smooth bar and a quick
// cancel, rare enough to cost nothing.
constexpr qint64 ProgressEvery = 500;

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

qint64 rowCount(Connection &connection, const QString &table)
{
    return connection.query(QStringLiteral("SELECT Count(*) AS N FROM ") + ImportStatements::bracketed(table))
        .value(0, QStringLiteral("N"))
        .toLongLong();
}

// A school's rows: learners or school details of the host, or any of the
// program's own assessments.
bool holdsSchoolRows(Connection &connection)
{
    QStringList tables{QStringLiteral("Learner_Info"), QStringLiteral("General_Info")};
    tables += SchemaTables::dataTables();
    for (const QString &table : std::as_const(tables)) {
        if (connection.tableExists(table) && rowCount(connection, table) > 0)
            return true;
    }
    return false;
}

QStringList missingHostTables(Connection &connection)
{
    QStringList missing;
    for (const QString &table : HostTables()) {
        if (!connection.tableExists(table))
            missing << table;
    }
    return missing;
}

class Run
{
public:
    Run(const QString &source, const QString &target, bool replace, const AccessImport::ProgressFunction &progress)
        : m_source(source), m_target(target), m_replace(replace), m_progress(progress) {}

    AccessImportResult result;

    void go()
    {
        QElapsedTimer clock;
        clock.start();
        if (!checkSource() || !checkTarget())
            return;
        QTemporaryDir work(QFileInfo(m_target).absolutePath() + QStringLiteral("/.sna-import-XXXXXX"));
        if (!work.isValid())
            return refuse(QStringLiteral("No new file can be made beside %1: %2.").arg(shown(m_target), work.errorString()));
        const QString building = work.filePath(QStringLiteral("import.db"));
        if (!build(building))
            return;
        if (std::rename(QFile::encodeName(building).constData(), QFile::encodeName(m_target).constData()) != 0)
            return fail(Outcome::Failed, QStringLiteral("The import could not be put in place of %1.").arg(shown(m_target)));
        result.outcome = Outcome::Imported;
        result.elapsedMs = clock.elapsed();
    }

private:
    void refuse(const QString &message) { fail(Outcome::Refused, message); }

    void fail(Outcome outcome, const QString &message)
    {
        result.outcome = outcome;
        result.message = message;
    }

    bool checkSource()
    {
        if (QFileInfo(m_source).canonicalFilePath() == QFileInfo(m_target).canonicalFilePath()
            && QFileInfo::exists(m_target)) {
            refuse(QStringLiteral("The Access file and the new database are the same file."));
            return false;
        }
        try {
            AccessProbe::requireReadable(m_source);
        } catch (const AccessError &error) {
            refuse(error.message());
            return false;
        }
        return true;
    }

    // An existing store is added to, unless it already holds a school; then
    // only with replace, and the import takes its place whole.
    bool checkTarget()
    {
        const QFileInfo target(m_target);
        m_addToExisting = target.exists() && target.size() > 0 && !m_replace;
        if (!m_addToExisting)
            return true;
        try {
            auto connection = Connection::open(m_target);
            if (holdsSchoolRows(*connection)) {
                refuse(QStringLiteral("The database %1 already holds a school's data. Nothing was imported.")
                           .arg(shown(m_target)));
                result.targetHoldsSchool = true;
                return false;
            }
        } catch (const StoreError &error) {
            refuse(QStringLiteral("The file %1 exists and is not a database the program can add to: %2")
                       .arg(shown(m_target), error.description()));
            return false;
        }
        return true;
    }

    bool build(const QString &building)
    {
        try {
            if (m_addToExisting && !QFile::copy(m_target, building)) {
                fail(Outcome::Failed, QStringLiteral("The database %1 could not be copied.").arg(shown(m_target)));
                return false;
            }
            std::unique_ptr<Connection> connection = m_addToExisting ? Connection::open(building) : Connection::create(building);
            AccessReader reader(m_source);
            if (!copyTables(*connection, reader))
                return false;
            CheckImportedTables(*connection, result);
            return true;
        } catch (const StoreError &error) {
            fail(Outcome::Failed, QStringLiteral("The store failed: %1 (%2). Nothing was imported.")
                                      .arg(error.description()).arg(error.number()));
        } catch (const AccessError &error) {
            fail(Outcome::Refused, error.message());
        }
        return false;
    }

    bool copyTables(Connection &connection, AccessReader &reader)
    {
        const QVector<AccessTable> tables = reader.tables();
        for (const AccessTable &table : tables) {
            if (connection.tableExists(table.name)) {
                refuse(QStringLiteral("The database %1 already has a table %2. Nothing was imported.")
                           .arg(shown(m_target), table.name));
                return false;
            }
        }
        Transaction transaction(connection);
        bool rowsFailed = false;
        for (int index = 0; index < tables.size(); ++index) {
            const TableImport copy = copyTable(connection, reader, tables, index);
            rowsFailed = rowsFailed || copy.failedRows > 0;
            result.rows += copy.rowsWritten;
            result.tables << copy;
            if (m_cancelled) {
                fail(Outcome::Cancelled, QStringLiteral("The import was cancelled. Nothing was imported."));
                return false;
            }
        }
        if (rowsFailed) {
            fail(Outcome::RowsFailed, QStringLiteral("Some rows could not be written. Nothing was imported."));
            return false;
        }
        transaction.commit();
        return true;
    }

    TableImport copyTable(Connection &connection, AccessReader &reader, const QVector<AccessTable> &tables, int index)
    {
        const AccessTable &table = tables[index];
        TableImport copy;
        copy.table = table.name;
        for (const AccessColumn &column : table.columns) {
            if (!ImportStatements::copied(column))
                copy.skippedColumns << ImportStatements::skipReason(column);
        }
        if (copy.skippedColumns.size() == table.columns.size()) {
            // Nothing of its rows can be kept; the table is named, not made.
            copy.created = false;
            copy.rowsRead = reader.readRows(table, [](const AccessRow &) { return true; });
            return copy;
        }
        connection.execute(ImportStatements::createTable(table));
        RowWriter writer(connection, table, copy);
        AccessImport::Progress progress{table.name, index, int(tables.size()), 0, table.declaredRows};
        if (!report(progress))
            return copy;
        copy.rowsRead = reader.readRows(table, [&](const AccessRow &row) {
            progress.rowsDone += 1;
            writer.add(row, progress.rowsDone);
            return progress.rowsDone % ProgressEvery != 0 || report(progress);
        });
        writer.flush();
        progress.rowsDone = copy.rowsRead;
        report(progress);
        return copy;
    }

    bool report(const AccessImport::Progress &progress)
    {
        if (m_progress && !m_cancelled && !m_progress(progress))
            m_cancelled = true;
        return !m_cancelled;
    }

    QString m_source;
    QString m_target;
    bool m_replace = false;
    bool m_addToExisting = false;
    bool m_cancelled = false;
    const AccessImport::ProgressFunction &m_progress;
};

} // namespace

void CheckImportedTables(Connection &connection, AccessImportResult &result)
{
    const QStringList missing = missingHostTables(connection);
    if (!missing.isEmpty()) {
        const QString lacking = missing.size() == HostTables().size()
            ? QStringLiteral("it has none of the school administration system's tables (%1)")
            : QStringLiteral("it lacks the school administration system's tables %1");
        result.notASchoolDatabase =
            QStringLiteral("This is not a school database: %1, so the program cannot use it for a school. "
                           "Its tables were copied as they are; the program's own tables were not added.")
                .arg(lacking.arg(missing.join(QStringLiteral(", "))));
        return;
    }
    result.check = CheckTables(connection);
}

AccessImport::AccessImport(QString source, QString target)
    : m_source(std::move(source)), m_target(std::move(target))
{
}

AccessImportResult AccessImport::run()
{
    Run run(QFileInfo(m_source).absoluteFilePath(), QFileInfo(m_target).absoluteFilePath(), m_replace, m_progress);
    run.go();
    return run.result;
}
