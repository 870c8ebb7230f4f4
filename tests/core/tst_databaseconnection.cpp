// The shared connection every operation opens and closes, on real stores.
#include "AppState.h"
#include "DatabaseConnection.h"
#include "MessageRecorder.h"
#include "StoreError.h"
#include "TestStore.h"

#include <QtTest>

class TestDatabaseConnection : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { resetAppState(); CloseConnection(); }

    void openFailuresAreReportedAndTouchNothing_data();
    void openFailuresAreReportedAndTouchNothing();
    void eachOperationOpensAndClosesItsOwn();
    void schoolDetailsComeFromTheFirstRow_data();
    void schoolDetailsComeFromTheFirstRow();
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
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
    }
    appState().DatabasePath = QString::fromLatin1(QTest::currentDataTag()) == QLatin1String("empty setting") ? QString() : path;

    MessageRecorder boxes;
    OpenConnection();
    QCOMPARE(boxes.count(), 1);
    QVERIFY(boxes.last().title.startsWith(QStringLiteral("Error : ")));
    QVERIFY(boxes.last().text.contains(QStringLiteral("\r\nLocation: modDatabaseConnection\r\nProcedure: Database Access Error")));
    QVERIFY(!IsConnectionOpen());
    // The caller's next statement fails in turn, as a failure of its own.
    QVERIFY_THROWS_EXCEPTION(StoreError, SharedConnection());
    QFile file(path);
    QCOMPARE(file.open(QIODevice::ReadOnly), exists);
    QCOMPARE(file.readAll(), contents);
}

void TestDatabaseConnection::eachOperationOpensAndClosesItsOwn()
{
    TestStore store(false, false);
    MessageRecorder boxes;
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

    // The count query opens the connection itself and leaves its rows behind.
    QCOMPARE(RunCountQuery(QStringLiteral("SELECT * FROM Disabilities")), 0);
    QVERIFY(IsConnectionOpen());
    QVERIFY(SharedRecordset().isEmpty());
    store.exec(QStringLiteral("INSERT INTO Disabilities (id, Name) VALUES (1, 'Deaf'), (2, 'Visual')"));
    QCOMPARE(RunCountQuery(QStringLiteral("SELECT * FROM Disabilities ORDER BY id")), 2);
    QCOMPARE(SharedRecordset().text(QStringLiteral("Name")), QStringLiteral("Deaf"));

    // A connection left open by a routine that failed half way is replaced.
    OpenConnection();
    QVERIFY(IsConnectionOpen());
    CloseConnection();
    CloseConnection();   // closing twice reports nothing
    QVERIFY(!IsConnectionOpen());
    QCOMPARE(boxes.count(), 0);
}

void TestDatabaseConnection::schoolDetailsComeFromTheFirstRow_data()
{
    QTest::addColumn<QString>("rows");   // VALUES of General_Info (SchoolName, District, Circuit, EmisCode)
    QTest::addColumn<QStringList>("expected");
    const QString stale = QStringLiteral("stale");
    QTest::newRow("no row: nothing changes") << QString() << QStringList({stale, stale, stale, stale});
    QTest::newRow("first of two") << QStringLiteral("('St. Mary''s', 'Tshwane South', 'Circuit 3', '700310455'), ('Other', 'D', 'C', '1')")
                                  << QStringList({QStringLiteral("St. Mary's"), QStringLiteral("Tshwane South"),
                                                  QStringLiteral("Circuit 3"), QStringLiteral("700310455")});
    QTest::newRow("NULLs read as empty") << QStringLiteral("('A', NULL, NULL, NULL)") << QStringList({QStringLiteral("A"), QString(), QString(), QString()});
}

void TestDatabaseConnection::schoolDetailsComeFromTheFirstRow()
{
    QFETCH(QString, rows);
    QFETCH(QStringList, expected);
    TestStore store(false, false);
    if (!rows.isEmpty())
        store.exec(QStringLiteral("INSERT INTO General_Info (SchoolName, District, Circuit, EmisCode) VALUES ") + rows);
    AppState &state = appState();
    state.SchoolName = state.District = state.Circuit = state.EmisCode = QStringLiteral("stale");
    MessageRecorder boxes;
    LoadSchoolDetails();
    QCOMPARE(QStringList({state.SchoolName, state.District, state.Circuit, state.EmisCode}), expected);
    QCOMPARE(boxes.count(), 0);
    QVERIFY(!IsConnectionOpen());
}

QTEST_MAIN(TestDatabaseConnection)
#include "tst_databaseconnection.moc"
