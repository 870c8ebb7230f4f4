// The demo school's assessments are data the screens themselves would have
// stored: every screen opened on a demo learner and saved without an edit
// leaves the store as it was, every stored text fits the cell that shows it,
// and the values follow the screens' own rules (levels only where an item is
// rated, overall ratings from the levels, one strategy line per slot).
#include "AssessmentSupportScreens.h"
#include "DemoAssessments.h"
#include "EveryScreen.h"
#include "SpreadGrid.h"
#include "../sections/ScreenTestKit.h"

#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

constexpr int Year = 2026;
constexpr int LastYear = Year - 1;
constexpr int Assessed = 12;

// The mean of whole levels rounded to the nearest whole number, halves to
// the even neighbour.
int evenRoundedMean(int sum, int count)
{
    const double mean = double(sum) / count;
    const int below = int(mean);
    const double rest = mean - below;
    if (rest > 0.5 || (rest == 0.5 && below % 2 == 1))
        return below + 1;
    return below;
}

} // namespace

class TestDemoIdentity : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestStore> m_store;

    // Two learners assessed last year and one also this year.
    QVector<QPair<int, int>> learnersAndYears() const
    {
        QVector<QPair<int, int>> picked;
        std::unique_ptr<Connection> connection = m_store->connect();
        Recordset last = connection->query(QStringLiteral("SELECT DISTINCT LearnerID FROM SNE_ISP WHERE Data_Year = %1 "
                                                          "ORDER BY LearnerID").arg(LastYear));
        for (int i = 0; i < 2 && i < last.recordCount(); ++i)
            picked.append({last.value(i, QStringLiteral("LearnerID")).toInt(), LastYear});
        Recordset current = connection->query(QStringLiteral("SELECT DISTINCT LearnerID FROM SNE_ISP WHERE Data_Year = %1 "
                                                             "ORDER BY LearnerID").arg(Year));
        if (!current.isEmpty())
            picked.append({current.value(0, QStringLiteral("LearnerID")).toInt(), Year});
        return picked;
    }

    // Every text in a cell the user types into or chooses in is one the cell
    // could have been given: within its length, one of its list's entries,
    // a whole number within its range.
    static QString cellOutOfBounds(const SectionScreen &screen)
    {
        const QList<grid::SpreadGrid *> grids = screen.findChildren<grid::SpreadGrid *>();
        for (const grid::SpreadGrid *grid : grids) {
            const grid::SpreadModel &cells = grid->cells();
            for (int row = 1; row <= cells.maxRows(); ++row) {
                for (int col = 1; col <= cells.maxCols(); ++col) {
                    const grid::CellSpec &cell = cells.cell(col, row);
                    const QString where = QStringLiteral("%1 (%2, %3): %4").arg(grid->objectName()).arg(col).arg(row).arg(cell.text);
                    if (cell.text.isEmpty() || cell.locked)
                        continue;
                    const int characters = int(cell.text.toUcs4().size());
                    if (cell.type == grid::CellType::Edit && cell.maxLength > 0 && characters > cell.maxLength)
                        return where;
                    if (cell.type == grid::CellType::ComboBox && !cell.items.contains(cell.text))
                        return where;
                    if (cell.type == grid::CellType::Integer
                        && (cell.text.toInt() < cell.minValue || cell.text.toInt() > cell.maxValue))
                        return where;
                }
            }
        }
        return QString();
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
        std::unique_ptr<Connection> connection = m_store->connect();
        const DemoAssessments::Counts counts = DemoAssessments::fill(*connection, Assessed, Year);
        QCOMPARE(counts.learners, Assessed);
        QVERIFY(counts.thisYear > 0);
    }

    void cleanup() { m_store.reset(); }

    void savingUnchangedKeepsTheStore_data()
    {
        QTest::addColumn<QString>("screen");
        const QStringList names = ScreenRegistry::instance().names();
        for (const QString &name : names)
            QTest::newRow(qPrintable(name)) << name;
    }

    void savingUnchangedKeepsTheStore()
    {
        QFETCH(QString, screen);
        for (const auto &[learner, year] : learnersAndYears()) {
            m_store->pickLearner(learner, year);
            MessageRecorder boxes;
            std::unique_ptr<SectionScreen> opened = kit::opened(screen);
            QVERIFY(opened->loadCompleted());
            const QString outOfBounds = cellOutOfBounds(*opened);
            QVERIFY2(outOfBounds.isEmpty(), qPrintable(QStringLiteral("learner %1: %2").arg(learner).arg(outOfBounds)));

            const QString before = m_store->dump();
            opened->markChanged();
            QVERIFY2(opened->save(), qPrintable(boxes.texts().join(QStringLiteral(" / "))));
            // The very same rows, not only the same values.
            QVERIFY2(m_store->dump() == before, qPrintable(QStringLiteral("learner %1, %2").arg(learner).arg(year)));
        }
    }

    void levelsOnlyInRatableCells()
    {
        // Items 6, 9, 15, 33, 34, 38, 42 and 44 have no row; item 12 is rated
        // in area 4 only, item 18 in area 1 only, item 36 in areas 2 and 3.
        QVERIFY(m_store->count(QStringLiteral("SNE_Assessment_Supp_Req")) > 0);
        QCOMPARE(m_store->count(QStringLiteral("SNE_Assessment_Supp_Req"),
                                QStringLiteral("GridID IN (6, 9, 15, 33, 34, 38, 42, 44) OR GridID < 1 OR GridID > 45")), 0);
        QCOMPARE(m_store->count(QStringLiteral("SNE_Assessment_Supp_Req"), QStringLiteral("GridID = 12 AND Support_Area <> 4")), 0);
        QCOMPARE(m_store->count(QStringLiteral("SNE_Assessment_Supp_Req"), QStringLiteral("GridID = 18 AND Support_Area <> 1")), 0);
        QCOMPARE(m_store->count(QStringLiteral("SNE_Assessment_Supp_Req"),
                                QStringLiteral("GridID = 36 AND Support_Area NOT IN (2, 3)")), 0);
        QCOMPARE(m_store->count(QStringLiteral("SNE_Assessment_Supp_Req"),
                                QStringLiteral("[Level] NOT IN ('Level 1', 'Level 2', 'Level 3', 'Level 4', 'Level 5', 'N/A')")), 0);
        QVERIFY(m_store->count(QStringLiteral("SNE_Assessment_Supp_Req"), QStringLiteral("[Level] = 'N/A'")) > 0);

        // And every stored cell is one a rating screen shows.
        std::unique_ptr<Connection> connection = m_store->connect();
        Recordset cells = connection->query(QStringLiteral("SELECT DISTINCT GridID, Support_Area FROM SNE_Assessment_Supp_Req"));
        for (; !cells.eof(); cells.moveNext()) {
            const int gridId = cells.value(QStringLiteral("GridID")).toInt();
            const int area = cells.value(QStringLiteral("Support_Area")).toInt();
            bool ratable = false;
            for (const AssessmentSupportScreens::Member &member : AssessmentSupportScreens::members()) {
                const AssessmentSupportScreens::Item *item = member.item(gridId);
                ratable = ratable || (item && item->ratedIn(area));
            }
            QVERIFY2(ratable, qPrintable(QStringLiteral("item %1, area %2").arg(gridId).arg(area)));
        }
    }

    void ratingsFollowTheLevels()
    {
        // Every learner, year and area: the rounded mean of its levels, N/A
        // not counted; an area with no level has no rating.
        std::unique_ptr<Connection> connection = m_store->connect();
        Recordset levels = connection->query(QStringLiteral(
            "SELECT LearnerID, Data_Year, Support_Area, SUM(CAST(substr([Level], 7) AS INTEGER)) AS total, "
            "COUNT(*) AS n FROM SNE_Assessment_Supp_Req WHERE [Level] <> 'N/A' "
            "GROUP BY LearnerID, Data_Year, Support_Area"));
        QVERIFY(levels.recordCount() > 0);
        for (; !levels.eof(); levels.moveNext()) {
            const QString where = QStringLiteral("LearnerID = %1 AND Data_Year = %2 AND Support_Area = %3")
                                      .arg(levels.text(QStringLiteral("LearnerID")), levels.text(QStringLiteral("Data_Year")),
                                           levels.text(QStringLiteral("Support_Area")));
            const int expected = evenRoundedMean(levels.value(QStringLiteral("total")).toInt(),
                                                 levels.value(QStringLiteral("n")).toInt());
            QCOMPARE(m_store->scalar(QStringLiteral("SELECT Rating FROM SNE_Assessment_Supp_Req_Rating WHERE ") + where).toInt(),
                     expected);
            QCOMPARE(m_store->count(QStringLiteral("SNE_Assessment_Supp_Req_Rating"), where), 1);
        }
        QCOMPARE(m_store->count(QStringLiteral("SNE_Assessment_Supp_Req_Rating")), levels.recordCount());
    }

    void ratingsOfTheFirstLearner()
    {
        // Worked out by hand from the first demo learner's levels of last year
        // (N/A left out): area 1 fifteen 1s and four 2s, 23 / 19; area 2
        // 68 / 17; area 3 seven 1s and two 2s, 11 / 9; area 4 fifteen 5s and
        // four 4s, 91 / 19; area 5 4, 3, 2, 3, 3, 15 / 5.
        const int learner = learnersAndYears().first().first;
        const QString ratings = m_store->scalar(
            QStringLiteral("SELECT group_concat(Support_Area || '=' || Rating, ' ') FROM (SELECT Support_Area, Rating "
                           "FROM SNE_Assessment_Supp_Req_Rating WHERE LearnerID = %1 AND Data_Year = %2 ORDER BY Support_Area)")
                .arg(learner).arg(LastYear)).toString();
        QCOMPARE(ratings, QStringLiteral("1=1 2=4 3=1 4=5 5=3"));
    }

    void strategyLinesOnePerSlot()
    {
        const QString table = QStringLiteral("SNE_DBST_Support_Strategy");
        QVERIFY(m_store->count(table) > 0);
        QCOMPARE(m_store->scalar(QStringLiteral("SELECT COUNT(*) FROM (SELECT 1 FROM SNE_DBST_Support_Strategy "
                                                "GROUP BY LearnerID, Data_Year, Support_Area HAVING COUNT(*) > 1)")).toInt(), 0);
        QCOMPARE(m_store->count(table, QStringLiteral("Support_Area NOT BETWEEN 1 AND 30")), 0);
        QCOMPARE(m_store->count(table, QStringLiteral("Support_Level NOT IN ('L', 'M', 'H')")), 0);
        // Shown by no screen, so never set.
        QCOMPARE(m_store->count(table, QStringLiteral("School_Outcome IS NOT NULL OR Learner_Outcome IS NOT NULL "
                                                      "OR Designation IS NOT NULL OR Review_Date IS NOT NULL")), 0);
        // The "Timeframe" column's words are kept in Budget, the "Budget" column's amounts in Timeframe.
        QCOMPARE(m_store->count(table, QStringLiteral("Timeframe NOT LIKE 'R %' OR Budget LIKE 'R %'")), 0);
        QCOMPARE(m_store->count(table, QStringLiteral("length(Support_Needed) > 60 OR length(School_Steps) > 60 OR "
                                                      "length(Learner_Steps) > 60 OR length(Person_Responsible) > 60 OR "
                                                      "length(Budget) > 60 OR length(Timeframe) > 60")), 0);
        QCOMPARE(m_store->count(QStringLiteral("SNE_Action_Review"), QStringLiteral("[Action] NOT BETWEEN 1 AND 10")), 0);
        QCOMPARE(m_store->count(QStringLiteral("SNE_Action_Review"),
                                QStringLiteral("Review_Date NOT GLOB '[0-3][0-9]/[01][0-9]/20[0-9][0-9]'")), 0);
    }

    void valuesAsTheScreensStoreThem()
    {
        const QString health = QStringLiteral("SNE_Health_Professional_Report");
        QCOMPARE(m_store->count(health, QStringLiteral("Impairment_Type NOT IN ('TEMP', 'PERM')")), 0);
        QVERIFY(m_store->count(health, QStringLiteral("Impairment_Type = 'TEMP'")) > 0);
        QVERIFY(m_store->count(health, QStringLiteral("Impairment_Type = 'PERM'")) > 0);
        QCOMPARE(m_store->count(health, QStringLiteral("Medical_Record_Viewed NOT IN (0, 1) OR Medical_Record_Attached NOT IN (0, 1)")), 0);
        // The health report works the areas out from the scores; no screen stores them.
        QCOMPARE(m_store->count(QStringLiteral("SNE_Learner_Impairment_Area")), 0);
        // Sub-sections 1 to 28 have a row on the criteria screens; 29 has none.
        QCOMPARE(m_store->count(QStringLiteral("SNE_Criteria_For_Selection"),
                                QStringLiteral("Sub_Section NOT BETWEEN 1 AND 28 OR Score NOT BETWEEN 1 AND 3")), 0);
        QCOMPARE(m_store->count(QStringLiteral("SNE_Criteria_For_Selection"), QStringLiteral("Data_Year = %1").arg(LastYear)),
                 28 * Assessed);
        QCOMPARE(m_store->count(QStringLiteral("SNE_Learner_Support_Needs"),
                                QStringLiteral("Low_Moderate_High NOT IN ('LOW', 'MODERATE', 'HIGH LEVEL') "
                                               "OR Support_Area NOT BETWEEN 1 AND 5")), 0);
        QCOMPARE(m_store->count(QStringLiteral("SNE_DBST_Review_ILST_Request"),
                                QStringLiteral("DBST_Support_School_Site NOT BETWEEN 1 AND 3")), 0);
        QCOMPARE(m_store->count(QStringLiteral("SNE_ISP"), QStringLiteral("[Action] NOT BETWEEN 1 AND 5 OR "
                                                                          "Review_Date NOT GLOB '[0-3][0-9]/[01][0-9]/20[0-9][0-9]'")), 0);
        // The empty side of a factor row is the single blank the screen stores for it.
        for (const char *table : {"SNE_Factors_Community", "SNE_Factors_Classroom", "SNE_Factors_School"})
            QCOMPARE(m_store->count(QString::fromLatin1(table), QStringLiteral("Barrier = '' OR Barrier IS NULL")), 0);
        QVERIFY(m_store->count(QStringLiteral("SNE_Factors_Community"), QStringLiteral("Barrier = ' '")) > 0);
    }

    void sameSchoolEveryTime()
    {
        const QString first = m_store->dump();
        TestStore other(true, true);
        std::unique_ptr<Connection> connection = other.connect();
        DemoAssessments::fill(*connection, Assessed, Year);
        QVERIFY(other.dump() == first);
    }
};

QTEST_MAIN(TestDemoIdentity)
#include "tst_demoidentity.moc"
