// Reading the school from a real store.
#include "AppState.h"
#include "DatabaseConnection.h"
#include "MessageRecorder.h"
#include "TestStore.h"

#include <QtTest>

class TestDatabaseConnection : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { resetAppState(); }

    void schoolDetailsComeFromTheFirstRow_data();
    void schoolDetailsComeFromTheFirstRow();
};

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
