// The health professional's report: area levels from the stored criteria
// scores, the medical-record answers and comments (one transaction), and the
// chain through the criteria screens.
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

} // namespace

class tst_HealthReport : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<kit::Fixture> fx;
    int learner = 0;

    void storeReport(const QString &type, const QString &comments)
    {
        fx->store.exec(QStringLiteral("INSERT INTO SNE_Health_Professional_Report (LearnerID, Impairment_Type, "
                                      "Medical_Record_Viewed, Medical_Record_Attached, Data_Year, Comments) "
                                      "VALUES (%1, '%2', 1, 0, %3, '%4')")
                           .arg(learner).arg(type).arg(Year)
                           .arg(QString(comments).replace(QLatin1Char('\''), QStringLiteral("''"))));
    }

    // A column of this year's stored report.
    QVariant stored(const QString &column)
    {
        return fx->store.scalar(QStringLiteral("SELECT %1 FROM SNE_Health_Professional_Report WHERE LearnerID = %2 "
                                               "AND Data_Year = %3").arg(column).arg(learner).arg(Year));
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
        fx->store.pickLearner(learner, Year);
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
        QVERIFY(!screen->hasUnsavedChanges());
        QCOMPARE(fx->boxes.count(), 0);
    }

    // A stored report opened, perhaps with new comments and Attached ticked, and saved.
    void reportRoundTrip_data()
    {
        QTest::addColumn<QString>("storedType");
        QTest::addColumn<QString>("tempPerm");   // the two boxes as shown
        QTest::addColumn<QString>("savedAs");
        QTest::addColumn<QString>("typed");      // null: the comments are left alone
        QTest::addColumn<QString>("kept");
        const QString loaded = QStringLiteral("Seen by Dr O'Neill's nurse");
        const QString awkward = QString::fromUtf8("Dr O'Brien's note: \"see file\"\r\nÜbung – ongoing");
        QTest::newRow("TEMP") << "TEMP" << "10" << "TEMP" << QString() << loaded;
        QTest::newRow("PERM") << "PERM" << "01" << "PERM" << QString() << loaded;
        // Another program's word reads as permanent and, left alone, stays as written.
        QTest::newRow("other text reads as permanent") << "perm" << "01" << "perm" << QString() << loaded;
        QTest::newRow("TEMP in other letters is other text") << "Temp" << "01" << "Temp" << QString() << loaded;
        QTest::newRow("P/T stays P/T") << "P/T" << "01" << "P/T" << QString() << loaded;
        QTest::newRow("no type") << "" << "00" << "" << QString() << loaded;
        QTest::newRow("comments as typed") << "TEMP" << "10" << "TEMP" << awkward << awkward;
        QTest::newRow("comments emptied: one blank") << "TEMP" << "10" << "TEMP" << QStringLiteral("") << QStringLiteral(" ");
        QTest::newRow("comments held to 2000") << "TEMP" << "10" << "TEMP" << QString(2100, QLatin1Char('x'))
                                               << QString(2000, QLatin1Char('x'));
    }
    void reportRoundTrip()
    {
        QFETCH(QString, storedType);
        QFETCH(QString, tempPerm);
        QFETCH(QString, savedAs);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        storeReport(storedType, QStringLiteral("Seen by Dr O'Neill's nurse"));
        auto screen = kit::opened<frmHealthReport>();
        const grid::SpreadModel &records = gridOf(*screen, "gridMedicalRecords")->cells();
        QCOMPARE(records.text(4, 6) + records.text(5, 6), tempPerm);
        QCOMPARE(records.text(4, 5) + records.text(5, 5), QStringLiteral("10"));   // viewed, not attached
        QCOMPARE(gridOf(*screen, "gridAreas")->cells().text(2, 11), QStringLiteral("Seen by Dr O'Neill's nurse"));
        QVERIFY(!screen->hasUnsavedChanges());

        if (!typed.isNull())
            QVERIFY(type(gridOf(*screen, "gridAreas"), 2, 11, typed));
        QVERIFY(type(gridOf(*screen, "gridMedicalRecords"), 5, 5, Qt::Checked, Qt::CheckStateRole));
        QVERIFY(screen->save());
        QVERIFY(!screen->hasUnsavedChanges());
        QCOMPARE(fx->boxes.texts(), QStringList{QStringLiteral("Your Information has been saved.")});
        QCOMPARE(stored(QStringLiteral("count(*)")).toInt(), 1);
        QCOMPARE(stored(QStringLiteral("Impairment_Type")).toString(), savedAs);
        QCOMPARE(stored(QStringLiteral("Medical_Record_Viewed || Medical_Record_Attached")).toString(), QStringLiteral("11"));
        QCOMPARE(stored(QStringLiteral("Comments")).toString(), kept);
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
};

QTEST_MAIN(tst_HealthReport)
#include "tst_healthreport.moc"
