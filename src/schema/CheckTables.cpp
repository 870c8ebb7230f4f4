#include "CheckTables.h"

#include "CentralRoutines.h"
#include "Connection.h"
#include "DataInsert.h"
#include "DatabaseConnection.h"
#include "SchemaTables.h"
#include "SqlDialect.h"
#include "StoreError.h"

#include <sqlite3.h>

namespace {

// Opens the statement as a forward-only cursor would: compiled and stepped to
// its first row, no further. That is all a probe needs to know, and it costs
// the same on a table of a million rows as on an empty one.
bool opens(Connection &connection, const QString &sql)
{
    const QByteArray text = SqlDialect::translate(sql).toUtf8();
    sqlite3_stmt *statement = nullptr;
    int rc = sqlite3_prepare_v2(connection.handle(), text.constData(), int(text.size()), &statement, nullptr);
    if (rc == SQLITE_OK && statement)
        rc = sqlite3_step(statement);
    sqlite3_finalize(statement);
    return rc == SQLITE_ROW || rc == SQLITE_DONE;
}

bool hasLearnerKey(Connection &connection, const QString &table)
{
    return opens(connection, QStringLiteral("Select LearnerID from ") + table);
}

void createMissingTable(Connection &connection, DataInsert &inserter, const QString &table,
                        bool lookupPhase, TableCheckResult &result)
{
    if (HasOldLearnerColumn(table, lookupPhase)) {
        if (UpgradeLearnerColumn(table))
            result.upgraded << table;
        else
            result.upgradeFailed << table;
        return;
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

bool HasOldLearnerColumn(const QString &table, bool lookupPhase)
{
    if (lookupPhase || !IsConnectionOpen())
        return false;
    return opens(SharedConnection(), QStringLiteral("Select Learner_ID from ") + table);
}

bool UpgradeLearnerColumn(const QString &table)
{
    try {
        Connection &connection = SharedConnection();
        // One transaction: a failure half way leaves the old layout intact, and
        // the next start tries again, instead of leaving a table with two keys
        // or with neither.
        Transaction transaction(connection);
        connection.execute(QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" ADD LearnerID LONG"));
        connection.execute(QStringLiteral("UPDATE ") + table + QStringLiteral(" INNER JOIN Learner_Info as LI ON ")
                           + table + QStringLiteral(".Learner_ID = LI.LearnerID ") + QStringLiteral("SET ") + table
                           + QStringLiteral(".LearnerID = LI.ID"));
        connection.execute(QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" DROP COLUMN Learner_ID"));
        transaction.commit();
        return true;
    } catch (const StoreError &error) {
        if (!error.description().isEmpty())
            ReportError(QStringLiteral("Alter/Update IDs"), error.description(), QStringLiteral("addID"),
                        double(error.number()));
    }
    return false;
}

TableCheckResult CheckTables()
{
    TableCheckResult result;
    ConnectionScope scope;
    // When the open failed it has been reported already; there is nothing to
    // check, and the caller ends the start-up with this failure.
    Connection &connection = SharedConnection();
    DataInsert inserter(connection);

    for (const QString &table : SchemaTables::dataTables()) {
        if (!opens(connection, QStringLiteral("Select LearnerID from ") + table))
            createMissingTable(connection, inserter, table, false, result);
    }
    for (const QString &table : SchemaTables::lookupTables()) {
        if (!opens(connection, QStringLiteral("Select ID from ") + table))
            createMissingTable(connection, inserter, table, true, result);
    }

    // An older version kept Learner_ID beside LearnerID for a while. Once the
    // first data table still has it, it goes everywhere; failures (a table
    // without the column) are of no interest. A table whose upgrade failed
    // keeps it: there it is still the only learner key.
    const QStringList &dataTables = SchemaTables::dataTables();
    if (HasOldLearnerColumn(dataTables.first(), false)) {
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
    return result;
}
