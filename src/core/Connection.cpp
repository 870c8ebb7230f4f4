#include "Connection.h"

#include "SqlDialect.h"
#include "PostgresEngine.h"
#include "SqliteEngine.h"
#include "StoreError.h"
#include "StoreLocation.h"

#include <utility>

void Connection::setBusyTimeout(int ms)
{
    LockWait::timeoutMs() = ms;
}

void Connection::setLockWaitWatcher(LockWaitWatcher watcher)
{
    LockWait::watcher() = std::move(watcher);
}

namespace {

[[noreturn]] void closed()
{
    throw StoreError(StoreError::ConnectionClosed, QStringLiteral("Operation is not allowed when the object is closed."));
}

[[noreturn]] void noTransaction()
{
    throw StoreError(3034, QStringLiteral("You tried to commit or rollback a transaction without first beginning a transaction."));
}

} // namespace

Connection::Connection(std::unique_ptr<StoreEngine> engine, const QString &path)
    : m_engine(std::move(engine)), m_path(path)
{
}

Connection::~Connection() = default;

// A connection address of a database server names PostgreSQL; anything
// else is the path of an SQLite file.
std::unique_ptr<Connection> Connection::open(const QString &path)
{
    if (StoreLocation::isServer(path))
        return std::unique_ptr<Connection>(new Connection(PostgresEngine::open(path), path));
    return std::unique_ptr<Connection>(new Connection(SqliteEngine::open(path), path));
}

// A server's database is made by its administrator; "creating" one is
// connecting to it while it is still empty.
std::unique_ptr<Connection> Connection::create(const QString &path)
{
    if (StoreLocation::isServer(path))
        return open(path);
    return std::unique_ptr<Connection>(new Connection(SqliteEngine::create(path), path));
}

StoreEngine &Connection::engine() const
{
    if (!m_engine)
        closed();
    return *m_engine;
}

template <typename Work>
auto Connection::guarded(Work &&work)
{
    StoreEngine &store = engine();
    try {
        return work(store);
    } catch (const StoreError &) {
        m_inTransaction = m_inTransaction && store.transactionOpen();
        throw;
    }
}

Recordset Connection::query(const QString &sql)
{
    return queryNative(SqlDialect::translate(sql, engine().dialect()));
}

Recordset Connection::queryNative(const QString &nativeSql)
{
    return guarded([&](StoreEngine &store) { return store.query(nativeSql); });
}

int Connection::execute(const QString &sql)
{
    return executeNative(SqlDialect::translate(sql, engine().dialect()));
}

int Connection::executeNative(const QString &nativeSql)
{
    return guarded([&](StoreEngine &store) { return store.execute(nativeSql); });
}

bool Connection::probe(const QString &sql)
{
    const QString nativeSql = SqlDialect::translate(sql, engine().dialect());
    return guarded([&](StoreEngine &store) { return store.probe(nativeSql); });
}

qint64 Connection::lastInsertId() const
{
    return m_engine ? m_engine->lastInsertId() : 0;
}

void Connection::beginTransaction()
{
    if (m_inTransaction)
        throw StoreError(3246, QStringLiteral("Operation not supported in transactions."));
    engine().begin();
    m_inTransaction = true;
}

void Connection::commit()
{
    if (!m_inTransaction)
        noTransaction();
    if (!engine().transactionOpen()) {
        // The engine ended it already (a statement failure that rolls back on its own).
        m_inTransaction = false;
        noTransaction();
    }
    guarded([](StoreEngine &store) { store.commit(); });
    m_inTransaction = false;
}

void Connection::rollback()
{
    if (!m_inTransaction)
        noTransaction();
    m_inTransaction = false;
    engine().rollback();
}

void Connection::prepareStore()
{
    guarded([](StoreEngine &store) { store.prepare(); });
}

void Connection::lockSchema()
{
    guarded([](StoreEngine &store) { store.lockSchema(); });
}

void Connection::unlockSchema()
{
    guarded([](StoreEngine &store) { store.unlockSchema(); });
}

bool Connection::holdsNulInText() const
{
    return engine().holdsNulInText();
}

QStringList Connection::columnNames(const QString &table)
{
    const QStringList names = engine().columnNames(table);
    // The schema answers a missing table with no columns rather than an error.
    if (names.isEmpty())
        throw StoreError(StoreError::NoSuchTable,
                         QStringLiteral("The database engine cannot find the input table or query '%1'. "
                                        "Make sure it exists and that its name is spelled correctly.").arg(table));
    return names;
}

bool Connection::tableExists(const QString &table)
{
    return engine().tableExists(table);
}

bool Connection::indexExists(const QString &index)
{
    return engine().indexExists(index);
}

Transaction::Transaction(Connection &connection)
    : m_connection(connection)
{
    m_connection.beginTransaction();
}

Transaction::~Transaction()
{
    if (m_done || !m_connection.inTransaction())
        return;
    try {
        m_connection.rollback();
    } catch (const StoreError &) {
        // Nothing more can be done from a destructor; the connection's own
        // close rolls back whatever is still open.
    }
}

void Transaction::commit()
{
    m_connection.commit();
    m_done = true;
}
