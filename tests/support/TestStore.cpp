#include "TestStore.h"

#include "AppState.h"
#include "CheckTables.h"
#include "DatabaseConnection.h"
#include "DemoHost.h"
#include "StoreError.h"

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

TestStore::TestStore(bool withDemoSchool, bool withSchema)
{
    m_path = m_dir.filePath(QStringLiteral("host.db"));
    {
        std::unique_ptr<Connection> connection = Connection::create(m_path);
        DemoHost::createHostTables(*connection);
        if (withDemoSchool)
            DemoHost::fillDemoSchool(*connection, 60);
    }
    appState().DatabasePath = m_path;
    if (withSchema)
        CheckTables();
}

TestStore::~TestStore()
{
    // The program's shared connection must not keep the file past the test.
    CloseConnection();
    if (appState().DatabasePath == m_path)
        appState().DatabasePath.clear();
}

std::unique_ptr<Connection> TestStore::connect() const
{
    return Connection::open(m_path);
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
