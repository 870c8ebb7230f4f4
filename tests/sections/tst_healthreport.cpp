#include "AppState.h"
#include "HealthReport.h"
#include "MessageRecorder.h"
#include "PdfText.h"
#include "PrinterChoice.h"
#include "ScreenRegistry.h"
#include "SectionNavigator.h"
#include "SpreadGrid.h"
#include "Stage1Screens.h"
#include "TestStore.h"
#include "ChangeFlag.h"

#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

using grid::SpreadGrid;
using grid::SpreadModel;

namespace {

constexpr int Year = 2014;

SpreadGrid *gridOf(QWidget &screen, const char *name)
{
    return screen.findChild<SpreadGrid *>(QString::fromLatin1(name));
}

// Changes a cell the way the user's editor does, so the grid reports the edit.
bool userSets(SpreadGrid *grid, int col, int row, const QVariant &value, int role = Qt::EditRole)
{
    SpreadModel *model = grid->spreadModel();
    return model->setData(model->index(row - 1, col - 1), value, role);
}

// The three level cells of each of the eight areas, as "mild|moderate|severe".
QStringList levelRows(SpreadGrid *areas)
{
    QStringList rows;
    for (int row = 3; row <= 10; ++row)
        rows << QStringList{areas->cells().text(2, row), areas->cells().text(3, row), areas->cells().text(4, row)}
                    .join(QLatin1Char('|'));
    return rows;
}

QStringList noLevels()
{
    return QStringList(8, QStringLiteral("||"));
}

QStringList levelsWith(std::initializer_list<std::pair<int, QString>> areas)
{
    QStringList rows = noLevels();
    for (const auto &[domain, cells] : areas)
        rows[domain - 1] = cells;
    return rows;
}

} // namespace

class tst_HealthReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void headerShowsLearner();
    void birthDateOfOddTexts_data();
    void birthDateOfOddTexts();
    void levelsFromStoredScores_data();
    void levelsFromStoredScores();
    void recomputeClearsEarlierWord();
    void impairmentTypeRoundTrip_data();
    void impairmentTypeRoundTrip();
    void saveStoresTypedTextsInOneRow();
    void tempAndPermExcludeEachOther();
    void failedSaveKeepsStoredRow();
    void printedPageHoldsGridTexts();
    void chainKeepsUnsavedEdits();

private:
    void storeScore(int learner, int subSection, int score, int year = Year);
    void storeReport(const QString &type, bool viewed, bool attached, const QString &comments);

    std::unique_ptr<TestStore> m_store;
    int m_learner = 0;
};

void tst_HealthReport::init()
{
    m_store = std::make_unique<TestStore>(false, true);
    m_store->exec(QStringLiteral("INSERT INTO Disabilities (id, Name) VALUES (7, 'Low vision')"));
    // Learner IDs beyond 16 bits exist in real schools.
    m_store->exec(QStringLiteral("INSERT INTO Learner_Info (ID, SName, FName) VALUES (39999, 'Other', 'Learner')"));
    m_learner = m_store->addLearner(QStringLiteral("O'Neill"), QStringLiteral("Zoë"), QStringLiteral("C"), 2, QString(),
                                    1, QStringLiteral("A-17"), QStringLiteral("20080315"), 7);
    QCOMPARE(m_learner, 40000);
    m_store->pickLearner(m_learner, Year);
    appState().EmisCode = QStringLiteral("500123456");
}

void tst_HealthReport::cleanup()
{
    PrinterChoice::setChooser({});
    m_store.reset();
    resetAppState();
}

void tst_HealthReport::storeScore(int learner, int subSection, int score, int year)
{
    m_store->exec(QStringLiteral("INSERT INTO SNE_Criteria_For_Selection (LearnerID, Sub_Section, Score, Data_Year) "
                                 "VALUES (%1, %2, %3, %4)")
                      .arg(learner)
                      .arg(subSection)
                      .arg(score)
                      .arg(year));
}

void tst_HealthReport::storeReport(const QString &type, bool viewed, bool attached, const QString &comments)
{
    QString quoted = comments;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    m_store->exec(QStringLiteral("INSERT INTO SNE_Health_Professional_Report (LearnerID, Impairment_Type, "
                                 "Medical_Record_Viewed, Medical_Record_Attached, Data_Year, Comments) "
                                 "VALUES (%1, '%2', %3, %4, %5, '%6')")
                      .arg(m_learner)
                      .arg(type)
                      .arg(viewed ? 1 : 0)
                      .arg(attached ? 1 : 0)
                      .arg(Year)
                      .arg(quoted));
}

void tst_HealthReport::headerShowsLearner()
{
    MessageRecorder recorder;
    frmHealthReport screen;
    screen.loadScreen();
    SpreadModel &records = gridOf(screen, "gridMedicalRecords")->cells();
    QCOMPARE(screen.windowTitle(), QStringLiteral("SNA [DP : DIAGNOSTIC PROFILE]"));
    QCOMPARE(records.text(2, 2), QStringLiteral("O'NEILL Zoë"));
    QCOMPARE(records.text(4, 2), QStringLiteral("15/03/2008"));
    QCOMPARE(records.text(2, 3), QStringLiteral("Low vision"));
    QVERIFY(!screen.previousButton()->isVisibleTo(&screen));
    QVERIFY(screen.nextButton()->isVisibleTo(&screen));
    QVERIFY(screen.findChild<QPushButton *>(QStringLiteral("cmdPrint")));

    // A learner without a primary disability in the host shows an empty cell.
    const int plain = m_store->addLearner(QStringLiteral("Dlamini"), QStringLiteral("Sipho"));
    m_store->pickLearner(plain, Year);
    frmHealthReport other;
    other.loadScreen();
    QCOMPARE(gridOf(other, "gridMedicalRecords")->cells().text(2, 3), QString());
    QCOMPARE(recorder.count(), 0);
}

void tst_HealthReport::birthDateOfOddTexts_data()
{
    QTest::addColumn<QString>("hostDate");
    QTest::addColumn<QString>("shown");
    QTest::newRow("eight digits") << "20101231" << "31/12/2010";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("year only") << "2010" << "10//2010";
    QTest::newRow("one character") << "7" << "7//7";
    QTest::newRow("padded") << " 20101231 " << "31/12/2010";
}

void tst_HealthReport::birthDateOfOddTexts()
{
    QFETCH(QString, hostDate);
    QFETCH(QString, shown);
    QCOMPARE(frmHealthReport::shownBirthDate(hostDate), shown);
}

void tst_HealthReport::levelsFromStoredScores_data()
{
    // Scores as "sub-section:score" pairs, and the eight areas' level cells.
    QTest::addColumn<QString>("scores");
    QTest::addColumn<QStringList>("levels");

    QTest::newRow("no scores") << "" << noLevels();
    QTest::newRow("1,2 is 1.5: moderate") << "1:1,2:2" << levelsWith({{1, QStringLiteral("|MODERATE|")}});
    QTest::newRow("2,3 is 2.5: moderate") << "6:2,7:3" << levelsWith({{2, QStringLiteral("|MODERATE|")}});
    QTest::newRow("3,3,2 is 2.67: severe") << "24:3,25:3,26:2" << levelsWith({{8, QStringLiteral("||SEVERE")}});
    QTest::newRow("all mild") << "12:1,13:1,14:1" << levelsWith({{3, QStringLiteral("MILD||")}});
    QTest::newRow("zeros only: nothing, next domain still shown")
        << "12:0,13:0,15:1" << levelsWith({{4, QStringLiteral("MILD||")}});
    QTest::newRow("a zero is not counted") << "16:3,17:0" << levelsWith({{5, QStringLiteral("||SEVERE")}});
    QTest::newRow("several domains")
        << "1:1,2:1,18:2,19:2,20:3,21:1,22:3,23:3"
        << levelsWith({{1, QStringLiteral("MILD||")}, {6, QStringLiteral("|MODERATE|")}, {7, QStringLiteral("||SEVERE")}});
}

void tst_HealthReport::levelsFromStoredScores()
{
    QFETCH(QString, scores);
    QFETCH(QStringList, levels);

    for (const QString &pair : scores.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList parts = pair.split(QLatin1Char(':'));
        storeScore(m_learner, parts[0].toInt(), parts[1].toInt());
    }
    // Another learner's scores and another year's never count.
    storeScore(39999, 3, 3);
    storeScore(m_learner, 10, 3, Year - 1);

    MessageRecorder recorder;
    frmHealthReport screen;
    screen.loadScreen();
    SpreadGrid *areas = gridOf(screen, "gridAreas");
    QCOMPARE(levelRows(areas), levels);
    QCOMPARE(areas->activeCol(), 2);
    QCOMPARE(areas->activeRow(), 3);
    QVERIFY(!screen.hasUnsavedChanges());
    QCOMPARE(recorder.count(), 0);
}

void tst_HealthReport::recomputeClearsEarlierWord()
{
    storeScore(m_learner, 1, 1);
    storeScore(m_learner, 2, 1);
    MessageRecorder recorder;
    frmHealthReport screen;
    screen.loadScreen();
    SpreadGrid *areas = gridOf(screen, "gridAreas");
    QCOMPARE(levelRows(areas), levelsWith({{1, QStringLiteral("MILD||")}}));

    m_store->exec(QStringLiteral("UPDATE SNE_Criteria_For_Selection SET Score = 3"));
    storeScore(m_learner, 28, 2);
    areas->setActiveCell(1, 11);
    screen.reactivate();
    QCOMPARE(levelRows(areas), levelsWith({{1, QStringLiteral("||SEVERE")}, {8, QStringLiteral("|MODERATE|")}}));
    QCOMPARE(areas->activeCol(), 2);
    QCOMPARE(areas->activeRow(), 3);

    // All scores gone: no level stays behind.
    m_store->exec(QStringLiteral("DELETE FROM SNE_Criteria_For_Selection"));
    screen.reactivate();
    QCOMPARE(levelRows(areas), noLevels());
}

void tst_HealthReport::impairmentTypeRoundTrip_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("temp");
    QTest::addColumn<QString>("perm");
    QTest::addColumn<QString>("savedAs");
    QTest::newRow("TEMP") << "TEMP" << "1" << "0" << "TEMP";
    QTest::newRow("PERM") << "PERM" << "0" << "1" << "PERM";
    QTest::newRow("other text reads as permanent") << "perm" << "0" << "1" << "PERM";
    QTest::newRow("TEMP in other letters is other text") << "Temp" << "0" << "1" << "PERM";
    QTest::newRow("none") << "" << "0" << "0" << "";
}

void tst_HealthReport::impairmentTypeRoundTrip()
{
    QFETCH(QString, stored);
    QFETCH(QString, temp);
    QFETCH(QString, perm);
    QFETCH(QString, savedAs);

    storeReport(stored, true, false, QStringLiteral("Seen by Dr Naidoo"));
    MessageRecorder recorder;
    frmHealthReport screen;
    screen.loadScreen();
    SpreadModel &records = gridOf(screen, "gridMedicalRecords")->cells();
    QCOMPARE(records.text(4, 6), temp);
    QCOMPARE(records.text(5, 6), perm);
    QCOMPARE(records.text(4, 5), QStringLiteral("1"));
    QCOMPARE(records.text(5, 5), QStringLiteral("0"));
    QCOMPARE(gridOf(screen, "gridAreas")->cells().text(2, 11), QStringLiteral("Seen by Dr Naidoo"));

    QVERIFY(screen.save());
    QCOMPARE(m_store->count(QStringLiteral("SNE_Health_Professional_Report")), 1);
    QCOMPARE(m_store->scalar(QStringLiteral("SELECT Impairment_Type FROM SNE_Health_Professional_Report")).toString(),
             savedAs);
    QCOMPARE(m_store->scalar(QStringLiteral("SELECT Medical_Record_Viewed FROM SNE_Health_Professional_Report")).toInt(), 1);
    QCOMPARE(m_store->scalar(QStringLiteral("SELECT Medical_Record_Attached FROM SNE_Health_Professional_Report")).toInt(), 0);
}

void tst_HealthReport::saveStoresTypedTextsInOneRow()
{
    // Another year's row is not this save's business.
    m_store->exec(QStringLiteral("INSERT INTO SNE_Health_Professional_Report (LearnerID, Impairment_Type, Data_Year, "
                                 "Comments) VALUES (%1, 'PERM', %2, 'last year')").arg(m_learner).arg(Year - 1));
    MessageRecorder recorder;
    frmHealthReport screen;
    screen.loadScreen();
    SpreadGrid *records = gridOf(screen, "gridMedicalRecords");
    SpreadGrid *areas = gridOf(screen, "gridAreas");

    const QString comments = QStringLiteral("Dr O'Brien's note: \"see file\"\r\nÜbung – ongoing");
    QVERIFY(userSets(areas, 2, 11, comments));
    QVERIFY(screen.hasUnsavedChanges());
    QVERIFY(userSets(records, 5, 5, Qt::Checked, Qt::CheckStateRole));
    QVERIFY(screen.save());
    QVERIFY(!screen.hasUnsavedChanges());
    QCOMPARE(recorder.texts(), QStringList{QStringLiteral("Your Information has been saved.")});

    const QString thisYear = QStringLiteral("Data_Year = %1 AND LearnerID = %2").arg(Year).arg(m_learner);
    QCOMPARE(m_store->count(QStringLiteral("SNE_Health_Professional_Report"), thisYear), 1);
    QCOMPARE(m_store->scalar(QStringLiteral("SELECT Comments FROM SNE_Health_Professional_Report WHERE ") + thisYear)
                 .toString(), comments);
    QCOMPARE(m_store->scalar(QStringLiteral("SELECT Medical_Record_Attached FROM SNE_Health_Professional_Report WHERE ")
                             + thisYear).toInt(), 1);
    QCOMPARE(m_store->scalar(QStringLiteral("SELECT Medical_Record_Viewed FROM SNE_Health_Professional_Report WHERE ")
                             + thisYear).toInt(), 0);
    QCOMPARE(m_store->count(QStringLiteral("SNE_Health_Professional_Report"),
                            QStringLiteral("Data_Year = %1").arg(Year - 1)), 1);

    // Emptied comments are stored as one blank; saving again still keeps one row.
    QVERIFY(userSets(areas, 2, 11, QString()));
    QVERIFY(screen.save());
    QCOMPARE(m_store->count(QStringLiteral("SNE_Health_Professional_Report"), thisYear), 1);
    QCOMPARE(m_store->scalar(QStringLiteral("SELECT Comments FROM SNE_Health_Professional_Report WHERE ") + thisYear)
                 .toString(), QStringLiteral(" "));

    // The comments cell holds no more than 2000 characters.
    QVERIFY(userSets(areas, 2, 11, QString(2100, QLatin1Char('x'))));
    QCOMPARE(areas->cells().text(2, 11).size(), 2000);
}

void tst_HealthReport::tempAndPermExcludeEachOther()
{
    MessageRecorder recorder;
    frmHealthReport screen;
    screen.loadScreen();
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    SpreadGrid *records = gridOf(screen, "gridMedicalRecords");
    SpreadModel &cells = records->cells();
    const auto click = [records](int col, int row) {
        const QRect rect = records->visualRect(records->spreadModel()->index(row - 1, col - 1));
        QTest::mouseClick(records->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    };

    click(4, 6);
    QCOMPARE(cells.text(4, 6), QStringLiteral("1"));
    QVERIFY(screen.hasUnsavedChanges());
    click(5, 6);
    QCOMPARE(cells.text(5, 6), QStringLiteral("1"));
    QCOMPARE(cells.text(4, 6), QStringLiteral("0"));
    click(4, 6);
    QCOMPARE(cells.text(4, 6), QStringLiteral("1"));
    QCOMPARE(cells.text(5, 6), QStringLiteral("0"));
    // Unticking leaves the other box alone.
    click(4, 6);
    QCOMPARE(cells.text(4, 6), QStringLiteral("0"));
    QCOMPARE(cells.text(5, 6), QStringLiteral("0"));

    // Viewed and Attached are independent.
    click(4, 5);
    click(5, 5);
    QCOMPARE(cells.text(4, 5), QStringLiteral("1"));
    QCOMPARE(cells.text(5, 5), QStringLiteral("1"));
    screen.hide();
}

void tst_HealthReport::failedSaveKeepsStoredRow()
{
    storeReport(QStringLiteral("TEMP"), false, false, QStringLiteral("kept"));
    MessageRecorder recorder;
    frmHealthReport screen;
    screen.loadScreen();
    QVERIFY(userSets(gridOf(screen, "gridAreas"), 2, 11, QStringLiteral("lost")));

    m_store->failWritesTo(QStringLiteral("SNE_Health_Professional_Report"));
    QVERIFY(!screen.save());
    QVERIFY(screen.hasUnsavedChanges());
    QCOMPARE(recorder.count(), 1);
    QVERIFY(recorder.last().title.startsWith(QStringLiteral("Error : ")));
    QVERIFY(recorder.sawText(QStringLiteral("Location: frmHealthReport")));
    QVERIFY(recorder.sawText(QStringLiteral("Procedure: saveMedicalRecord Routine")));
    QCOMPARE(m_store->count(QStringLiteral("SNE_Health_Professional_Report")), 1);
    QCOMPARE(m_store->scalar(QStringLiteral("SELECT Comments FROM SNE_Health_Professional_Report")).toString(),
             QStringLiteral("kept"));
}

void tst_HealthReport::printedPageHoldsGridTexts()
{
    storeScore(m_learner, 1, 2);
    storeScore(m_learner, 2, 2);
    const QString pdf = m_store->dir() + QStringLiteral("/health.pdf");
    PrinterChoice::setChooser(PrinterChoice::pdfChooser(pdf));
    MessageRecorder recorder;
    frmHealthReport screen;
    screen.loadScreen();
    QVERIFY(userSets(gridOf(screen, "gridAreas"), 2, 11, QStringLiteral("Unsaved remark")));
    QVERIFY(screen.printPageNow());
    QCOMPARE(recorder.count(), 0);

    const QString text = PdfText::all(pdf);
    for (const char *expected : {"EMIS NUMBER: 500123456", "A. HEALTH PROFESSIONAL REPORT", "O'NEILL Zoë",
                                 "15/03/2008", "Low vision", "1. MEDICAL RECORDS",
                                 "2. AREAS OF IMPAIRMENT AND ACTIVITY LIMITATION", "2.8 Health care needs",
                                 "MODERATE", "Unsaved remark"})
        QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
    QVERIFY(!text.contains(QStringLiteral("LEARNER NAME")));
    // Printing neither saves nor clears the change flag.
    QVERIFY(screen.hasUnsavedChanges());
    QCOMPARE(m_store->count(QStringLiteral("SNE_Health_Professional_Report")), 0);
}

void tst_HealthReport::chainKeepsUnsavedEdits()
{
    registerDiagnosticProfileScreens(ScreenRegistry::instance());
    storeScore(m_learner, 1, 1);
    MessageRecorder recorder;

    QStringList shown;
    QStringList levelsAtStart;
    bool editsTaken = true;
    QString commentsOnReturn;
    QString viewedOnReturn;
    QStringList levelsOnReturn;
    bool changedOnReturn = false;

    // Each step ends by leaving the screen, whatever it found, so a fault
    // shows as a failed comparison below and never as a screen left open.
    SectionNavigator::setShowHook([&](SectionScreen *screen) {
        shown << screen->objectName();
        const int step = int(shown.size());
        QTimer::singleShot(0, screen, [&, screen, step] {
            if (step == 1) {
                levelsAtStart = levelRows(gridOf(*screen, "gridAreas"));
                editsTaken &= userSets(gridOf(*screen, "gridAreas"), 2, 11, QStringLiteral("Not saved yet"));
                editsTaken &= userSets(gridOf(*screen, "gridMedicalRecords"), 4, 5, Qt::Checked, Qt::CheckStateRole);
                recorder.answerYes();
                screen->nextButton()->click();
            } else if (step == 2) {
                // Criteria screen 1: score two mobility items severe and save.
                editsTaken &= userSets(gridOf(*screen, "gridScores"), 5, 3, 3);
                editsTaken &= userSets(gridOf(*screen, "gridScores"), 5, 4, 3);
                editsTaken &= screen->save();
                recorder.answerYes();
                screen->previousButton()->click();
            } else {
                if (step == 3) {
                    commentsOnReturn = gridOf(*screen, "gridAreas")->cells().text(2, 11);
                    viewedOnReturn = gridOf(*screen, "gridMedicalRecords")->cells().text(4, 5);
                    levelsOnReturn = levelRows(gridOf(*screen, "gridAreas"));
                    changedOnReturn = screen->hasUnsavedChanges();
                }
                recorder.answerYes();
                screen->menuButton()->click();
            }
        });
    });
    SectionNavigator navigator(nullptr);
    navigator.run(QStringLiteral("frmHealthReport"));
    SectionNavigator::setShowHook({});

    QCOMPARE(shown, (QStringList{QStringLiteral("frmHealthReport"), QStringLiteral("frmCriteriaSelection1"),
                                 QStringLiteral("frmHealthReport")}));
    QVERIFY(editsTaken);
    QCOMPARE(levelsAtStart, levelsWith({{1, QStringLiteral("MILD||")}}));
    QCOMPARE(commentsOnReturn, QStringLiteral("Not saved yet"));
    QCOMPARE(viewedOnReturn, QStringLiteral("1"));
    QVERIFY(changedOnReturn);
    QCOMPARE(levelsOnReturn, levelsWith({{1, QStringLiteral("||SEVERE")}}));
    // The report itself was never saved; the unsaved question came twice.
    QCOMPARE(m_store->count(QStringLiteral("SNE_Health_Professional_Report")), 0);
    QCOMPARE(recorder.texts().count(QStringLiteral("You have NOT saved your data. Are you sure you want to exit without saving?")), 2);
}

QTEST_MAIN(tst_HealthReport)
#include "tst_healthreport.moc"
