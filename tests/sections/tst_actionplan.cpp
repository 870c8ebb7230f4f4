// The three Section 4 pages: the shared review row, the DBST review with its
// reason cell, the support strategy's slots and site choice, the action
// review's numbered lines, and their printed pages.
#include "ActionPlan.h"
#include "ActionPlan2.h"
#include "ActionPlan3.h"
#include "LearnerBarrierText.h"
#include "ScreenTestKit.h"

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

} // namespace

class TstActionPlan : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<kit::Fixture> fx;
    int learner = 0;

    QVariant review(const QString &column) const
    {
        return fx->store.scalar(QStringLiteral("SELECT %1 FROM SNE_DBST_Review_ILST_Request WHERE LearnerID = %2 "
                                               "AND Data_Year = %3").arg(column).arg(learner).arg(Year));
    }
    int reviewRows() const
    {
        return fx->store.count(QStringLiteral("SNE_DBST_Review_ILST_Request"),
                               QStringLiteral("LearnerID = %1 AND Data_Year = %2").arg(learner).arg(Year));
    }
    void storeStrategy(int area, const QString &needed, const QString &timeframe = QString())
    {
        fx->store.exec(QStringLiteral("INSERT INTO SNE_DBST_Support_Strategy (LearnerID, Support_Area, Support_Needed, "
                                      "Budget, Timeframe, Data_Year) VALUES (%1, %2, '%3', 'R%2', '%4', %5)")
                           .arg(learner).arg(area).arg(needed, timeframe).arg(Year));
    }
    void storeReviewLine(int action, const QString &name, const QString &date = QString())
    {
        fx->store.exec(QStringLiteral("INSERT INTO SNE_Action_Review (LearnerID, [Action], Name, Outcome, Designation, "
                                      "Review_Date, Data_Year) VALUES (%1, %2, '%3', 'done', 'HOD', '%4', %5)")
                           .arg(learner).arg(action).arg(name, date).arg(Year));
    }
    template <class Screen>
    bool openEditSave(const std::function<void(Screen &)> &edit)
    {
        auto screen = kit::opened<Screen>();
        edit(*screen);
        return screen->save();
    }

private Q_SLOTS:
    void init()
    {
        fx = std::make_unique<kit::Fixture>(false);
        fx->store.exec(QStringLiteral("INSERT INTO Disabilities (id, Name) VALUES (7, 'Low vision'), (8, 'Deaf'), "
                                      "(9, 'Autism')"));
        learner = fx->store.addLearner(QStringLiteral("Mokoena"), QStringLiteral("Thabo"), QStringLiteral("C"), 2,
                                       QString(), 1, QStringLiteral("A-17"), QStringLiteral("20080315"), 7);
        fx->store.pickLearner(learner, Year);
        appState().SchoolName = QStringLiteral("Sediba Combined School");
        appState().EmisCode = QStringLiteral("700310455");
    }
    void cleanup() { fx.reset(); }

    // The page's statement returns the row the review row RIGHT JOINed to
    // the learner returns: with and without a review row, with a primary
    // code that names no disability, beside another year's row and another
    // learner's.
    void reviewStatementReadsTheLearnersRow_data()
    {
        QTest::addColumn<int>("primary");
        QTest::addColumn<QString>("reviewRows");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no review row") << 7 << "" << "NULL|NULL|NULL|NULL|NULL|NULL|Low vision";
        QTest::newRow("a review row") << 8 << "(%1, 1, 0, 'it''s so', 'yes', ' ', %2)"
                                      << "1|1|0|it's so|yes| |Deaf";
        QTest::newRow("an unknown primary code") << 99 << "(%1, 0, 1, NULL, 'a', 'b', %2)" << "1|0|1|NULL|a|b|NULL";
        QTest::newRow("two review rows") << 9 << "(%1, 1, 1, 'one', '', '', %2), (%1, 0, 0, 'two', '', '', %2)"
                                         << "1|1|1|one|||Autism\n2|0|0|two|||Autism";
    }
    void reviewStatementReadsTheLearnersRow()
    {
        QFETCH(int, primary);
        QFETCH(QString, reviewRows);
        QFETCH(QString, expected);
        fx->store.exec(QStringLiteral("UPDATE Learner_Info SET LSENDisabilities = %1 WHERE ID = %2").arg(primary).arg(learner));
        const int other = fx->store.addLearner(QStringLiteral("Other"), QStringLiteral("One"));
        fx->store.exec(QStringLiteral("INSERT INTO SNE_DBST_Review_ILST_Request (ID, LearnerID, ISLT_Coord_Educ_Req_Made, Data_Year) "
                                      "VALUES (50, %1, 1, %2), (51, %3, 1, %4)").arg(learner).arg(Year - 1).arg(other).arg(Year));
        if (!reviewRows.isEmpty())
            fx->store.exec(QStringLiteral("INSERT INTO SNE_DBST_Review_ILST_Request (LearnerID, ISLT_Coord_Educ_Req_Made, "
                                          "Parent_Accept_Recom, Parent_Reason, ISLT_Approved_Reason, ISLT_Not_Approved_Reason, "
                                          "Data_Year) VALUES ") + reviewRows.arg(learner).arg(Year));
        const QString asWritten = QStringLiteral(
            "SELECT DBSTRR.ID AS ReviewID, DBSTRR.ISLT_Coord_Educ_Req_Made, DBSTRR.Parent_Accept_Recom, DBSTRR.Parent_Reason, "
            "DBSTRR.ISLT_Approved_Reason, DBSTRR.ISLT_Not_Approved_Reason, DI.Name FROM SNE_DBST_Review_ILST_Request AS DBSTRR "
            "RIGHT JOIN (Learner_Info as LI LEFT JOIN Disabilities as DI ON (LI.LSENDisabilities = DI.ID)) "
            "ON (DBSTRR.LearnerID = LI.ID AND DBSTRR.Data_Year = %1) WHERE LI.ID = %2 ORDER BY DBSTRR.ID").arg(Year).arg(learner);
        const auto rows = [this](const QString &sql) {
            std::unique_ptr<Connection> db = fx->store.connect();
            const Recordset rs = db->query(sql);
            QStringList lines;
            for (int r = 0; r < rs.recordCount(); ++r) {
                QStringList fields;
                // The review's key aside: its number is the store's; present or not is what counts.
                for (const QString &field : rs.fieldNames().mid(1))
                    fields << (rs.value(r, field).isValid() ? rs.text(r, field) : QStringLiteral("NULL"));
                lines << (rs.value(r, QStringLiteral("ReviewID")).isValid() ? QString::number(r + 1) : QStringLiteral("NULL"))
                             + QLatin1Char('|') + fields.join(QLatin1Char('|'));
            }
            return lines.join(QLatin1Char('\n'));
        };
        QCOMPARE(rows(frmActionPlan::reviewStatement()), expected);
        QCOMPARE(rows(asWritten), expected);
    }

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
        QCOMPARE(fx->boxes.count(), 0);
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
            QCOMPARE(reviewRows(), 1);
        }
        QCOMPARE(review(QStringLiteral("ISLT_Coord_Educ_Req_Made")).toInt(), 1);
        QCOMPARE(review(QStringLiteral("Parent_Accept_Recom")).toInt(), 0);
        QCOMPARE(review(QStringLiteral("Parent_Reason")).toString(), Awkward);
        QCOMPARE(review(QStringLiteral("ISLT_Approved_Reason")).toString(), QStringLiteral("approved"));
        // An answer left alone is written only by the page that creates the row.
        QCOMPARE(review(QStringLiteral("ISLT_Not_Approved_Reason")).toString(),
                 order.startsWith(QLatin1Char('1')) ? QStringLiteral(" ") : QString());
        QCOMPARE(review(QStringLiteral("DBST_Support_School_Site")).toInt(), 3);
        QCOMPARE(review(QStringLiteral("Senior_Manager_Approval")).toString(), QStringLiteral("Agreed"));
        QCOMPARE(review(QStringLiteral("School_Discussed_Parent")).toInt(), 1);
        QCOMPARE(review(QStringLiteral("School_Discussed_Comment")).toString(),
                 order.startsWith(QLatin1Char('3')) ? QStringLiteral(" ") : QString());
    }

    void firstSaveHoldsOnlyThePagesColumns()
    {
        QVERIFY(openEditSave<frmActionPlan2>([](frmActionPlan2 &) {}));
        QCOMPARE(review(QStringLiteral("DBST_Support_School_Site")).toInt(), 0);
        for (const char *other : {"ISLT_Coord_Educ_Req_Made", "Parent_Reason", "Senior_Manager_Approval",
                                  "School_Discussed_Comment"})
            QVERIFY2(review(QString::fromLatin1(other)).isNull() || review(QString::fromLatin1(other)).toInt() == 0,
                     other);
        QVERIFY(review(QStringLiteral("Parent_Reason")).isNull());
        QVERIFY(review(QStringLiteral("Senior_Manager_Approval")).isNull());
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
            fx->store.exec(QStringLiteral("INSERT INTO SNE_DBST_Review_ILST_Request (LearnerID, Parent_Accept_Recom, "
                                          "Parent_Reason, Data_Year) VALUES (%1, %2, 'because', %3)")
                               .arg(learner).arg(stored).arg(Year));
        auto screen = kit::opened<frmActionPlan>();
        SpreadGrid *g = gridOf(*screen, "gridReview");
        QCOMPARE(kit::text(g, 4, 2) + kit::text(g, 5, 2), QStringLiteral("01"));
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

    // Each strategy line keeps its slot; column 7 is kept in Timeframe.
    void strategyLinesKeepTheirSlots()
    {
        auto screen = kit::opened<frmActionPlan2>();
        SpreadGrid *g = gridOf(*screen, "gridStrategy");
        QCOMPARE(frmActionPlan2::slotRow(6), 11);
        type(g, 1, 11, QStringLiteral("FM radio system"));   // first line of assistive devices
        type(g, 2, 11, QStringLiteral("HH"));                 // one character only
        type(g, 6, 11, QStringLiteral("Term 2"));
        type(g, 7, 11, QStringLiteral("R4000"));
        type(g, 7, 39, QStringLiteral("R50"));                // a budget alone is kept
        type(g, 5, 23, Awkward.left(60));
        QVERIFY(screen->hasUnsavedChanges());
        QVERIFY(screen->save());
        QCOMPARE(fx->store.scalar(QStringLiteral("SELECT group_concat(Support_Area) FROM (SELECT Support_Area FROM "
                                                 "SNE_DBST_Support_Strategy ORDER BY Support_Area)")).toString(),
                 QStringLiteral("6,16,30"));
        QCOMPARE(fx->store.scalar(QStringLiteral("SELECT Support_Level || '|' || Budget || '|' || Timeframe FROM "
                                                 "SNE_DBST_Support_Strategy WHERE Support_Area = 6")).toString(),
                 QStringLiteral("H|Term 2|R4000"));

        auto again = kit::opened<frmActionPlan2>();
        SpreadGrid *h = gridOf(*again, "gridStrategy");
        QCOMPARE(kit::text(h, 1, 11), QStringLiteral("FM radio system"));
        QCOMPARE(kit::text(h, 6, 11), QStringLiteral("Term 2"));
        QCOMPARE(kit::text(h, 7, 11), QStringLiteral("R4000"));
        QCOMPARE(kit::text(h, 7, 39), QStringLiteral("R50"));
        QCOMPARE(kit::text(h, 5, 23), Awkward.left(60));
        QCOMPARE(kit::text(h, 1, 5), QString());
    }

    void strategySlotsOutsideThePageAreSkipped()
    {
        for (int area : {0, -3, 31, 400})
            storeStrategy(area, QStringLiteral("stray %1").arg(area));
        storeStrategy(30, QStringLiteral("social grant"));
        auto screen = kit::opened<frmActionPlan2>();
        SpreadGrid *g = gridOf(*screen, "gridStrategy");
        QCOMPARE(kit::text(g, 1, 39), QStringLiteral("social grant"));
        QCOMPARE(kit::text(g, 1, 40), QString());
        for (int row : {1, 2, 3, 4, 34})
            QVERIFY(!kit::text(g, 1, row).startsWith(QStringLiteral("stray")));
        QCOMPARE(fx->boxes.count(), 0);
    }

    void siteChoice_data()
    {
        QTest::addColumn<int>("stored");   // -1: no review row
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("saved");
        QTest::newRow("partially over completely") << 1 << "4" << "010" << 2;
        QTest::newRow("nothing ticked, nothing stored") << -1 << "" << "000" << -1;
        QTest::newRow("0 loads as none") << 0 << "" << "000" << 0;
        QTest::newRow("alternate site loads") << 3 << "" << "001" << 3;
        QTest::newRow("an unknown value loads as none and stays") << 7 << "" << "000" << 7;
        QTest::newRow("completely, then alternate") << -1 << "3 5" << "001" << 3;
    }
    void siteChoice()
    {
        QFETCH(int, stored);
        QFETCH(QString, clicks);
        QFETCH(QString, shown);
        QFETCH(int, saved);
        if (stored >= 0)
            fx->store.exec(QStringLiteral("INSERT INTO SNE_DBST_Review_ILST_Request (LearnerID, DBST_Support_School_Site, "
                                          "Parent_Reason, Data_Year) VALUES (%1, %2, 'kept', %3)")
                               .arg(learner).arg(stored).arg(Year));
        auto screen = kit::opened<frmActionPlan2>();
        SpreadGrid *g = gridOf(*screen, "gridDBST_Support_Level");
        for (const QString &click : clicks.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            QVERIFY(tick(g, click.toInt(), 1));
        QCOMPARE(kit::text(g, 3, 1) + kit::text(g, 4, 1) + kit::text(g, 5, 1), shown);
        QCOMPARE(screen->hasUnsavedChanges(), !clicks.isEmpty());
        QVERIFY(screen->save());
        // -1: a save with nothing to write creates no row.
        QCOMPARE(reviewRows(), saved < 0 ? 0 : 1);
        if (saved >= 0)
            QCOMPARE(review(QStringLiteral("DBST_Support_School_Site")).toInt(), saved);
        if (stored >= 0)
            QCOMPARE(review(QStringLiteral("Parent_Reason")).toString(), QStringLiteral("kept"));
    }

    void reviewLinesKeepTheirNumbers()
    {
        storeReviewLine(0, QStringLiteral("stray low"));
        storeReviewLine(11, QStringLiteral("stray high"));
        auto screen = kit::opened<frmActionPlan3>();
        SpreadGrid *g = gridOf(*screen, "gridActionTaken");
        QCOMPARE(kit::text(g, 1, 2), QStringLiteral("Name"));
        QCOMPARE(kit::text(g, 1, 12), QString());
        type(g, 1, 4, Awkward);
        type(g, 5, 4, QStringLiteral("05/03/2014"));
        type(g, 4, 9, QStringLiteral("Therapist"));
        type(g, 3, 6, QStringLiteral("signed"));   // a signature alone is not a line
        QVERIFY(screen->save());
        QCOMPARE(fx->store.scalar(QStringLiteral("SELECT group_concat([Action]) FROM (SELECT [Action] FROM "
                                                 "SNE_Action_Review ORDER BY [Action])")).toString(),
                 QStringLiteral("0,2,7,11"));   // the lines the page has no row for stay
        QCOMPARE(fx->store.scalar(QStringLiteral("SELECT Review_Date FROM SNE_Action_Review WHERE [Action] = 2")).toString(),
                 QStringLiteral("05/03/2014"));

        auto again = kit::opened<frmActionPlan3>();
        SpreadGrid *h = gridOf(*again, "gridActionTaken");
        QCOMPARE(kit::text(h, 1, 4), Awkward);
        QCOMPARE(kit::text(h, 5, 4), QStringLiteral("05/03/2014"));
        QCOMPARE(kit::text(h, 4, 9), QStringLiteral("Therapist"));
        QCOMPARE(kit::text(h, 3, 6), QString());
        // Name and Designation are held to their stored width while typing.
        QCOMPARE(h->cells().cell(1, 5).maxLength, 255);
        QCOMPARE(h->cells().cell(4, 5).maxLength, 255);
        QCOMPARE(h->cells().cell(2, 5).maxLength, 2000);
    }

    void discussionFlag_data()
    {
        QTest::addColumn<QString>("stored");   // School_Discussed_Parent; empty: no row
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("savedUntouched");
        QTest::newRow("no row ticks nothing") << "" << "00" << 0;
        QTest::newRow("false ticks No") << "0" << "01" << 0;
        QTest::newRow("true ticks Yes") << "1" << "10" << 1;
    }
    void discussionFlag()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QFETCH(int, savedUntouched);
        if (!stored.isEmpty())
            fx->store.exec(QStringLiteral("INSERT INTO SNE_DBST_Review_ILST_Request (LearnerID, School_Discussed_Parent, "
                                          "Data_Year) VALUES (%1, %2, %3)").arg(learner).arg(stored).arg(Year));
        auto screen = kit::opened<frmActionPlan3>();
        SpreadGrid *g = gridOf(*screen, "gridSupportLevel");
        QCOMPARE(kit::text(g, 3, 5) + kit::text(g, 4, 5), shown);
        QVERIFY(screen->save());
        QCOMPARE(review(QStringLiteral("School_Discussed_Parent")).toInt(), savedUntouched);
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
};

QTEST_MAIN(TstActionPlan)
#include "tst_actionplan.moc"
