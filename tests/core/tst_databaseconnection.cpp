// Opening the store and reading the school, on real stores.
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
    void init() { resetAppState(); }

    void openFailuresThrowTheRealReasonAndTouchNothing_data();
    void openFailuresThrowTheRealReasonAndTouchNothing();
    void schoolDetailsComeFromTheFirstRow_data();
    void schoolDetailsComeFromTheFirstRow();
};

void TestDatabaseConnection::openFailuresThrowTheRealReasonAndTouchNothing_data()
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

void TestDatabaseConnection::openFailuresThrowTheRealReasonAndTouchNothing()
{
    QFETCH(QByteArray, contents);
    QFETCH(bool, exists);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("school.mdb"));
    if (exists) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
    }
    const QString setting = QString::fromLatin1(QTest::currentDataTag()) == QLatin1String("empty setting") ? QString() : path;

    // Opening reports nothing itself: the one report is the caller's, with
    // the reason the open gives.
    MessageRecorder boxes;
    try {
        Connection::open(setting);
        QFAIL("the open succeeded");
    } catch (const StoreError &error) {
        QVERIFY(error.description().contains(QStringLiteral("'") + setting + QStringLiteral("'")));
        QVERIFY(error.number() == StoreError::CannotOpen || error.number() == StoreError::NotAStore);
    }
    QCOMPARE(boxes.count(), 0);
    QFile file(path);
    QCOMPARE(file.open(QIODevice::ReadOnly), exists);
    QCOMPARE(file.readAll(), contents);
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
    LoadSchoolDetails(*store.connect());
    QCOMPARE(QStringList({state.SchoolName, state.District, state.Circuit, state.EmisCode}), expected);
    QCOMPARE(boxes.count(), 0);
}

QTEST_MAIN(TestDatabaseConnection)
#include "tst_databaseconnection.moc"
