#include "Connection.h"

#include "SqlDialect.h"
#include "StoreError.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace {

// Another program (the host system) may hold the file for a moment; wait for it
// rather than failing at once.
int &busyTimeoutMs()
{
    static int ms = Connection::DefaultBusyTimeoutMs;
    return ms;
}

Connection::LockWaitWatcher &lockWaitWatcher()
{
    static Connection::LockWaitWatcher watcher;
    return watcher;
}

const QByteArray &storeMagic()
{
    static const QByteArray magic("SQLite format 3\0", 16);
    return magic;
}

// Finalizes a prepared statement however the caller leaves.
class Statement
{
public:
    Statement() = default;
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    sqlite3_stmt **out() { return &m_stmt; }
    sqlite3_stmt *get() const { return m_stmt; }

private:
    sqlite3_stmt *m_stmt = nullptr;
};

QVariant columnValue(sqlite3_stmt *stmt, int column)
{
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, column));
    case SQLITE_TEXT: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, column));
        const int bytes = sqlite3_column_bytes(stmt, column);
        // An empty text is a value, not a NULL: keep it a valid (empty) string.
        if (!text)
            return QVariant(QString(QLatin1String("")));
        QString decoded = QString::fromUtf8(text, bytes);
        // A leading byte-order mark is part of the stored text; the decoder
        // would take it for a mark of the encoding and drop it.
        static const char bom[] = "\xEF\xBB\xBF";
        if (bytes >= 3 && qstrncmp(text, bom, 3) == 0 && !decoded.startsWith(QChar(0xFEFF)))
            decoded.prepend(QChar(0xFEFF));
        return QVariant(decoded);
    }
    case SQLITE_BLOB: {
        const auto *data = static_cast<const char *>(sqlite3_column_blob(stmt, column));
        return QVariant(QByteArray(data, sqlite3_column_bytes(stmt, column)));
    }
    default:
        return QVariant();
    }
}

// The registered functions raise the host engine's own messages; give them the
// host's numbers too, so the error report reads as it always did.
long numberForMessage(int extendedCode, const QString &message)
{
    if (message == QLatin1String("Invalid procedure call or argument"))
        return StoreError::FunctionArgument;
    if (message == QLatin1String("Overflow"))
        return StoreError::Overflow;
    if (message == QLatin1String("Type mismatch"))
        return StoreError::TypeMismatch;
    if (message == QLatin1String("Invalid use of Null"))
        return StoreError::InvalidUseOfNull;
    return extendedCode;
}

bool changesRows(const QString &sql)
{
    const QString head = sql.trimmed().section(QLatin1Char(' '), 0, 0).toUpper();
    return head == QLatin1String("INSERT") || head == QLatin1String("UPDATE")
        || head == QLatin1String("DELETE") || head == QLatin1String("REPLACE");
}

} // namespace

void Connection::setBusyTimeout(int ms)
{
    busyTimeoutMs() = ms;
}

void Connection::setLockWaitWatcher(LockWaitWatcher watcher)
{
    lockWaitWatcher() = std::move(watcher);
}

// SQLite's own busy timeout, with the watcher told while it waits: short
// sleeps first (most locks are brief), then longer ones, never past the timeout.
int Connection::waitForLock(void *connection, int attempt)
{
    static constexpr int Sleeps[] = {1, 2, 5, 10, 15, 20, 25, 25, 25, 50, 50, 100};
    QElapsedTimer &since = static_cast<Connection *>(connection)->m_lockWait;
    if (attempt == 0)
        since.start();
    const int waited = int(since.elapsed());
    const int left = busyTimeoutMs() - waited;
    if (left <= 0)
        return 0;
    if (const LockWaitWatcher &watcher = lockWaitWatcher()) {
        try {
            watcher(waited);
        } catch (...) {
            // Nothing may unwind through the engine; the wait goes on untold.
        }
    }
    const int sleep = attempt < int(std::size(Sleeps)) ? Sleeps[attempt] : Sleeps[std::size(Sleeps) - 1];
    sqlite3_sleep(qMin(sleep, left));
    return 1;
}

Connection::Connection(sqlite3 *db, const QString &path)
    : m_db(db), m_path(path)
{
}

Connection::~Connection()
{
    if (m_db && !sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(m_db);
}

std::unique_ptr<Connection> Connection::open(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || !info.isFile())
        throw StoreError(StoreError::CannotOpen, QStringLiteral("Could not find file '%1'.").arg(path));

    // Look at the header before handing the file to SQLite: an empty file is a
    // valid new database to SQLite, and it would write to it on first use.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw StoreError(StoreError::CannotOpen, QStringLiteral("Could not open file '%1'.").arg(path));
    const QByteArray header = file.read(storeMagic().size());
    file.close();
    if (header != storeMagic())
        throw StoreError(StoreError::NotAStore, QStringLiteral("Unrecognized database format '%1'.").arg(path));

    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
        sqlite3_close_v2(db);
        throw StoreError(StoreError::CannotOpen, QStringLiteral("Could not open file '%1': %2").arg(path, message));
    }
    std::unique_ptr<Connection> connection(new Connection(db, path));
    sqlite3_busy_handler(db, &Connection::waitForLock, connection.get());
    SqlDialect::registerFunctions(db);

    // Reading the schema catches a damaged file that only has the right header.
    const int check = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (check == SQLITE_NOTADB || check == SQLITE_CORRUPT)
        throw StoreError(StoreError::NotAStore, QStringLiteral("Unrecognized database format '%1'.").arg(path));
    if (check != SQLITE_OK)
        connection->fail(check);
    return connection;
}

std::unique_ptr<Connection> Connection::create(const QString &path)
{
    if (path.isEmpty())
        throw StoreError(StoreError::CannotOpen, QStringLiteral("Could not find file '%1'.").arg(path));
    if (QFileInfo::exists(path))
        throw StoreError(3204, QStringLiteral("Database already exists."));

    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
        sqlite3_close_v2(db);
        throw StoreError(StoreError::CannotOpen, QStringLiteral("Could not create file '%1': %2").arg(path, message));
    }
    std::unique_ptr<Connection> connection(new Connection(db, path));
    sqlite3_busy_handler(db, &Connection::waitForLock, connection.get());
    SqlDialect::registerFunctions(db);
    // SQLite writes nothing until the first change; write the header now so the
    // new file is a store that open() accepts.
    connection->executeNative(QStringLiteral("PRAGMA user_version = 0"));
    return connection;
}

void Connection::fail(int rc, const QString &context) const
{
    const int code = m_db ? sqlite3_extended_errcode(m_db) : rc;
    QString message = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
    if (message.isEmpty())
        message = context;
    throw StoreError(numberForMessage(code, message), message);
}

Recordset Connection::query(const QString &sql)
{
    if (!m_db)
        throw StoreError(StoreError::ConnectionClosed, QStringLiteral("Operation is not allowed when the object is closed."));
    const QByteArray text = SqlDialect::translate(sql).toUtf8();
    Statement stmt;
    int rc = sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), stmt.out(), nullptr);
    if (rc != SQLITE_OK)
        fail(rc, sql);
    if (!stmt.get())
        return Recordset();

    const int columns = sqlite3_column_count(stmt.get());
    QStringList names;
    names.reserve(columns);
    for (int c = 0; c < columns; ++c)
        names << QString::fromUtf8(sqlite3_column_name(stmt.get(), c));

    QVector<QVector<QVariant>> rows;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        QVector<QVariant> row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c)
            row << columnValue(stmt.get(), c);
        rows << std::move(row);
    }
    if (rc != SQLITE_DONE) {
        m_inTransaction = m_inTransaction && !sqlite3_get_autocommit(m_db);
        fail(rc, sql);
    }
    return Recordset(names, rows);
}

int Connection::execute(const QString &sql)
{
    return executeNative(SqlDialect::translate(sql));
}

int Connection::executeNative(const QString &sqliteSql)
{
    if (!m_db)
        throw StoreError(StoreError::ConnectionClosed, QStringLiteral("Operation is not allowed when the object is closed."));
    const QByteArray text = sqliteSql.toUtf8();
    Statement stmt;
    int rc = sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), stmt.out(), nullptr);
    if (rc != SQLITE_OK)
        fail(rc, sqliteSql);
    if (!stmt.get())
        return 0;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) {
        m_inTransaction = m_inTransaction && !sqlite3_get_autocommit(m_db);
        fail(rc, sqliteSql);
    }
    // sqlite3_changes() keeps the count of the last INSERT/UPDATE/DELETE, so a
    // CREATE or ALTER after a DELETE would otherwise report the DELETE's rows.
    return changesRows(sqliteSql) ? int(sqlite3_changes(m_db)) : 0;
}

qint64 Connection::lastInsertId() const
{
    return m_db ? qint64(sqlite3_last_insert_rowid(m_db)) : 0;
}

void Connection::beginTransaction()
{
    if (m_inTransaction)
        throw StoreError(3246, QStringLiteral("Operation not supported in transactions."));
    executeNative(QStringLiteral("BEGIN IMMEDIATE"));
    m_inTransaction = true;
}

void Connection::commit()
{
    if (!m_inTransaction)
        throw StoreError(3034, QStringLiteral("You tried to commit or rollback a transaction without first beginning a transaction."));
    if (sqlite3_get_autocommit(m_db)) {
        // SQLite ended it already (a statement failure that rolls back on its own).
        m_inTransaction = false;
        throw StoreError(3034, QStringLiteral("You tried to commit or rollback a transaction without first beginning a transaction."));
    }
    executeNative(QStringLiteral("COMMIT"));
    m_inTransaction = false;
}

void Connection::rollback()
{
    if (!m_inTransaction)
        throw StoreError(3034, QStringLiteral("You tried to commit or rollback a transaction without first beginning a transaction."));
    m_inTransaction = false;
    if (!sqlite3_get_autocommit(m_db))
        executeNative(QStringLiteral("ROLLBACK"));
}

QStringList Connection::columnNames(const QString &table)
{
    const QByteArray name = table.toUtf8();
    Statement stmt;
    int rc = sqlite3_prepare_v2(m_db, "SELECT name FROM pragma_table_info(?1) ORDER BY cid", -1, stmt.out(), nullptr);
    if (rc != SQLITE_OK)
        fail(rc);
    sqlite3_bind_text(stmt.get(), 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
    QStringList names;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW)
        names << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt.get(), 0)));
    if (rc != SQLITE_DONE)
        fail(rc);
    // The pragma answers a missing table with no rows rather than an error.
    if (names.isEmpty())
        throw StoreError(StoreError::NoSuchTable,
                         QStringLiteral("The database engine cannot find the input table or query '%1'. "
                                        "Make sure it exists and that its name is spelled correctly.").arg(table));
    return names;
}

bool Connection::tableExists(const QString &table)
{
    return schemaHas("SELECT 1 FROM sqlite_master WHERE type IN ('table','view') AND name = ?1 COLLATE NOCASE", table);
}

bool Connection::indexExists(const QString &index)
{
    return schemaHas("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?1 COLLATE NOCASE", index);
}

bool Connection::schemaHas(const char *sql, const QString &name)
{
    const QByteArray bound = name.toUtf8();
    Statement stmt;
    int rc = sqlite3_prepare_v2(m_db, sql, -1, stmt.out(), nullptr);
    if (rc != SQLITE_OK)
        fail(rc);
    sqlite3_bind_text(stmt.get(), 1, bound.constData(), int(bound.size()), SQLITE_TRANSIENT);
    rc = sqlite3_step(stmt.get());
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        fail(rc);
    return false;
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
