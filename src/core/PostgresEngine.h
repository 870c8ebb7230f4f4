#pragma once

#include "StoreEngine.h"

#include <memory>

struct pg_conn;
struct pg_result;

// A PostgreSQL database reached through libpq, named by a connection URI
// (postgresql://host:port/database?user=...). The password comes from
// libpq's own means (~/.pgpass, PGPASSWORD), never from the program.
// Transactions read committed rows at each statement; what keeps two
// computers' saves of one learner apart is a lock the save takes
// (LockLearnerYear), so saves of different learners never wait for each other.
class PostgresEngine final : public StoreEngine
{
public:
    // Connects. A server that cannot be reached or refuses the connection
    // fails as Unreachable, naming the host and the database and what to check.
    static std::unique_ptr<PostgresEngine> open(const QString &uri);

    ~PostgresEngine() override;
    PostgresEngine(const PostgresEngine &) = delete;
    PostgresEngine &operator=(const PostgresEngine &) = delete;

    SqlDialect::Target dialect() const override { return SqlDialect::Target::PostgreSQL; }
    Recordset query(const QString &nativeSql) override;
    int execute(const QString &nativeSql) override;
    bool probe(const QString &nativeSql) override;
    qint64 lastInsertId() override;

    void begin() override;
    void commit() override;
    void rollback() override;
    bool transactionOpen() override;

    void prepare() override;
    void lockSchema() override;
    void unlockSchema() override;
    bool holdsNulInText() const override { return false; }
    QStringList columnNames(const QString &table) override;
    bool tableExists(const QString &table) override;
    bool indexExists(const QString &index) override;

private:
    PostgresEngine(pg_conn *connection, const QString &uri);
    // Runs a statement, telling the lock-wait watcher while another
    // program's lock holds it up.
    std::unique_ptr<pg_result, void (*)(pg_result *)> exec(const QString &nativeSql);
    bool waitsForLock();
    // Runs a statement whose failure would end an open transaction inside a
    // savepoint of its own, so only the statement fails.
    template <typename Work>
    auto contained(Work &&work);
    bool schemaHas(const char *relkinds, const QString &name);

    pg_conn *m_connection = nullptr;
    QString m_uri;
    pg_conn *m_lookout = nullptr; // asks the server whether a statement waits for a lock
    bool m_lookoutFailed = false;
};
