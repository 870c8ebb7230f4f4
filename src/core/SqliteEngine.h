#pragma once

#include "StoreEngine.h"

#include <QElapsedTimer>
#include <memory>

struct sqlite3;

// The embedded engine: an SQLite file, with the host dialect's functions and
// the case-insensitive NOCASE collation registered on every connection.
class SqliteEngine final : public StoreEngine
{
public:
    // Opens an existing store. A missing path, an empty path, or a file that is
    // not an SQLite store (a text file, an Access file, an empty file) fails
    // and leaves the file untouched.
    static std::unique_ptr<SqliteEngine> open(const QString &path);
    // Creates a new, empty store; the file must not exist yet.
    static std::unique_ptr<SqliteEngine> create(const QString &path);

    ~SqliteEngine() override;
    SqliteEngine(const SqliteEngine &) = delete;
    SqliteEngine &operator=(const SqliteEngine &) = delete;

    SqlDialect::Target dialect() const override { return SqlDialect::Target::SQLite; }
    Recordset query(const QString &nativeSql) override;
    int execute(const QString &nativeSql) override;
    bool probe(const QString &nativeSql) override;
    qint64 lastInsertId() override;

    void begin() override;
    void commit() override;
    void rollback() override;
    bool transactionOpen() override;

    // The functions and collation are registered on every connection.
    void prepare() override {}
    QStringList columnNames(const QString &table) override;
    bool tableExists(const QString &table) override;
    bool indexExists(const QString &index) override;

private:
    explicit SqliteEngine(sqlite3 *db);
    static std::unique_ptr<SqliteEngine> adopt(sqlite3 *db);
    [[noreturn]] void fail(int rc, const QString &context = QString()) const;
    static int waitForLock(void *engine, int attempt);
    // Whether the schema query sql (naming ?1) finds name.
    bool schemaHas(const char *sql, const QString &name);

    sqlite3 *m_db = nullptr;
    QElapsedTimer m_lockWait;
};
