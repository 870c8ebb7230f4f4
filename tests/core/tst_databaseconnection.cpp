// The shared connection every operation opens and closes, on real stores.
#include "AppState.h"
#include "DatabaseConnection.h"
#include "MessageRecorder.h"
#include "StoreError.h"
#include "TestStore.h"

#include <QCryptographicHash>
#include <QFile>
#include <QtTest>

namespace {

QByteArray fileHash(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class TestDatabaseConnection : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { resetAppState(); CloseConnection(); }

    void openFailuresAreReportedAndTouchNothing_data();
    void openFailuresAreReportedAndTouchNothing();
    void eachOperationOpensAndClosesItsOwn();
    void countQueryOpensWhenClosedAndCountsRows();
    void schoolDetailsComeFromTheFirstRow();
    void emptyOrNullSchoolDetailsReadAsEmpty();
};

void TestDatabaseConnection::openFailuresAreReportedAndTouchNothing_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("exists");
    QTest::newRow("empty setting") << QByteArray() << false;
    QTest::newRow("missing file") << QByteArray() << false;
    QTest::newRow("text file") << QByteArray("Name,Surname\r\nAnna,O'Brien\r\n") << true;
    // The first bytes of an Access (Jet 4.0) file.
    QTest::newRow("access file") << QByteArray("\x00\x01\x00\x00Standard Jet DB\x00\x01\x00\x00\x00", 24) << true;
    QTest::newRow("empty file") << QByteArray() << true;
}

void TestDatabaseConnection::openFailuresAreReportedAndTouchNothing()
{
    QFETCH(QByteArray, contents);
    QFETCH(bool, exists);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("school.mdb"));
    if (exists) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    const QByteArray before = fileHash(path);
    appState().DatabasePath = QString::fromLatin1(QTest::currentDataTag()) == QLatin1String("empty setting") ? QString() : path;

    MessageRecorder boxes;
    OpenConnection();
    QCOMPARE(boxes.count(), 1);
    QVERIFY(boxes.last().title.startsWith(QStringLiteral("Error : ")));
    QVERIFY(boxes.last().text.contains(QStringLiteral("\r\nLocation: modDatabaseConnection\r\nProcedure: Database Access Error")));
    QVERIFY(!IsConnectionOpen());
    // The caller's next statement fails in turn, as a failure of its own.
    QVERIFY_THROWS_EXCEPTION(StoreError, SharedConnection());
    QCOMPARE(QFile::exists(path), exists);
    QCOMPARE(fileHash(path), before);
}

void TestDatabaseConnection::eachOperationOpensAndClosesItsOwn()
{
    TestStore store(false, false);
    {
        ConnectionScope scope;
        QVERIFY(IsConnectionOpen());
        SharedConnection().execute(QStringLiteral("INSERT INTO SchoolGrades (ID, Name, schoolgrade) VALUES (1, 'Grade 1', 'Yes')"));
    }
    QVERIFY(!IsConnectionOpen());
    {
        ConnectionScope scope;
        QCOMPARE(SharedConnection().query(QStringLiteral("SELECT Name FROM SchoolGrades")).text(QStringLiteral("Name")),
                 QStringLiteral("Grade 1"));
    }
    QVERIFY(!IsConnectionOpen());
    // A connection left open by a routine that failed half way is replaced.
    OpenConnection();
    OpenConnection();
    QVERIFY(IsConnectionOpen());
    CloseConnection();
    CloseConnection();   // closing twice reports nothing
    QVERIFY(!IsConnectionOpen());
}

void TestDatabaseConnection::countQueryOpensWhenClosedAndCountsRows()
{
    TestStore store(false, false);
    MessageRecorder boxes;
    QCOMPARE(RunCountQuery(QStringLiteral("SELECT * FROM Disabilities")), 0);
    QVERIFY(IsConnectionOpen());
    QVERIFY(SharedRecordset().isEmpty());
    store.exec(QStringLiteral("INSERT INTO Disabilities (id, Name) VALUES (1, 'Deaf'), (2, 'Visual')"));
    QCOMPARE(RunCountQuery(QStringLiteral("SELECT * FROM Disabilities ORDER BY id")), 2);
    QCOMPARE(SharedRecordset().text(QStringLiteral("Name")), QStringLiteral("Deaf"));
    CloseConnection();
    QCOMPARE(boxes.count(), 0);
}

void TestDatabaseConnection::schoolDetailsComeFromTheFirstRow()
{
    TestStore store(false, false);
    store.exec(QStringLiteral("INSERT INTO General_Info (SchoolName, District, Circuit, EmisCode) VALUES "
                              "('St. Mary''s', 'Tshwane South', 'Circuit 3', '700310455'), "
                              "('Other', 'D', 'C', '1')"));
    LoadSchoolDetails();
    QCOMPARE(appState().SchoolName, QStringLiteral("St. Mary's"));
    QCOMPARE(appState().District, QStringLiteral("Tshwane South"));
    QCOMPARE(appState().Circuit, QStringLiteral("Circuit 3"));
    QCOMPARE(appState().EmisCode, QStringLiteral("700310455"));
    QVERIFY(!IsConnectionOpen());
}

void TestDatabaseConnection::emptyOrNullSchoolDetailsReadAsEmpty()
{
    TestStore store(false, false);
    appState().EmisCode = QStringLiteral("stale");
    LoadSchoolDetails();   // no row: nothing changes, nothing is reported
    QCOMPARE(appState().EmisCode, QStringLiteral("stale"));
    store.exec(QStringLiteral("INSERT INTO General_Info (SchoolName, District, Circuit, EmisCode) VALUES ('A', NULL, NULL, NULL)"));
    LoadSchoolDetails();
    QCOMPARE(appState().SchoolName, QStringLiteral("A"));
    QCOMPARE(appState().EmisCode, QString());
    QCOMPARE(appState().District, QString());
}

QTEST_MAIN(TestDatabaseConnection)
#include "tst_databaseconnection.moc"
