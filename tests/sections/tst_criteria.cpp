#include "AppState.h"
#include "CriteriaSelection.h"
#include "LookupContents.h"
#include "MessageRecorder.h"
#include "PdfText.h"
#include "PrinterChoice.h"
#include "ScreenRegistry.h"
#include "SpreadGrid.h"
#include "Stage1Screens.h"
#include "TestStore.h"

#include <QPushButton>
#include <QtTest>

#include <memory>

using grid::CellType;
using grid::SpreadGrid;
using grid::SpreadModel;

namespace {

constexpr int Year = 2015;

using RowMap = QMap<int, int>;   // sub-section -> row of gridScores

// Where each member shows each of its sub-sections, as the forms lay them out.
RowMap rowsOf(int screen)
{
    switch (screen) {
    case 1: return {{1, 3}, {2, 4}, {3, 5}, {4, 6}, {5, 7}};
    case 2: return {{6, 3}, {7, 4}, {8, 5}, {9, 6}, {10, 7}, {11, 8}};
    case 3: return {{12, 3}, {13, 4}, {14, 5}};
    case 4: return {{15, 4}, {16, 8}, {17, 9}};
    case 5: return {{18, 3}, {19, 4}, {20, 5}, {21, 6}};
    case 6: return {{22, 3}, {23, 4}, {24, 7}, {25, 8}, {26, 9}, {27, 10}, {28, 11}};
    }
    return {};
}

QString memberName(int screen)
{
    return QStringLiteral("frmCriteriaSelection%1").arg(screen);
}

SpreadGrid *gridOf(QWidget &screen, const char *name)
{
    return screen.findChild<SpreadGrid *>(QString::fromLatin1(name));
}

bool userSets(SpreadGrid *grid, int col, int row, const QVariant &value)
{
    SpreadModel *model = grid->spreadModel();
    return model->setData(model->index(row - 1, col - 1), value, Qt::EditRole);
}

// A score for every sub-section that differs between neighbours, so a row
// showing a neighbour's score is caught.
int scoreFor(int subSection)
{
    return subSection % 3 + 1;
}

} // namespace

class tst_Criteria : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void gridsHoldTheFormTexts();
    void scoreCellsOnlyWhereScored_data();
    void scoreCellsOnlyWhereScored();
    void eachScreenLoadsAndSavesOnlyItsOwn_data();
    void eachScreenLoadsAndSavesOnlyItsOwn();
    void blankZeroAndClearedScoresStoreNothing();
    void otherConditionsRow();
    void failedSaveRollsBack_data();
    void failedSaveRollsBack();
    void printedPageHoldsGridTexts();
    void chainNeighbours();

private:
    void storeScore(int subSection, int score, int learner = 0, int year = Year);
    QString storedScores(const QString &where = QString()) const;

    std::unique_ptr<TestStore> m_store;
    int m_learner = 0;
};

void tst_Criteria::init()
{
    m_store = std::make_unique<TestStore>(false, true);
    m_learner = m_store->addLearner(QStringLiteral("Botha"), QStringLiteral("Anri"));
    m_store->pickLearner(m_learner, Year);
    appState().EmisCode = QStringLiteral("400111222");
}

void tst_Criteria::cleanup()
{
    PrinterChoice::setChooser({});
    m_store.reset();
    resetAppState();
}

void tst_Criteria::storeScore(int subSection, int score, int learner, int year)
{
    m_store->exec(QStringLiteral("INSERT INTO SNE_Criteria_For_Selection (LearnerID, Sub_Section, Score, Data_Year) "
                                 "VALUES (%1, %2, %3, %4)")
                      .arg(learner ? learner : m_learner)
                      .arg(subSection)
                      .arg(score)
                      .arg(year));
}

// Every stored score of the current learner and year as "sub:score", in order.
QString tst_Criteria::storedScores(const QString &where) const
{
    const QString condition = QStringLiteral("LearnerID = %1 AND Data_Year = %2").arg(m_learner).arg(Year)
        + (where.isEmpty() ? QString() : QStringLiteral(" AND ") + where);
    return m_store->scalar(QStringLiteral("SELECT group_concat(Sub_Section || ':' || Score, ',') FROM "
                                          "(SELECT Sub_Section, Score FROM SNE_Criteria_For_Selection WHERE ")
                           + condition + QStringLiteral(" ORDER BY Sub_Section)"))
        .toString();
}

void tst_Criteria::gridsHoldTheFormTexts()
{
    MessageRecorder recorder;
    frmCriteriaSelection first(memberName(1));
    first.loadScreen();
    QCOMPARE(first.objectName(), QStringLiteral("frmCriteriaSelection1"));
    QCOMPARE(first.windowTitle(), QStringLiteral("SNA [DP : DIAGNOSTIC PROFILE]"));
    SpreadModel &criteria = gridOf(first, "gridCriteria")->cells();
    QCOMPARE(criteria.text(1, 1), QStringLiteral("B. CRITERIA FOR SELECTION"));
    QCOMPARE(criteria.text(1, 2), QStringLiteral("Activity limitations:\r\n1 = None or mild\r\n2 = Moderate\r\n3 = Severe"));
    QCOMPARE(criteria.spanAt(1, 2), QRect(1, 2, 4, 1));

    SpreadModel &mobility = gridOf(first, "gridScores")->cells();
    QCOMPARE(mobility.maxRows(), 8);
    QCOMPARE(mobility.text(2, 1), QStringLiteral("NONE or MILD\r\nlimitation"));
    QCOMPARE(mobility.text(5, 1), QStringLiteral("SCORE"));
    QCOMPARE(mobility.text(1, 2), QStringLiteral("MOBILITY"));
    QCOMPARE(mobility.spanAt(2, 2), QRect(2, 2, 4, 1));
    // Rows without form texts of their own show the lookup's level descriptions.
    for (const auto &[row, subSection] : {std::pair{3, 1}, std::pair{4, 2}, std::pair{6, 4}}) {
        QVERIFY(!limitDescription(subSection).mild.isEmpty());
        QCOMPARE(mobility.text(2, row), limitDescription(subSection).mild);
        QCOMPARE(mobility.text(3, row), limitDescription(subSection).moderate);
        QCOMPARE(mobility.text(4, row), limitDescription(subSection).severe);
    }
    QCOMPARE(mobility.spanAt(1, 8), QRect(1, 8, 5, 1));

    frmCriteriaSelection fourth(memberName(4));
    fourth.loadScreen();
    SpreadModel &vision = gridOf(fourth, "gridScores")->cells();
    QCOMPARE(vision.spanAt(1, 3), QRect(1, 3, 5, 1));
    QCOMPARE(vision.spanAt(1, 7), QRect(1, 7, 5, 1));
    QCOMPARE(vision.text(1, 6), QStringLiteral("HEARING"));
    QVERIFY(!vision.text(2, 6).isEmpty());
    QCOMPARE(vision.text(4, 4), QStringLiteral("Cannot recognise any object at arm's length; familliar person across "
                                               "the street; Unable to read or write;  Cannot get around other than "
                                               "in familliar places."));
    QCOMPARE(vision.text(1, 8), QStringLiteral("Sound recognition\r\ne.g words; nature; warning sounds \"Can you hear "
                                               "any noise nearby? If so, what is It?\""));

    frmCriteriaSelection third(memberName(3));
    third.loadScreen();
    QCOMPARE(gridOf(third, "gridScores")->cells().text(1, 3),
             QStringLiteral("Understand:\r\n\"Can the child understand what other people are saying in his/her family "
                            "or with friends and neighbours\" ?"));

    frmCriteriaSelection sixth(memberName(6));
    sixth.loadScreen();
    SpreadModel &cognition = gridOf(sixth, "gridScores")->cells();
    QCOMPARE(cognition.text(3, 4), QStringLiteral("Moderate recall: 9/15\r\nOne prompt."));
    QCOMPARE(cognition.text(1, 12), QStringLiteral("Other medical conditions"));
    QCOMPARE(cognition.text(1, 6), QStringLiteral("HEALTH CARE NEEDS"));
    QVERIFY(!cognition.text(2, 6).isEmpty());
    QVERIFY(!sixth.nextButton()->isVisibleTo(&sixth));
    QVERIFY(sixth.previousButton()->isVisibleTo(&sixth));
    QCOMPARE(recorder.count(), 0);
}

void tst_Criteria::scoreCellsOnlyWhereScored_data()
{
    QTest::addColumn<int>("screen");
    QTest::addColumn<QList<int>>("inputRows");
    QTest::addColumn<int>("cursorRow");
    QTest::newRow("1") << 1 << QList<int>{3, 4, 5, 6, 7} << 3;
    QTest::newRow("2") << 2 << QList<int>{3, 4, 5, 6, 7, 8} << 3;
    QTest::newRow("3") << 3 << QList<int>{3, 4, 5} << 3;
    QTest::newRow("4") << 4 << QList<int>{4, 8, 9} << 4;
    QTest::newRow("5") << 5 << QList<int>{3, 4, 5, 6} << 3;
    QTest::newRow("6") << 6 << QList<int>{3, 4, 7, 8, 9, 10, 11, 12} << 3;
}

void tst_Criteria::scoreCellsOnlyWhereScored()
{
    QFETCH(int, screen);
    QFETCH(QList<int>, inputRows);
    QFETCH(int, cursorRow);

    frmCriteriaSelection form(memberName(screen));
    form.loadScreen();
    SpreadGrid *grid = gridOf(form, "gridScores");
    SpreadModel &cells = grid->cells();
    QList<int> found;
    for (int row = 1; row <= cells.maxRows(); ++row) {
        const bool open = cells.cell(5, row).type == CellType::Integer && !cells.isLocked(5, row);
        if (open)
            found << row;
        // Nothing else takes input, except the other conditions' three texts.
        for (int col = 1; col <= 4; ++col)
            QCOMPARE(bool(cells.flags(cells.index(row - 1, col - 1)) & Qt::ItemIsEditable),
                     screen == 6 && row == 12 && col >= 2);
    }
    QCOMPARE(found, inputRows);
    QCOMPARE(grid->activeCol(), 5);
    QCOMPARE(grid->activeRow(), cursorRow);

    // Only 1 to 3 or nothing is taken.
    const int row = inputRows.first();
    QVERIFY(!userSets(grid, 5, row, 0));
    QVERIFY(!userSets(grid, 5, row, 4));
    QVERIFY(!userSets(grid, 5, row, QStringLiteral("x")));
    QCOMPARE(cells.text(5, row), QString());
    QVERIFY(!form.hasUnsavedChanges());
    QVERIFY(userSets(grid, 5, row, 3));
    QVERIFY(form.hasUnsavedChanges());
}

void tst_Criteria::eachScreenLoadsAndSavesOnlyItsOwn_data()
{
    QTest::addColumn<int>("screen");
    for (int screen = 1; screen <= 6; ++screen)
        QTest::newRow(qPrintable(memberName(screen))) << screen;
}

void tst_Criteria::eachScreenLoadsAndSavesOnlyItsOwn()
{
    QFETCH(int, screen);
    const RowMap rows = rowsOf(screen);
    const int otherLearner = m_store->addLearner(QStringLiteral("Other"), QStringLiteral("Learner"));
    for (int subSection = 1; subSection <= 28; ++subSection) {
        storeScore(subSection, scoreFor(subSection));
        storeScore(subSection, 3, otherLearner);
        storeScore(subSection, 3, m_learner, Year - 1);
    }
    const QString ownList = [&] {
        QStringList ids;
        for (int subSection : rows.keys())
            ids << QString::number(subSection);
        return ids.join(QLatin1Char(','));
    }();
    const QString others = storedScores(QStringLiteral("Sub_Section NOT IN (") + ownList + QLatin1Char(')'));

    MessageRecorder recorder;
    frmCriteriaSelection form(memberName(screen));
    form.loadScreen();
    SpreadGrid *grid = gridOf(form, "gridScores");
    for (auto it = rows.cbegin(); it != rows.cend(); ++it)
        QCOMPARE(grid->cells().text(5, it.value()), QString::number(scoreFor(it.key())));

    // Change the first item's score, clear the last one, and save.
    const int firstSub = rows.firstKey();
    const int lastSub = rows.lastKey();
    const int changed = scoreFor(firstSub) % 3 + 1;
    QVERIFY(userSets(grid, 5, rows.value(firstSub), changed));
    QVERIFY(userSets(grid, 5, rows.value(lastSub), QString()));
    QVERIFY(form.save());
    QCOMPARE(recorder.texts(), QStringList{QStringLiteral("Your Information has been saved.")});

    QStringList expectedOwn;
    for (int subSection : rows.keys()) {
        if (subSection == firstSub)
            expectedOwn << QStringLiteral("%1:%2").arg(subSection).arg(changed);
        else if (subSection != lastSub)
            expectedOwn << QStringLiteral("%1:%2").arg(subSection).arg(scoreFor(subSection));
    }
    QCOMPARE(storedScores(QStringLiteral("Sub_Section IN (") + ownList + QLatin1Char(')')), expectedOwn.join(QLatin1Char(',')));
    QCOMPARE(storedScores(QStringLiteral("Sub_Section NOT IN (") + ownList + QLatin1Char(')')), others);
    QCOMPARE(m_store->count(QStringLiteral("SNE_Criteria_For_Selection"), QStringLiteral("LearnerID = %1").arg(otherLearner)), 28);
    QCOMPARE(m_store->count(QStringLiteral("SNE_Criteria_For_Selection"), QStringLiteral("Data_Year = %1").arg(Year - 1)), 28);
}

void tst_Criteria::blankZeroAndClearedScoresStoreNothing()
{
    storeScore(1, 2);
    storeScore(2, 0);   // a zero that reached the store some other way
    storeScore(3, 1);
    MessageRecorder recorder;
    frmCriteriaSelection form(memberName(1));
    form.loadScreen();
    SpreadGrid *grid = gridOf(form, "gridScores");
    QCOMPARE(grid->cells().text(5, 4), QStringLiteral("0"));
    QVERIFY(userSets(grid, 5, 3, QString()));
    QVERIFY(userSets(grid, 5, 7, QStringLiteral(" 3 ")));
    QVERIFY(form.save());
    QCOMPARE(storedScores(), QStringLiteral("3:1,5:3"));
}

void tst_Criteria::otherConditionsRow()
{
    storeScore(22, 2);
    MessageRecorder recorder;
    {
        frmCriteriaSelection form(memberName(6));
        form.loadScreen();
        SpreadGrid *grid = gridOf(form, "gridScores");
        QVERIFY(userSets(grid, 2, 12, QStringLiteral("O'Brien's \"mild\" asthma")));
        QVERIFY(userSets(grid, 4, 12, QStringLiteral("Zoë: allergic\r\nto penicillin")));
        QVERIFY(userSets(grid, 5, 12, 2));
        QVERIFY(form.save());
    }
    QCOMPARE(m_store->count(QStringLiteral("SNE_Criteria_For_Selection_Other")), 1);
    QCOMPARE(m_store->scalar(QStringLiteral("SELECT None_Mild FROM SNE_Criteria_For_Selection_Other")).toString(),
             QStringLiteral("O'Brien's \"mild\" asthma"));
    QCOMPARE(m_store->scalar(QStringLiteral("SELECT Moderate FROM SNE_Criteria_For_Selection_Other")).toString(),
             QStringLiteral(" "));
    QCOMPARE(m_store->scalar(QStringLiteral("SELECT Severe FROM SNE_Criteria_For_Selection_Other")).toString(),
             QStringLiteral("Zoë: allergic\r\nto penicillin"));
    QCOMPARE(m_store->scalar(QStringLiteral("SELECT Score FROM SNE_Criteria_For_Selection_Other")).toInt(), 2);
    // The other row is not a sub-section score.
    QCOMPARE(storedScores(), QStringLiteral("22:2"));

    {
        frmCriteriaSelection form(memberName(6));
        form.loadScreen();
        SpreadGrid *grid = gridOf(form, "gridScores");
        QCOMPARE(grid->cells().text(2, 12), QStringLiteral("O'Brien's \"mild\" asthma"));
        QCOMPARE(grid->cells().text(5, 12), QStringLiteral("2"));
        // Without a score the texts are not kept, and the stored row goes.
        QVERIFY(userSets(grid, 5, 12, QString()));
        QVERIFY(form.save());
    }
    QCOMPARE(m_store->count(QStringLiteral("SNE_Criteria_For_Selection_Other")), 0);
    QCOMPARE(storedScores(), QStringLiteral("22:2"));
}

void tst_Criteria::failedSaveRollsBack_data()
{
    QTest::addColumn<int>("screen");
    QTest::addColumn<QString>("refusingTable");
    QTest::newRow("scores refused") << 1 << "SNE_Criteria_For_Selection";
    QTest::newRow("other row refused after the scores") << 6 << "SNE_Criteria_For_Selection_Other";
}

void tst_Criteria::failedSaveRollsBack()
{
    QFETCH(int, screen);
    QFETCH(QString, refusingTable);
    for (int subSection = 1; subSection <= 28; ++subSection)
        storeScore(subSection, scoreFor(subSection));
    const QString before = storedScores();

    MessageRecorder recorder;
    frmCriteriaSelection form(memberName(screen));
    form.loadScreen();
    SpreadGrid *grid = gridOf(form, "gridScores");
    const int row = rowsOf(screen).first();
    QVERIFY(userSets(grid, 5, row, grid->cells().text(5, row) == QLatin1String("3") ? 1 : 3));
    if (screen == 6)
        QVERIFY(userSets(grid, 5, 12, 1));

    m_store->failWritesTo(refusingTable);
    QVERIFY(!form.save());
    QVERIFY(form.hasUnsavedChanges());
    QCOMPARE(recorder.count(), 1);
    QVERIFY(recorder.last().title.startsWith(QStringLiteral("Error : ")));
    QVERIFY(recorder.sawText(QStringLiteral("Location: ") + memberName(screen)));
    QVERIFY(recorder.sawText(QStringLiteral("Procedure: saveScores Routine")));
    QCOMPARE(storedScores(), before);
}

void tst_Criteria::printedPageHoldsGridTexts()
{
    storeScore(16, 2);
    const QString pdf = m_store->dir() + QStringLiteral("/criteria.pdf");
    PrinterChoice::setChooser(PrinterChoice::pdfChooser(pdf));
    MessageRecorder recorder;
    frmCriteriaSelection form(memberName(4));
    form.loadScreen();
    QVERIFY(form.printPageNow());
    QCOMPARE(recorder.count(), 0);

    const QString text = PdfText::all(pdf);
    for (const char *expected : {"EMIS NUMBER: 400111222", "B. CRITERIA FOR SELECTION", "Activity limitations:",
                                 "ACTIVITY DOMAIN", "SCORE", "VISION", "HEARING", "Decibel loss",
                                 "Sound recognition"})
        QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
    QVERIFY(!text.contains(QStringLiteral("LEARNER NAME")));
    QCOMPARE(PdfText::pageCount(pdf), 1);
}

void tst_Criteria::chainNeighbours()
{
    ScreenRegistry &registry = ScreenRegistry::instance();
    registerDiagnosticProfileScreens(registry);
    QVERIFY(registry.contains(QStringLiteral("frmHealthReport")));
    QCOMPARE(registry.entry(QStringLiteral("frmHealthReport"))->next, memberName(1));
    QCOMPARE(registry.entry(memberName(1))->previous, QStringLiteral("frmHealthReport"));
    for (int screen = 1; screen <= 6; ++screen) {
        const ScreenRegistry::Entry *entry = registry.entry(memberName(screen));
        QVERIFY(entry);
        QCOMPARE(entry->next, screen < 6 ? memberName(screen + 1) : QString());
        if (screen > 1)
            QCOMPARE(entry->previous, memberName(screen - 1));
        std::unique_ptr<SectionScreen> made(entry->create(nullptr));
        QCOMPARE(made->objectName(), memberName(screen));
    }
}

QTEST_MAIN(tst_Criteria)
#include "tst_criteria.moc"
