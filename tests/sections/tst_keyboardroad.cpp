// The road from the learner list to a saved and printed Section 1 by keyboard
// alone: picking a learner, Enter on buttons, Tab through the cells, an open
// cell editor whose text is never lost to Save, Print or leaving, and
// Previous and Next along every section's screens.
#include "BackgroundInfo.h"
#include "EveryScreen.h"
#include "MainMenu.h"
#include "MultipleDisabilities.h"
#include "ScreenRegistry.h"
#include "ScreenTestKit.h"
#include "SelectLearner.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using kit::Saved;
using kit::shownAndActive;

namespace {

constexpr int Year = 2016;
const QString NotSaved = QStringLiteral("Data has NOT been Saved");

// Where the keyboard is: a grid and its active cell, or a control's name.
QString focusPlace()
{
    QWidget *focus = QApplication::focusWidget();
    if (!focus)
        return QStringLiteral("nothing");
    for (QWidget *w = focus; w; w = w->parentWidget())
        if (auto *grid = qobject_cast<grid::SpreadGrid *>(w))
            return QStringLiteral("%1(%2,%3)").arg(grid->objectName()).arg(grid->activeCol()).arg(grid->activeRow());
    return focus->objectName();
}

void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
}

// Types into whatever has the focus, key by key as the user does (the first
// key opens a cell's editor, the next ones go to it).
void typeText(const QString &text)
{
    for (const QChar ch : text) {
        if (ch.unicode() < 128)
            QTest::keyClicks(QApplication::focusWidget(), QString(ch));
        else
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(ch), Qt::NoModifier);
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
        learner = fx->store.addLearner(QStringLiteral("Dlamini"), QStringLiteral("Sipho"), QStringLiteral("C"), 2,
                                       QString(), 1, QStringLiteral("B-17"), QStringLiteral("20090412"), 1);
        fx->store.pickLearner(learner, Year);
        appState().EmisCode = QStringLiteral("700555111");
    }
    void cleanup() { fx.reset(); }

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
            QTest::keySequence(QApplication::focusWidget(), QKeySequence::Save);
            QCOMPARE(fx->store.scalar(QStringLiteral("SELECT Family_Situation FROM SNE_Learner_Background_Info "
                                                     "WHERE LearnerID = %1 AND Data_Year = %2").arg(learner).arg(Year))
                         .toString(), typed);
            QCOMPARE(fx->boxes.texts(), QStringList{Saved});
            QVERIFY(!screen->hasUnsavedChanges());
            return;
        }
        if (way == QLatin1String("print")) {
            PrinterChoice::setChooser(PrinterChoice::pdfChooser(fx->pdfPath()));
            QTest::keySequence(QApplication::focusWidget(), QKeySequence::Print);
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

};

QTEST_MAIN(TestKeyboardRoad)
#include "tst_keyboardroad.moc"
