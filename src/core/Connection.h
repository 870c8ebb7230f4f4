#pragma once

#include "Recordset.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

struct sqlite3;

// One open connection to the store: an SQLite file that takes the host
// engine's SQL dialect. Every statement is translated (SqlDialect) before it
// runs, and the dialect's functions and the case-insensitive NOCASE collation
// are registered on every connection. Every failure throws StoreError.
class Connection
{
public:
    // Opens an existing store. A missing path, an empty path, or a file that is
    // not an SQLite store (a text file, an Access file, an empty file) fails with
    // StoreError and leaves the file untouched.
    static std::unique_ptr<Connection> open(const QString &path);
    // Creates a new, empty store (the file must not exist yet). For the admin tool
    // and test fixtures.
    static std::unique_ptr<Connection> create(const QString &path);

    // How long a connection waits for a lock another program holds before the
    // statement fails as "database is locked". For connections opened later.
    static constexpr int DefaultBusyTimeoutMs = 5000;
    static void setBusyTimeout(int ms);

    // Called, on the thread that waits, each time a statement is still waiting
    // for another program's lock, with how long it has waited so far: the
    // program shows the user it is waiting. It must not throw.
    using LockWaitWatcher = std::function<void(int waitedMs)>;
    static void setLockWaitWatcher(LockWaitWatcher watcher);

    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    QString path() const { return m_path; }

    // Runs a SELECT (host dialect) and reads every row.
    Recordset query(const QString &sql);
    // Runs any other statement (host dialect); returns the rows it affected.
    int execute(const QString &sql);
    // Runs a statement as it stands, without translation (fixtures, triggers).
    int executeNative(const QString &sqliteSql);

    // The key the last INSERT on this connection gave its row (a counter column).
    qint64 lastInsertId() const;

    void beginTransaction();
    void commit();
    void rollback();
    bool inTransaction() const { return m_inTransaction; }

    // The column names of a table in their stored order. A missing table throws.
    QStringList columnNames(const QString &table);
    bool tableExists(const QString &table);
    bool indexExists(const QString &index);

    sqlite3 *handle() const { return m_db; }

private:
    Connection(sqlite3 *db, const QString &path);
    [[noreturn]] void fail(int rc, const QString &context = QString()) const;
    static int waitForLock(void *connection, int attempt);
    // Whether the schema query sql (naming ?1) finds name.
    bool schemaHas(const char *sql, const QString &name);

    sqlite3 *m_db = nullptr;
    QString m_path;
    bool m_inTransaction = false;
    QElapsedTimer m_lockWait;
};

// Rolls back on scope exit unless commit() was called: a save that throws half
// way leaves the stored rows as they were.
class Transaction
{
public:
    explicit Transaction(Connection &connection);
    ~Transaction();
    void commit();

    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

private:
    Connection &m_connection;
    bool m_done = false;
};
