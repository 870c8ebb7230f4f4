// The road from the learner list to a saved and printed Section 1 by keyboard
// alone: picking a learner, Enter on buttons, Tab through the cells, an open
// cell editor whose text is never lost to Save, Print or leaving, and
// Previous and Next along every section's screens. Then a day's work on the
// screens, driven with the keys and the mouse on the real widgets: limits the
// user can see, Escape that cancels only the edit, level lists that open on
// one click, Remove that never takes a second entry unseen, and a window that
// says it is waiting for another program.
#include "ActionGroup.h"
#include "BackgroundInfo.h"
#include "Connection.h"
#include "EveryScreen.h"
#include "ExtendedProfile2.h"
#include "FocusMarker.h"
#include "IndividualSupportPlan.h"
#include "LockWaitNotice.h"
#include "MainMenu.h"
#include "MultipleDisabilities.h"
#include "SchoolRequestSupport.h"
#include "ScreenRegistry.h"
#include "ScreenTestKit.h"
#include "SelectLearner.h"
#include "SelectYear.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QtMath>
#include <QtTest>

#include <thread>

using kit::Saved;
using kit::shownAndActive;

namespace {

constexpr int Year = 2016;
const QString NotSaved = QStringLiteral("Data has NOT been Saved");

QWidget *focused()
{
    return QApplication::focusWidget();
}

// Where the keyboard is: a grid and its active cell, or a control's name.
QString focusPlace()
{
    QWidget *focus = focused();
    if (!focus)
        return QStringLiteral("nothing");
    for (QWidget *w = focus; w; w = w->parentWidget())
        if (auto *grid = qobject_cast<grid::SpreadGrid *>(w))
            return QStringLiteral("%1(%2,%3)").arg(grid->objectName()).arg(grid->activeCol()).arg(grid->activeRow());
    return focus->objectName();
}

void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(focused(), Qt::Key(key), modifiers);
}

// Types into whatever has the focus, key by key as the user does (the first
// key opens a cell's editor, the next ones go to it).
void typeText(const QString &text)
{
    for (const QChar ch : text) {
        if (ch.unicode() < 128)
            QTest::keyClicks(focused(), QString(ch));
        else
            QTest::sendKeyEvent(QTest::Click, focused(), Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

// Pixels of the focus frame's colour in a grid as drawn now.
int framePixels(grid::SpreadGrid *grid)
{
    const QImage image = grid->viewport()->grab().toImage();
    const QRgb frame = grid->palette().color(QPalette::Highlight).rgb();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == frame;
    return count;
}

void clickCell(grid::SpreadGrid *grid, int col, int row)
{
    const QRect cell = grid->visualRect(grid->model()->index(row - 1, col - 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
}

QComboBox *openList(const grid::SpreadGrid *grid)
{
    return grid->viewport()->findChild<QComboBox *>();
}

bool listShown(const QComboBox *combo)
{
    return combo && combo->view()->isVisible();
}

// Whether the whole of rect (in widget's coordinates) shows in the viewport
// of the scrolling page around widget.
bool inView(const QWidget *widget, const QRect &rect)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        if (const auto *area = qobject_cast<const QScrollArea *>(w)) {
            const QRect shown(widget->mapTo(area->viewport(), rect.topLeft()), rect.size());
            return area->viewport()->rect().contains(shown);
        }
    }
    return false;
}

bool inView(const QWidget *widget)
{
    return inView(widget, widget->rect());
}

// A window of 1280x1024's room, as the screens are used.
void sizedAsOnTheDesk(QWidget &screen)
{
    screen.resize(qMin(screen.width(), 1260), qMin(screen.height(), 900));
}

} // namespace

class TestKeyboardRoad : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<kit::Fixture> fx;
    int learner = 0;

    std::unique_ptr<frmBackgroundInfo> openSection1()
    {
        auto screen = kit::opened<frmBackgroundInfo>();
        if (!shownAndActive(*screen))
            qWarning("Section 1 not active");
        return screen;
    }

    // Opens the family text's editor by typing into it, as the user does.
    // Section 3b with two entries in the first area's list, levels LOW and HIGH LEVEL.
    std::unique_ptr<frmSchoolRequestSupport> openSection3b()
    {
        fx->insert(QStringLiteral("SNE_Learner_Support_Needs"),
                   QStringLiteral("Support_Area, Low_Moderate_High, School_Available, School_Need"),
                   {QStringLiteral("1, 'LOW', 'Ramp', ' '"), QStringLiteral("1, 'HIGH LEVEL', 'Rails', ' '")});
        auto screen = kit::opened<frmSchoolRequestSupport>();
        if (!shownAndActive(*screen))
            qWarning("Section 3b not active");
        return screen;
    }

    QString stored(const QString &column) const { return fx->rows(QStringLiteral("SNE_Learner_Background_Info"), column); }

    static void typeIntoFamily(frmBackgroundInfo &screen, const QString &words)
    {
        screen.gridFamilySituation()->setFocus(Qt::OtherFocusReason);
        screen.gridFamilySituation()->setActiveCell(1, 3);
        typeText(words);
    }

private Q_SLOTS:
    void init()
    {
        fx = std::make_unique<kit::Fixture>(false);
        learner = fx->pick(fx->store.addLearner(QStringLiteral("Dlamini"), QStringLiteral("Sipho"), QStringLiteral("C"), 2,
                                                QString(), 1, QStringLiteral("B-17"), QStringLiteral("20090412"), 1), Year);
        appState().EmisCode = QStringLiteral("700555111");
    }
    void cleanup()
    {
        fx.reset();
        Connection::setBusyTimeout(Connection::DefaultBusyTimeoutMs);
    }

    void pickLearnerByKeyboardAndOpenTheMainMenu()
    {
        fx->store.addLearner(QStringLiteral("Adams"), QStringLiteral("Ann"), QStringLiteral("C"), 2, QString(), 1,
                             QStringLiteral("A-01"));
        fx->store.addLearner(QStringLiteral("Cele"), QStringLiteral("Cara"), QStringLiteral("C"), 3, QString(), 1,
                             QStringLiteral("C-03"));
        frmSelectLearner list;
        list.getLearners();
        QVERIFY(shownAndActive(list));
        list.learnerGrid()->setFocus(Qt::TabFocusReason);   // Tab into the list: its first row
        press(Qt::Key_Down);
        press(Qt::Key_Return);
        QCOMPARE(appState().CurrentLearnerName, QStringLiteral("CELE Cara"));
        QCOMPARE(appState().CurrentAccessionNo, QStringLiteral("C-03"));
        press(Qt::Key_Down);
        press(Qt::Key_Space);
        QCOMPARE(appState().CurrentLearnerName, QStringLiteral("DLAMINI Sipho"));
        QCOMPARE(appState().CurrentLearnerID, learner);

        // On to "Support Needs Assessment"; Enter there opens the main menu.
        for (int i = 0; i < 12 && focusPlace() != QLatin1String("cmdSupport"); ++i)
            press(Qt::Key_Tab);
        QCOMPARE(focusPlace(), QStringLiteral("cmdSupport"));
        QString opened;
        bool stage3Shown = false;
        QTimer::singleShot(0, this, [&] {
            auto *menu = qobject_cast<frmSNA_Main *>(QApplication::activeModalWidget());
            if (!menu)
                return;
            opened = menu->windowTitle();
            // Enter on a focused stage button shows its sub-menu.
            menu->stageButton(3)->setFocus(Qt::TabFocusReason);
            QTest::keyClick(menu->stageButton(3), Qt::Key_Enter, Qt::KeypadModifier);
            stage3Shown = menu->stageFrame(3)->isVisible();
            auto *back = menu->findChild<QPushButton *>(QStringLiteral("cmdMainMenu"));
            back->setFocus(Qt::TabFocusReason);
            QTest::keyClick(back, Qt::Key_Return);   // "Learner Selection" closes the menu
        });
        press(Qt::Key_Return);
        QCOMPARE(opened, QStringLiteral("Support needs assessment [MAIN MENU] Learner : DLAMINI Sipho"));
        QVERIFY(stage3Shown);
        QCOMPARE(fx->boxes.count(), 0);

        // Back on the list no row looks picked, as none is; a double-click picks.
        grid::SpreadGrid *learners = list.learnerGrid();
        QVERIFY(!learners->currentIndex().isValid());
        QVERIFY(!learners->selectionModel()->hasSelection());
        const QRect cara = learners->visualRect(learners->model()->index(1, 1));
        // A double-click as the window system delivers it: a click, then the second press.
        QTest::mouseClick(learners->viewport(), Qt::LeftButton, Qt::NoModifier, cara.center());
        QTest::mouseDClick(learners->viewport(), Qt::LeftButton, Qt::NoModifier, cara.center());
        QTest::mouseRelease(learners->viewport(), Qt::LeftButton, Qt::NoModifier, cara.center());
        QCOMPARE(appState().CurrentLearnerName, QStringLiteral("CELE Cara"));
        QCOMPARE(learners->activeRow(), 2);
        QVERIFY(list.findChild<QLabel *>(QStringLiteral("lblPickHint"))->text().contains(QStringLiteral("Enter")));
    }

    void tabWalksSection1CellByCellThenTheButtons()
    {
        const auto screen = openSection1();
        QCOMPARE(focusPlace(), QStringLiteral("gridEarlyIntervention(1,3)"));
        const QStringList forward = {
            QStringLiteral("gridEarlyIntervention(2,3)"), QStringLiteral("gridEarlyIntervention(3,3)"),
            QStringLiteral("gridDisability(1,2)"), QStringLiteral("gridDisability(3,2)"),   // the list, the button
            QStringLiteral("gridFamilySituation(1,3)"), QStringLiteral("gridParent_Understanding(1,3)"),
            QStringLiteral("cmdSave"), QStringLiteral("cmdPrintPage"), QStringLiteral("cmdMenu"),
        };
        QStringList walked;
        for (int i = 0; i < forward.size(); ++i) {
            press(Qt::Key_Tab);
            walked << focusPlace();
        }
        QCOMPARE(walked, forward);

        QStringList back;
        for (int i = 0; i < forward.size(); ++i) {
            press(Qt::Key_Backtab, Qt::ShiftModifier);
            back.prepend(focusPlace());
        }
        QCOMPARE(back, QStringList{QStringLiteral("gridEarlyIntervention(1,3)")} + forward.mid(0, forward.size() - 1));
        QCOMPARE(focusPlace(), QStringLiteral("gridEarlyIntervention(1,3)"));
    }

    void multiLineCellKeepsReturnAndTabMovesOn()
    {
        const auto screen = openSection1();
        QVERIFY(screen->findChild<QLabel *>(QStringLiteral("lblTab"))->toolTip().contains(
            QStringLiteral("Return starts a new line; Tab finishes the answer and moves on")));
        typeIntoFamily(*screen, QStringLiteral("Lives with gran"));
        QVERIFY(screen->gridFamilySituation()->isEditing());
        press(Qt::Key_Return);
        typeText(QStringLiteral("and two sisters"));
        press(Qt::Key_Tab);
        QCOMPARE(kit::text(screen->gridFamilySituation(), 1, 3), QStringLiteral("Lives with gran\r\nand two sisters"));
        QCOMPARE(focusPlace(), QStringLiteral("gridParent_Understanding(1,3)"));
        QVERIFY(screen->hasUnsavedChanges());
    }

    void onlyTheFocusedGridFramesItsCell()
    {
        const auto screen = openSection1();
        const QList<grid::SpreadGrid *> grids = {screen->gridEarlyIntervention(), screen->gridDisability(),
                                                 screen->gridFamilySituation(), screen->gridParent_Understanding()};
        for (grid::SpreadGrid *focused : grids) {
            focused->setFocus(Qt::TabFocusReason);
            for (grid::SpreadGrid *grid : grids)
                QVERIFY2((framePixels(grid) > 0) == (grid == focused),
                         qPrintable(focused->objectName() + QStringLiteral(" focused, ") + grid->objectName()));
        }
    }

    // Each way of saving, printing or leaving while an editor is open.
    void openEditorHandsItsTextOver_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("Ctrl+S") << "save";
        QTest::newRow("Ctrl+P") << "print";
        QTest::newRow("close control") << "close";
    }

    void openEditorHandsItsTextOver()
    {
        QFETCH(QString, way);
        const QString typed = QStringLiteral("O'Neill's home, \"Zoë\" stays");
        const auto screen = openSection1();
        typeIntoFamily(*screen, typed);
        QVERIFY(screen->gridFamilySituation()->isEditing());
        QCOMPARE(kit::text(screen->gridFamilySituation(), 1, 3), QString());   // still in the editor

        if (way == QLatin1String("save")) {
            QTest::keySequence(focused(), QKeySequence::Save);
            QCOMPARE(stored(QStringLiteral("Family_Situation")), typed);
            QCOMPARE(fx->boxes.texts(), QStringList{Saved});
            QVERIFY(!screen->hasUnsavedChanges());
            return;
        }
        if (way == QLatin1String("print")) {
            PrinterChoice::setChooser(PrinterChoice::pdfChooser(fx->pdfPath()));
            QTest::keySequence(focused(), QKeySequence::Print);
            QVERIFY(PdfText::all(fx->pdfPath()).contains(QStringLiteral("stays")));
            QVERIFY(screen->hasUnsavedChanges());   // the change flag saw the text
            QCOMPARE(fx->boxes.count(), 0);
            return;
        }
        fx->boxes.answerNo();
        screen->close();
        QCOMPARE(fx->boxes.titles(), QStringList{NotSaved});
        QVERIFY(screen->isVisible());
        QCOMPARE(kit::text(screen->gridFamilySituation(), 1, 3), typed);
        QVERIFY(screen->hasUnsavedChanges());
    }

    void enterOnSaveButtonSaves()
    {
        const auto screen = openSection1();
        typeIntoFamily(*screen, QStringLiteral("Lives with gran"));
        for (int i = 0; i < 10 && focusPlace() != QLatin1String("cmdSave"); ++i)
            press(Qt::Key_Tab);
        press(Qt::Key_Return);
        QCOMPARE(fx->boxes.texts(), QStringList{Saved});
        QCOMPARE(fx->store.count(QStringLiteral("SNE_Learner_Background_Info"),
                                 QStringLiteral("Family_Situation = 'Lives with gran'")), 1);
    }

    // Enter on the additional-disabilities window's focused Done closes it.
    void enterOnDoneClosesTheAdditionalDisabilities()
    {
        frmMultipleDisabilities window;
        window.setLearner(QStringLiteral("DLAMINI Sipho"));
        QVERIFY(shownAndActive(window));
        window.doneButton()->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Return);
        QVERIFY(!window.isVisible());
        QCOMPARE(fx->boxes.count(), 0);
    }

    // Each section's screens in their order: Previous and Next follow the
    // chain as registered, the first screen has no Previous and the last no
    // Next, the buttons shown carry the section's words for them, and each
    // screen carries its section's caption (one for all where one is given).
    void everyChainRunsInItsOrder_data()
    {
        QTest::addColumn<QStringList>("chain");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("buttons");   // "previous|next"
        const auto members = [](const QString &family, int count) {
            QStringList names;
            for (int i = 1; i <= count; ++i)
                names << family + QString::number(i);
            return names;
        };
        const QString pages = QStringLiteral("Previous Page|Next Page");
        QTest::newRow("section 1") << QStringList{"frmBackgroundInfo"}
                                   << QStringList{"SNA [Section 1: BACKGROUND INFORMATION ON LEARNER]"} << pages;
        QTest::newRow("diagnostic profile") << QStringList{"frmHealthReport"} + members(QStringLiteral("frmCriteriaSelection"), 6)
                                            << QStringList{"SNA [DP : DIAGNOSTIC PROFILE]"} << pages;
        QTest::newRow("section 2") << QStringList{"frmExtendedProfile1", "frmExtendedProfile2"}
                                   << QStringList{"SNA [ Section 2: EXTENDED PROFILE OF LEARNER NEEDS ]"} << pages;
        QTest::newRow("ISP") << QStringList{"frmISP"} << QStringList{"SNA [ ISP : INDIVIDUAL SUPPORT PLAN ]"} << pages;
        QTest::newRow("section 3a") << members(QStringLiteral("frmAssessment_Support_Reg"), 4)
                                    << QStringList{"SNA [Section 3a: ASSESSMENT FOR SUPPORT REQUIREMENTS]"} << pages;
        QTest::newRow("section 3b") << QStringList{"frmSchoolRequestSupport", "frmILSTIntervention"}
                                    << QStringList{"Support Needs Assessment [Section 3b : SCHOOL REQUEST FORM FOR ADDITIONAL SUPPORT]",
                                                   "SNA [Section 3b: ILST RECORD OF INTERVENTIONS TAKEN AND MOTIVATION FOR "
                                                   "ASSISTANCE FROM DBST]"}
                                    << "Previous|Next";
        QTest::newRow("section 4") << QStringList{"frmActionPlan", "frmActionPlan2", "frmActionPlan3"}
                                   << QStringList{"SNA [Section 4 : ACTION PLAN FOR ADDITIONAL SUPPORT PROVISION AND MONITORING]"}
                                   << "Previous|Next";
    }
    void everyChainRunsInItsOrder()
    {
        QFETCH(QStringList, chain);
        QFETCH(QStringList, captions);
        QFETCH(QString, buttons);
        ScreenRegistry registry;
        registerEveryScreen(registry);
        for (int i = 0; i < chain.size(); ++i) {
            const ScreenRegistry::Entry *entry = registry.entry(chain[i]);
            QVERIFY2(entry, qPrintable(chain[i]));
            QCOMPARE(entry->previous, chain.value(i - 1));
            QCOMPARE(entry->next, chain.value(i + 1));
            std::unique_ptr<SectionScreen> screen(entry->create(nullptr));
            QCOMPARE(screen->objectName(), chain[i]);
            QCOMPARE(screen->windowTitle(), captions.value(i, captions.last()));
            QCOMPARE(screen->previousButton()->isHidden(), i == 0);
            QCOMPARE(screen->nextButton()->isHidden(), i == chain.size() - 1);
            if (i > 0)
                QCOMPARE(screen->previousButton()->text(), buttons.section(QLatin1Char('|'), 0, 0));
            if (i < chain.size() - 1)
                QCOMPARE(screen->nextButton()->text(), buttons.section(QLatin1Char('|'), 1));
        }
    }

    // The nature of early support holds 255 characters: the room left shows
    // near the end, and a paste of 900 says how much of it was left out.
    void limitIsShownAndALongPasteSaysWhatWasLeftOut()
    {
        const auto screen = openSection1();
        grid::SpreadGrid *grid = screen->gridEarlyIntervention();
        grid->setFocus(Qt::OtherFocusReason);
        grid->setActiveCell(1, 3);
        typeText(QString(200, QLatin1Char('a')));
        auto *editor = qobject_cast<QPlainTextEdit *>(focused());
        QVERIFY(editor);
        QVERIFY(!grid->viewport()->findChild<QLabel *>(QStringLiteral("limitNotice"))
                 || !grid->viewport()->findChild<QLabel *>(QStringLiteral("limitNotice"))->isVisible());
        QTest::keyClicks(editor, QString(31, QLatin1Char('b')));
        const QLabel *notice = grid->viewport()->findChild<QLabel *>(QStringLiteral("limitNotice"));
        QVERIFY(notice && notice->isVisible());
        QCOMPARE(notice->text(), QStringLiteral("231 / 255"));
        QVERIFY(notice->geometry().top() >= editor->geometry().bottom()
                || notice->geometry().bottom() <= editor->geometry().top());   // never over the text

        QTest::keySequence(editor, QKeySequence::SelectAll);
        QApplication::clipboard()->setText(QString(900, QLatin1Char('c')));
        QTest::keySequence(editor, QKeySequence::Paste);
        QCOMPARE(editor->toPlainText(), QString(255, QLatin1Char('c')));
        QCOMPARE(notice->text(), QStringLiteral("255 / 255 \u2014 645 characters did not fit and were left out"));
        QTest::keyClicks(editor, QStringLiteral("d"));   // typing on is refused just as plainly
        QCOMPARE(notice->text(), QStringLiteral("255 / 255 \u2014 1 character did not fit and was left out"));

        QTest::keyClick(editor, Qt::Key_Tab);
        QTest::keySequence(focused(), QKeySequence::Save);
        QCOMPARE(fx->boxes.texts(), QStringList{Saved});
        QCOMPARE(stored(QStringLiteral("Nature_Of_Support_Received")), QString(255, QLatin1Char('c')));
    }

    // An ISP entry cell of 255 characters edits in a box that grows with the
    // text to show all of it, up to ten lines.
    void longTextsEditInABoxThatGrows()
    {
        auto isp = kit::opened<frmISP>();
        QVERIFY(shownAndActive(*isp));
        grid::SpreadGrid *entry = isp->group(1)->entryGrid();
        entry->setFocus(Qt::OtherFocusReason);
        entry->setActiveCell(1, ActionGroup::EntryRow);
        typeText(QStringLiteral("Read"));
        auto *editor = qobject_cast<QPlainTextEdit *>(focused());
        QVERIFY(editor);
        const int shortHeight = editor->height();
        const QString words = QStringLiteral("Reads a graded story aloud to the class every week, ");
        QTest::keyClicks(editor, words.repeated(3).mid(4));
        QVERIFY(editor->height() > shortHeight);
        QVERIFY(editor->height() <= qCeil(QFontMetricsF(editor->font()).lineSpacing() * 10));
        QCOMPARE(editor->verticalScrollBar()->maximum(), 0);   // all of it in view
        QTest::keyClick(editor, Qt::Key_Tab);
        QVERIFY(!entry->isEditing());
        QCOMPARE(kit::text(entry, 1, ActionGroup::EntryRow), words.repeated(3));
    }

    // Escape takes back only the edit it is in; the next Escape leaves.
    void escapeCancelsTheEditThenLeaves()
    {
        const auto screen = openSection1();
        grid::SpreadGrid *grid = screen->gridFamilySituation();
        typeIntoFamily(*screen, QStringLiteral("Lives with gran"));
        press(Qt::Key_Tab);          // kept
        typeIntoFamily(*screen, QStringLiteral(" and an uncle"));
        QVERIFY(grid->isEditing());
        QTest::keyClick(focused(), Qt::Key_Escape);
        QVERIFY(!grid->isEditing());
        QVERIFY(screen->isVisible());
        QCOMPARE(kit::text(grid, 1, 3), QStringLiteral("Lives with gran"));
        QCOMPARE(fx->boxes.count(), 0);

        fx->boxes.answerNo();
        QTest::keyClick(focused(), Qt::Key_Escape);       // no editor open: leave, asking first
        QCOMPARE(fx->boxes.titles(), QStringList{QStringLiteral("Data has NOT been Saved")});
        QVERIFY(screen->isVisible());
        QCOMPARE(stored(QStringLiteral("Family_Situation")), QString());
    }

    // A level opens on one click; Escape closes the list, the next Escape
    // the cell, and the screen stays with the stored level as it was.
    void levelListOpensOnOneClickAndEscapeStepsBack()
    {
        const auto screen = openSection3b();
        grid::SpreadGrid *grid = screen->area(1)->grid();
        QCOMPARE(kit::text(grid, 1, 5), QStringLiteral("LOW"));
        clickCell(grid, 1, 5);
        QTRY_VERIFY(listShown(openList(grid)));
        QTest::keyClick(openList(grid)->view(), Qt::Key_Down);
        QTest::keyClick(openList(grid)->view(), Qt::Key_Escape);
        QTRY_VERIFY(!listShown(openList(grid)));
        QVERIFY(grid->isEditing());
        QTest::keyClick(focused(), Qt::Key_Escape);
        QVERIFY(!grid->isEditing());
        QVERIFY(screen->isVisible());
        QCOMPARE(kit::text(grid, 1, 5), QStringLiteral("LOW"));
        QCOMPARE(fx->boxes.count(), 0);

        // F4 and Alt+Down open it from the keyboard, as on any list box.
        for (const QKeyCombination key : {QKeyCombination(Qt::Key_F4), QKeyCombination(Qt::AltModifier, Qt::Key_Down)}) {
            grid->setFocus(Qt::OtherFocusReason);
            grid->setActiveCell(1, 6);
            QTest::keyClick(grid, key.key(), key.keyboardModifiers());
            QTRY_VERIFY(listShown(openList(grid)));
            QTest::keyClick(openList(grid)->view(), Qt::Key_Escape);
            QTRY_VERIFY(!listShown(openList(grid)));
            QTest::keyClick(focused(), Qt::Key_Escape);
            QVERIFY(!grid->isEditing());
        }
        QCOMPARE(kit::text(grid, 1, 6), QStringLiteral("HIGH LEVEL"));
    }

    // Two quick clicks on Remove take one entry: nothing stays picked.
    void secondRemoveTakesNothingUnseen()
    {
        const auto screen = openSection3b();
        EntryPreviewList *list = screen->area(1);
        clickCell(list->grid(), 2, 5);
        QTest::mouseClick(list->removeButton(), Qt::LeftButton);
        QTest::mouseClick(list->removeButton(), Qt::LeftButton);
        QCOMPARE(kit::text(list->grid(), 2, 5), QStringLiteral("Rails"));
        QCOMPARE(kit::text(list->grid(), 1, 5), QStringLiteral("HIGH LEVEL"));
        QCOMPARE(list->grid()->activeRow(), 0);
        QCOMPARE(list->list().selectedRow(), 0);
    }

    // Ten Adds in a row on the SCHOOL tab and in the ISP: the tenth entry and
    // the Add button are in the window, the box keeps the focus, and the Add
    // button stays where the mouse is.
    void addedEntriesStayInView()
    {
        auto factors = kit::opened<frmExtendedProfile2>();
        // With Previous Page, as the chain opens it.
        factors->setNeighbours(QStringLiteral("frmExtendedProfile1"), QString());
        factors->pages()->setCurrentIndex(frmExtendedProfile2::School);
        sizedAsOnTheDesk(*factors);
        QVERIFY(shownAndActive(*factors));
        EntryPreviewList *school = factors->factorList(frmExtendedProfile2::School);
        school->secondOption()->setChecked(true);
        QPoint mouse;   // where the user clicks Add, each time
        for (int i = 1; i <= 10; ++i) {
            school->textBox()->setFocus();
            QTest::keyClicks(school->textBox(), QStringLiteral("Barrier %1").arg(i));
            const QRect add(school->addButton()->mapToGlobal(QPoint(0, 0)), school->addButton()->size());
            if (i > 1)
                QVERIFY2(add.contains(mouse),
                         qPrintable(QStringLiteral("%1: %2,%3 %4,%5").arg(i).arg(add.center().x()).arg(add.center().y()).arg(mouse.x()).arg(mouse.y())));
            mouse = add.center();
            QTest::mouseClick(school->addButton(), Qt::LeftButton);
        }
        const int tenth = frmExtendedProfile2::FirstEntryRow + 9;
        QCOMPARE(kit::text(school->grid(), 2, tenth), QStringLiteral("Barrier 10"));
        QVERIFY(inView(school->grid()->viewport(),
                       school->grid()->visualRect(school->grid()->model()->index(tenth - 1, 1))));
        QVERIFY(inView(school->addButton()));
        QCOMPARE(focused(), school->textBox());
        QVERIFY(inView(school->textBox()));
        factors.reset();

        auto isp = kit::opened<frmISP>();
        sizedAsOnTheDesk(*isp);
        QVERIFY(shownAndActive(*isp));
        ActionGroup *group = isp->group(1);
        for (int i = 1; i <= 10; ++i) {
            for (int col = 1; col <= ActionGroup::Fields; ++col)
                if (col != ActionGroup::ReviewDateCol)
                    QVERIFY(kit::type(group->entryGrid(), col, ActionGroup::EntryRow, QStringLiteral("Action %1").arg(i)));
            QVERIFY(kit::type(group->entryGrid(), ActionGroup::ReviewDateCol, ActionGroup::EntryRow, QDate(2016, 3, i)));
            QTest::mouseClick(group->addButton(), Qt::LeftButton);
        }
        grid::SpreadGrid *preview = group->previewGrid();
        const int last = preview->cells().maxRows();
        QCOMPARE(kit::text(preview, 1, last), QStringLiteral("Action 10"));
        QVERIFY(inView(preview->viewport(), preview->visualRect(preview->model()->index(last - 1, 0))));
        QVERIFY(inView(group->addButton()));
        QVERIFY(group->entryGrid()->hasFocus());
    }

    // A screen opens in the middle of the screen the user works on.
    void screensOpenCentred()
    {
        const auto screen = openSection1();
        const QRect room = screen->screen()->availableGeometry();
        const QPoint off = screen->frameGeometry().center() - room.center();
        QVERIFY2(qAbs(off.x()) <= 30 && qAbs(off.y()) <= 30,
                 qPrintable(QStringLiteral("%1,%2 from the middle").arg(off.x()).arg(off.y())));
    }

    // One font family on the screens, the desktop's.
    void gridsUseTheDesktopFont()
    {
        const auto screen = kit::opened<frmBackgroundInfo>();
        for (const grid::SpreadGrid *grid : screen->findChildren<grid::SpreadGrid *>())
            QCOMPARE(grid->font().family(), QApplication::font().family());
        QCOMPARE(screen->saveButton()->font().family(), QApplication::font().family());
    }

    // The control with the focus has a frame around it that the eye finds:
    // the data-year list, then a button reached by Tab.
    void focusIsFramed()
    {
        FocusMarker::install();
        frmSelectYear years;
        QVERIFY(shownAndActive(years));
        years.yearList()->setFocus(Qt::TabFocusReason);
        const auto frameAround = [](const QWidget *control) {
            const QWidget *frame = control->parentWidget()->findChild<QWidget *>(QStringLiteral("focusMarker"));
            return frame && frame->isVisible()
                && frame->geometry() == control->geometry().adjusted(-FocusMarker::Width, -FocusMarker::Width,
                                                                     FocusMarker::Width, FocusMarker::Width);
        };
        QTRY_VERIFY(frameAround(years.yearList()));
        QTest::keyClick(years.yearList(), Qt::Key_Tab);
        QVERIFY(focused() != years.yearList());
        QTRY_VERIFY(frameAround(focused()));
        const QImage drawn = years.grab().toImage();
        const QRect around = focused()->geometry().adjusted(-1, -1, 1, 1);
        QCOMPARE(drawn.pixelColor(around.center().x(), around.top()), years.palette().color(QPalette::Highlight));
    }

    // While another program holds the database the pointer is busy and,
    // after half a second, a line in the window says why; both go when the
    // save has its turn.
    void waitingForAnotherProgramIsShown()
    {
        LockWaitNotice &notice = LockWaitNotice::install();
        QSignalSpy lines(&notice, &LockWaitNotice::lineShown);
        const auto screen = openSection1();
        QVERIFY(kit::type(screen->gridFamilySituation(), 1, 3, QStringLiteral("Lives with gran")));
        std::unique_ptr<Connection> other = fx->store.lockedByAnotherProgram();
        Connection::setBusyTimeout(Connection::DefaultBusyTimeoutMs);
        std::thread release([&other] {
            std::this_thread::sleep_for(std::chrono::milliseconds(900));
            try {
                other->executeNative(QStringLiteral("ROLLBACK"));
            } catch (...) {
                other.reset();   // closing ends the lock as well
            }
        });
        const bool saved = screen->save();
        release.join();
        QVERIFY(saved);
        QCOMPARE(lines.count(), 1);
        QCOMPARE(lines.first().first().value<QWidget *>(), screen.get());
        QCOMPARE(fx->boxes.texts(), QStringList{Saved});
        QTRY_VERIFY(!screen->findChild<QLabel *>(QStringLiteral("lockWaitLine")));
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(stored(QStringLiteral("Family_Situation")), QStringLiteral("Lives with gran"));
    }
};

QTEST_MAIN(TestKeyboardRoad)
#include "tst_keyboardroad.moc"
