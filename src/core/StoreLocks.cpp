#include "StoreLocks.h"

#include "Connection.h"
#include "StoreError.h"

// A function of the store's dialect: on a server it takes a lock that lasts
// as long as the transaction; an SQLite file's transaction holds the write
// lock of the whole file already.
void LockLearnerYear(Connection &connection, int learnerId, int dataYear)
{
    connection.query(QStringLiteral("SELECT sna_lock_learner_year(%1, %2) AS locked").arg(learnerId).arg(dataYear));
}

SchemaChangeLock::SchemaChangeLock(Connection &connection)
    : m_connection(connection)
{
    m_connection.lockSchema();
}

SchemaChangeLock::~SchemaChangeLock()
{
    try {
        m_connection.unlockSchema();
    } catch (const StoreError &) {
        // A connection that broke has let go of its locks with it.
    }
}
