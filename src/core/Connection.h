#pragma once

#include "Recordset.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class StoreEngine;

// One open connection to the store, which takes the host engine's SQL dialect
// whatever engine holds the data. Every statement is translated (SqlDialect)
// for the engine before it runs. Every failure throws StoreError, whose kind
// is the same for every engine.
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

    // Where the store is, as the setting names it.
    QString path() const { return m_path; }

    // Runs a SELECT (host dialect) and reads every row.
    Recordset query(const QString &sql);
    // Runs any other statement (host dialect); returns the rows it affected.
    int execute(const QString &sql);
    // Runs a statement as it stands, without translation (fixtures, triggers).
    int executeNative(const QString &nativeSql);
    Recordset queryNative(const QString &nativeSql);
    // Runs a SELECT (host dialect) up to its first row only, as a forward-only
    // cursor opens: true when it runs, false when it names a table or column
    // the store does not have. Any other failure throws. Costs the same on a
    // table of a million rows as on an empty one.
    bool probe(const QString &sql);

    // The key the last INSERT on this connection gave its row (a counter column).
    qint64 lastInsertId() const;

    void beginTransaction();
    void commit();
    void rollback();
    bool inTransaction() const { return m_inTransaction; }

    // Gives the store what translated statements rely on besides its tables
    // (on a database server: the case-insensitive collation and the host's
    // functions). Runs again harmlessly; the table check calls it first.
    void prepareStore();

    // While held, another program's table check on the same store waits
    // (two computers starting on an empty database at once). Prefer
    // SchemaChangeLock, which lets go however the check ends.
    void lockSchema();
    void unlockSchema();

    // Whether the store can keep a text holding the character U+0000 (a
    // database server cannot).
    bool holdsNulInText() const;

    // The column names of a table in their stored order. A missing table throws.
    QStringList columnNames(const QString &table);
    bool tableExists(const QString &table);
    bool indexExists(const QString &index);

private:
    Connection(std::unique_ptr<StoreEngine> engine, const QString &path);
    StoreEngine &engine() const;
    // Runs work on the engine; a failure that ended the engine's transaction
    // on its own ends this connection's too.
    template <typename Work>
    auto guarded(Work &&work);

    std::unique_ptr<StoreEngine> m_engine;
    QString m_path;
    bool m_inTransaction = false;
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
