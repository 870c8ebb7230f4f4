// The protocol every section screen follows, on a small screen made for the
// test, and the main menu that opens the section chains.
#include "AppState.h"
#include "ChangeFlag.h"
#include "MainMenu.h"
#include "MessageRecorder.h"
#include "PagePrinter.h"
#include "PdfText.h"
#include "PrinterChoice.h"
#include "ScreenRegistry.h"
#include "SectionNavigator.h"
#include "SectionPage.h"
#include "SectionScreen.h"
#include "SpreadGrid.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// A section screen with one editable grid whose save routines succeed or fail
// as the test says.
class ProbeScreen : public SectionScreen
{
public:
    explicit ProbeScreen(const QString &name, QWidget *parent = nullptr)
        : SectionScreen(name, QStringLiteral("SNA [PROBE]"), parent)
    {
        grid = new grid::SpreadGrid(2, 2, this);
        grid->cells().setStatic(1, 1, QStringLiteral("Label"));
        grid->cells().setEdit(1, 2, 50);
        grid->cells().setColWidth(1, 30);
        body()->addWidget(grid);
        watchGrid(grid);
        setNeighbours(true, true);
    }

    grid::SpreadGrid *grid;
    QVector<bool> outcomes = {true, true};
    QStringList ran;
    int loads = 0;
    int reactivations = 0;
    bool kept = false;

protected:
    void load() override { ++loads; }
    QVector<SaveRoutine> saveRoutines() override
    {
        QVector<SaveRoutine> routines;
        for (int i = 0; i < outcomes.size(); ++i)
            routines << routine([this, i] {
                ran << QString::number(i);
                return outcomes[i];
            });
        return routines;
    }
    void printPage(PagePrinter &printer) override
    {
        SectionPage::print(printer, QStringLiteral(" [ PROBE ]"), true, {{&grid->cells(), 800}});
    }
    void reactivate() override { ++reactivations; }
    bool keptWhileChainContinues() const override { return kept; }
};

void userEdit(grid::SpreadGrid *grid, int col, int row, const QString &text)
{
    grid->model()->setData(grid->model()->index(row - 1, col - 1), text, Qt::EditRole);
}

} // namespace

class TestSectionProtocol : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void headerShowsLearnerAndYear();
    void userEditMarksChangedLoadingDoesNot();
    void saveConfirmsOnlyWhenEveryRoutineCompleted();
    void failedRoutineKeepsButtonYellowAndLaterRoutinesRun();
    void leavingAsksOnlyWithUnsavedChanges();
    void windowCloseAsksTheSameQuestion();
    void printPageGoesToPdf();
    void cancelledPrinterDialogReportsAndPrintsNothing();

    void chainWalksNextAndPreviousOneScreenAtATime();
    void keptScreenSurvivesWithItsEdits();

    void mainMenuCaptionAndStages();
    void subMenuShowsOnlyItsFrame();
    void sectionButtonsEnabledOnlyForKnownScreens();

private:
    QTemporaryDir m_dir;
};

void TestSectionProtocol::init()
{
    resetAppState();
    appState().CurrentLearnerName = QStringLiteral("O'BRIEN Zoë");
    appState().CurrentAccessionNo = QStringLiteral("A-77");
    appState().CurrentDataYear = 2014;
    appState().EmisCode = QStringLiteral("500123456");
}

void TestSectionProtocol::cleanup()
{
    PrinterChoice::setChooser({});
    SectionNavigator::setShowHook({});
}

void TestSectionProtocol::headerShowsLearnerAndYear()
{
    ProbeScreen screen(QStringLiteral("frmProbe"));
    screen.loadScreen();
    QCOMPARE(screen.objectName(), QStringLiteral("frmProbe"));
    QCOMPARE(screen.learnerLabel()->text(), QStringLiteral("O'BRIEN Zoë : Acc Number: A-77"));
    QCOMPARE(screen.yearBox()->text(), QStringLiteral("2014"));
    QCOMPARE(screen.saveButton()->text(), QStringLiteral("Save"));
    QCOMPARE(screen.printButton()->text(), QStringLiteral("Print Page"));
    QCOMPARE(screen.loads, 1);
    QVERIFY(!screen.hasUnsavedChanges());
}

void TestSectionProtocol::userEditMarksChangedLoadingDoesNot()
{
    ProbeScreen screen(QStringLiteral("frmProbe"));
    screen.loadScreen();
    screen.grid->cells().setText(1, 2, QStringLiteral("loaded"));
    QVERIFY(!screen.hasUnsavedChanges());
    userEdit(screen.grid, 1, 2, QStringLiteral("typed"));
    QVERIFY(screen.hasUnsavedChanges());
    QCOMPARE(ChangeFlag::backColor(screen.saveButton()).rgb(), QColor(255, 255, 0).rgb());
}

void TestSectionProtocol::saveConfirmsOnlyWhenEveryRoutineCompleted()
{
    MessageRecorder boxes;
    ProbeScreen screen(QStringLiteral("frmProbe"));
    screen.loadScreen();
    userEdit(screen.grid, 1, 2, QStringLiteral("typed"));
    screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    QTest::keySequence(&screen, QKeySequence::Save);   // the keyboard saves like the button
    QCOMPARE(screen.ran, QStringList({QStringLiteral("0"), QStringLiteral("1")}));
    QVERIFY(!screen.hasUnsavedChanges());
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().text, QStringLiteral("Your Information has been saved."));
    QCOMPARE(boxes.last().title, QStringLiteral("User Message"));
}

void TestSectionProtocol::failedRoutineKeepsButtonYellowAndLaterRoutinesRun()
{
    MessageRecorder boxes;
    ProbeScreen screen(QStringLiteral("frmProbe"));
    screen.loadScreen();
    screen.outcomes = {false, true};
    userEdit(screen.grid, 1, 2, QStringLiteral("typed"));
    QVERIFY(!screen.save());
    QCOMPARE(screen.ran, QStringList({QStringLiteral("0"), QStringLiteral("1")}));
    QVERIFY(screen.hasUnsavedChanges());
    QCOMPARE(boxes.count(), 0);
}

void TestSectionProtocol::leavingAsksOnlyWithUnsavedChanges()
{
    MessageRecorder boxes;
    ProbeScreen screen(QStringLiteral("frmProbe"));
    screen.loadScreen();
    screen.show();
    QVERIFY(screen.leave(SectionScreen::Target::Next));
    QCOMPARE(boxes.count(), 0);
    QVERIFY(!screen.isVisible());
    QCOMPARE(screen.target(), SectionScreen::Target::Next);

    screen.show();
    userEdit(screen.grid, 1, 2, QStringLiteral("typed"));
    boxes.answerNo();
    QVERIFY(!screen.leave(SectionScreen::Target::MainMenu));
    QVERIFY(screen.isVisible());
    QCOMPARE(screen.grid->cells().text(1, 2), QStringLiteral("typed"));
    QVERIFY(screen.hasUnsavedChanges());
    QCOMPARE(boxes.last().title, QStringLiteral("Data has NOT been Saved"));

    boxes.answerYes();
    QVERIFY(screen.leave(SectionScreen::Target::Previous));
    QVERIFY(!screen.isVisible());
    QCOMPARE(screen.target(), SectionScreen::Target::Previous);
}

void TestSectionProtocol::windowCloseAsksTheSameQuestion()
{
    MessageRecorder boxes;
    ProbeScreen screen(QStringLiteral("frmProbe"));
    screen.loadScreen();
    screen.show();
    userEdit(screen.grid, 1, 2, QStringLiteral("typed"));
    boxes.answerNo();
    screen.close();
    QVERIFY(screen.isVisible());
    QCOMPARE(boxes.count(), 1);
    QTest::keyClick(&screen, Qt::Key_Escape);   // answered No by default
    QVERIFY(screen.isVisible());
    QCOMPARE(boxes.count(), 2);
    boxes.answerYes();
    screen.close();
    QVERIFY(!screen.isVisible());
    QCOMPARE(screen.target(), SectionScreen::Target::MainMenu);
}

void TestSectionProtocol::printPageGoesToPdf()
{
    MessageRecorder boxes;
    const QString pdf = m_dir.filePath(QStringLiteral("probe.pdf"));
    PrinterChoice::setChooser(PrinterChoice::pdfChooser(pdf));
    ProbeScreen screen(QStringLiteral("frmProbe"));
    screen.loadScreen();
    userEdit(screen.grid, 1, 2, QStringLiteral("unsaved words"));
    QVERIFY(screen.printPageNow());
    QCOMPARE(boxes.count(), 0);
    // Printing neither saves nor clears the change flag.
    QVERIFY(screen.hasUnsavedChanges());
    const QString text = PdfText::all(pdf);
    QVERIFY2(text.contains(QStringLiteral("EMIS NUMBER: 500123456 [ PROBE ]")), qPrintable(text));
    QCOMPARE(SectionPage::learnerLineText(), QStringLiteral(" LEARNER NAME : O'BRIEN Zoë  ASSESION NUMBER: A-77"));
    appState().EmisCode.clear();
    appState().CurrentAccessionNo.clear();
    QCOMPARE(SectionPage::headerText(QStringLiteral(" [ PROBE ]")), QStringLiteral(" EMIS NUMBER:  [ PROBE ]"));
    QCOMPARE(SectionPage::learnerLineText(), QStringLiteral(" LEARNER NAME : O'BRIEN Zoë  ASSESION NUMBER: "));
    // pdftotext folds the two blanks before ASSESION into one.
    QVERIFY2(text.contains(QRegularExpression(QStringLiteral("LEARNER NAME : O'BRIEN Zoë +ASSESION NUMBER: A-77"))),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("unsaved words")));
    QCOMPARE(PdfText::pageCount(pdf), 1);
    // "Times New Roman" on paper is its metric twin, embedded.
    QVERIFY2(PdfText::fonts(pdf).join(QLatin1Char(' ')).contains(QStringLiteral("LiberationSerif")),
             qPrintable(PdfText::fonts(pdf).join(QLatin1Char(' '))));
}

void TestSectionProtocol::cancelledPrinterDialogReportsAndPrintsNothing()
{
    MessageRecorder boxes;
    PrinterChoice::setChooser([](QWidget *, QPageLayout::Orientation) { return std::unique_ptr<QPrinter>(); });
    ProbeScreen screen(QStringLiteral("frmProbe"));
    screen.loadScreen();
    QVERIFY(!screen.printPageNow());
    QCOMPARE(boxes.count(), 1);
    QVERIFY(boxes.last().title.startsWith(QStringLiteral("Error : ")));
    QVERIFY(boxes.last().text.contains(QStringLiteral("Location: frmProbe")));
    QVERIFY(boxes.last().text.endsWith(QStringLiteral("Procedure: Print Routine")));
}

void TestSectionProtocol::chainWalksNextAndPreviousOneScreenAtATime()
{
    MessageRecorder boxes;
    ScreenRegistry &registry = ScreenRegistry::instance();
    registry.add(QStringLiteral("frmChainA"), [](QWidget *p) { return new ProbeScreen(QStringLiteral("frmChainA"), p); },
                 QString(), QStringLiteral("frmChainB"));
    registry.add(QStringLiteral("frmChainB"), [](QWidget *p) { return new ProbeScreen(QStringLiteral("frmChainB"), p); },
                 QStringLiteral("frmChainA"), QString());

    // A, Next -> B, Previous -> A (loaded afresh), Main Menu.
    QStringList shown;
    const QList<SectionScreen::Target> moves = {SectionScreen::Target::Next, SectionScreen::Target::Previous,
                                                SectionScreen::Target::MainMenu};
    SectionNavigator::setShowHook([&](SectionScreen *screen) {
        const int step = int(shown.size());
        shown << screen->objectName() + QString::number(static_cast<ProbeScreen *>(screen)->loads);
        QTimer::singleShot(0, screen, [&, screen, step] {
            screen->leave(moves.value(step, SectionScreen::Target::MainMenu));
        });
    });
    SectionNavigator navigator(nullptr);
    navigator.run(QStringLiteral("frmChainA"));
    QCOMPARE(shown, QStringList({QStringLiteral("frmChainA1"), QStringLiteral("frmChainB1"),
                                 QStringLiteral("frmChainA1")}));
    QCOMPARE(boxes.count(), 0);
}

void TestSectionProtocol::keptScreenSurvivesWithItsEdits()
{
    MessageRecorder boxes;
    ScreenRegistry &registry = ScreenRegistry::instance();
    registry.add(QStringLiteral("frmKeptA"), [](QWidget *p) {
        auto *s = new ProbeScreen(QStringLiteral("frmKeptA"), p);
        s->kept = true;
        return s;
    }, QString(), QStringLiteral("frmKeptB"));
    registry.add(QStringLiteral("frmKeptB"), [](QWidget *p) { return new ProbeScreen(QStringLiteral("frmKeptB"), p); },
                 QStringLiteral("frmKeptA"), QString());

    int step = 0;
    QString textOnReturn;
    int reactivationsOnReturn = -1;
    SectionNavigator::setShowHook([&](SectionScreen *screen) {
        auto *probe = static_cast<ProbeScreen *>(screen);
        const int now = step++;
        QTimer::singleShot(0, screen, [&, probe, now] {
            if (now == 0) {
                userEdit(probe->grid, 1, 2, QStringLiteral("kept edit"));
                boxes.answerYes();
                probe->leave(SectionScreen::Target::Next);
            } else if (now == 1) {
                probe->leave(SectionScreen::Target::Previous);
            } else {
                textOnReturn = probe->grid->cells().text(1, 2);
                reactivationsOnReturn = probe->reactivations;
                boxes.answerYes();
                probe->leave(SectionScreen::Target::MainMenu);
            }
        });
    });
    SectionNavigator navigator(nullptr);
    navigator.run(QStringLiteral("frmKeptA"));
    QCOMPARE(step, 3);
    QCOMPARE(textOnReturn, QStringLiteral("kept edit"));
    QCOMPARE(reactivationsOnReturn, 1);
}

void TestSectionProtocol::mainMenuCaptionAndStages()
{
    frmSNA_Main menu;
    QCOMPARE(menu.windowTitle(), QStringLiteral("Support needs assessment [MAIN MENU] Learner : O'BRIEN Zoë"));
    QCOMPARE(menu.findChild<QLabel *>(QStringLiteral("lblLearner"))->text(),
             QStringLiteral("O'BRIEN Zoë : Acc Number: A-77"));
    QCOMPARE(menu.stageButton(4)->text(), QStringLiteral("Action plan for additional support provision and monitoring"));
    for (int stage = 1; stage <= 4; ++stage)
        QVERIFY(!menu.stageFrame(stage)->isVisibleTo(&menu));
}

void TestSectionProtocol::subMenuShowsOnlyItsFrame()
{
    frmSNA_Main menu;
    menu.stageButton(1)->click();
    menu.stageButton(3)->click();
    for (int stage = 1; stage <= 4; ++stage) {
        QCOMPARE(menu.stageFrame(stage)->isVisibleTo(&menu), stage == 3);
        QCOMPARE(ChangeFlag::isChanged(menu.stageButton(stage)), stage == 3);
        QCOMPARE(menu.findChild<QFrame *>(QStringLiteral("Line%1").arg(stage))->isVisibleTo(&menu), stage == 3);
    }
    QCOMPARE(menu.stageFrame(3)->geometry(), QRect(frmSNA_Main::px(4800), frmSNA_Main::px(700),
                                                   frmSNA_Main::px(5450), frmSNA_Main::px(2775)));
    menu.show_Sub_Menu(1);
    QCOMPARE(menu.stageFrame(1)->width(), frmSNA_Main::px(4600));
    menu.show_Sub_Menu(7);   // not a stage: nothing changes
    QVERIFY(menu.stageFrame(1)->isVisibleTo(&menu));
}

void TestSectionProtocol::sectionButtonsEnabledOnlyForKnownScreens()
{
    ScreenRegistry::instance().add(QStringLiteral("frmISP"),
                                   [](QWidget *p) { return new ProbeScreen(QStringLiteral("frmISP"), p); });
    frmSNA_Main menu;
    QVERIFY(menu.sectionButton(QStringLiteral("cmdISP"))->isEnabled());
    QVERIFY(!menu.sectionButton(QStringLiteral("cmdSection4"))->isEnabled());
    QCOMPARE(menu.sectionButton(QStringLiteral("cmdSection3b"))->text(),
             QStringLiteral("Section 3b: School request form for additional support"));
}

QTEST_MAIN(TestSectionProtocol)
#include "tst_sectionprotocol.moc"
