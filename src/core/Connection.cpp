#include "Connection.h"

#include "SqlDialect.h"
#include "SqliteEngine.h"
#include "StoreError.h"

#include <utility>

// Another program (the host system, another office computer) may hold the
// store for a moment; wait for it rather than failing at once.
int &LockWait::timeoutMs()
{
    static int ms = Connection::DefaultBusyTimeoutMs;
    return ms;
}

std::function<void(int)> &LockWait::watcher()
{
    static std::function<void(int)> watcher;
    return watcher;
}

void LockWait::tell(int waitedMs)
{
    if (const auto &watch = watcher()) {
        try {
            watch(waitedMs);
        } catch (...) {
            // Nothing may unwind through the engine; the wait goes on untold.
        }
    }
}

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

std::unique_ptr<Connection> Connection::open(const QString &path)
{
    return std::unique_ptr<Connection>(new Connection(SqliteEngine::open(path), path));
}

std::unique_ptr<Connection> Connection::create(const QString &path)
{
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
    return queryNative(SqlDialect::translate(sql));
}

Recordset Connection::queryNative(const QString &nativeSql)
{
    return guarded([&](StoreEngine &store) { return store.query(nativeSql); });
}

int Connection::execute(const QString &sql)
{
    return executeNative(SqlDialect::translate(sql));
}

int Connection::executeNative(const QString &nativeSql)
{
    return guarded([&](StoreEngine &store) { return store.execute(nativeSql); });
}

bool Connection::probe(const QString &sql)
{
    const QString nativeSql = SqlDialect::translate(sql);
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
