#include "PostgresEngine.h"

#include "StoreError.h"
#include "StoreLocation.h"

#include <QCryptographicHash>
#include <QElapsedTimer>

#include <libpq-fe.h>

#include <cerrno>
#include <functional>
#include <poll.h>

namespace {

// The host's number for a failure its database server reports ("ODBC--call
// failed"); the server's own words follow in the description.
constexpr long ServerFailure = 3146;

using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

QString serverText(const char *text)
{
    return text ? QString::fromUtf8(text).trimmed() : QString();
}

// What failed, from the SQLSTATE the server gives (its class first).
StoreError::Kind kindOf(const QByteArray &state, bool connectionLost)
{
    if (connectionLost || state.startsWith("08") || state.startsWith("57P") || state.startsWith("53")
        || state == "25006" || state == "3D000" || state.startsWith("28"))
        return StoreError::Kind::Unreachable;
    // A serialization failure, a deadlock or a lock waited for too long:
    // another computer's work was in the way; the same work may succeed again.
    if (state.startsWith("40") || state == "55P03")
        return StoreError::Kind::Busy;
    if (state.startsWith("XX0"))
        return StoreError::Kind::Damaged;
    // Keys, checks, a trigger's exception, a text longer than its column,
    // a missing right.
    if (state.startsWith("23") || state == "P0001" || state == "22001" || state == "42501")
        return StoreError::Kind::Refused;
    if (state == "42P01" || state == "42703")
        return StoreError::Kind::Missing;
    return StoreError::Kind::Statement;
}

[[noreturn]] void fail(PGconn *connection, const PGresult *result)
{
    const QByteArray state = result ? QByteArray(PQresultErrorField(result, PG_DIAG_SQLSTATE)) : QByteArray();
    QString message = result ? serverText(PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY)) : QString();
    if (message.isEmpty())
        message = serverText(PQerrorMessage(connection));
    const bool lost = PQstatus(connection) == CONNECTION_BAD;
    if (message.isEmpty() && lost)
        message = QStringLiteral("The connection to the database server was lost.");
    throw StoreError(hostNumberForMessage(message, ServerFailure), message, kindOf(state, lost));
}

// How often a statement still running asks whether it waits for a lock.
constexpr int PollMs = 50;

// The statement's result once the server has answered, the watcher told
// meanwhile whenever waitsForLock says another program's lock holds it up.
// libpq's own waiting call would keep the watcher in the dark.
Result awaitResult(PGconn *connection, const std::function<bool()> &waitsForLock)
{
    QElapsedTimer since;
    since.start();
    while (PQisBusy(connection)) {
        pollfd socket{PQsocket(connection), POLLIN, 0};
        const int ready = poll(&socket, 1, PollMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0 || (ready > 0 && !PQconsumeInput(connection)))
            break; // the connection broke: PQgetResult says how
        if (ready == 0 && waitsForLock && waitsForLock())
            LockWait::tell(int(since.elapsed()));
    }
    // The first failure stands for the statement, as libpq's own waiting call has it.
    Result kept(nullptr, &PQclear);
    while (PGresult *next = PQgetResult(connection)) {
        if (!kept || PQresultStatus(kept.get()) != PGRES_FATAL_ERROR)
            kept.reset(next);
        else
            PQclear(next);
    }
    return kept;
}

Result checked(PGconn *connection, Result result)
{
    const ExecStatusType status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK && status != PGRES_EMPTY_QUERY)
        fail(connection, result.get());
    return result;
}

Result run(PGconn *connection, const QString &sql, const std::function<bool()> &waitsForLock = {})
{
    // A server's text holds no U+0000, and libpq would end the statement there.
    if (sql.contains(QChar(0)))
        throw StoreError(ServerFailure,
                         QStringLiteral("The text contains a character (U+0000) that the server cannot store. "
                                        "Remove it and save again."),
                         StoreError::Kind::Refused);
    const QByteArray text = sql.toUtf8();
    if (!PQsendQuery(connection, text.constData()))
        fail(connection, nullptr);
    return checked(connection, awaitResult(connection, waitsForLock));
}

Result runWithName(PGconn *connection, const char *sql, const QString &name)
{
    const QByteArray bound = name.toUtf8();
    const char *values[] = {bound.constData()};
    if (!PQsendQueryParams(connection, sql, 1, nullptr, values, nullptr, nullptr, 0))
        fail(connection, nullptr);
    return checked(connection, awaitResult(connection, {}));
}

// Type numbers of pg_type, fixed in every PostgreSQL.
enum : Oid { BoolOid = 16, ByteaOid = 17, Int8Oid = 20, Int2Oid = 21, Int4Oid = 23, OidOid = 26,
             Float4Oid = 700, Float8Oid = 701, NumericOid = 1700 };

// The values as the SQLite engine gives them: whole numbers (yes/no too) as
// 64-bit integers, other numbers as doubles, bytes as bytes, the rest as text.
QVariant fieldValue(const PGresult *result, int row, int column)
{
    if (PQgetisnull(result, row, column))
        return QVariant();
    const char *value = PQgetvalue(result, row, column);
    switch (PQftype(result, column)) {
    case BoolOid:
        return QVariant(qlonglong(value[0] == 't' ? 1 : 0));
    case Int2Oid:
    case Int4Oid:
    case Int8Oid:
    case OidOid:
        return QVariant(QByteArray(value).toLongLong());
    case Float4Oid:
    case Float8Oid:
    case NumericOid:
        return QVariant(QByteArray(value).toDouble());
    case ByteaOid: {
        size_t length = 0;
        unsigned char *bytes = PQunescapeBytea(reinterpret_cast<const unsigned char *>(value), &length);
        const QByteArray copy(reinterpret_cast<const char *>(bytes), qsizetype(length));
        PQfreemem(bytes);
        return QVariant(copy);
    }
    default:
        return QVariant(textFromUtf8(value, PQgetlength(result, row, column)));
    }
}

QString option(PQconninfoOption *options, const char *keyword)
{
    for (PQconninfoOption *o = options; o && o->keyword; ++o) {
        if (qstrcmp(o->keyword, keyword) == 0)
            return o->val ? QString::fromUtf8(o->val) : QString();
    }
    return QString();
}

} // namespace

std::unique_ptr<PostgresEngine> PostgresEngine::open(const QString &uri)
{
    const QByteArray text = uri.toUtf8();
    char *parseError = nullptr;
    PQconninfoOption *options = PQconninfoParse(text.constData(), &parseError);
    if (!options) {
        const QString reason = serverText(parseError);
        PQfreemem(parseError);
        throw StoreError(StoreError::CannotOpen,
                         QStringLiteral("The database setting '%1' is not a connection address the program can read: %2")
                             .arg(uri, reason),
                         StoreError::Kind::Unreachable);
    }
    const QString host = option(options, "host").isEmpty() ? QStringLiteral("this computer") : option(options, "host");
    const QString database = option(options, "dbname");
    const bool holdsPassword = !option(options, "password").isEmpty();
    PQconninfoFree(options);
    // The setting is a plain file every program of the user reads.
    if (holdsPassword)
        throw StoreError(StoreError::CannotOpen,
                         QStringLiteral("The database setting for %1 on %2 holds a password. Remove it from the setting "
                                        "and keep it in the file ~/.pgpass or in PGPASSWORD instead.").arg(database, host),
                         StoreError::Kind::Unreachable);

    PGconn *connection = PQconnectdb(text.constData());
    if (PQstatus(connection) != CONNECTION_OK) {
        const QString reason = serverText(PQerrorMessage(connection));
        PQfinish(connection);
        throw StoreError(StoreError::CannotOpen,
                         QStringLiteral("Could not connect to the database %1 on %2: %3\n"
                                        "Check that the database server is running and that this computer can reach it, "
                                        "that the database exists, and that the user may log in "
                                        "(a password belongs in ~/.pgpass or PGPASSWORD).")
                             .arg(database, host, reason),
                         StoreError::Kind::Unreachable);
    }
    std::unique_ptr<PostgresEngine> engine(new PostgresEngine(connection, uri));
    // The server's notices ("already exists, skipping") are not failures.
    PQsetNoticeProcessor(connection, [](void *, const char *) {}, nullptr);
    if (PQsetClientEncoding(connection, "UTF8") != 0)
        fail(connection, nullptr);
    run(connection, QStringLiteral("SET lock_timeout = %1").arg(LockWait::timeoutMs()));
    return engine;
}

PostgresEngine::PostgresEngine(pg_conn *connection, const QString &uri)
    : m_connection(connection), m_uri(uri)
{
}

PostgresEngine::~PostgresEngine()
{
    // Closing the connection ends an open transaction without its changes.
    PQfinish(m_connection);
    if (m_lookout)
        PQfinish(m_lookout);
}

Result PostgresEngine::exec(const QString &nativeSql)
{
    return run(m_connection, nativeSql, [this] { return waitsForLock(); });
}

// Asked of the server over a second connection of its own, made the first
// time a statement runs long: a statement that merely works long is no
// wait for another program.
bool PostgresEngine::waitsForLock()
{
    if (!m_lookout && !m_lookoutFailed) {
        m_lookout = PQconnectdb(m_uri.toUtf8().constData());
        if (PQstatus(m_lookout) != CONNECTION_OK) {
            PQfinish(m_lookout);
            m_lookout = nullptr;
            m_lookoutFailed = true;
        }
    }
    if (!m_lookout)
        return false;
    const QByteArray sql = QByteArrayLiteral("SELECT 1 FROM pg_stat_activity WHERE wait_event_type = 'Lock' AND pid = ")
        + QByteArray::number(PQbackendPID(m_connection));
    const Result result(PQexec(m_lookout, sql.constData()), &PQclear);
    return PQresultStatus(result.get()) == PGRES_TUPLES_OK && PQntuples(result.get()) > 0;
}

template <typename Work>
auto PostgresEngine::contained(Work &&work)
{
    if (PQtransactionStatus(m_connection) != PQTRANS_INTRANS)
        return work();
    run(m_connection, QStringLiteral("SAVEPOINT sna_contained"));
    try {
        auto outcome = work();
        run(m_connection, QStringLiteral("RELEASE SAVEPOINT sna_contained"));
        return outcome;
    } catch (const StoreError &) {
        if (PQstatus(m_connection) == CONNECTION_OK)
            run(m_connection, QStringLiteral("ROLLBACK TO SAVEPOINT sna_contained"));
        throw;
    }
}

Recordset PostgresEngine::query(const QString &nativeSql)
{
    const Result result = exec(nativeSql);
    const int columns = PQnfields(result.get());
    QStringList names;
    names.reserve(columns);
    for (int c = 0; c < columns; ++c)
        names << QString::fromUtf8(PQfname(result.get(), c));
    const int count = PQntuples(result.get());
    Recordset::Fill fill(names);
    for (int r = 0; r < count; ++r) {
        for (int c = 0; c < columns; ++c)
            fill.append(fieldValue(result.get(), r, c));
    }
    return fill.take();
}

int PostgresEngine::execute(const QString &nativeSql)
{
    const Result result = exec(nativeSql);
    // Empty for anything but a data change.
    return QByteArray(PQcmdTuples(result.get())).toInt();
}

bool PostgresEngine::probe(const QString &nativeSql)
{
    // The statement inside a query that reads one row: the server plans
    // for that row alone, and still names a missing table or column.
    const QString firstRow = QStringLiteral("SELECT 1 FROM (%1) AS probe LIMIT 1").arg(nativeSql);
    try {
        return contained([&] {
            exec(firstRow);
            return true;
        });
    } catch (const StoreError &error) {
        if (error.kind() == StoreError::Kind::Missing)
            return false;
        throw;
    }
}

qint64 PostgresEngine::lastInsertId()
{
    try {
        return contained([&] { return qint64(query(QStringLiteral("SELECT lastval()")).value(0, QStringLiteral("lastval")).toLongLong()); });
    } catch (const StoreError &) {
        return 0; // no counter given out on this connection yet
    }
}

void PostgresEngine::begin()
{
    run(m_connection, QStringLiteral("BEGIN"));
}

void PostgresEngine::commit()
{
    const Result result = exec(QStringLiteral("COMMIT"));
    // A transaction a failed statement spoiled ends without its changes, and
    // the server answers COMMIT with ROLLBACK rather than an error.
    if (qstrcmp(PQcmdStatus(result.get()), "ROLLBACK") == 0)
        throw StoreError(ServerFailure,
                         QStringLiteral("The transaction was rolled back because a statement in it failed; nothing was saved."),
                         StoreError::Kind::Statement);
}

void PostgresEngine::rollback()
{
    if (PQtransactionStatus(m_connection) != PQTRANS_IDLE && PQstatus(m_connection) == CONNECTION_OK)
        run(m_connection, QStringLiteral("ROLLBACK"));
}

bool PostgresEngine::transactionOpen()
{
    const PGTransactionStatusType status = PQtransactionStatus(m_connection);
    return status == PQTRANS_INTRANS || status == PQTRANS_INERROR || status == PQTRANS_ACTIVE;
}

// Every start-up runs the table check: the functions are written only when
// this program's set differs from the one the database holds, which costs a
// start-up one look-up instead of a dozen writes.
void PostgresEngine::prepare()
{
    const QStringList setup = SqlDialect::postgresSetup();
    const QString version = QString::fromLatin1(
        QCryptographicHash::hash(setup.join(QLatin1Char('\n')).toUtf8(), QCryptographicHash::Sha1).toHex());
    try {
        const QString held = contained([&] {
            return query(QStringLiteral("SELECT sna_dialect_version() AS version")).text(0, QStringLiteral("version"));
        });
        if (held == version)
            return;
    } catch (const StoreError &) {
        // None yet, or an older set.
    }
    for (const QString &statement : setup)
        run(m_connection, statement);
    run(m_connection, QStringLiteral("CREATE OR REPLACE FUNCTION sna_dialect_version() RETURNS text LANGUAGE sql IMMUTABLE "
                                     "AS $$ SELECT '%1'::text $$").arg(version));
}

QStringList PostgresEngine::columnNames(const QString &table)
{
    const Result result = runWithName(m_connection,
        "SELECT a.attname FROM pg_attribute a JOIN pg_class c ON c.oid = a.attrelid "
        "WHERE c.relkind IN ('r', 'v', 'p') AND lower(c.relname) = lower($1) AND pg_table_is_visible(c.oid) "
        "AND a.attnum > 0 AND NOT a.attisdropped ORDER BY a.attnum", table);
    QStringList names;
    for (int r = 0; r < PQntuples(result.get()); ++r)
        names << QString::fromUtf8(PQgetvalue(result.get(), r, 0));
    return names;
}

bool PostgresEngine::tableExists(const QString &table)
{
    return schemaHas("rvp", table);
}

bool PostgresEngine::indexExists(const QString &index)
{
    return schemaHas("i", index);
}

bool PostgresEngine::schemaHas(const char *relkinds, const QString &name)
{
    const QString sql = QStringLiteral("SELECT 1 FROM pg_class c WHERE strpos('%1', c.relkind::text) > 0 "
                                       "AND lower(c.relname) = lower($1) AND pg_table_is_visible(c.oid)")
                            .arg(QLatin1String(relkinds));
    return PQntuples(runWithName(m_connection, sql.toUtf8().constData(), name).get()) > 0;
}

// Two computers starting on one empty database: the second waits here while
// the first creates the functions and tables. A key of one number never meets
// the learner locks, which take two.
constexpr qint64 SchemaLockKey = 0x534E41; // "SNA"

void PostgresEngine::lockSchema()
{
    exec(QStringLiteral("SELECT pg_advisory_lock(%1)").arg(SchemaLockKey));
}

void PostgresEngine::unlockSchema()
{
    if (PQstatus(m_connection) == CONNECTION_OK)
        exec(QStringLiteral("SELECT pg_advisory_unlock(%1)").arg(SchemaLockKey));
}
