// Stage 2. Section 2: the barriers screen (five answers, one row) and the
// factors screen (three entry-and-preview lists, the summary, printing the
// showing tab, in the page table of tst_screenfit). The individual support plan: the blank-field question, the
// five groups saved in transactions of their own, the review date as text,
// the barriers and strengths from Section 2, and the printed action group.
#include "ActionGroup.h"
#include "EntryPreviewList.h"
#include "ExtendedProfile1.h"
#include "ExtendedProfile2.h"
#include "IndividualSupportPlan.h"
#include "../sections/ScreenTestKit.h"

#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

using kit::Saved;
using kit::gridOf;
using kit::text;
using kit::type;
using Tab = frmExtendedProfile2::Tab;

namespace {

constexpr int Year = 2014;
const QString CrLf = QStringLiteral("\r\n");
const char *const BarrierColumns[5] = {"Learning", "Communication", "Behavioural_Social_Competence",
                                       "Health_Wellness_Personal_Care", "Physical_Access"};

// Types the six fields into a group's entry row.
void compose(ActionGroup *group, const QStringList &fields)
{
    for (int col = 1; col <= ActionGroup::Fields; ++col)
        QVERIFY(type(group->entryGrid(), col, ActionGroup::EntryRow, fields.value(col - 1)));
}

} // namespace

class TestStage2 : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<kit::Fixture> fx;

    // The year's barrier rows, each as its five answers.
    QString storedBarriers() const
    {
        QStringList columns;
        for (const char *column : BarrierColumns)
            columns << QStringLiteral("COALESCE(%1, '')").arg(QLatin1String(column));
        return fx->rows(QStringLiteral("SNE_Learning_And_Development_Barriers"), columns.join(QStringLiteral(" || '|' || ")));
    }

    // Stored factors of one table in stored order, as "column 1|barrier".
    QString storedFactors(const char *table) const
    {
        return fx->rows(QLatin1String(table), firstColumn(table) + QStringLiteral(" || '|' || Barrier"));
    }
    static QString firstColumn(const char *table)
    {
        return QLatin1String(table) == QLatin1String("SNE_Factors_Community") ? QStringLiteral("Positive_Influence")
                                                                               : QStringLiteral("Enabling_Factor");
    }
    // Rows of factors as "first', 'barrier" each.
    void storeFactors(const char *table, const QStringList &rows) const
    {
        QStringList values;
        for (const QString &row : rows)
            values << QLatin1Char('\'') + row + QLatin1Char('\'');
        fx->insert(QLatin1String(table), firstColumn(table) + QStringLiteral(", Barrier"), values);
    }

    static void add(EntryPreviewList *list, bool barrier, const QString &text)
    {
        (barrier ? list->secondOption() : list->firstOption())->setChecked(true);
        list->textBox()->setText(text);
        list->addButton()->click();
    }

    // The learner's stored actions of one group, fields joined by "|", rows by ",".
    QString storedActions(int action) const
    {
        return fx->rows(QStringLiteral("SNE_ISP"), QStringLiteral("Target || '|' || Strategy || '|' || Achievement_Criteria || '|' "
                        "|| Person_Responsible || '|' || COALESCE(Review_Date, '') || '|' || Review_Comments"), QStringLiteral("ID"),
                        QStringLiteral("[Action] = %1").arg(action));
    }

    // The ISP printed with count barriers and strengths and one action of
    // group 1; its sheets' texts.
    QStringList printedWithFactors(int count)
    {
        QStringList factors;
        for (int i = 1; i <= count; ++i)
            factors << QStringLiteral("strength-%1', 'barrier-%1").arg(i, 2, 10, QLatin1Char('0'));
        storeFactors("SNE_Factors_Community", factors);
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

    void storeAction(int action, const QString &target) const
    {
        fx->insert(QStringLiteral("SNE_ISP"), QStringLiteral("[Action], Target, Strategy, Achievement_Criteria, Person_Responsible, "
                   "Review_Date, Review_Comments"), {QStringLiteral("%1, '%2', 's', 'a', 'p', '01/02/2014', 'c'").arg(action).arg(target)});
    }

private Q_SLOTS:
    void init()
    {
        fx = std::make_unique<kit::Fixture>(true);
        fx->pick(fx->store.addLearner(QStringLiteral("Dlamini"), QStringLiteral("Zoë"), QStringLiteral("C"), 2, QString(), 3,
                                      QStringLiteral("B77")), Year);
    }
    void cleanup() { fx.reset(); }

    // Barriers ------------------------------------------------------------

    void barriersShowTheirFixedTexts()
    {
        auto screen = kit::opened<frmExtendedProfile1>();
        const grid::SpreadGrid *grid = gridOf(*screen, "gridBarriers");
        QCOMPARE(text(grid, 1, 1), QStringLiteral("2.1 BARRIERS TO LEARNING AND DEVELOPMENT\r\n\r\n"
                                                  "What barriers does the learner experience in terms of the following?"));
        QCOMPARE(text(grid, 1, 11), QStringLiteral("HEALTH, WELLNESS AND PERSONAL CARE"));
        QVERIFY(text(grid, 1, 15).endsWith(QStringLiteral("toilet facilities. \r\nIs the learner's attendance at school "
                                                          "dependant of the availability of transport? Distances "
                                                          "travelled by learner on foot to get school.")));
        QCOMPARE(grid->cells().cell(1, 3).backColor, QColor(233, 233, 233));
        QVERIFY(grid->cells().isLocked(1, 3));
        QVERIFY(!grid->cells().isLocked(1, 4));
        QCOMPARE(grid->cells().cell(1, 16).maxLength, 30000);
        QCOMPARE(grid->activeRow(), 4);
    }

    // The screen shows the first of two stored rows: the second stays as it
    // is. Emptied, the shown row goes, and the next one is what opens next time.
    void barriersSaveAndReload_data()
    {
        QTest::addColumn<QStringList>("typed");   // rows 4, 7, 10, 13, 16
        QTest::addColumn<QString>("stored");
        QTest::newRow("learning only") << QStringList{"Reads slowly", "", "", "", ""} << "Reads slowly||||,old two||||";
        QTest::newRow("two answers") << QStringList{"Reads slowly", "", "", "", "ramps\r\nrails"}
                                     << "Reads slowly||||ramps\r\nrails,old two||||";
        QTest::newRow("all blank") << QStringList{" ", "", "  ", "", ""} << "old two||||";
    }
    void barriersSaveAndReload()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, stored);
        fx->insert(QStringLiteral("SNE_Learning_And_Development_Barriers"), QStringLiteral("Learning"),
                   {QStringLiteral("'old one'"), QStringLiteral("'old two'")});
        auto screen = kit::opened<frmExtendedProfile1>();
        grid::SpreadGrid *grid = gridOf(*screen, "gridBarriers");
        QCOMPARE(text(grid, 1, 4), QStringLiteral("old one"));
        for (int i = 0; i < 5; ++i)
            QVERIFY(type(grid, 1, frmExtendedProfile1::AnswerRows[i], typed[i]));
        QVERIFY(screen->save());
        QCOMPARE(storedBarriers(), stored);
        auto again = kit::opened<frmExtendedProfile1>();
        QStringList shown;
        for (int row : frmExtendedProfile1::AnswerRows)
            shown << text(gridOf(*again, "gridBarriers"), 1, row);
        QCOMPARE(shown.join(QLatin1Char('|')), stored.section(QLatin1Char(','), 0, 0));
    }

    void barriersPrintEveryPageOfLongAnswers()
    {
        auto screen = kit::opened<frmExtendedProfile1>();
        for (int i = 0; i < 5; ++i) {
            QString answer;
            for (int line = 1; line <= 25; ++line)
                answer += QStringLiteral("Area %1 observation %2.\r\n").arg(i + 1).arg(line);
            type(gridOf(*screen, "gridBarriers"), 1, frmExtendedProfile1::AnswerRows[i], answer);
        }
        int pages = 0;
        const QString printed = fx->printed(*screen, &pages);
        QVERIFY(pages >= 2);
        QVERIFY(printed.contains(QStringLiteral("[ EXTENDED PROFILE OF LEARNER NEEDS ]")));
        for (int i = 1; i <= 5; ++i)
            QVERIFY(printed.contains(QStringLiteral("Area %1 observation 25.").arg(i)));
        QVERIFY(printed.contains(QStringLiteral("PHYSICAL ACCESS")));
    }

    // Factors -------------------------------------------------------------

    void factorsOpenOnCommunityWithEmptyLists()
    {
        auto screen = kit::opened<frmExtendedProfile2>();
        QCOMPARE(screen->pageCount(), 4);
        QCOMPARE(screen->pages()->tabText(3), QStringLiteral("SUMMARY OF BARRIERS TO LEARNING"));
        QCOMPARE(screen->currentPage(), 0);
        for (const char *name : {"gridCommunity", "gridClassroom", "gridSchool"})
            QCOMPARE(gridOf(*screen, name)->cells().maxRows(), 7);
        QCOMPARE(text(gridOf(*screen, "gridSummBarriers"), 1, 2), QString());
        QCOMPARE(text(gridOf(*screen, "gridSummEnabling"), 1, 2), QString());
        const grid::SpreadGrid *school = gridOf(*screen, "gridSchool");
        QVERIFY(text(school, 1, 6).endsWith(QStringLiteral("which have a positive impact on the learner's capacity for "
                                                           "learning, for example:\r\n   * Ethos of the school\r\n   * Policies"
                                                           "\r\n   * Attitudes\r\n   * School buildings and additional rooms"
                                                           "\r\n   * Space, class size\r\n   * Access e.g ramps, appropriate "
                                                           "toilets / sanitation\r\n   * Safe environment\r\n   * Facilities"
                                                           "\r\n   * Issues of Governance\r\n   * etc")));
        QVERIFY(text(school, 2, 6).contains(QStringLiteral("which have had a negative impact")));
        QCOMPARE(text(school, 2, 5), QStringLiteral("BARRIERS"));
        QCOMPARE(screen->findChild<QRadioButton *>(QStringLiteral("optBarriers"))->text(), QStringLiteral("Barrier"));
        QCOMPARE(screen->findChild<QRadioButton *>(QStringLiteral("optSchoolBarrier"))->text(), QStringLiteral("Barriers"));
    }

    void factorMessagesNameTheTab_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("empty");
        QTest::addColumn<QString>("noOption");
        QTest::newRow("community") << int(Tab::Community) << QStringLiteral("You must enter the Positive Infuence or Barrier.")
                                   << QStringLiteral("You must select the Positive Infuence or Barrier options.");
        QTest::newRow("school") << int(Tab::School) << QStringLiteral("You must enter the Enabling Factor or Barrier.")
                                << QStringLiteral("You must select the Enabling Factor or Barrier options.");
    }
    void factorMessagesNameTheTab()
    {
        QFETCH(int, tab);
        QFETCH(QString, empty);
        QFETCH(QString, noOption);
        auto screen = kit::opened<frmExtendedProfile2>();
        EntryPreviewList *list = screen->factorList(Tab(tab));
        list->addButton()->click();
        QCOMPARE(fx->boxes.last().text, empty);
        list->textBox()->setText(QStringLiteral("x"));
        list->addButton()->click();
        QCOMPARE(fx->boxes.last().text, noOption);
        QVERIFY(!screen->hasUnsavedChanges());
    }

    // Entries pair up as the list shows them: a factor and a barrier share a
    // record, a removed entry leaves no gap.
    void factorsStoreAsTheListPairsThem_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QStringList>("stored");   // "factor', 'barrier" rows
        QTest::addColumn<QStringList>("added");    // "+barrier" or "-factor"; "x": Remove on row 8
        QTest::addColumn<QString>("saved");
        QTest::newRow("one factor then three barriers") << int(Tab::Community) << QStringList()
                                                       << QStringList{"-Granny's care", "+poverty", "+violence", "+long walk"}
                                                       << "Granny's care|poverty, |violence, |long walk";
        QTest::newRow("the middle entry removed") << int(Tab::Classroom)
                                                  << QStringList{" ', 'one", " ', 'two", " ', 'three"} << QStringList{"x"}
                                                  << " |one, |three";
        QTest::newRow("adds after one-sided records") << int(Tab::School)
                                                      << QStringList{"library', ' ", " ', 'no ramps", "sports', ' "}
                                                      << QStringList{"+b1", "+b2", "+b3", "-e1"}
                                                      << "library|b1,e1|no ramps,sports|b2, |b3";
    }
    void factorsStoreAsTheListPairsThem()
    {
        QFETCH(int, tab);
        QFETCH(QStringList, stored);
        QFETCH(QStringList, added);
        QFETCH(QString, saved);
        const char *table = tab == int(Tab::Community) ? "SNE_Factors_Community"
                            : tab == int(Tab::Classroom) ? "SNE_Factors_Classroom" : "SNE_Factors_School";
        if (!stored.isEmpty())
            storeFactors(table, stored);
        auto screen = kit::opened<frmExtendedProfile2>();
        EntryPreviewList *list = screen->factorList(Tab(tab));
        for (const QString &entry : added) {
            if (entry == QLatin1String("x")) {
                list->grid()->setActiveCell(2, 8);
                list->removeButton()->click();
            } else {
                add(list, entry.startsWith(QLatin1Char('+')), entry.mid(1));
            }
        }
        QVERIFY(screen->hasUnsavedChanges());
        QVERIFY(screen->save());
        QCOMPARE(storedFactors(table), saved);
        // One row a record from row 7, and the empty row for the next.
        QCOMPARE(list->grid()->cells().maxRows(), 6 + int(saved.count(QLatin1Char(','))) + 2);
    }

    void summaryListsCommunityClassroomSchool()
    {
        storeFactors("SNE_Factors_School", {QStringLiteral("clean toilets', 'stairs")});
        storeFactors("SNE_Factors_Community", {QStringLiteral("church', ' "), QStringLiteral(" ', 'poverty")});
        storeFactors("SNE_Factors_Classroom", {QStringLiteral(" ', 'noise")});
        auto screen = kit::opened<frmExtendedProfile2>();
        QCOMPARE(text(gridOf(*screen, "gridSummBarriers"), 1, 2) + QLatin1Char('/') + text(gridOf(*screen, "gridSummEnabling"), 1, 2),
                 QStringLiteral(" \r\npoverty\r\nnoise\r\nstairs\r\n/church\r\n \r\n \r\nclean toilets\r\n"));
        // Save rebuilds the summary from what was stored.
        add(screen->factorList(Tab::Classroom), true, QStringLiteral("bullies"));
        QVERIFY(screen->save());
        QCOMPARE(text(gridOf(*screen, "gridSummBarriers"), 1, 2), QStringLiteral(" \r\npoverty\r\nnoise\r\nbullies\r\nstairs\r\n"));
    }

    void saveReadsBackOnlyTheListItWrote()
    {
        storeFactors("SNE_Factors_Classroom", {QStringLiteral("small class', ' ")});
        storeFactors("SNE_Factors_School", {QStringLiteral("library', ' ")});
        auto screen = kit::opened<frmExtendedProfile2>();
        const auto changes = [&](const grid::SpreadGrid *grid) {
            return std::make_unique<QSignalSpy>(grid->spreadModel(), &QAbstractItemModel::dataChanged);
        };
        auto classroom = changes(screen->factorList(Tab::Classroom)->grid());
        auto summary = changes(gridOf(*screen, "gridSummEnabling"));
        QVERIFY(screen->save());
        QCOMPARE(classroom->count() + summary->count(), 0);

        add(screen->factorList(Tab::School), false, QStringLiteral("clean toilets"));
        auto school = changes(screen->factorList(Tab::School)->grid());
        QVERIFY(screen->save());
        QCOMPARE(classroom->count(), 0);
        QVERIFY(school->count() > 0);
        QCOMPARE(text(gridOf(*screen, "gridSummEnabling"), 1, 2), QStringLiteral("small class\r\nlibrary\r\nclean toilets\r\n"));
        QCOMPARE(text(screen->factorList(Tab::Classroom)->grid(), 1, 7), QStringLiteral("small class"));
    }

    // The three lists are saved together: a refused one keeps the others as stored.
    void failedSaveKeepsAllThreeLists()
    {
        storeFactors("SNE_Factors_Community", {QStringLiteral("kept', ' ")});
        auto screen = kit::opened<frmExtendedProfile2>();
        add(screen->factorList(Tab::Community), true, QStringLiteral("new barrier"));
        add(screen->factorList(Tab::School), true, QStringLiteral("school barrier"));
        fx->store.failWritesTo(QStringLiteral("SNE_Factors_School"));
        QVERIFY(!screen->save());
        QCOMPARE(storedFactors("SNE_Factors_Community"), QStringLiteral("kept| "));
    }

    // The picked entry is blue and bold for working on screen only: on paper
    // it reads like every other entry.
    void pickedEntryPrintsLikeTheOthers()
    {
        storeFactors("SNE_Factors_Community", QStringList(2, QStringLiteral("Grandmother cares', 'Grandmother ill")));
        auto screen = kit::opened<frmExtendedProfile2>();
        EntryPreviewList *list = screen->factorList(Tab::Community);
        list->grid()->setActiveCell(1, frmExtendedProfile2::FirstEntryRow + 1);
        QCOMPARE(list->list().selectedRow(), frmExtendedProfile2::FirstEntryRow + 1);
        fx->printed(*screen);

        // Bold letters are wider: all four entries print equally wide.
        QVector<double> widths;
        for (const PdfText::Word &w : PdfText::words(fx->pdfPath()))
            if (w.text == QLatin1String("Grandmother"))
                widths << w.box.width();
        QCOMPARE(widths.size(), 4);
        for (double width : std::as_const(widths))
            QVERIFY2(qAbs(width - widths.first()) < 0.05, qPrintable(QString::number(width)));

        // No blue ink on the sheet, but black text.
        QTemporaryDir dir;
        const QString png = dir.filePath(QStringLiteral("sheet"));
        QCOMPARE(QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("100"),
                                                                 QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                                                 fx->pdfPath(), png}), 0);
        const QImage sheet(png + QStringLiteral(".png"));
        QVERIFY(!sheet.isNull());
        int blue = 0;
        int black = 0;
        for (int y = 0; y < sheet.height(); ++y) {
            for (int x = 0; x < sheet.width(); ++x) {
                const QRgb p = sheet.pixel(x, y);
                blue += qBlue(p) > 150 && qRed(p) < 100 && qGreen(p) < 100;
                black += qGray(p) < 60;
            }
        }
        QCOMPARE(blue, 0);
        QVERIFY(black > 100);
    }

    // Individual support plan -----------------------------------------------

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

        QCOMPARE(storedActions(1), QStringLiteral("Learner's reading|Phonics \"daily\"| |Mr Ngcobo|| "));
        QCOMPARE(storedActions(3), QStringLiteral("Zoë's spelling|s|a|p|05/03/2015|c"));
        QCOMPARE(storedActions(4), QString());

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
        for (int action = 1; action <= 5; ++action)
            QCOMPARE(storedActions(action), QStringLiteral("old %1|s|a|p|01/02/2014|c").arg(action)
                                                + (action == 3 ? QString() : QStringLiteral(",new %1|s|a|p|01/01/2015|c").arg(action)));
    }

    void barriersAndStrengthsKeepRecordPositions()
    {
        storeFactors("SNE_Factors_Community", {QStringLiteral(" ', 'hunger"), QStringLiteral("loving aunt', ' "),
                                               QStringLiteral("choir', 'taxi fare")});
        storeFactors("SNE_Factors_Classroom", {QStringLiteral("classroom only', 'classroom only")});
        auto screen = kit::opened<frmISP>();
        const grid::SpreadGrid *barriers = gridOf(*screen, "gridBarrier");
        const grid::SpreadGrid *strengths = gridOf(*screen, "gridStrengths");
        QCOMPARE(barriers->cells().maxRows(), 4);
        QCOMPARE(strengths->cells().maxRows(), 4);
        QCOMPARE(kit::texts(barriers, {{1, 1}, {1, 2}, {1, 3}, {1, 4}}), QStringLiteral("Barrier/s or concern:\r\n|hunger||taxi fare"));
        QCOMPARE(kit::texts(strengths, {{1, 2}, {1, 3}, {1, 4}}), QStringLiteral("|loving aunt|choir"));
    }

    void printsTheSelectedGroupOnly()
    {
        storeFactors("SNE_Factors_Community", {QStringLiteral("kind neighbours', 'no transport")});
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
        for (const char *first : {" SNA [ ISP : INDIVIDUAL SUPPORT PLAN ]", "LEARNER SUPPORT TO BE GIVEN", "no transport",
                                  "kind neighbours", "1. ACTIONS TO BE TAKEN"})
            QVERIFY2(sheets.first().contains(QLatin1String(first)), first);
        QVERIFY(all.contains(QStringLiteral("group three target 1 ")));
        QVERIFY(sheets.last().contains(QStringLiteral("group three target 60")));
        // Each further sheet carries the page head and says it continues.
        for (const QString &sheet : sheets.mid(1))
            QVERIFY(sheet.contains(QStringLiteral(" SNA [ ISP : INDIVIDUAL SUPPORT PLAN ]")) && sheet.contains(QStringLiteral("(continued)")));
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
            const double mark = top(words, sheet, QStringLiteral("(continued)"));
            const double heading = top(words, sheet, sheet == 2 ? QStringLiteral("Barrier/s") : QStringLiteral("Strengths:"));
            const double row = top(words, sheet, sheet == 2 ? QStringLiteral("barrier-70") : QStringLiteral("strength-70"));
            QVERIFY(mark > 0 && mark < heading);
            QVERIFY(heading < row);
        }
        QVERIFY(!sheets.at(1).contains(QStringLiteral("strength-")));
        QVERIFY(sheets.last().contains(QStringLiteral("group one target")));
    }
};

QTEST_MAIN(TestStage2)
#include "tst_stage2.moc"
