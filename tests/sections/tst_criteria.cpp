// The six criteria-for-selection screens: each loads and saves only its own
// sub-sections (in one transaction), the score cells, the "Other medical
// conditions" row, the printed page and the chain.
#include "CriteriaSelection.h"
#include "ScreenTestKit.h"

#include <QtTest>

using grid::SpreadGrid;
using kit::gridOf;
using kit::type;

namespace {

constexpr int Year = 2015;

QString memberName(int screen)
{
    return QStringLiteral("frmCriteriaSelection%1").arg(screen);
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

private:
    std::unique_ptr<kit::Fixture> fx;
    int learner = 0;

    // The learner's stored scores of the year as "sub:score", in order.
    QString storedScores(const QString &where = QStringLiteral("1")) const
    {
        return fx->store.scalar(QStringLiteral("SELECT group_concat(Sub_Section || ':' || Score, ',') FROM (SELECT * FROM "
                                               "SNE_Criteria_For_Selection WHERE LearnerID = %1 AND Data_Year = %2 AND %3 "
                                               "ORDER BY Sub_Section)").arg(learner).arg(Year).arg(where)).toString();
    }

private Q_SLOTS:
    void init()
    {
        fx = std::make_unique<kit::Fixture>(false);
        learner = fx->store.addLearner(QStringLiteral("Botha"), QStringLiteral("Anri"));
        fx->store.pickLearner(learner, Year);
    }
    void cleanup() { fx.reset(); }

    void eachScreenLoadsAndSavesOnlyItsOwn_data()
    {
        // The member's first sub-section, the rows showing them in order, and
        // the table that refuses writes on the first save: on screen 6 a
        // failure after its scores are written.
        QTest::addColumn<int>("screen");
        QTest::addColumn<int>("firstSub");
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QString>("refusing");
        QTest::newRow("1") << 1 << 1 << QList<int>{3, 4, 5, 6, 7} << "";
        QTest::newRow("2") << 2 << 6 << QList<int>{3, 4, 5, 6, 7, 8} << "";
        QTest::newRow("3") << 3 << 12 << QList<int>{3, 4, 5} << "";
        QTest::newRow("4") << 4 << 15 << QList<int>{4, 8, 9} << "";
        QTest::newRow("5") << 5 << 18 << QList<int>{3, 4, 5, 6} << "";
        QTest::newRow("6") << 6 << 22 << QList<int>{3, 4, 7, 8, 9, 10, 11} << "SNE_Criteria_For_Selection_Other";
    }
    void eachScreenLoadsAndSavesOnlyItsOwn()
    {
        QFETCH(int, screen);
        QFETCH(int, firstSub);
        QFETCH(QList<int>, rows);
        QFETCH(QString, refusing);
        for (int subSection = 1; subSection <= 28; ++subSection)
            fx->storeScore(learner, subSection, scoreFor(subSection), Year);
        const QString ownOnly = QStringLiteral("Sub_Section BETWEEN %1 AND %2").arg(firstSub).arg(firstSub + rows.size() - 1);
        const QString before = storedScores();
        const QString others = storedScores(QStringLiteral("NOT ") + ownOnly);

        auto form = kit::opened<frmCriteriaSelection>(memberName(screen));
        SpreadGrid *grid = gridOf(*form, "gridScores");
        const grid::SpreadModel &cells = grid->cells();
        // Input is taken in the score cells only, and in the three texts of the other conditions.
        QList<int> scoreRows;
        int openTexts = 0;
        for (int row = 1; row <= cells.maxRows(); ++row) {
            if (cells.cell(5, row).type == grid::CellType::Integer && !cells.isLocked(5, row))
                scoreRows << row;
            for (int col = 1; col <= 4; ++col)
                openTexts += bool(cells.flags(cells.index(row - 1, col - 1)) & Qt::ItemIsEditable);
        }
        QCOMPARE(scoreRows, screen == 6 ? rows + QList<int>{12} : rows);
        QCOMPARE(openTexts, screen == 6 ? 3 : 0);
        QCOMPARE(grid->activeRow(), rows.first());
        for (int i = 0; i < rows.size(); ++i)
            QCOMPARE(cells.text(5, rows[i]), QString::number(scoreFor(firstSub + i)));

        // A score is 1 to 3 or nothing.
        const QString first = cells.text(5, rows.first());
        for (const QVariant &refused : {QVariant(0), QVariant(4), QVariant(QStringLiteral("x"))})
            QVERIFY(!type(grid, 5, rows.first(), refused));
        QCOMPARE(cells.text(5, rows.first()), first);
        QVERIFY(!form->hasUnsavedChanges());

        // Change the first item's score, clear the last one, and save.
        const int changed = scoreFor(firstSub) % 3 + 1;
        QVERIFY(type(grid, 5, rows.first(), changed));
        QVERIFY(type(grid, 5, rows.last(), QString()));
        if (screen == 6)
            QVERIFY(type(grid, 5, 12, 1));
        if (!refusing.isEmpty()) {
            // A failure anywhere in the save leaves every stored score as it was.
            fx->store.failWritesTo(refusing);
            QVERIFY(!form->save());
            QVERIFY(fx->reportedFailure(memberName(screen), QStringLiteral("saveScores Routine")));
            QCOMPARE(storedScores(), before);
            fx->store.allowWritesTo(refusing);
            fx->boxes.clear();
        }
        QVERIFY(form->save());
        QCOMPARE(fx->boxes.texts(), QStringList{QStringLiteral("Your Information has been saved.")});
        QStringList expected{QStringLiteral("%1:%2").arg(firstSub).arg(changed)};
        for (int subSection = firstSub + 1; subSection < firstSub + rows.size() - 1; ++subSection)
            expected << QStringLiteral("%1:%2").arg(subSection).arg(scoreFor(subSection));
        QCOMPARE(storedScores(ownOnly), expected.join(QLatin1Char(',')));
        QCOMPARE(storedScores(QStringLiteral("NOT ") + ownOnly), others);
    }

    // A cleared score goes; a zero that reached the store some other way is
    // shown and, left alone, stays as it was.
    void clearedScoresStoreNothing()
    {
        fx->storeScore(learner, 1, 2, Year);
        fx->storeScore(learner, 2, 0, Year);   // a zero that reached the store some other way
        fx->storeScore(learner, 3, 1, Year);
        auto form = kit::opened<frmCriteriaSelection>(memberName(1));
        SpreadGrid *grid = gridOf(*form, "gridScores");
        QCOMPARE(grid->cells().text(5, 4), QStringLiteral("0"));
        QVERIFY(type(grid, 5, 3, QString()));
        QVERIFY(type(grid, 5, 7, QStringLiteral(" 3 ")));
        QVERIFY(form->save());
        QCOMPARE(storedScores(), QStringLiteral("2:0,3:1,5:3"));
    }

    void otherConditionsRow()
    {
        fx->storeScore(learner, 22, 2, Year);
        const QString otherRow = QStringLiteral("SELECT None_Mild || '|' || Moderate || '|' || Severe || '|' || Score "
                                                "FROM SNE_Criteria_For_Selection_Other");
        const QString texts = QString::fromUtf8("O'Brien's \"mild\" asthma| |Zoë: allergic\r\nto penicillin|2");
        {
            auto form = kit::opened<frmCriteriaSelection>(memberName(6));
            SpreadGrid *grid = gridOf(*form, "gridScores");
            QVERIFY(type(grid, 2, 12, texts.section(QLatin1Char('|'), 0, 0)));
            QVERIFY(type(grid, 4, 12, texts.section(QLatin1Char('|'), 2, 2)));
            QVERIFY(type(grid, 5, 12, 2));
            QVERIFY(form->save());
        }
        QCOMPARE(fx->store.count(QStringLiteral("SNE_Criteria_For_Selection_Other")), 1);
        QCOMPARE(fx->store.scalar(otherRow).toString(), texts);
        QCOMPARE(storedScores(), QStringLiteral("22:2"));   // the other row is not a sub-section score

        auto form = kit::opened<frmCriteriaSelection>(memberName(6));
        SpreadGrid *grid = gridOf(*form, "gridScores");
        QCOMPARE(grid->cells().text(2, 12) + QLatin1Char('|') + grid->cells().text(5, 12),
                 texts.section(QLatin1Char('|'), 0, 0) + QStringLiteral("|2"));
        // Without a score the texts typed are kept all the same, the score empty.
        QVERIFY(type(grid, 5, 12, QString()));
        QVERIFY(form->save());
        QCOMPARE(fx->store.count(QStringLiteral("SNE_Criteria_For_Selection_Other")), 1);
        QCOMPARE(fx->store.scalar(QStringLiteral("SELECT None_Mild || '|' || Moderate || '|' || Severe || '|' || "
                                                 "COALESCE(Score, 'NULL') FROM SNE_Criteria_For_Selection_Other")).toString(),
                 texts.section(QLatin1Char('|'), 0, 2) + QStringLiteral("|NULL"));
        QCOMPARE(storedScores(), QStringLiteral("22:2"));
    }

};

QTEST_MAIN(tst_Criteria)
#include "tst_criteria.moc"
