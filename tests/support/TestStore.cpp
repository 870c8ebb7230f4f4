#include "TestStore.h"

#include "AppState.h"
#include "CheckTables.h"
#include "DemoHost.h"
#include "StoreError.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>
#include <QVariant>
#include <sqlite3.h>

namespace {

QString quoted(const QString &text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

QString triggerName(const QString &table, const QString &operation)
{
    return QStringLiteral("test_refuse_%1_%2").arg(table, operation.toLower());
}

} // namespace

namespace {

// One template store per kind and test program, built on first use and copied
// for every case: a case then costs a file copy, not a school and 22 tables.
QString templateStore(bool withDemoSchool, bool withSchema)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("template-%1-%2.db").arg(int(withDemoSchool)).arg(int(withSchema)));
    if (QFile::exists(path))
        return path;
    {
        std::unique_ptr<Connection> connection = Connection::create(path);
        DemoHost::createHostTables(*connection);
        if (withDemoSchool)
            DemoHost::fillDemoSchool(*connection, 60);
        if (withSchema)
            CheckTables(*connection);
    }
    return path;
}

} // namespace

TestStore::TestStore(bool withDemoSchool, bool withSchema)
{
    m_path = m_dir.filePath(QStringLiteral("host.db"));
    QFile::copy(templateStore(withDemoSchool, withSchema), m_path);
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
    appState().DatabasePath = m_path;
}

TestStore::~TestStore()
{
    if (appState().DatabasePath == m_path)
        appState().DatabasePath.clear();
    Connection::setBusyTimeout(Connection::DefaultBusyTimeoutMs);
}

std::unique_ptr<Connection> TestStore::connect() const
{
    std::unique_ptr<Connection> connection = Connection::open(m_path);
    // A throw-away file: the fixture's own writes need not wait for the disk.
    connection->executeNative(QStringLiteral("PRAGMA synchronous = OFF"));
    return connection;
}

void TestStore::exec(const QString &sqliteSql) const
{
    connect()->executeNative(sqliteSql);
}

QVariant TestStore::scalar(const QString &sqliteSql) const
{
    std::unique_ptr<Connection> connection = connect();
    const QByteArray sql = sqliteSql.toUtf8();
    sqlite3_stmt *statement = nullptr;
    int rc = sqlite3_prepare_v2(connection->handle(), sql.constData(), int(sql.size()), &statement, nullptr);
    QVariant value;
    if (rc == SQLITE_OK)
        rc = sqlite3_step(statement);
    if (rc == SQLITE_ROW) {
        switch (sqlite3_column_type(statement, 0)) {
        case SQLITE_INTEGER:
            value = qlonglong(sqlite3_column_int64(statement, 0));
            break;
        case SQLITE_FLOAT:
            value = sqlite3_column_double(statement, 0);
            break;
        case SQLITE_TEXT:
            value = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)),
                                      sqlite3_column_bytes(statement, 0));
            break;
        default:
            break;
        }
    }
    const QString message = QString::fromUtf8(sqlite3_errmsg(connection->handle()));
    sqlite3_finalize(statement);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw StoreError(rc, message + QStringLiteral(" in: ") + sqliteSql);
    return value;
}

int TestStore::count(const QString &table, const QString &where) const
{
    QString sql = QStringLiteral("SELECT COUNT(*) FROM ") + table;
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    return scalar(sql).toInt();
}

int TestStore::addLearner(const QString &surname, const QString &firstName, const QString &status, int lsenStatus,
                          const QString &socialGrantNo, int grade, const QString &accessionNo,
                          const QString &birthDate, int disability) const
{
    const int id = scalar(QStringLiteral("SELECT COALESCE(MAX(ID), 0) + 1 FROM Learner_Info")).toInt();
    const QString accession = accessionNo.isEmpty() ? QStringLiteral("T%1").arg(id) : accessionNo;
    // The host's older learner number, kept apart from every ID.
    const int hostNumber = 900000 + id;
    exec(QStringLiteral("INSERT INTO Learner_Info (ID, FName, SName, Grade, AccessionNo, BirthDate, Status, "
                        "LSENStatus, SocialGrantNo, LSENDisabilities, LearnerID) VALUES (%1, %2, %3, %4, %5, %6, "
                        "%7, %8, %9, %10, %11)")
             .arg(id)
             .arg(quoted(firstName), quoted(surname))
             .arg(grade)
             .arg(quoted(accession), quoted(birthDate), quoted(status))
             .arg(lsenStatus)
             .arg(quoted(socialGrantNo))
             .arg(disability)
             .arg(hostNumber));
    return id;
}

void TestStore::pickLearner(int learnerId, int year) const
{
    std::unique_ptr<Connection> connection = connect();
    Recordset rows = connection->query(
        QStringLiteral("SELECT FName, SName, AccessionNo, BirthDate FROM Learner_Info WHERE ID = %1").arg(learnerId));
    if (rows.isEmpty())
        throw StoreError(StoreError::ItemNotFound, QStringLiteral("no learner %1").arg(learnerId));
    AppState &state = appState();
    state.CurrentLearnerID = learnerId;
    // As the learner list shows the name: surname in capitals, a blank, first name.
    state.CurrentLearnerName = rows.text(QStringLiteral("SName")).toUpper() + QLatin1Char(' ')
        + rows.text(QStringLiteral("FName"));
    state.CurrentAccessionNo = rows.text(QStringLiteral("AccessionNo"));
    state.CurrentLearnerDOB = rows.text(QStringLiteral("BirthDate"));
    state.CurrentDataYear = year;
}

void TestStore::failWritesTo(const QString &table, const QString &operation) const
{
    exec(QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON %3 BEGIN SELECT RAISE(ABORT, 'writes to %3 refused'); END")
             .arg(triggerName(table, operation), operation.toUpper(), table));
}

void TestStore::allowWritesTo(const QString &table, const QString &operation) const
{
    exec(QStringLiteral("DROP TRIGGER IF EXISTS ") + triggerName(table, operation));
}

namespace {

QString hiddenName(const QString &table)
{
    return table + QStringLiteral("_unreadable");
}

QStringList tableNames(Connection &connection)
{
    QStringList names;
    Recordset rs = connection.query(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                                   "AND name NOT LIKE 'sqlite%' ORDER BY name"));
    for (; !rs.eof(); rs.moveNext())
        names << rs.text(QStringLiteral("name"));
    return names;
}

} // namespace

void TestStore::failReadsFrom(const QString &table) const
{
    std::unique_ptr<Connection> connection = connect();
    connection->executeNative(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(table, hiddenName(table)));
    // Names in a view resolve when it is used, so every read fails then.
    connection->executeNative(QStringLiteral("CREATE VIEW %1 AS SELECT * FROM %2 WHERE test_unreadable_table()")
                                  .arg(table, hiddenName(table)));
}

void TestStore::allowReadsFrom(const QString &table) const
{
    std::unique_ptr<Connection> connection = connect();
    connection->executeNative(QStringLiteral("DROP VIEW %1").arg(table));
    connection->executeNative(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(hiddenName(table), table));
}

std::unique_ptr<Connection> TestStore::lockedByAnotherProgram() const
{
    Connection::setBusyTimeout(50);
    std::unique_ptr<Connection> other = connect();
    other->executeNative(QStringLiteral("BEGIN EXCLUSIVE"));
    return other;
}

QString TestStore::dump(const QString &table) const
{
    std::unique_ptr<Connection> connection = connect();
    QString out;
    Recordset rows = connection->query(QStringLiteral("SELECT * FROM [%1] ORDER BY rowid").arg(table));
    for (; !rows.eof(); rows.moveNext()) {
        for (const QString &field : rows.fieldNames())
            out += QLatin1Char('|') + (rows.isNull(field) ? QStringLiteral("NULL") : rows.value(field).toString());
        out += QLatin1Char('\n');
    }
    return out;
}

QString TestStore::dump() const
{
    std::unique_ptr<Connection> connection = connect();
    QString out;
    Recordset schema = connection->query(QStringLiteral("SELECT type, name, sql FROM sqlite_master ORDER BY name"));
    for (; !schema.eof(); schema.moveNext())
        // A table renamed and renamed back comes back with its name quoted.
        out += schema.text(QStringLiteral("name")) + QLatin1Char('|')
            + schema.text(QStringLiteral("sql")).remove(QLatin1Char('"')) + QLatin1Char('\n');
    for (const QString &table : tableNames(*connection)) {
        Recordset rows = connection->query(QStringLiteral("SELECT * FROM [%1] ORDER BY rowid").arg(table));
        for (; !rows.eof(); rows.moveNext()) {
            out += table;
            for (const QString &field : rows.fieldNames())
                out += QLatin1Char('|') + (rows.isNull(field) ? QStringLiteral("NULL") : rows.value(field).toString());
            out += QLatin1Char('\n');
        }
    }
    return out;
}

QByteArray TestStore::fileHash() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

int TestStore::addFullLearner(int year, const QString &longText) const
{
    const int learner = addLearner(QStringLiteral("Full"), QStringLiteral("Fiona"), QStringLiteral("C"), 2, QString(),
                                   1, QString(), QStringLiteral("20080315"), 1);
    std::unique_ptr<Connection> connection = connect();
    Transaction transaction(*connection);   // one write to the file, not hundreds
    static const QRegularExpression limitPattern(QStringLiteral("length\\(\\[?(\\w+)\\]?\\)\\s*<=\\s*(\\d+)"));
    for (const QString &table : tableNames(*connection)) {
        if (!table.startsWith(QLatin1String("SNE_")) || table.startsWith(QLatin1String("SNE_lu_")))
            continue;
        const QString sql = connection->query(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = '%1'").arg(table))
                                .text(QStringLiteral("sql"));
        QHash<QString, int> limits;
        for (auto it = limitPattern.globalMatch(sql); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            limits.insert(m.captured(1).toLower(), m.captured(2).toInt());
        }
        // Levels rated per item and support area must be ones a rating screen
        // shows, or its save would have nothing of them to write back.
        const bool ratedPerItem = sql.contains(QLatin1String("GridID"), Qt::CaseInsensitive);
        Recordset columns = connection->query(
            QStringLiteral("SELECT name, type, \"notnull\" AS required FROM pragma_table_info('%1') ORDER BY cid").arg(table));
        // Rows 1 to 45: a row for every item number a screen keeps (the most
        // is 45), scores and ratings within 1 to 3, yes/no columns ticked.
        for (int k = 1; k <= 45; ++k) {
            QStringList names, values;
            for (columns.moveFirst(); !columns.eof(); columns.moveNext()) {
                const QString name = columns.text(QStringLiteral("name"));
                const QString type = columns.text(QStringLiteral("type")).toUpper();
                if (name.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0)
                    continue;
                QString value;
                if (name.compare(QLatin1String("LearnerID"), Qt::CaseInsensitive) == 0)
                    value = QString::number(learner);
                else if (name.compare(QLatin1String("Data_Year"), Qt::CaseInsensitive) == 0)
                    value = QString::number(year);
                else if (name.contains(QLatin1String("Date"), Qt::CaseInsensitive))
                    value = quoted(QStringLiteral("05/03/2014"));
                else if (type.startsWith(QLatin1String("INT")) && columns.value(QStringLiteral("required")).toInt() == 1)
                    value = QStringLiteral("1");
                else if (type.startsWith(QLatin1String("INT")) && (name.contains(QLatin1String("Score"), Qt::CaseInsensitive)
                                                                  || name.contains(QLatin1String("Rating"), Qt::CaseInsensitive)))
                    value = QString::number((k - 1) % 3 + 1);
                else if (ratedPerItem && name.compare(QLatin1String("Support_Area"), Qt::CaseInsensitive) == 0)
                    value = QString::number((k - 1) % 5 + 1);   // the five areas an item is rated in
                else if (ratedPerItem && name.compare(QLatin1String("Level"), Qt::CaseInsensitive) == 0)
                    value = quoted(QStringLiteral("Level %1").arg((k - 1) % 5 + 1));
                else if (type.startsWith(QLatin1String("INT")))
                    value = QString::number(k);
                else if (limits.contains(name.toLower()))
                    value = quoted(QStringLiteral("%1 %2").arg(k).arg(longText).left(limits.value(name.toLower())));
                else
                    value = quoted(longText);
                names << QLatin1Char('[') + name + QLatin1Char(']');
                values << value;
            }
            connection->executeNative(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                          .arg(table, names.join(QLatin1Char(',')), values.join(QLatin1Char(','))));
        }
    }
    transaction.commit();
    return learner;
}
