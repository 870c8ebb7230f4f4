// The section protocol on a PostgreSQL server, for every registered screen:
// it opens the full learner without a word, a load then a Save with no edit
// leaves every stored row as it was, the server stopping under an open screen
// gives one report and no "saved", and a trigger refusing a write rolls back
// that save routine alone. The school is the SQLite conformance school
// (with plain texts: a PostgreSQL text holds no NUL character), moved to the
// server with copy-store. Skipped where the server programs are absent.

#include "AppState.h"
#include "CheckTables.h"
#include "Connection.h"
#include "EveryScreen.h"
#include "MessageRecorder.h"
#include "PostgresCluster.h"
#include "SchemaTables.h"
#include "../sections/ScreenTestKit.h"
#include "SectionScreen.h"
#include "StoreCopy.h"
#include "StoreRows.h"
#include "TestStore.h"
#include "TextCells.h"

#include <QtTest>

#include <memory>

namespace {

constexpr int Year = 2014;
const QString Saved = QStringLiteral("Your Information has been saved.");

// Every table a screen reads or writes, with its rows.
QMap<QString, QStringList> everyRow(Connection &db)
{
    QMap<QString, QStringList> rows;
    for (const QString &table : HostTables() + SchemaTables::dataTables())
        rows.insert(table, typedRows(db, table));
    return rows;
}

} // namespace

class TestConformancePostgres : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<PostgresCluster> m_cluster;
    std::unique_ptr<TestStore> m_school;
    int m_learner = 0;
    int m_databases = 0;
    QString m_uri;

    void addScreens()
    {
        QTest::addColumn<QString>("screen");
        for (const QString &name : ScreenRegistry::instance().names())
            QTest::newRow(qPrintable(name)) << name;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_cluster = std::make_unique<PostgresCluster>();
        if (!m_cluster->running())
            QSKIP(qPrintable(QStringLiteral("PostgreSQL runs skipped: ") + m_cluster->whyNot()));
        registerEveryScreen(ScreenRegistry::instance());
        m_school = std::make_unique<TestStore>(true, true);
        m_learner = m_school->addFullLearner(Year, TestStore::StoredTexts::Plain);
    }
    void cleanupTestCase()
    {
        m_school.reset();
        m_cluster.reset();
    }

    // Each case on a fresh copy of the school on the server, the full learner picked.
    void init()
    {
        resetAppState();
        m_school->pickLearner(m_learner, Year);
        m_uri = m_cluster->createDatabase(QStringLiteral("conformance%1").arg(++m_databases));
        StoreCopy::copy(*m_school->connect(), *Connection::open(m_uri), StoreCopy::Existing::Refuse);
        appState().DatabasePath = m_uri;
        appState().EmisCode = QStringLiteral("500123456");
    }

    void loadThenSaveKeepsEveryRow_data() { addScreens(); }
    void loadThenSaveKeepsEveryRow()
    {
        QFETCH(QString, screen);
        const QMap<QString, QStringList> before = everyRow(*Connection::open(m_uri));
        MessageRecorder boxes;
        std::unique_ptr<SectionScreen> opened = kit::opened(screen);
        QVERIFY2(boxes.count() == 0, qPrintable(boxes.texts().join(QStringLiteral(" / "))));
        QVERIFY(opened->loadCompleted());
        opened->markChanged();
        QVERIFY2(opened->save(), qPrintable(boxes.texts().join(QStringLiteral(" / "))));
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().text, Saved);
        const QMap<QString, QStringList> after = everyRow(*Connection::open(m_uri));
        for (const QString &table : before.keys()) {
            // The one value a save works out for itself: the overall ratings
            // of the last rating page (the SQLite suite checks them).
            if (screen == QLatin1String("frmAssessment_Support_Reg4") && table == QLatin1String("SNE_Assessment_Supp_Req_Rating"))
                continue;
            // Rows saved again come back under new keys; their values stay.
            QStringList was = before.value(table), is = after.value(table);
            for (QStringList *rows : {&was, &is}) {
                for (QString &row : *rows)
                    row = row.section(QLatin1Char('|'), 1);
                rows->sort();
            }
            QVERIFY2(was == is, qPrintable(table));
        }
    }

    // The server goes away while a screen is open: one report, no "saved",
    // nothing half-written once it is back.
    void serverStoppedUnderAnOpenScreen()
    {
        const QString screen = ScreenRegistry::instance().names().first();
        const QMap<QString, QStringList> before = everyRow(*Connection::open(m_uri));
        std::unique_ptr<SectionScreen> opened = kit::opened(screen);
        QVERIFY(opened->loadCompleted());
        opened->markChanged();
        MessageRecorder boxes;
        m_cluster->stop();
        const bool saved = opened->save();
        m_cluster->start();
        QVERIFY(!saved);
        QCOMPARE(boxes.count(), 1);
        QVERIFY2(boxes.last().title.startsWith(QStringLiteral("Error : ")), qPrintable(boxes.last().title));
        QVERIFY(!boxes.sawText(Saved));
        QVERIFY(opened->hasUnsavedChanges());
        QVERIFY(everyRow(*Connection::open(m_uri)) == before);
    }

    // A trigger refusing a write: that save routine rolls back alone, the
    // report names it, and the screen stays unsaved.
    void refusedWriteRollsBackItsRoutine()
    {
        const QString screen = QStringLiteral("frmBackgroundInfo");
        auto db = Connection::open(m_uri);
        db->executeNative(QStringLiteral("CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS "
                                         "$$ BEGIN RAISE EXCEPTION 'writes refused'; END $$"));
        db->executeNative(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT OR UPDATE OR DELETE ON sne_learner_background_info "
                                         "FOR EACH ROW EXECUTE FUNCTION refuse()"));
        const QStringList before = typedRows(*db, QStringLiteral("SNE_Learner_Background_Info"));
        std::unique_ptr<SectionScreen> opened = kit::opened(screen);
        QVERIFY(opened->loadCompleted());
        // Every shown value changed, so the save has something to write.
        QVERIFY(kit::editEveryStoredCell(*opened) > 0);
        MessageRecorder boxes;
        QVERIFY(!opened->save());
        QCOMPARE(boxes.count(), 1);
        QVERIFY2(boxes.last().text.contains(QStringLiteral("writes refused")), qPrintable(boxes.last().text));
        QVERIFY(opened->hasUnsavedChanges());
        QCOMPARE(typedRows(*db, QStringLiteral("SNE_Learner_Background_Info")), before);
    }

    // A text typed or pasted with U+0000, which a server's text cannot
    // keep: the cell takes it without the character, and the save stores
    // that on the server as on a file.
    void typedNulCharacterNeverReachesTheServer()
    {
        std::unique_ptr<SectionScreen> opened = kit::opened(QStringLiteral("frmBackgroundInfo"));
        QVERIFY(opened->loadCompleted());
        const int cells = typeIntoEveryTextCell(*opened, QStringLiteral("before") + QChar(0) + QStringLiteral("after"));
        QVERIFY(cells > 0);
        opened->markChanged();
        MessageRecorder boxes;
        QVERIFY(opened->save());
        QCOMPARE(boxes.texts(), QStringList{Saved});
        const QString stored = storeRows(*Connection::open(m_uri), QStringLiteral("SELECT * FROM SNE_Learner_Background_Info")).join(QLatin1Char('\n'));
        QVERIFY2(stored.count(QStringLiteral("beforeafter")) > 0, qPrintable(stored));
    }
};

QTEST_MAIN(TestConformancePostgres)
#include "tst_conformancepostgres.moc"
