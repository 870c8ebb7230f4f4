// The individual support plan: the blank-field question, the five groups
// saved in transactions of their own, the review date as text, the barriers
// and strengths from Section 2, and the printed action group.
#include "ActionGroup.h"
#include "IndividualSupportPlan.h"
#include "../sections/ScreenTestKit.h"

#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using kit::Saved;
using kit::gridOf;
using kit::text;
using kit::type;

namespace {

constexpr int Year = 2014;

// Types the six fields into a group's entry row.
void compose(ActionGroup *group, const QStringList &fields)
{
    for (int col = 1; col <= ActionGroup::Fields; ++col)
        QVERIFY(type(group->entryGrid(), col, ActionGroup::EntryRow, fields.value(col - 1)));
}

} // namespace

class TestIsp : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<kit::Fixture> fx;
    int learner = 0;

    // The learner's stored actions of one group, fields joined by "|".
    QStringList storedActions(int action)
    {
        auto db = fx->store.connect();
        const Recordset rs = db->query(QStringLiteral("SELECT * FROM SNE_ISP WHERE LearnerID = %1 AND [Action] = %2 "
                                                      "AND Data_Year = %3 ORDER BY ID").arg(learner).arg(action).arg(Year));
        QStringList rows;
        for (int r = 0; r < rs.recordCount(); ++r) {
            QStringList f;
            for (const char *c : {"Target", "Strategy", "Achievement_Criteria", "Person_Responsible", "Review_Date",
                                  "Review_Comments"})
                f << rs.text(r, QString::fromLatin1(c));
            rows << f.join(QLatin1Char('|'));
        }
        return rows;
    }

    // The ISP printed with count barriers and strengths and one action of
    // group 1; its sheets' texts.
    QStringList printedWithFactors(int count)
    {
        for (int i = 1; i <= count; ++i)
            fx->store.exec(QStringLiteral("INSERT INTO SNE_Factors_Community (LearnerID, Positive_Influence, Barrier, "
                                          "Data_Year) VALUES (%1, 'strength-%2', 'barrier-%2', %3)")
                               .arg(learner).arg(i, 2, 10, QLatin1Char('0')).arg(Year));
        storeAction(1, QStringLiteral("group one target"));
        auto screen = kit::opened<frmISP>();
        fx->printed(*screen);
        return PdfText::pages(fx->pdfPath());
    }

    // The top (points) of the highest word text on sheet; 0 when there is none.
    static double top(const QVector<PdfText::Word> &words, int sheet, const QString &text)
    {
        double y = 0.0;
        for (const PdfText::Word &w : words) {
            if (w.page == sheet && w.text == text && (y == 0.0 || w.box.top() < y))
                y = w.box.top();
        }
        return y;
    }

    void storeAction(int action, const QString &target)
    {
        fx->store.exec(QStringLiteral("INSERT INTO SNE_ISP (LearnerID, [Action], Target, Strategy, Achievement_Criteria, "
                                      "Person_Responsible, Review_Date, Review_Comments, Data_Year) VALUES "
                                      "(%1, %2, '%3', 's', 'a', 'p', '01/02/2014', 'c', %4)")
                           .arg(learner).arg(action).arg(target).arg(Year));
    }

private Q_SLOTS:
    void init()
    {
        fx = std::make_unique<kit::Fixture>(true);
        learner = fx->store.addLearner(QStringLiteral("Naidoo"), QStringLiteral("Priya"));
        fx->store.pickLearner(learner, Year);
    }
    void cleanup() { fx.reset(); }

    void opensOnActionOneWithItsTitles()
    {
        auto screen = kit::opened<frmISP>();
        QCOMPARE(screen->pageCount(), 5);
        QCOMPARE(screen->pages()->tabText(4), QStringLiteral("Action 5"));
        QCOMPARE(screen->currentPage(), 0);
        QCOMPARE(text(gridOf(*screen, "gridAdd3Action"), 1, 1),
                 QStringLiteral("Learner support to be given(e.g curriculum differentiation,adapted assessment "
                                "strategies,emotional)"));
        QCOMPARE(text(gridOf(*screen, "gridAction2Preview"), 1, 1),
                 QStringLiteral("Preview of Actions.Click the SAVE button when all the Actions are listed in the Preview."));
        QCOMPARE(text(gridOf(*screen, "gridAction2Preview"), 4, 2), QStringLiteral("Person Responsible"));
        QCOMPARE(gridOf(*screen, "gridAction2Preview")->cells().maxRows(), 2);
        const grid::SpreadModel &entry = gridOf(*screen, "gridAddAction")->cells();
        QCOMPARE(entry.cell(1, 3).maxLength, 255);
        QCOMPARE(entry.cell(5, 3).type, grid::CellType::Date);
        QCOMPARE(entry.cell(5, 3).minDate, QDate(1990, 1, 1));
        QCOMPARE(entry.cell(5, 3).maxDate, QDate(2100, 12, 31));
        QVERIFY(screen->findChild<QPushButton *>(QStringLiteral("cmdRemoveFrom4Preview")));
    }

    void blankFieldQuestion_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("asked");      // empty: nothing asked
        QTest::addColumn<int>("actions");
        QTest::newRow("all empty") << QStringList{"", " ", "", "", "", ""} << true << QString() << 0;
        QTest::newRow("only target, No")
            << QStringList{"Read 20 words"} << false
            << QStringLiteral("You have left the following fields blank: \r\n\r\n - Strategy\r\n - Achievement criteria"
                              "\r\n - Person responsible\r\n - Review Date\r\n - Review Comment\r\n\r\n"
                              "Are you sure you want to leave them blank?")
            << 0;
        QTest::newRow("only target, Yes") << QStringList{"Read 20 words"} << true << QStringLiteral("- Review Comment") << 1;
        QTest::newRow("only target missing")
            << QStringList{"", "Flash cards", "20 words", "Mrs Khumalo", "15/03/2014", "none"} << true
            << QStringLiteral("You have left the following fields blank: \r\n - Target to be achived\r\n\r\n"
                              "Are you sure you want to leave them blank?")
            << 1;
        QTest::newRow("all filled") << QStringList{"t", "s", "a", "p", "15/03/2014", "c"} << false << QString() << 1;
    }
    void blankFieldQuestion()
    {
        QFETCH(QStringList, fields);
        QFETCH(bool, yes);
        QFETCH(QString, asked);
        QFETCH(int, actions);
        auto screen = kit::opened<frmISP>();
        ActionGroup *group = screen->group(2);
        compose(group, fields);
        if (yes)
            fx->boxes.answerYes();
        else
            fx->boxes.answerNo();
        group->addButton()->click();

        if (asked.isEmpty()) {
            QCOMPARE(fx->boxes.count(), 0);
        } else {
            QCOMPARE(fx->boxes.count(), 1);
            QCOMPARE(fx->boxes.last().title, QStringLiteral("User Question?"));
            if (asked.startsWith(QStringLiteral("You have")))
                QCOMPARE(fx->boxes.last().text, asked);
            else
                QVERIFY(fx->boxes.last().text.contains(asked));
        }
        const grid::SpreadGrid *preview = group->previewGrid();
        QCOMPARE(preview->cells().maxRows(), 2 + actions);
        // An added action leaves the entry row empty; a kept one stays there.
        QCOMPARE(text(group->entryGrid(), 1, 3), actions ? QString() : fields.value(0));
        if (actions)
            QCOMPARE(text(preview, 1, 3), fields.value(0));
    }

    void savesEachGroupAndKeepsEmptyReviewDateEmpty()
    {
        storeAction(4, QStringLiteral("old group 4 action"));
        auto screen = kit::opened<frmISP>();
        QCOMPARE(text(gridOf(*screen, "gridAction4Preview"), 1, 3), QStringLiteral("old group 4 action"));
        compose(screen->group(1), {"Learner's reading", "Phonics \"daily\"", "", "Mr Ngcobo", "", ""});
        fx->boxes.answerYes();
        screen->group(1)->addButton()->click();
        compose(screen->group(3), {"Zoë's spelling", "s", "a", "p", "05/03/2015", "c"});
        screen->group(3)->addButton()->click();
        // Group 4's only action is removed: saving its empty list deletes it.
        gridOf(*screen, "gridAction4Preview")->setActiveCell(1, 3);
        screen->group(4)->removeButton()->click();
        QVERIFY(screen->hasUnsavedChanges());
        QVERIFY(screen->save());
        QCOMPARE(fx->boxes.last().text, Saved);

        QCOMPARE(storedActions(1), QStringList{QStringLiteral("Learner's reading|Phonics \"daily\"| |Mr Ngcobo|| ")});
        QCOMPARE(storedActions(3), QStringList{QStringLiteral("Zoë's spelling|s|a|p|05/03/2015|c")});
        QCOMPARE(storedActions(4), QStringList{});

        auto again = kit::opened<frmISP>();
        QCOMPARE(text(gridOf(*again, "gridAction3Preview"), 5, 3), QStringLiteral("05/03/2015"));
        QCOMPARE(text(gridOf(*again, "gridActionPreview"), 5, 3), QString());
        QCOMPARE(gridOf(*again, "gridAction4Preview")->cells().maxRows(), 2);
    }

    void failingGroupRollsBackAloneAndTheOthersStand()
    {
        for (int action = 1; action <= 5; ++action)
            storeAction(action, QStringLiteral("old %1").arg(action));
        auto screen = kit::opened<frmISP>();
        for (int action = 1; action <= 5; ++action) {
            compose(screen->group(action), {QStringLiteral("new %1").arg(action), "s", "a", "p", "01/01/2015", "c"});
            screen->group(action)->addButton()->click();
        }
        fx->store.exec(QStringLiteral("CREATE TRIGGER refuse_group_3 BEFORE INSERT ON SNE_ISP WHEN NEW.[Action] = 3 "
                                      "BEGIN SELECT RAISE(ABORT, 'group 3 refused'); END"));
        QVERIFY(!screen->save());
        QVERIFY(fx->reportedFailure(QStringLiteral("frmISP"), QStringLiteral("saveAction Routine")));
        for (int action = 1; action <= 5; ++action) {
            const QStringList stored = storedActions(action);
            QCOMPARE(stored.size(), action == 3 ? 1 : 2);
            QVERIFY(stored.first().startsWith(QStringLiteral("old %1|").arg(action)));
            if (action != 3)
                QVERIFY(stored.last().startsWith(QStringLiteral("new %1|").arg(action)));
        }
    }

    void barriersAndStrengthsKeepRecordPositions()
    {
        fx->store.exec(QStringLiteral("INSERT INTO SNE_Factors_Community (LearnerID, Positive_Influence, Barrier, Data_Year) "
                                      "VALUES (%1, ' ', 'hunger', %2), (%1, 'loving aunt', ' ', %2), (%1, 'choir', 'taxi fare', %2)")
                           .arg(learner).arg(Year));
        fx->store.exec(QStringLiteral("INSERT INTO SNE_Factors_Classroom (LearnerID, Enabling_Factor, Barrier, Data_Year) "
                                      "VALUES (%1, 'classroom only', 'classroom only', %2)").arg(learner).arg(Year));
        auto screen = kit::opened<frmISP>();
        const grid::SpreadGrid *barriers = gridOf(*screen, "gridBarrier");
        const grid::SpreadGrid *strengths = gridOf(*screen, "gridStrengths");
        QCOMPARE(text(barriers, 1, 1), QStringLiteral("Barrier/s or concern:\r\n"));
        QCOMPARE(barriers->cells().maxRows(), 4);
        QCOMPARE(strengths->cells().maxRows(), 4);
        const QStringList shownBarriers = {text(barriers, 1, 2), text(barriers, 1, 3), text(barriers, 1, 4)};
        const QStringList shownStrengths = {text(strengths, 1, 2), text(strengths, 1, 3), text(strengths, 1, 4)};
        QCOMPARE(shownBarriers, (QStringList{"hunger", "", "taxi fare"}));
        QCOMPARE(shownStrengths, (QStringList{"", "loving aunt", "choir"}));
    }

    void printsTheSelectedGroupOnly()
    {
        fx->store.exec(QStringLiteral("INSERT INTO SNE_Factors_Community (LearnerID, Positive_Influence, Barrier, Data_Year) "
                                      "VALUES (%1, 'kind neighbours', 'no transport', %2)").arg(learner).arg(Year));
        storeAction(1, QStringLiteral("group one target"));
        for (int i = 1; i <= 60; ++i)
            storeAction(3, QStringLiteral("group three target %1").arg(i));
        auto screen = kit::opened<frmISP>();
        screen->setCurrentPage(2);
        int pages = 0;
        fx->printed(*screen, &pages);
        const QStringList sheets = PdfText::pages(fx->pdfPath());
        const QString all = sheets.join(QString());
        QVERIFY(pages >= 2);
        QVERIFY(sheets.first().contains(QStringLiteral(" SNA [ ISP : INDIVIDUAL SUPPORT PLAN ]")));
        QVERIFY(sheets.first().contains(QStringLiteral("LEARNER SUPPORT TO BE GIVEN")));
        QVERIFY(sheets.first().contains(QStringLiteral("no transport")));
        QVERIFY(sheets.first().contains(QStringLiteral("kind neighbours")));
        QVERIFY(sheets.first().contains(QStringLiteral("1. ACTIONS TO BE TAKEN")));
        QVERIFY(all.contains(QStringLiteral("group three target 1 ")));
        QVERIFY(sheets.last().contains(QStringLiteral("group three target 60")));
        // Each further sheet carries the page head and says it continues.
        for (const QString &sheet : sheets.mid(1)) {
            QVERIFY(sheet.contains(QStringLiteral(" SNA [ ISP : INDIVIDUAL SUPPORT PLAN ]")));
            QVERIFY(sheet.contains(QStringLiteral("LEARNER NAME : ")));
            QVERIFY(sheet.contains(QStringLiteral("(continued)")));
        }
        QVERIFY(!all.contains(QStringLiteral("group one target")));
        QVERIFY(!all.contains(QStringLiteral("WHOLE SCHOOL DEVELOPMENT INTERVENTION")));

        // Sheet 2 names the group in its mark and repeats the column
        // headings under it, above the actions it continues with.
        const QVector<PdfText::Word> words = PdfText::words(fx->pdfPath());
        const double mark = top(words, 2, QStringLiteral("(continued)"));
        const double title = top(words, 2, QStringLiteral("GIVEN"));
        const double headings = top(words, 2, QStringLiteral("Achievement"));
        const double firstAction = top(words, 2, QStringLiteral("three"));
        QVERIFY(mark > 0);
        QCOMPARE(title, mark);   // "LEARNER SUPPORT TO BE GIVEN  (continued)"
        QVERIFY(mark < headings);
        QVERIFY(headings < firstAction);
        QCOMPARE(top(words, 2, QStringLiteral("Person")), headings);   // one heading row
    }

    // Barriers and strengths too long for the first sheet finish on sheets
    // of their own, each with the page head, the mark and the list's heading.
    void longBarriersContinueUnderTheirHeadings()
    {
        const QStringList sheets = printedWithFactors(70);
        const int pages = PdfText::pageCount(fx->pdfPath());
        const QVector<PdfText::Word> words = PdfText::words(fx->pdfPath());
        QCOMPARE(pages, 4);   // both lists, the barriers' rest, the strengths' rest, the actions
        QCOMPARE(PdfText::find(words, QStringLiteral("barrier-70")).page, 2);
        QCOMPARE(PdfText::find(words, QStringLiteral("strength-70")).page, 3);
        for (int sheet = 2; sheet <= 3; ++sheet) {
            QVERIFY(sheets.at(sheet - 1).contains(QStringLiteral(" SNA [ ISP : INDIVIDUAL SUPPORT PLAN ]")));
            QVERIFY(sheets.at(sheet - 1).contains(QStringLiteral("LEARNER NAME : ")));
            const double mark = top(words, sheet, QStringLiteral("(continued)"));
            const double heading = top(words, sheet, sheet == 2 ? QStringLiteral("Barrier/s") : QStringLiteral("Strengths:"));
            const double row = top(words, sheet, sheet == 2 ? QStringLiteral("barrier-70") : QStringLiteral("strength-70"));
            QVERIFY(mark > 0 && mark < heading);
            QVERIFY(heading < row);
        }
        QVERIFY(!sheets.at(1).contains(QStringLiteral("strength-")));
        QVERIFY(sheets.last().contains(QStringLiteral("group one target")));
    }

    void longBarrierListsNeverRunUnderTheActions()
    {
        const QStringList sheets = printedWithFactors(12);
        const int pages = PdfText::pageCount(fx->pdfPath());
        QCOMPARE(pages, 2);
        QVERIFY(sheets.first().contains(QStringLiteral("barrier-12")));
        QVERIFY(sheets.first().contains(QStringLiteral("strength-12")));
        QVERIFY(!sheets.first().contains(QStringLiteral("group one target")));
        QVERIFY(sheets.last().contains(QStringLiteral(" SNA [ ISP : INDIVIDUAL SUPPORT PLAN ]")));
        QVERIFY(sheets.last().contains(QStringLiteral("1. ACTIONS TO BE TAKEN")));
        QVERIFY(sheets.last().contains(QStringLiteral("WHOLE SCHOOL DEVELOPMENT INTERVENTION")));
        QVERIFY(sheets.last().contains(QStringLiteral("group one target")));
    }
};

QTEST_MAIN(TestIsp)
#include "tst_isp.moc"
