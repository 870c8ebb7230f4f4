// Section 3b: the school's request for additional support (five areas of
// has / needs lists with levels) and the ILST's record of interventions.
#include "EntryPreviewList.h"
#include "ILSTIntervention.h"
#include "SchoolRequestSupport.h"
#include "ScreenTestKit.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using grid::SpreadGrid;
using kit::gridOf;
using kit::type;

namespace {

constexpr int Year = 2014;
const QString Awkward = QString::fromUtf8("O'Brien's \"aide\" – Zoë");

// Adds text as what the school has (has = true) or needs, as the user does.
bool add(EntryPreviewList *list, const QString &text, bool has)
{
    (has ? list->firstOption() : list->secondOption())->setChecked(true);
    list->textBox()->setText(text);
    return list->add();
}

// The data rows of a preview grid as "level|has|needs", from row 5 on.
QStringList rows(const EntryPreviewList *list)
{
    QStringList out;
    const grid::SpreadModel &cells = list->grid()->cells();
    for (int row = 5; row <= cells.maxRows(); ++row)
        out << cells.text(1, row) + QLatin1Char('|') + cells.text(2, row) + QLatin1Char('|') + cells.text(3, row);
    return out;
}

} // namespace

class TstSchoolRequest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<kit::Fixture> fx;
    int learner = 0;

    void storeNeed(int area, const QString &level, const QString &has, const QString &needs)
    {
        fx->store.exec(QStringLiteral("INSERT INTO SNE_Learner_Support_Needs (LearnerID, Support_Area, Low_Moderate_High, "
                                      "School_Need, School_Available, Data_Year) VALUES (%1, %2, '%3', '%4', '%5', %6)")
                           .arg(learner).arg(area).arg(level, needs, has).arg(Year));
    }
    QStringList stored(int area) const
    {
        return fx->store
            .scalar(QStringLiteral("SELECT group_concat(Low_Moderate_High || '|' || School_Available || '|' || School_Need, "
                                   "';') FROM (SELECT * FROM SNE_Learner_Support_Needs WHERE LearnerID = %1 AND "
                                   "Data_Year = %2 AND Support_Area = %3 ORDER BY ID)").arg(learner).arg(Year).arg(area))
            .toString()
            .split(QLatin1Char(';'), Qt::SkipEmptyParts);
    }
    QVariant ilst(const QString &column) const
    {
        return fx->store.scalar(QStringLiteral("SELECT %1 FROM SNE_ILST_Intervention_Records WHERE LearnerID = %2 AND "
                                               "Data_Year = %3").arg(column).arg(learner).arg(Year));
    }

private Q_SLOTS:
    void init()
    {
        fx = std::make_unique<kit::Fixture>(false);
        learner = fx->store.addLearner(QStringLiteral("Mokoena"), QStringLiteral("Thabo"));
        fx->store.pickLearner(learner, Year);
        appState().SchoolName = QStringLiteral("Sediba Combined School");
        appState().District = QStringLiteral("Tshwane South");
        appState().Circuit = QStringLiteral("Circuit 3");
    }
    void cleanup() { fx.reset(); }

    // "has" and "needs" fill their columns independently.
    void hasAndNeedsPairUp()
    {
        auto screen = kit::opened<frmSchoolRequestSupport>();
        EntryPreviewList *staffing = screen->area(1);
        QCOMPARE(staffing->grid()->cells().maxRows(), 5);
        for (const char *text : {"Aide", "Ramp", "Nurse"})
            QVERIFY(add(staffing, QString::fromLatin1(text), true));
        QCOMPARE(staffing->grid()->cells().maxRows(), 8);
        QVERIFY(add(staffing, QStringLiteral("  Therapist"), false));
        QCOMPARE(staffing->grid()->cells().maxRows(), 9);
        QCOMPARE(rows(staffing), QStringList({"|Aide|  Therapist", "|Ramp|", "|Nurse|", "||", "||"}));
        QCOMPARE(staffing->textBox()->text(), QString());   // each Add empties the box
        QVERIFY(screen->hasUnsavedChanges());
        QCOMPARE(staffing->grid()->cells().cell(1, 5).type, grid::CellType::ComboBox);
        QCOMPARE(staffing->grid()->cells().cell(1, 5).items, QStringList({"LOW", "MODERATE", "HIGH LEVEL"}));
        QVERIFY(type(staffing->grid(), 1, 6, QStringLiteral("HIGH LEVEL")));
        QVERIFY(screen->save());
        QCOMPARE(stored(1), QStringList({"|Aide|  Therapist", "HIGH LEVEL|Ramp| ", "|Nurse| "}));
    }

    void refusedEntries_data()
    {
        QTest::addColumn<int>("area");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("option");
        QTest::addColumn<QString>("message");
        QTest::newRow("blank") << 2 << "   " << true << "You must enter what School has or what School needs.";
        QTest::newRow("no option") << 2 << "Ramp" << false << "You must select What School Has or What School Needs options.";
        QTest::newRow("no option, staffing") << 1 << "Aide" << false
                                             << "You must select What School HAs or What School Needs options.";
    }
    void refusedEntries()
    {
        QFETCH(int, area);
        QFETCH(QString, text);
        QFETCH(bool, option);
        QFETCH(QString, message);
        auto screen = kit::opened<frmSchoolRequestSupport>();
        EntryPreviewList *list = screen->area(area);
        list->firstOption()->setChecked(option);
        list->textBox()->setText(text);
        QVERIFY(!list->add());
        QCOMPARE(fx->boxes.count(), 1);
        QCOMPARE(fx->boxes.last().text, message);
        QCOMPARE(rows(list), QStringList({"||"}));
        QCOMPARE(list->textBox()->text(), text);   // kept for the user to put right
        QVERIFY(!screen->hasUnsavedChanges());
    }

    // Stored rows load into their own area, in the store's order; a row of an
    // area the screen does not have is skipped and left stored.
    void loadFillsEachArea()
    {
        storeNeed(4, QStringLiteral("LOW"), QStringLiteral("Workshop"), QStringLiteral(" "));
        storeNeed(4, QStringLiteral("MODERATE"), QStringLiteral(" "), QStringLiteral("Training"));
        storeNeed(9, QStringLiteral("LOW"), QStringLiteral("stray"), QStringLiteral(""));
        storeNeed(0, QStringLiteral("LOW"), QStringLiteral("stray"), QStringLiteral(""));
        auto screen = kit::opened<frmSchoolRequestSupport>();
        QCOMPARE(screen->currentPage(), 0);
        QCOMPARE(kit::text(gridOf(*screen, "gridSignature"), 2, 2), QStringLiteral("Tshwane South, Circuit 3"));
        QCOMPARE(rows(screen->area(4)), QStringList({"LOW|Workshop| ", "MODERATE| |Training", "||"}));
        QCOMPARE(screen->area(4)->grid()->cells().maxRows(), 7);
        for (int area : {1, 2, 3, 5})
            QCOMPARE(rows(screen->area(area)), QStringList({"||"}));
        QCOMPARE(fx->boxes.count(), 0);

        // One-blank gaps are free rows: Adds fill them and never drop a row.
        EntryPreviewList *hrd = screen->area(4);
        QVERIFY(add(hrd, QStringLiteral("Mentor"), true));
        QVERIFY(add(hrd, QStringLiteral("Coach"), false));
        QVERIFY(add(hrd, QStringLiteral("Books"), false));
        QCOMPARE(rows(hrd), QStringList({"LOW|Workshop|Coach", "MODERATE|Mentor|Training", "||Books", "||"}));
        QVERIFY(screen->save());
        QCOMPARE(stored(4).size(), 3);
        QCOMPARE(fx->store.count(QStringLiteral("SNE_Learner_Support_Needs"), QStringLiteral("Support_Area IN (0, 9)")), 2);
    }

    void levelAloneIsSavedAndRemoveKeepsHeadings()
    {
        storeNeed(2, QStringLiteral("LOW"), QStringLiteral(" "), QStringLiteral(" "));
        auto screen = kit::opened<frmSchoolRequestSupport>();
        EntryPreviewList *env = screen->area(5);
        QVERIFY(add(env, QStringLiteral("Ramp"), true));
        QVERIFY(add(env, QStringLiteral("Rails"), true));
        QVERIFY(type(env->grid(), 1, 6, QStringLiteral("LOW")));
        // Remove on a heading row does nothing; on a data row it takes out that row.
        env->grid()->setActiveCell(1, 4);
        QVERIFY(!env->remove());
        QCOMPARE(env->grid()->cells().text(1, 4), QStringLiteral("LOW/MODERATE/HIGH LEVEL"));
        env->grid()->setActiveCell(2, 5);
        QVERIFY(env->remove());
        QCOMPARE(rows(env), QStringList({"LOW|Rails|", "||"}));
        QVERIFY(screen->save());
        QCOMPARE(stored(5), QStringList({"LOW|Rails| "}));
        QCOMPARE(stored(2), QStringList({"LOW| | "}));
    }

    // Every area's grid marks a change and refuses typed keys alike.
    void allAreasBehaveAlike()
    {
        auto screen = kit::opened<frmSchoolRequestSupport>();
        for (int area = 1; area <= frmSchoolRequestSupport::Areas; ++area) {
            SpreadGrid *g = screen->area(area)->grid();
            QVERIFY2(g->keysDiscarded(), qPrintable(QString::number(area)));
            screen->setCurrentPage(area - 1);
            QCOMPARE(screen->currentPage(), area - 1);
        }
        for (int area = 1; area <= frmSchoolRequestSupport::Areas; ++area) {
            auto fresh = kit::opened<frmSchoolRequestSupport>();
            QVERIFY(add(fresh->area(area), QStringLiteral("x"), true));
            fresh->saveButton()->click();
            QVERIFY(!fresh->hasUnsavedChanges());
            QVERIFY(type(fresh->area(area)->grid(), 1, 5, QStringLiteral("MODERATE")));
            QVERIFY2(fresh->hasUnsavedChanges(), qPrintable(QString::number(area)));
        }
    }

    // ILST record -------------------------------------------------------------------

    void ilstRoundTrip()
    {
        auto screen = kit::opened<frmILSTIntervention>();
        QCOMPARE(screen->pageCount(), 2);
        SpreadGrid *other = gridOf(*screen, "gridOther");
        QCOMPARE(kit::text(other, 3, 9) + kit::text(other, 4, 9), QStringLiteral("00"));
        QVERIFY(type(other, 4, 9, Qt::Checked, Qt::CheckStateRole));
        QVERIFY(type(other, 3, 9, Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(kit::text(other, 3, 9) + kit::text(other, 4, 9), QStringLiteral("10"));
        QVERIFY(type(other, 3, 13, Qt::Checked, Qt::CheckStateRole));
        QVERIFY(type(other, 3, 13, Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(kit::text(other, 3, 13) + kit::text(other, 4, 13), QStringLiteral("00"));
        QVERIFY(type(gridOf(*screen, "gridLearnerAdditionalNeeds"), 1, 5, Awkward));
        QVERIFY(screen->hasUnsavedChanges());
        QVERIFY(screen->save());
        QCOMPARE(ilst(QStringLiteral("Principal_Approve_Request_DBST")).toInt(), 1);
        QCOMPARE(ilst(QStringLiteral("Circuit_Manager_Endores")).toInt(), 0);
        QCOMPARE(ilst(QStringLiteral("Learner_Parent_Discussed")).toInt(), 0);
        QCOMPARE(ilst(QStringLiteral("Educator_Training")).toString(), Awkward);
        QCOMPARE(ilst(QStringLiteral("Whole_School_Development")).toString(), QStringLiteral(" "));

        auto again = kit::opened<frmILSTIntervention>();
        SpreadGrid *reloaded = gridOf(*again, "gridOther");
        QCOMPARE(kit::text(reloaded, 3, 9) + kit::text(reloaded, 4, 9), QStringLiteral("10"));
        QCOMPARE(kit::text(reloaded, 3, 13) + kit::text(reloaded, 4, 13), QStringLiteral("01"));
        QCOMPARE(kit::text(gridOf(*again, "gridLearnerAdditionalNeeds"), 1, 5), Awkward);
        QVERIFY(again->save());
        QCOMPARE(fx->store.count(QStringLiteral("SNE_ILST_Intervention_Records")), 1);
    }

};

QTEST_MAIN(TstSchoolRequest)
#include "tst_schoolrequest.moc"
