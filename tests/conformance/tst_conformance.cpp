// What every registered section screen must do, whatever it shows: open
// without a word, never save after a load that failed, report one failure
// once naming its routine, roll back a failing save routine and withhold the
// confirmation, keep stored texts whole, print its header, and leave without
// a question when nothing was edited. Screens registered later are covered
// the day they are.
#include "EveryScreen.h"
#include "../sections/ScreenTestKit.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

constexpr int Year = 2014;

// A long text as another program may have written it: over every cell's
// limit, starting with a byte-order mark, with characters outside the basic
// plane, apostrophes and line breaks.
QString longStoredText()
{
    QString text = QStringLiteral("\uFEFFO'Brien \U0001F600 said: \"yes\"\r\n");
    while (text.size() < 5000)
        text += QStringLiteral("The family lives with the grandmother; \u00E9t\u00E9 \U0001F4DA. ");
    return text.left(5000);
}

QStringList dataTables(TestStore &store)
{
    QStringList tables;
    std::unique_ptr<Connection> connection = store.connect();
    Recordset rs = connection->query(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND "
                                                    "name LIKE 'SNE_%' AND name NOT LIKE 'SNE_lu_%' ORDER BY name"));
    for (; !rs.eof(); rs.moveNext())
        tables << rs.text(QStringLiteral("name"));
    return tables + QStringList{QStringLiteral("Learner_Info"), QStringLiteral("Disabilities"),
                                QStringLiteral("MultipleDisabilities"), QStringLiteral("SchoolGrades")};
}

bool isErrorReport(const MessageBoxCall &call, const QString &location)
{
    return call.title.startsWith(QStringLiteral("Error : ")) && call.text.contains(QStringLiteral("Location: ") + location);
}

} // namespace

class TestConformance : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestStore> m_store;
    int m_learner = 0;

    void openFullLearner(const QString &longText = QStringLiteral("Stored text"))
    {
        m_learner = m_store->addFullLearner(Year, longText);
        m_store->pickLearner(m_learner, Year);
        appState().EmisCode = QStringLiteral("500123456");
    }

    void addScreens()
    {
        QTest::addColumn<QString>("screen");
        const QStringList names = ScreenRegistry::instance().names();
        for (const QString &name : names)
            QTest::newRow(qPrintable(name)) << name;
    }

    // The screen could not read, said so once, and cannot save: nothing the
    // user does afterwards writes anything.
    void verifyFailedLoad(SectionScreen &screen, const MessageRecorder &boxes, const QString &name)
    {
        QVERIFY(!screen.loadCompleted());
        QCOMPARE(boxes.count(), 1);
        QVERIFY2(boxes.last().title.startsWith(QStringLiteral("Error : ")), qPrintable(boxes.last().title));
        QVERIFY(!boxes.sawText(QStringLiteral("Operation is not allowed when the object is closed.")));
        QVERIFY(!screen.saveButton()->isEnabled());
        QVERIFY(screen.findChild<QLabel *>(QStringLiteral("lblLoadFailed"))->isVisibleTo(&screen));
        screen.markChanged();
        QVERIFY(!screen.save());
        QCOMPARE(boxes.count(), 1);
        Q_UNUSED(name);
    }

private Q_SLOTS:
    void initTestCase()
    {
        registerEveryScreen(ScreenRegistry::instance());
        QVERIFY(!ScreenRegistry::instance().names().isEmpty());
    }

    void init()
    {
        resetAppState();
        m_store = std::make_unique<TestStore>(true, true);
        openFullLearner();
    }

    void cleanup()
    {
        PrinterChoice::setChooser({});
        m_store.reset();
    }

    void opensWithoutAWord_data() { addScreens(); }
    void opensWithoutAWord()
    {
        QFETCH(QString, screen);
        for (bool full : {false, true}) {
            const int learner = full ? m_learner : m_store->addLearner(QStringLiteral("Empty"), QStringLiteral("Ella"));
            m_store->pickLearner(learner, Year);
            MessageRecorder boxes;
            std::unique_ptr<SectionScreen> opened = kit::opened(screen);
            QVERIFY2(boxes.count() == 0, qPrintable(boxes.texts().join(QStringLiteral(" / "))));
            QVERIFY(opened->loadCompleted());
            QVERIFY(opened->saveButton()->isEnabled());
            QVERIFY(!opened->hasUnsavedChanges());
            // Nothing edited: leaving asks nothing.
            QVERIFY(opened->leave(SectionScreen::Target::MainMenu));
            QCOMPARE(boxes.count(), 0);
        }
    }

    void unreadableTableMeansNoSave_data() { addScreens(); }
    void unreadableTableMeansNoSave()
    {
        QFETCH(QString, screen);
        const QString before = m_store->dump();
        int failedLoads = 0;
        for (const QString &table : dataTables(*m_store)) {
            m_store->failReadsFrom(table);
            {
                MessageRecorder boxes;
                std::unique_ptr<SectionScreen> opened = kit::opened(screen);
                if (opened->loadCompleted()) {
                    QCOMPARE(boxes.count(), 0);   // a table the screen does not read
                } else {
                    ++failedLoads;
                    verifyFailedLoad(*opened, boxes, screen);
                    QVERIFY(isErrorReport(boxes.last(), screen));
                }
            }
            m_store->allowReadsFrom(table);
        }
        QCOMPARE(m_store->dump(), before);
        QVERIFY2(failedLoads > 0, "the screen reads no table");
    }

    void lockedStoreDuringLoad_data() { addScreens(); }
    void lockedStoreDuringLoad()
    {
        QFETCH(QString, screen);
        const QString before = m_store->dump();
        {
            std::unique_ptr<Connection> other = m_store->lockedByAnotherProgram();
            MessageRecorder boxes;
            std::unique_ptr<SectionScreen> opened = kit::opened(screen);
            verifyFailedLoad(*opened, boxes, screen);
            QVERIFY(boxes.sawText(QStringLiteral("database is locked")));
        }
        QCOMPARE(m_store->dump(), before);
    }

    void vanishedStoreDuringLoad_data() { addScreens(); }
    void vanishedStoreDuringLoad()
    {
        QFETCH(QString, screen);
        const QString away = m_store->path() + QStringLiteral(".away");
        QVERIFY(QFile::rename(m_store->path(), away));
        MessageRecorder boxes;
        std::unique_ptr<SectionScreen> opened = kit::opened(screen);
        verifyFailedLoad(*opened, boxes, screen);
        QVERIFY(boxes.sawText(QStringLiteral("Could not find file")));
        QVERIFY(!QFile::exists(m_store->path()));
    }

    void unreachableStoreDuringSave_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<bool>("locked");
        for (const QString &name : ScreenRegistry::instance().names()) {
            QTest::newRow(qPrintable(name + QStringLiteral(" locked"))) << name << true;
            QTest::newRow(qPrintable(name + QStringLiteral(" renamed away"))) << name << false;
        }
    }
    void unreachableStoreDuringSave()
    {
        QFETCH(QString, screen);
        QFETCH(bool, locked);
        MessageRecorder boxes;
        std::unique_ptr<SectionScreen> opened = kit::opened(screen);
        QVERIFY(opened->loadCompleted());
        const QString before = m_store->dump();
        opened->markChanged();
        const QString away = m_store->path() + QStringLiteral(".away");
        {
            std::unique_ptr<Connection> other;
            if (locked)
                other = m_store->lockedByAnotherProgram();
            else
                QVERIFY(QFile::rename(m_store->path(), away));
            QVERIFY(!opened->save());
        }
        if (!locked)
            QVERIFY(QFile::rename(away, m_store->path()));
        // One report with the real reason, no confirmation, still unsaved.
        QCOMPARE(boxes.count(), 1);
        QVERIFY(boxes.last().title.startsWith(QStringLiteral("Error : ")));
        QVERIFY(boxes.sawText(locked ? QStringLiteral("database is locked") : QStringLiteral("Could not find file")));
        QVERIFY(opened->hasUnsavedChanges());
        QCOMPARE(m_store->dump(), before);
    }

    void refusedWriteRollsBackItsRoutine_data() { addScreens(); }
    void refusedWriteRollsBackItsRoutine()
    {
        QFETCH(QString, screen);
        // A full learner, so every save routine has stored rows to replace:
        // on an empty one a routine may have nothing to write.
        openFullLearner();
        int refusedSaves = 0;
        for (const QString &table : dataTables(*m_store)) {
            MessageRecorder boxes;
            std::unique_ptr<SectionScreen> opened = kit::opened(screen);
            QVERIFY(opened->loadCompleted());
            const QStringList operations{QStringLiteral("INSERT"), QStringLiteral("UPDATE"), QStringLiteral("DELETE")};
            for (const QString &operation : operations)
                m_store->failWritesTo(table, operation);
            const QString before = m_store->dump(table);
            opened->markChanged();
            const bool saved = opened->save();
            for (const QString &operation : operations)
                m_store->allowWritesTo(table, operation);
            if (saved) {
                // The screen does not write to this table.
                QCOMPARE(boxes.count(), 1);
                QCOMPARE(boxes.last().text, QStringLiteral("Your Information has been saved."));
                continue;
            }
            ++refusedSaves;
            QVERIFY(!boxes.sawText(QStringLiteral("Your Information has been saved.")));
            QVERIFY(boxes.count() >= 1);
            for (const MessageBoxCall &call : boxes.calls())
                QVERIFY2(isErrorReport(call, screen), qPrintable(call.title + call.text));
            QVERIFY(opened->hasUnsavedChanges());
            // The refused table is as it was: its routine rolled back.
            QCOMPARE(m_store->dump(table), before);
        }
        QVERIFY2(refusedSaves > 0, "the screen writes to no table");
    }

    // The one report of a refused save names the routine that failed.
    void refusedWriteNamesItsRoutine_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("procedure");
        const auto row = [](const char *screen, const char *table, const char *procedure) {
            QTest::newRow(screen) << QString::fromLatin1(screen) << QString::fromLatin1(table) << QString::fromLatin1(procedure);
        };
        row("frmBackgroundInfo", "SNE_Learner_Background_Info", "saveBackgroundInfo Routine");
        row("frmHealthReport", "SNE_Health_Professional_Report", "saveMedicalRecord Routine");
        row("frmCriteriaSelection1", "SNE_Criteria_For_Selection", "saveScores Routine");
        row("frmExtendedProfile1", "SNE_Learning_And_Development_Barriers", "saveLearning_Barrier Routine");
        row("frmExtendedProfile2", "SNE_Factors_School", "saveData Routine");
        row("frmAssessment_Support_Reg1", "SNE_Assessment_Supp_Req", "saveAreaLevels Routine");
        row("frmAssessment_Support_Reg4", "SNE_Assessment_Supp_Req_Rating", "saveFinalRating Routine");
        row("frmActionPlan3", "SNE_Action_Review", "saveActionReview Routine");
    }
    void refusedWriteNamesItsRoutine()
    {
        QFETCH(QString, screen);
        QFETCH(QString, table);
        QFETCH(QString, procedure);
        MessageRecorder boxes;
        std::unique_ptr<SectionScreen> opened = kit::opened(screen);
        QVERIFY(opened->loadCompleted());
        for (const char *operation : {"INSERT", "UPDATE", "DELETE"})
            m_store->failWritesTo(table, QString::fromLatin1(operation));
        opened->markChanged();
        QVERIFY(!opened->save());
        QCOMPARE(boxes.count(), 1);
        QVERIFY2(boxes.last().text.contains(QStringLiteral("Procedure: ") + procedure), qPrintable(boxes.last().text));
    }

    void storedTextsSurviveASave_data() { addScreens(); }
    void storedTextsSurviveASave()
    {
        QFETCH(QString, screen);
        const QString stored = longStoredText();
        openFullLearner(stored);
        MessageRecorder boxes;
        std::unique_ptr<SectionScreen> opened = kit::opened(screen);
        QVERIFY(opened->loadCompleted());
        opened->markChanged();   // an unrelated edit
        QVERIFY(opened->save());
        // No text of the learner was cut, lost its mark or split a character.
        const auto literal = [](QString text) { return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\''); };
        int whole = 0;
        std::unique_ptr<Connection> connection = m_store->connect();
        for (const QString &table : dataTables(*m_store)) {
            Recordset columns = connection->query(QStringLiteral("SELECT name FROM pragma_table_info('%1')").arg(table));
            for (; !columns.eof(); columns.moveNext()) {
                const QString column = QLatin1Char('[') + columns.text(QStringLiteral("name")) + QLatin1Char(']');
                const int cut = m_store->count(table, QStringLiteral("typeof(%1) = 'text' AND substr(%1, 1, 9) = %2 AND %1 <> %3")
                                                          .arg(column, literal(stored.left(9)), literal(stored)));
                QVERIFY2(cut == 0, qPrintable(table + QLatin1Char('.') + column));
                whole += m_store->count(table, QStringLiteral("%1 = %2").arg(column, literal(stored)));
            }
        }
        QVERIFY(whole > 0);
    }

    void printsItsHeader_data() { addScreens(); }
    void printsItsHeader()
    {
        QFETCH(QString, screen);
        MessageRecorder boxes;
        std::unique_ptr<SectionScreen> opened = kit::opened(screen);
        const QString pdf = m_store->dir() + QStringLiteral("/page.pdf");
        PrinterChoice::setChooser(PrinterChoice::pdfChooser(pdf));
        QVERIFY(opened->printPageNow());
        QCOMPARE(boxes.count(), 0);
        QVERIFY(PdfText::all(pdf).contains(QStringLiteral("EMIS NUMBER: 500123456")));
    }
};

QTEST_MAIN(TestConformance)
#include "tst_conformance.moc"
