// Section 3b: the school's request for additional support (five areas of
// has / needs lists with levels) and the ILST's record of interventions.
// The three Section 4 pages: the shared review row, the DBST review with its
// reason cell, the support strategy's slots and site choice, the action
// review's numbered lines, and the strategy's printed sheets. Which row of
// which year and learner a page reads is the conformance suite's: a page
// reading another row would save that row's values over the learner's.
#include "ActionPlan.h"
#include "ActionPlan2.h"
#include "ActionPlan3.h"
#include "EntryPreviewList.h"
#include "ILSTIntervention.h"
#include "LearnerBarrierText.h"
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
const QString Awkward = QString::fromUtf8("O'Brien's \"plan\": Zoë – ramps\r\nsecond line");

bool tick(SpreadGrid *grid, int col, int row, bool ticked = true)
{
    return type(grid, col, row, ticked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

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

class TstRequestAndPlan : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<kit::Fixture> fx;
    int learner = 0;

    // The learner's review rows of the year, as column.
    QString review(const QString &column) const { return fx->rows(QStringLiteral("SNE_DBST_Review_ILST_Request"), column); }
    void storeReview(const QString &columns, const QString &values) const
    {
        fx->insert(QStringLiteral("SNE_DBST_Review_ILST_Request"), columns, {values});
    }
    template <class Screen>
    bool openEditSave(const std::function<void(Screen &)> &edit)
    {
        auto screen = kit::opened<Screen>();
        edit(*screen);
        return screen->save();
    }

    // Rows of an area as "level, has, needs".
    void storeNeeds(const QStringList &rows) const
    {
        fx->insert(QStringLiteral("SNE_Learner_Support_Needs"),
                   QStringLiteral("Support_Area, Low_Moderate_High, School_Available, School_Need"), rows);
    }
    QStringList stored(int area) const
    {
        return fx->rows(QStringLiteral("SNE_Learner_Support_Needs"), QStringLiteral("Low_Moderate_High || '|' || "
                        "School_Available || '|' || School_Need"), QStringLiteral("ID"),
                        QStringLiteral("Support_Area = %1").arg(area), QStringLiteral(";"))
            .split(QLatin1Char(';'), Qt::SkipEmptyParts);
    }

private Q_SLOTS:
    void init()
    {
        fx = std::make_unique<kit::Fixture>(false);
        fx->store.exec(QStringLiteral("INSERT INTO Disabilities (id, Name) VALUES (7, 'Low vision'), (8, 'Deaf'), "
                                      "(9, 'Autism')"));
        learner = fx->pick(fx->store.addLearner(QStringLiteral("Mokoena"), QStringLiteral("Thabo"), QStringLiteral("C"), 2,
                                                QString(), 1, QStringLiteral("A-17"), QStringLiteral("20080315"), 7), Year);
        appState().SchoolName = QStringLiteral("Sediba Combined School");
        appState().District = QStringLiteral("Tshwane South");
        appState().Circuit = QStringLiteral("Circuit 3");
        appState().EmisCode = QStringLiteral("700310455");
    }
    void cleanup() { fx.reset(); }

    // The heading's barrier line: the primary disability's name, then the
    // additional ones after ", ".
    void barrierText_data()
    {
        QTest::addColumn<int>("primary");
        QTest::addColumn<QList<int>>("additional");
        QTest::addColumn<QString>("shown");
        QTest::newRow("primary only") << 7 << QList<int>{} << "Low vision";
        QTest::newRow("two additional") << 7 << QList<int>{8, 9} << "Low vision, Deaf, Autism";
        QTest::newRow("primary the host cannot name") << 99 << QList<int>{8} << ", Deaf";
        QTest::newRow("none") << 0 << QList<int>{} << "";
    }
    void barrierText()
    {
        QFETCH(int, primary);
        QFETCH(QList<int>, additional);
        QFETCH(QString, shown);
        fx->store.exec(QStringLiteral("UPDATE Learner_Info SET LSENDisabilities = %1 WHERE ID = %2").arg(primary).arg(learner));
        for (int id : additional)
            fx->store.exec(QStringLiteral("INSERT INTO MultipleDisabilities (LearnerID, DisabilityID) VALUES (%1, %2)")
                               .arg(learner).arg(id));
        auto reviewPage = kit::opened<frmActionPlan>();
        QCOMPARE(appState().LearnerBarrierText, shown);
        QCOMPARE(kit::text(gridOf(*reviewPage, "gridSignature"), 2, 3), shown);
        // The later pages show the same line, even opened on their own.
        appState().LearnerBarrierText.clear();
        auto approval = kit::opened<frmActionPlan3>();
        QCOMPARE(kit::text(gridOf(*approval, "gridSignature"), 2, 3), shown);
        QCOMPARE(kit::text(gridOf(*approval, "gridSignature"), 4, 2), QStringLiteral("15/03/2008"));
    }

    // Whichever page is saved first creates the learner's row; the others
    // update it, and nobody's answers are lost.
    void reviewRowIsShared_data()
    {
        QTest::addColumn<QString>("order");
        QTest::newRow("review, strategy, approval") << "123";
        QTest::newRow("strategy first") << "213";
        QTest::newRow("approval first") << "312";
        QTest::newRow("each twice") << "321123";
    }
    void reviewRowIsShared()
    {
        QFETCH(QString, order);
        for (const QChar page : order) {
            if (page == QLatin1Char('1')) {
                QVERIFY(openEditSave<frmActionPlan>([](frmActionPlan &s) {
                    SpreadGrid *g = gridOf(s, "gridReview");
                    tick(g, 4, 2);
                    type(g, 2, 4, Awkward);
                    type(g, 1, 6, QStringLiteral("approved"));
                }));
            } else if (page == QLatin1Char('2')) {
                QVERIFY(openEditSave<frmActionPlan2>([](frmActionPlan2 &s) {
                    tick(gridOf(s, "gridDBST_Support_Level"), 5, 1);
                }));
            } else {
                QVERIFY(openEditSave<frmActionPlan3>([](frmActionPlan3 &s) {
                    SpreadGrid *g = gridOf(s, "gridSupportLevel");
                    type(g, 1, 3, QStringLiteral("Agreed"));
                    tick(g, 3, 5);
                }));
            }
            QCOMPARE(review(QStringLiteral("'row'")), QStringLiteral("row"));   // one row, never two
        }
        // An answer left alone is written (one blank) only by the page that creates the row.
        QCOMPARE(review(QStringLiteral("ISLT_Coord_Educ_Req_Made || '|' || Parent_Accept_Recom || '|' || Parent_Reason || '|' || "
                                       "ISLT_Approved_Reason || '|' || DBST_Support_School_Site || '|' || Senior_Manager_Approval "
                                       "|| '|' || School_Discussed_Parent || '|' || COALESCE(ISLT_Not_Approved_Reason, '') || '|' "
                                       "|| COALESCE(School_Discussed_Comment, '')")),
                 QStringLiteral("1|0|") + Awkward + QStringLiteral("|approved|3|Agreed|1|")
                     + (order.startsWith(QLatin1Char('1')) ? QStringLiteral(" |") : order.startsWith(QLatin1Char('3')) ? QStringLiteral("| ") : QStringLiteral("|")));
    }

    // The reason cell takes text only while "No" of row 3 is ticked: after
    // loading as after each tick ("+5" ticks column 5 of row 3, "-5" unticks it).
    void reasonCellFollowsNo_data()
    {
        QTest::addColumn<QString>("stored");     // Parent_Accept_Recom; empty: no row
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<bool>("open");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no row: No shown, open") << "" << "" << true << "";
        QTest::newRow("stored no: open, reason shown") << "0" << "" << true << "because";
        QTest::newRow("stored yes: shut, reason kept") << "1" << "" << false << "because";
        QTest::newRow("yes ticked: shut and emptied") << "0" << "+4" << false << "";
        QTest::newRow("no unticked: shut and emptied") << "0" << "-5" << false << "";
        QTest::newRow("no ticked again: open") << "1" << "+5" << true << "because";
        QTest::newRow("yes, then no") << "0" << "+4 +5" << true << "";
    }
    void reasonCellFollowsNo()
    {
        QFETCH(QString, stored);
        QFETCH(QString, clicks);
        QFETCH(bool, open);
        QFETCH(QString, reason);
        if (!stored.isEmpty())
            storeReview(QStringLiteral("Parent_Accept_Recom, Parent_Reason"), stored + QStringLiteral(", 'because'"));
        auto screen = kit::opened<frmActionPlan>();
        SpreadGrid *g = gridOf(*screen, "gridReview");
        QCOMPARE(kit::texts(g, {{4, 2}, {5, 2}}), QStringLiteral("0|1"));
        for (const QString &click : clicks.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            QVERIFY(tick(g, click.mid(1).toInt(), 3, click.startsWith(QLatin1Char('+'))));
        for (int col = 2; col <= 5; ++col) {
            QCOMPARE(g->cells().isCellEnabled(col, 4), open);
            QCOMPARE(g->cells().cell(col, 4).backColor, open ? QColor(Qt::white) : QColor(233, 233, 233));
        }
        QCOMPARE(kit::text(g, 2, 4), reason);
        QCOMPARE(screen->hasUnsavedChanges(), !clicks.isEmpty());
        QCOMPARE(type(g, 2, 4, QStringLiteral("typed")), open);
    }

    // Each strategy line keeps its slot, stray slots neither show nor go;
    // column 7 is kept in Timeframe.
    void strategyLinesKeepTheirSlots()
    {
        fx->insert(QStringLiteral("SNE_DBST_Support_Strategy"), QStringLiteral("Support_Area, Support_Needed"),
                   {QStringLiteral("0, 'stray'"), QStringLiteral("-3, 'stray'"), QStringLiteral("31, 'stray'"),
                    QStringLiteral("400, 'stray'"), QStringLiteral("30, 'social grant'")});
        auto screen = kit::opened<frmActionPlan2>();
        SpreadGrid *g = gridOf(*screen, "gridStrategy");
        QCOMPARE(kit::texts(g, {{1, 39}, {1, 40}}), QStringLiteral("social grant|"));
        for (int row : {1, 2, 3, 4, 34})
            QVERIFY(!kit::text(g, 1, row).startsWith(QStringLiteral("stray")));
        QCOMPARE(frmActionPlan2::slotRow(6), 11);
        type(g, 1, 11, QStringLiteral("FM radio system"));   // first line of assistive devices
        type(g, 2, 11, QStringLiteral("HH"));                 // one character only
        type(g, 6, 11, QStringLiteral("Term 2"));
        type(g, 7, 11, QStringLiteral("R4000"));
        type(g, 7, 39, QStringLiteral("R50"));                // a budget alone is kept
        type(g, 5, 23, QStringLiteral("Ramps"));
        QVERIFY(screen->save());
        QCOMPARE(fx->rows(QStringLiteral("SNE_DBST_Support_Strategy"), QStringLiteral("Support_Area || ':' || "
                          "COALESCE(Support_Level, '') || '|' || COALESCE(Budget, '') || '|' || COALESCE(Timeframe, '')"),
                          QStringLiteral("Support_Area")),
                 QStringLiteral("-3:||,0:||,6:H|Term 2|R4000,16: | | ,30:||R50,31:||,400:||"));
        auto again = kit::opened<frmActionPlan2>();
        QCOMPARE(kit::texts(gridOf(*again, "gridStrategy"), {{1, 11}, {6, 11}, {7, 11}, {7, 39}, {5, 23}, {1, 5}}),
                 QStringLiteral("FM radio system|Term 2|R4000|R50|Ramps|"));
    }

    void siteChoice_data()
    {
        QTest::addColumn<int>("stored");   // -1: no review row
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("saved");   // site and reason stored; empty: no row
        QTest::newRow("partially over completely") << 1 << "4" << "010" << "2|kept";
        QTest::newRow("nothing ticked, nothing stored") << -1 << "" << "000" << "";
        QTest::newRow("0 loads as none") << 0 << "" << "000" << "0|kept";
        QTest::newRow("alternate site loads") << 3 << "" << "001" << "3|kept";
        QTest::newRow("an unknown value loads as none") << 7 << "" << "000" << "7|kept";
        QTest::newRow("completely, then alternate") << -1 << "3 5" << "001" << "3|";
    }
    void siteChoice()
    {
        QFETCH(int, stored);
        QFETCH(QString, clicks);
        QFETCH(QString, shown);
        QFETCH(QString, saved);
        if (stored >= 0)
            storeReview(QStringLiteral("DBST_Support_School_Site, Parent_Reason"), QStringLiteral("%1, 'kept'").arg(stored));
        auto screen = kit::opened<frmActionPlan2>();
        SpreadGrid *g = gridOf(*screen, "gridDBST_Support_Level");
        for (const QString &click : clicks.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            QVERIFY(tick(g, click.toInt(), 1));
        QCOMPARE(kit::texts(g, {{3, 1}, {4, 1}, {5, 1}}).remove(QLatin1Char('|')), shown);
        QCOMPARE(screen->hasUnsavedChanges(), !clicks.isEmpty());
        QVERIFY(screen->save());
        QCOMPARE(review(QStringLiteral("DBST_Support_School_Site || '|' || COALESCE(Parent_Reason, '')")), saved);
    }

    void reviewLinesKeepTheirNumbers()
    {
        fx->insert(QStringLiteral("SNE_Action_Review"), QStringLiteral("[Action], Name"),
                   {QStringLiteral("0, 'stray low'"), QStringLiteral("11, 'stray high'")});
        auto screen = kit::opened<frmActionPlan3>();
        SpreadGrid *g = gridOf(*screen, "gridActionTaken");
        QCOMPARE(kit::texts(g, {{1, 2}, {1, 12}}), QStringLiteral("Name|"));
        type(g, 1, 4, QStringLiteral("Ms Dube"));
        type(g, 5, 4, QStringLiteral("05/03/2014"));
        type(g, 4, 9, QStringLiteral("Therapist"));
        type(g, 3, 6, QStringLiteral("signed"));   // a signature alone is not a line
        QVERIFY(screen->save());
        QCOMPARE(fx->rows(QStringLiteral("SNE_Action_Review"), QStringLiteral("[Action] || ':' || COALESCE(Name, '') || '|' || "
                          "COALESCE(Review_Date, '')"), QStringLiteral("[Action]")),
                 QStringLiteral("0:stray low|,2:Ms Dube|05/03/2014,7: | ,11:stray high|"));
        auto again = kit::opened<frmActionPlan3>();
        SpreadGrid *h = gridOf(*again, "gridActionTaken");
        QCOMPARE(kit::texts(h, {{1, 4}, {5, 4}, {4, 9}, {3, 6}}), QStringLiteral("Ms Dube|05/03/2014|Therapist|"));
        // Name and Designation are held to their stored width while typing.
        QCOMPARE(QList<int>({h->cells().cell(1, 5).maxLength, h->cells().cell(4, 5).maxLength, h->cells().cell(2, 5).maxLength}),
                 QList<int>({255, 255, 2000}));
    }

    void discussionFlag_data()
    {
        QTest::addColumn<QString>("stored");   // School_Discussed_Parent; empty: no row
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("savedUntouched");
        QTest::newRow("no row ticks nothing") << "" << "0|0" << "";
        QTest::newRow("false ticks No") << "0" << "0|1" << "0";
        QTest::newRow("true ticks Yes") << "1" << "1|0" << "1";
    }
    void discussionFlag()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QFETCH(QString, savedUntouched);
        if (!stored.isEmpty())
            storeReview(QStringLiteral("School_Discussed_Parent"), stored);
        auto screen = kit::opened<frmActionPlan3>();
        QCOMPARE(kit::texts(gridOf(*screen, "gridSupportLevel"), {{3, 5}, {4, 5}}), shown);
        QVERIFY(screen->save());
        QCOMPARE(review(QStringLiteral("School_Discussed_Parent")), savedUntouched);
    }

    // Thirty full strategy lines run on to further sheets, none left off.
    void strategyLinesRunOnToFurtherSheets()
    {
        auto strategy = kit::opened<frmActionPlan2>();
        SpreadGrid *g = gridOf(*strategy, "gridStrategy");
        for (int slot = 1; slot <= 30; ++slot)
            type(g, 3, frmActionPlan2::slotRow(slot),
                 QStringLiteral("Step-%1-end").arg(slot) + QStringLiteral("\r\nline").repeated(5));
        int pages = 0;
        const QString printed = fx->printed(*strategy, &pages);
        QVERIFY(pages >= 2);
        QVERIFY(printed.contains(QStringLiteral("Alternate site")));
        for (int slot : {1, 15, 30})
            QVERIFY2(printed.contains(QStringLiteral("Step-%1-end").arg(slot)), qPrintable(QString::number(slot)));
    }

    // Section 3b ------------------------------------------------------------

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
        QCOMPARE(fx->boxes.texts(), QStringList{message});
        QCOMPARE(rows(list), QStringList({"||"}));
        QCOMPARE(list->textBox()->text(), text);   // kept for the user to put right
        QVERIFY(!screen->hasUnsavedChanges());
    }

    // Stored rows load into their own area, in the store's order; a row of an
    // area the screen does not have is skipped.
    void loadFillsEachArea()
    {
        storeNeeds({QStringLiteral("4, 'LOW', 'Workshop', ' '"), QStringLiteral("4, 'MODERATE', ' ', 'Training'"),
                    QStringLiteral("9, 'LOW', 'stray', ''"), QStringLiteral("0, 'LOW', 'stray', ''")});
        auto screen = kit::opened<frmSchoolRequestSupport>();
        QCOMPARE(screen->currentPage(), 0);
        QCOMPARE(kit::text(gridOf(*screen, "gridSignature"), 2, 2), QStringLiteral("Tshwane South, Circuit 3"));
        QCOMPARE(rows(screen->area(4)), QStringList({"LOW|Workshop| ", "MODERATE| |Training", "||"}));
        QCOMPARE(screen->area(4)->grid()->cells().maxRows(), 7);
        for (int area : {1, 2, 3, 5})
            QCOMPARE(rows(screen->area(area)), QStringList({"||"}));

        // One-blank gaps are free rows: Adds fill them and never drop a row.
        EntryPreviewList *hrd = screen->area(4);
        QVERIFY(add(hrd, QStringLiteral("Mentor"), true));
        QVERIFY(add(hrd, QStringLiteral("Coach"), false));
        QVERIFY(add(hrd, QStringLiteral("Books"), false));
        QCOMPARE(rows(hrd), QStringList({"LOW|Workshop|Coach", "MODERATE|Mentor|Training", "||Books", "||"}));
        QVERIFY(screen->save());
        QCOMPARE(stored(4), QStringList({"LOW|Workshop|Coach", "MODERATE|Mentor|Training", "| |Books"}));
    }

    void levelAloneIsSavedAndRemoveKeepsHeadings()
    {
        storeNeeds({QStringLiteral("2, 'LOW', ' ', ' '")});
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

    // Every area's grid refuses typed keys and marks a change alike.
    void allAreasBehaveAlike()
    {
        for (int area = 1; area <= frmSchoolRequestSupport::Areas; ++area) {
            auto screen = kit::opened<frmSchoolRequestSupport>();
            QVERIFY2(screen->area(area)->grid()->keysDiscarded(), qPrintable(QString::number(area)));
            screen->setCurrentPage(area - 1);
            QCOMPARE(screen->currentPage(), area - 1);
            QVERIFY(add(screen->area(area), QStringLiteral("x"), true));
            screen->saveButton()->click();
            QVERIFY(!screen->hasUnsavedChanges());
            QVERIFY(type(screen->area(area)->grid(), 1, 5, QStringLiteral("MODERATE")));
            QVERIFY2(screen->hasUnsavedChanges(), qPrintable(QString::number(area)));
        }
    }

    // The ILST record's yes/no pairs exclude each other and may both stay empty.
    void ilstRoundTrip()
    {
        auto screen = kit::opened<frmILSTIntervention>();
        QCOMPARE(screen->pageCount(), 2);
        SpreadGrid *other = gridOf(*screen, "gridOther");
        QCOMPARE(kit::texts(other, {{3, 9}, {4, 9}}), QStringLiteral("0|0"));
        QVERIFY(type(other, 4, 9, Qt::Checked, Qt::CheckStateRole));
        QVERIFY(type(other, 3, 9, Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(kit::texts(other, {{3, 9}, {4, 9}}), QStringLiteral("1|0"));
        QVERIFY(type(other, 3, 13, Qt::Checked, Qt::CheckStateRole));
        QVERIFY(type(other, 3, 13, Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(kit::texts(other, {{3, 13}, {4, 13}}), QStringLiteral("0|0"));
        QVERIFY(type(gridOf(*screen, "gridLearnerAdditionalNeeds"), 1, 5, QStringLiteral("Aide training")));
        QVERIFY(screen->save());
        QCOMPARE(fx->rows(QStringLiteral("SNE_ILST_Intervention_Records"), QStringLiteral("Principal_Approve_Request_DBST || "
                          "Circuit_Manager_Endores || Learner_Parent_Discussed || '|' || Educator_Training || '|' || "
                          "Whole_School_Development")),
                 QStringLiteral("100|Aide training| "));
        auto again = kit::opened<frmILSTIntervention>();
        QCOMPARE(kit::texts(gridOf(*again, "gridOther"), {{3, 9}, {4, 9}, {3, 13}, {4, 13}}), QStringLiteral("1|0|0|1"));
        QCOMPARE(kit::text(gridOf(*again, "gridLearnerAdditionalNeeds"), 1, 5), QStringLiteral("Aide training"));
    }
};

QTEST_MAIN(TstRequestAndPlan)
#include "tst_requestandplan.moc"
