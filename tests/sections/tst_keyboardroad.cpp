// The road from the learner list to a saved and printed Section 1 by keyboard
// alone: picking a learner, Enter on buttons, Tab through the cells, and an
// open cell editor whose text is never lost to Save, Print or leaving.
#include "BackgroundInfo.h"
#include "CriteriaSelection.h"
#include "HealthReport.h"
#include "MainMenu.h"
#include "MultipleDisabilities.h"
#include "ScreenRegistry.h"
#include "ScreenTestKit.h"
#include "SectionNavigator.h"
#include "SelectLearner.h"
#include "Stage1Screens.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

constexpr int Year = 2016;
const QString Saved = QStringLiteral("Your Information has been saved.");
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

bool shownAndActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
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
    void cleanup()
    {
        SectionNavigator::setShowHook({});
        fx.reset();
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

    void chainOpensEachScreenWhereTheLastStood()
    {
        registerDiagnosticProfileScreens(ScreenRegistry::instance());
        const QPoint place(37, 29);
        QList<QPoint> seen;
        QList<QSize> sizes;
        const QList<SectionScreen::Target> moves = {SectionScreen::Target::Next, SectionScreen::Target::Previous,
                                                    SectionScreen::Target::MainMenu};
        SectionNavigator::setShowHook([&](SectionScreen *screen) {
            QTimer::singleShot(0, screen, [&, screen] {
                if (seen.isEmpty())
                    screen->move(place);   // the user puts the first screen there
                seen << screen->pos();
                sizes << screen->size();
                screen->leave(moves.value(int(seen.size()) - 1, SectionScreen::Target::MainMenu));
            });
        });
        SectionNavigator(nullptr).run(QStringLiteral("frmHealthReport"));
        QCOMPARE(seen, QList<QPoint>({place, place, place}));   // report, criteria 1, report again
        QCOMPARE(sizes, QList<QSize>({sizes.first(), sizes.first(), sizes.first()}));
    }
};

QTEST_MAIN(TestKeyboardRoad)
#include "tst_keyboardroad.moc"
