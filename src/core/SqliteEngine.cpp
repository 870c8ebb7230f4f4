#include "SqliteEngine.h"

#include "SqlDialect.h"
#include "StoreError.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace {

const QByteArray &storeMagic()
{
    static const QByteArray magic("SQLite format 3\0", 16);
    return magic;
}

// A compiled statement, finalized however the caller leaves. Without a
// statement (blanks, a comment) get() is null.
class Statement
{
public:
    Statement(sqlite3 *db, const QString &sql)
    {
        const QByteArray text = sql.toUtf8();
        m_rc = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &m_stmt, nullptr);
    }
    Statement(sqlite3 *db, const char *sql) { m_rc = sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr); }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    int compiled() const { return m_rc; }
    sqlite3_stmt *get() const { return m_stmt; }

private:
    sqlite3_stmt *m_stmt = nullptr;
    int m_rc = SQLITE_OK;
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
        return QVariant(textFromUtf8(text, bytes));
    }
    case SQLITE_BLOB: {
        const auto *data = static_cast<const char *>(sqlite3_column_blob(stmt, column));
        return QVariant(QByteArray(data, sqlite3_column_bytes(stmt, column)));
    }
    default:
        return QVariant();
    }
}

StoreError::Kind kindOf(int extendedCode, const QString &message)
{
    switch (extendedCode & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return StoreError::Kind::Busy;
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
        return StoreError::Kind::Unreachable;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return StoreError::Kind::Damaged;
    case SQLITE_CONSTRAINT:
        return StoreError::Kind::Refused;
    case SQLITE_ERROR:
        if (message.startsWith(QLatin1String("no such table")) || message.startsWith(QLatin1String("no such column")))
            return StoreError::Kind::Missing;
        return StoreError::Kind::Statement;
    default:
        return StoreError::Kind::Statement;
    }
}

bool changesRows(const QString &sql)
{
    const QString head = sql.trimmed().section(QLatin1Char(' '), 0, 0).toUpper();
    return head == QLatin1String("INSERT") || head == QLatin1String("UPDATE")
        || head == QLatin1String("DELETE") || head == QLatin1String("REPLACE");
}

[[noreturn]] void openFailed(sqlite3 *db, const QString &what, const QString &path)
{
    const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
    sqlite3_close_v2(db);
    throw StoreError(StoreError::CannotOpen, QStringLiteral("Could not %1 file '%2': %3").arg(what, path, message));
}

} // namespace

// SQLite's own busy timeout, with the watcher told while it waits: short
// sleeps first (most locks are brief), then longer ones, never past the timeout.
int SqliteEngine::waitForLock(void *engine, int attempt)
{
    static constexpr int Sleeps[] = {1, 2, 5, 10, 15, 20, 25, 25, 25, 50, 50, 100};
    QElapsedTimer &since = static_cast<SqliteEngine *>(engine)->m_lockWait;
    if (attempt == 0)
        since.start();
    const int waited = int(since.elapsed());
    const int left = LockWait::timeoutMs() - waited;
    if (left <= 0)
        return 0;
    LockWait::tell(waited);
    const int sleep = attempt < int(std::size(Sleeps)) ? Sleeps[attempt] : Sleeps[std::size(Sleeps) - 1];
    sqlite3_sleep(qMin(sleep, left));
    return 1;
}

SqliteEngine::SqliteEngine(sqlite3 *db)
    : m_db(db)
{
}

SqliteEngine::~SqliteEngine()
{
    if (m_db && !sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(m_db);
}

std::unique_ptr<SqliteEngine> SqliteEngine::adopt(sqlite3 *db)
{
    std::unique_ptr<SqliteEngine> engine(new SqliteEngine(db));
    sqlite3_busy_handler(db, &SqliteEngine::waitForLock, engine.get());
    SqlDialect::registerFunctions(db);
    return engine;
}

std::unique_ptr<SqliteEngine> SqliteEngine::open(const QString &path)
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
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        openFailed(db, QStringLiteral("open"), path);
    std::unique_ptr<SqliteEngine> engine = adopt(db);

    // Reading the schema catches a damaged file that only has the right header.
    const int check = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (check == SQLITE_NOTADB || check == SQLITE_CORRUPT)
        throw StoreError(StoreError::NotAStore, QStringLiteral("Unrecognized database format '%1'.").arg(path),
                         StoreError::Kind::Damaged);
    if (check != SQLITE_OK)
        engine->fail(check);
    return engine;
}

std::unique_ptr<SqliteEngine> SqliteEngine::create(const QString &path)
{
    if (path.isEmpty())
        throw StoreError(StoreError::CannotOpen, QStringLiteral("Could not find file '%1'.").arg(path));
    if (QFileInfo::exists(path))
        throw StoreError(3204, QStringLiteral("Database already exists."));

    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
        openFailed(db, QStringLiteral("create"), path);
    std::unique_ptr<SqliteEngine> engine = adopt(db);
    // SQLite writes nothing until the first change; write the header now so the
    // new file is a store that open() accepts.
    engine->execute(QStringLiteral("PRAGMA user_version = 0"));
    return engine;
}

void SqliteEngine::fail(int rc, const QString &context) const
{
    const int code = m_db ? sqlite3_extended_errcode(m_db) : rc;
    QString message = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
    if (message.isEmpty())
        message = context;
    throw StoreError(hostNumberForMessage(message, code), message, kindOf(code, message));
}

Recordset SqliteEngine::query(const QString &nativeSql)
{
    const Statement stmt(m_db, nativeSql);
    int rc = stmt.compiled();
    if (rc != SQLITE_OK)
        fail(rc, nativeSql);
    if (!stmt.get())
        return Recordset();

    const int columns = sqlite3_column_count(stmt.get());
    QStringList names;
    names.reserve(columns);
    for (int c = 0; c < columns; ++c)
        names << QString::fromUtf8(sqlite3_column_name(stmt.get(), c));

    Recordset::Fill fill(names);
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c)
            fill.append(columnValue(stmt.get(), c));
    }
    if (rc != SQLITE_DONE)
        fail(rc, nativeSql);
    return fill.take();
}

int SqliteEngine::execute(const QString &nativeSql)
{
    const Statement stmt(m_db, nativeSql);
    int rc = stmt.compiled();
    if (rc != SQLITE_OK)
        fail(rc, nativeSql);
    if (!stmt.get())
        return 0;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        fail(rc, nativeSql);
    // sqlite3_changes() keeps the count of the last INSERT/UPDATE/DELETE, so a
    // CREATE or ALTER after a DELETE would otherwise report the DELETE's rows.
    return changesRows(nativeSql) ? int(sqlite3_changes(m_db)) : 0;
}

bool SqliteEngine::probe(const QString &nativeSql)
{
    const Statement stmt(m_db, nativeSql);
    int rc = stmt.compiled();
    if (rc == SQLITE_OK && stmt.get())
        rc = sqlite3_step(stmt.get());
    if (rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE)
        return true;
    try {
        fail(rc, nativeSql);
    } catch (const StoreError &error) {
        if (error.kind() == StoreError::Kind::Missing)
            return false;
        throw;
    }
}

qint64 SqliteEngine::lastInsertId()
{
    return qint64(sqlite3_last_insert_rowid(m_db));
}

void SqliteEngine::begin()
{
    execute(QStringLiteral("BEGIN IMMEDIATE"));
}

void SqliteEngine::commit()
{
    execute(QStringLiteral("COMMIT"));
}

void SqliteEngine::rollback()
{
    if (!sqlite3_get_autocommit(m_db))
        execute(QStringLiteral("ROLLBACK"));
}

bool SqliteEngine::transactionOpen()
{
    return !sqlite3_get_autocommit(m_db);
}

QStringList SqliteEngine::columnNames(const QString &table)
{
    const QByteArray name = table.toUtf8();
    const Statement stmt(m_db, "SELECT name FROM pragma_table_info(?1) ORDER BY cid");
    int rc = stmt.compiled();
    if (rc != SQLITE_OK)
        fail(rc);
    sqlite3_bind_text(stmt.get(), 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
    QStringList names;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW)
        names << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt.get(), 0)));
    if (rc != SQLITE_DONE)
        fail(rc);
    return names;
}

bool SqliteEngine::tableExists(const QString &table)
{
    return schemaHas("SELECT 1 FROM sqlite_master WHERE type IN ('table','view') AND name = ?1 COLLATE NOCASE", table);
}

bool SqliteEngine::indexExists(const QString &index)
{
    return schemaHas("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?1 COLLATE NOCASE", index);
}

bool SqliteEngine::schemaHas(const char *sql, const QString &name)
{
    const QByteArray bound = name.toUtf8();
    const Statement stmt(m_db, sql);
    int rc = stmt.compiled();
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
