// The diagnostic profile. The health professional's report: area levels from
// the stored criteria scores, the medical-record answers and comments, and the
// chain through the criteria screens. The six criteria-for-selection screens:
// each loads and saves only its own sub-sections (in one transaction), the
// score cells and the "Other medical conditions" row.
#include "CriteriaSelection.h"
#include "HealthReport.h"
#include "ScreenRegistry.h"
#include "ScreenTestKit.h"
#include "SectionNavigator.h"
#include "Stage1Screens.h"

#include <QPushButton>
#include <QTimer>
#include <QtTest>

using grid::SpreadGrid;
using kit::gridOf;
using kit::type;

namespace {

constexpr int Year = 2014;

// The three level cells of each of the eight areas, as "mild|moderate|severe".
QStringList levelRows(const QWidget &screen)
{
    QStringList rows;
    for (int row = 3; row <= 10; ++row) {
        const grid::SpreadModel &areas = gridOf(screen, "gridAreas")->cells();
        rows << areas.text(2, row) + QLatin1Char('|') + areas.text(3, row) + QLatin1Char('|') + areas.text(4, row);
    }
    return rows;
}

QStringList levelsWith(std::initializer_list<std::pair<int, const char *>> areas)
{
    QStringList rows(8, QStringLiteral("||"));
    for (const auto &[domain, cells] : areas)
        rows[domain - 1] = QString::fromLatin1(cells);
    return rows;
}

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

class tst_DiagnosticProfile : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<kit::Fixture> fx;
    int learner = 0;

    // The learner's stored scores of the year as "sub:score", in order.
    QString storedScores(const QString &where = QStringLiteral("1")) const
    {
        return fx->rows(QStringLiteral("SNE_Criteria_For_Selection"), QStringLiteral("Sub_Section || ':' || Score"),
                        QStringLiteral("Sub_Section"), where);
    }

private Q_SLOTS:
    void init()
    {
        fx = std::make_unique<kit::Fixture>(false);
        fx->store.exec(QStringLiteral("INSERT INTO Disabilities (id, Name) VALUES (7, 'Low vision')"));
        // Learner IDs beyond 16 bits exist in real schools.
        fx->store.exec(QStringLiteral("INSERT INTO Learner_Info (ID, SName, FName) VALUES (39999, 'Other', 'Learner')"));
        learner = fx->store.addLearner(QStringLiteral("O'Neill"), QString::fromUtf8("Zoë"), QStringLiteral("C"), 2, QString(),
                                       1, QStringLiteral("A-17"), QStringLiteral("20080315"), 7);
        QCOMPARE(learner, 40000);
        fx->pick(learner, Year);
    }
    void cleanup() { fx.reset(); }

    void levelsFromStoredScores_data()
    {
        // Scores as "sub-section:score" pairs, and the eight areas' level cells.
        QTest::addColumn<QString>("scores");
        QTest::addColumn<QStringList>("levels");
        QTest::newRow("no scores") << "" << levelsWith({});
        QTest::newRow("1,2 is 1.5: moderate") << "1:1,2:2" << levelsWith({{1, "|MODERATE|"}});
        QTest::newRow("2,3 is 2.5: moderate") << "6:2,7:3" << levelsWith({{2, "|MODERATE|"}});
        QTest::newRow("3,3,2 is 2.67: severe") << "24:3,25:3,26:2" << levelsWith({{8, "||SEVERE"}});
        QTest::newRow("all mild") << "12:1,13:1,14:1" << levelsWith({{3, "MILD||"}});
        QTest::newRow("zeros only: nothing, next domain still shown") << "12:0,13:0,15:1" << levelsWith({{4, "MILD||"}});
        QTest::newRow("a zero is not counted") << "16:3,17:0" << levelsWith({{5, "||SEVERE"}});
        QTest::newRow("several domains") << "1:1,2:1,18:2,19:2,20:3,21:1,22:3,23:3"
                                         << levelsWith({{1, "MILD||"}, {6, "|MODERATE|"}, {7, "||SEVERE"}});
    }
    void levelsFromStoredScores()
    {
        QFETCH(QString, scores);
        QFETCH(QStringList, levels);
        for (const QString &pair : scores.split(QLatin1Char(','), Qt::SkipEmptyParts))
            fx->storeScore(learner, pair.section(QLatin1Char(':'), 0, 0).toInt(), pair.section(QLatin1Char(':'), 1).toInt(),
                           Year);
        // Another learner's scores and another year's never count.
        fx->storeScore(39999, 3, 3, Year);
        fx->storeScore(learner, 10, 3, Year - 1);
        auto screen = kit::opened<frmHealthReport>();
        QCOMPARE(levelRows(*screen), levels);
    }

    // A stored report opened, perhaps with new comments, Attached ticked, and
    // saved. A type another program wrote reads as permanent and, left alone,
    // stays as written (the conformance suite keeps 'P/T').
    void reportRoundTrip_data()
    {
        QTest::addColumn<QString>("storedType");
        QTest::addColumn<QString>("tempPerm");   // the two boxes as shown
        QTest::addColumn<QString>("typed");      // null: the comments are left alone
        QTest::addColumn<QString>("kept");       // type and comments stored
        QTest::newRow("TEMP") << "TEMP" << "10" << QString() << "TEMP|Seen by the nurse";
        QTest::newRow("PERM") << "PERM" << "01" << QString() << "PERM|Seen by the nurse";
        QTest::newRow("other text reads as permanent") << "perm" << "01" << QString() << "perm|Seen by the nurse";
        QTest::newRow("TEMP in other letters is other text") << "Temp" << "01" << QString() << "Temp|Seen by the nurse";
        QTest::newRow("no type") << "" << "00" << QString() << "|Seen by the nurse";
        QTest::newRow("comments emptied: one blank") << "TEMP" << "10" << "" << "TEMP| ";
        QTest::newRow("comments held to 2000") << "TEMP" << "10" << QString(2100, QLatin1Char('x'))
                                               << "TEMP|" + QString(2000, QLatin1Char('x'));
    }
    void reportRoundTrip()
    {
        QFETCH(QString, storedType);
        QFETCH(QString, tempPerm);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        fx->insert(QStringLiteral("SNE_Health_Professional_Report"), QStringLiteral("Impairment_Type, Medical_Record_Viewed, "
                   "Medical_Record_Attached, Comments"), {QStringLiteral("'%1', 1, 0, 'Seen by the nurse'").arg(storedType)});
        auto screen = kit::opened<frmHealthReport>();
        const SpreadGrid *records = gridOf(*screen, "gridMedicalRecords");
        QCOMPARE(kit::texts(records, {{4, 6}, {5, 6}, {4, 5}, {5, 5}}).remove(QLatin1Char('|')), tempPerm + QStringLiteral("10"));
        QCOMPARE(gridOf(*screen, "gridAreas")->cells().text(2, 11), QStringLiteral("Seen by the nurse"));
        if (!typed.isNull())
            QVERIFY(type(gridOf(*screen, "gridAreas"), 2, 11, typed));
        QVERIFY(type(gridOf(*screen, "gridMedicalRecords"), 5, 5, Qt::Checked, Qt::CheckStateRole));
        QVERIFY(screen->save());
        QCOMPARE(fx->rows(QStringLiteral("SNE_Health_Professional_Report"), QStringLiteral("Medical_Record_Viewed || "
                          "Medical_Record_Attached || '|' || COALESCE(Impairment_Type, '') || '|' || Comments")),
                 QStringLiteral("11|") + kept);
    }

    void tempAndPermExcludeEachOther()
    {
        auto screen = kit::opened<frmHealthReport>();
        screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
        SpreadGrid *records = gridOf(*screen, "gridMedicalRecords");
        // Each click, and the Temp, Perm, Viewed and Attached boxes after it.
        const struct { int col, row; const char *boxes; } clicks[] = {
            {4, 6, "1000"}, {5, 6, "0100"}, {4, 6, "1000"},
            {4, 6, "0000"},                 // unticking leaves the other box alone
            {4, 5, "0010"}, {5, 5, "0011"}, // viewed and attached are independent
        };
        for (const auto &click : clicks) {
            const QRect rect = records->visualRect(records->spreadModel()->index(click.row - 1, click.col - 1));
            QTest::mouseClick(records->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
            const grid::SpreadModel &cells = records->cells();
            QCOMPARE(cells.text(4, 6) + cells.text(5, 6) + cells.text(4, 5) + cells.text(5, 5), QString::fromLatin1(click.boxes));
        }
        QVERIFY(screen->hasUnsavedChanges());
    }

    void chainKeepsUnsavedEditsAndRecomputesLevels()
    {
        registerDiagnosticProfileScreens(ScreenRegistry::instance());
        fx->storeScore(learner, 1, 1, Year);
        // Each screen shown, where and how large, and what the report showed:
        // its levels, comments, Viewed box and change flag.
        QStringList shown, seen;
        QList<QPoint> places;
        QList<QSize> sizes;
        const QPoint place(37, 29);
        const auto report = [](const SectionScreen &screen) {
            return QStringList{levelRows(screen).join(QLatin1Char(';')), gridOf(screen, "gridAreas")->cells().text(2, 11),
                               gridOf(screen, "gridMedicalRecords")->cells().text(4, 5),
                               QString::number(screen.hasUnsavedChanges())}.join(QLatin1Char('/'));
        };
        // Each step ends by leaving the screen, whatever it found, so a fault
        // shows as a failed comparison below and never as a screen left open.
        SectionNavigator::setShowHook([&](SectionScreen *screen) {
            shown << screen->objectName();
            QTimer::singleShot(0, screen, [&, screen, step = shown.size()] {
                fx->boxes.answerYes();
                if (step == 1)
                    screen->move(place);   // the user puts the first screen there
                places << screen->pos();
                sizes << screen->size();
                if (step == 1) {
                    seen << report(*screen);
                    type(gridOf(*screen, "gridAreas"), 2, 11, QStringLiteral("Not saved yet"));
                    type(gridOf(*screen, "gridMedicalRecords"), 4, 5, Qt::Checked, Qt::CheckStateRole);
                    screen->nextButton()->click();
                } else if (step == 2) {
                    // Criteria screen 1: score two mobility items severe and save.
                    type(gridOf(*screen, "gridScores"), 5, 3, 3);
                    type(gridOf(*screen, "gridScores"), 5, 4, 3);
                    seen << QString::number(screen->save());
                    screen->previousButton()->click();
                } else {
                    seen << report(*screen);
                    screen->menuButton()->click();
                }
            });
        });
        SectionNavigator(nullptr).run(QStringLiteral("frmHealthReport"));
        SectionNavigator::setShowHook({});

        QCOMPARE(shown, (QStringList{QStringLiteral("frmHealthReport"), QStringLiteral("frmCriteriaSelection1"),
                                     QStringLiteral("frmHealthReport")}));
        // Each screen opens where the last one stood, as large.
        QCOMPARE(places, QList<QPoint>({place, place, place}));
        QCOMPARE(sizes, QList<QSize>({sizes.first(), sizes.first(), sizes.first()}));
        // The edits are still there, and the new level replaces the old word, never stands beside it.
        const QString mild = levelsWith({{1, "MILD||"}}).join(QLatin1Char(';'));
        const QString severe = levelsWith({{1, "||SEVERE"}}).join(QLatin1Char(';'));
        QCOMPARE(seen, (QStringList{mild + QStringLiteral("//0/0"), QStringLiteral("1"),
                                    severe + QStringLiteral("/Not saved yet/1/1")}));
        // The report itself was never saved.
        QCOMPARE(fx->store.count(QStringLiteral("SNE_Health_Professional_Report")), 0);
    }

    // The criteria-for-selection screens --------------------------------------

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

    // The other conditions' texts and score are a row of their own, read back
    // on opening; without a score the conformance suite covers them.
    void otherConditionsRow()
    {
        fx->storeScore(learner, 22, 2, Year);
        {
            auto form = kit::opened<frmCriteriaSelection>(memberName(6));
            SpreadGrid *grid = gridOf(*form, "gridScores");
            QVERIFY(type(grid, 2, 12, QStringLiteral("Mild asthma")));
            QVERIFY(type(grid, 4, 12, QStringLiteral("Allergic to penicillin")));
            QVERIFY(type(grid, 5, 12, 2));
            QVERIFY(form->save());
        }
        QCOMPARE(fx->rows(QStringLiteral("SNE_Criteria_For_Selection_Other"),
                          QStringLiteral("None_Mild || '|' || Moderate || '|' || Severe || '|' || Score")),
                 QStringLiteral("Mild asthma| |Allergic to penicillin|2"));
        QCOMPARE(storedScores(), QStringLiteral("22:2"));   // the other row is not a sub-section score
        auto form = kit::opened<frmCriteriaSelection>(memberName(6));
        QCOMPARE(kit::texts(gridOf(*form, "gridScores"), {{2, 12}, {3, 12}, {4, 12}, {5, 12}}),
                 QStringLiteral("Mild asthma| |Allergic to penicillin|2"));
    }
};

QTEST_MAIN(tst_DiagnosticProfile)
#include "tst_diagnosticprofile.moc"
