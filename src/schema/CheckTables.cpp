#include "CheckTables.h"

#include "Connection.h"
#include "StoreLocks.h"
#include "DataInsert.h"
#include "AppState.h"
#include "SchemaTables.h"
#include "StoreError.h"
#include "StoreLocation.h"

#include <QDir>

#include <memory>

namespace {

// Whether the statement runs at all, for probes where any failure means "no".
bool opens(Connection &connection, const QString &sql)
{
    try {
        return connection.probe(sql);
    } catch (const StoreError &) {
        return false;
    }
}

bool hasLearnerKey(Connection &connection, const QString &table)
{
    return opens(connection, QStringLiteral("Select LearnerID from ") + table);
}

// Refuses a file that is not a school's database before anything is written
// to it: the program would otherwise add its 22 tables to whatever SQLite file
// the setting names.
void requireHostTables(Connection &connection)
{
    QStringList missing;
    for (const QString &table : HostTables()) {
        if (!connection.tableExists(table))
            missing << table;
    }
    if (missing.isEmpty())
        return;
    const QString what = StoreLocation::isServer(connection.path())
        ? QStringLiteral("The database %1").arg(connection.path())
        : QStringLiteral("The file %1").arg(QDir::toNativeSeparators(connection.path()));
    throw StoreError(StoreError::NotASchoolDatabase,
                     QStringLiteral("%1 is not a school database: it has no %2 table. "
                                    "Nothing was changed in it. Check which database this computer is set up to use.")
                         .arg(what, missing.join(QStringLiteral(", "))));
}

void createMissingTable(Connection &connection, DataInsert &inserter, const QString &table,
                        bool lookupPhase, TableCheckResult &result)
{
    if (HasOldLearnerColumn(connection, table, lookupPhase)) {
        try {
            UpgradeLearnerColumn(connection, table);
            result.upgraded << table;
        } catch (const StoreError &error) {
            // The rest of the check goes on; the caller reports the reason.
            result.upgradeFailed << table;
            result.upgradeErrors.push_back(error);
        }
        return;
    }

    // The table is there but the probe missed a column it reads: creating
    // it would only fail as "table already exists". Name what is missing.
    if (connection.tableExists(table)) {
        throw StoreError(StoreError::NoSuchTable,
                         QStringLiteral("The table %1 has no column %2, which the program needs. "
                                        "Nothing was changed in it.")
                             .arg(table, lookupPhase ? QStringLiteral("ID") : QStringLiteral("LearnerID")));
    }

    // A lookup table and its rows arrive together or not at all: a table left
    // half filled would never be filled again, because it exists.
    Transaction transaction(connection);
    connection.execute(SchemaTables::createStatement(table));
    int rows = -1;
    if (lookupPhase)
        rows = inserter.fill(table);
    transaction.commit();

    result.created << table;
    if (lookupPhase) {
        result.filled << table;
        result.filledRows.insert(table, rows);
    }
}

} // namespace

const QStringList &HostTables()
{
    static const QStringList tables = {QStringLiteral("General_Info"), QStringLiteral("Learner_Info"),
                                       QStringLiteral("SchoolGrades"), QStringLiteral("Disabilities"),
                                       QStringLiteral("MultipleDisabilities")};
    return tables;
}

bool HasOldLearnerColumn(Connection &connection, const QString &table, bool lookupPhase)
{
    if (lookupPhase)
        return false;
    return opens(connection, QStringLiteral("Select Learner_ID from ") + table);
}

void UpgradeLearnerColumn(Connection &connection, const QString &table)
{
    // One transaction: a failure half way leaves the old layout intact, and
    // the next start tries again, instead of leaving a table with two keys or
    // with neither.
    Transaction transaction(connection);
    connection.execute(QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" ADD LearnerID LONG"));
    connection.execute(QStringLiteral("UPDATE ") + table + QStringLiteral(" INNER JOIN Learner_Info as LI ON ")
                       + table + QStringLiteral(".Learner_ID = LI.LearnerID ") + QStringLiteral("SET ") + table
                       + QStringLiteral(".LearnerID = LI.ID"));
    connection.execute(QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" DROP COLUMN Learner_ID"));
    transaction.commit();
}

TableCheckResult CheckTables()
{
    std::unique_ptr<Connection> connection = Connection::open(appState().DatabasePath);
    return CheckTables(*connection);
}

TableCheckResult CheckTables(Connection &connection)
{
    requireHostTables(connection);
    // A second computer starting on the same empty database waits here, then
    // finds every table made.
    const SchemaChangeLock creating(connection);
    connection.prepareStore();

    TableCheckResult result;
    DataInsert inserter(connection);
    for (const QString &table : SchemaTables::dataTables()) {
        // The whole row, not LearnerID alone: the learner-and-year index
        // holds that column, and a probe answered from the index would never
        // see a damaged table. A probe that fails for another reason than a
        // missing table throws, so a damaged table is never taken for a
        // missing one (creating it would only fail as "table already exists").
        if (!connection.probe( QStringLiteral("Select LearnerID, * from ") + table))
            createMissingTable(connection, inserter, table, false, result);
    }
    for (const QString &table : SchemaTables::lookupTables()) {
        if (!connection.probe(QStringLiteral("Select ID from ") + table))
            createMissingTable(connection, inserter, table, true, result);
    }

    // An older version kept Learner_ID beside LearnerID for a while. Once the
    // first data table still has it, it goes everywhere; failures (a table
    // without the column) are of no interest. A table whose upgrade failed
    // keeps it: there it is still the only learner key.
    const QStringList &dataTables = SchemaTables::dataTables();
    if (HasOldLearnerColumn(connection, dataTables.first(), false)) {
        for (const QString &table : dataTables) {
            if (!hasLearnerKey(connection, table))
                continue;
            try {
                connection.execute(QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" DROP COLUMN Learner_ID"));
                result.learnerIdDropped << table;
            } catch (const StoreError &) {
            }
        }
    }

    // Every screen reads and writes one learner's year: with the index that
    // is a look-up, whatever the size of the school. A table whose upgrade
    // failed has no LearnerID to index yet.
    for (const QString &table : dataTables) {
        if (connection.indexExists(SchemaTables::indexName(table)) || !hasLearnerKey(connection, table))
            continue;
        connection.execute(SchemaTables::indexStatement(table));
        result.indexed << table;
    }
    return result;
}
