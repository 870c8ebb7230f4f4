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
#include "StoreError.h"
#include "TestStore.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QVBoxLayout>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// A section screen with one editable grid whose save routines succeed or fail
// as the test says.
class ProbeScreen : public SectionScreen
{
public:
    explicit ProbeScreen(const QString &name = u"frmProbe"_s, QWidget *parent = nullptr)
        : SectionScreen(name, u"SNA [PROBE]"_s, parent)
    {
        grid = new grid::SpreadGrid(2, 2, this);
        grid->cells().setStatic(1, 1, u"Label"_s);
        grid->cells().setEdit(1, 2, 50);
        grid->cells().setColWidth(1, 30);
        body()->addWidget(grid);
        watchGrid(grid);
        setNeighbours(u"frmBefore"_s, u"frmAfter"_s);
    }

    // Typed by the user into the one editable cell.
    void userEdit(const QString &text) { grid->model()->setData(grid->model()->index(1, 0), text, Qt::EditRole); }

    grid::SpreadGrid *grid;
    QVector<bool> outcomes = {true, true};
    // How a routine whose outcome is false fails.
    std::function<void(Connection &)> failure = [](Connection &) { throw StoreError(19, u"constraint failed"_s); };
    bool loadFails = false;
    QStringList ran;
    int loads = 0, reactivations = 0;
    bool kept = false;

protected:
    QVector<StoreRoutine> loadRoutines() override
    {
        return {{u"getProbe Routine"_s, [this](Connection &) {
                     ++loads;
                     if (loadFails)
                         throw StoreError(5, u"database is locked"_s);
                 }}};
    }
    QVector<StoreRoutine> saveRoutines() override
    {
        QVector<StoreRoutine> routines;
        for (int i = 0; i < outcomes.size(); ++i)
            routines << StoreRoutine{u"saveProbe Routine"_s, [this, i](Connection &db) {
                ran << QString::number(i);
                // Written inside the routine's transaction: gone again when it fails.
                db.executeNative(u"INSERT INTO Probe VALUES (%1)"_s.arg(i));
                if (!outcomes[i])
                    failure(db);
            }};
        return routines;
    }
    void printPage(PagePrinter &printer) override
    {
        SectionPage::print(printer, u" [ PROBE ]"_s, true, {{&grid->cells(), 800}});
    }
    void reactivate() override { ++reactivations; }
    bool keptWhileChainContinues() const override { return kept; }
};

// What a section screen is once opened on its own.
struct LoadedProbe : ProbeScreen {
    explicit LoadedProbe(bool failingLoad = false)
    {
        loadFails = failingLoad;
        loadScreen();
    }
};

} // namespace

class TestSectionProtocol : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        resetAppState();
        m_store = std::make_unique<TestStore>(false, false);
        m_store->exec(u"CREATE TABLE Probe (Routine INTEGER)"_s);
        appState().CurrentLearnerName = u"O'BRIEN Zoë"_s;
        appState().CurrentAccessionNo = u"A-77"_s;
        appState().CurrentDataYear = 2014;
        appState().EmisCode = u"500123456"_s;
    }

    void cleanup()
    {
        PrinterChoice::setChooser({});
        SectionNavigator::setShowHook({});
        m_store.reset();
    }

    void headerAndChangeMarking()
    {
        LoadedProbe screen;
        QCOMPARE(screen.learnerLabel()->text(), u"O'BRIEN Zoë : Acc Number: A-77"_s);
        QCOMPARE(screen.yearBox()->text(), u"2014"_s);
        QCOMPARE(screen.loads, 1);
        // Only the user's edits count as changes, not what the routines load.
        screen.grid->cells().setText(1, 2, u"loaded"_s);
        QVERIFY(!screen.hasUnsavedChanges());
        screen.userEdit(u"typed"_s);
        QVERIFY(screen.hasUnsavedChanges());
        QCOMPARE(ChangeFlag::backColor(screen.saveButton()).rgb(), QColor(255, 255, 0).rgb());
    }

    void saveConfirmsOnlyWhenEveryRoutineCompleted_data()
    {
        QTest::addColumn<QVector<bool>>("outcomes");
        QTest::addColumn<QString>("stored");   // the routines whose rows stay
        QTest::newRow("all complete") << QVector<bool>{true, true} << u"0,1"_s;
        QTest::newRow("first fails") << QVector<bool>{false, true} << u"1"_s;
        QTest::newRow("last fails") << QVector<bool>{true, false} << u"0"_s;
    }

    void saveConfirmsOnlyWhenEveryRoutineCompleted()
    {
        QFETCH(QVector<bool>, outcomes);
        QFETCH(QString, stored);
        const bool completed = !outcomes.contains(false);
        MessageRecorder boxes;
        LoadedProbe screen;
        screen.outcomes = outcomes;
        screen.userEdit(u"typed"_s);
        screen.show();
        QVERIFY(QTest::qWaitForWindowActive(&screen));
        QTest::keySequence(&screen, QKeySequence::Save);   // the keyboard saves like the button
        // A failed routine does not stop the ones after it.
        QCOMPARE(screen.ran, QStringList({u"0"_s, u"1"_s}));
        QCOMPARE(screen.hasUnsavedChanges(), !completed);
        // One box either way: the confirmation, or the one failure's report.
        QCOMPARE(boxes.count(), 1);
        if (completed)
            QCOMPARE(boxes.last().text, u"Your Information has been saved."_s);
        else
            QVERIFY(boxes.last().text.contains(u"Procedure: saveProbe Routine"_s));
        QCOMPARE(boxes.last().title, completed ? u"User Message"_s : u"Error : 19"_s);
        // Each routine in its own transaction: a failed one leaves nothing behind.
        QCOMPARE(m_store->scalar(u"SELECT group_concat(Routine) FROM Probe"_s).toString(), stored);
    }

    // A save goes on past a routine whose own statement failed, and stops at
    // a store out of reach, where every later routine would fail the same way.
    void saveStopsOnlyWhenTheStoreIsOutOfReach_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::addColumn<QStringList>("ran");
        QTest::addColumn<int>("stored");
        QTest::newRow("a function refuses its argument") << false << QStringList{u"0"_s, u"1"_s} << 1;
        QTest::newRow("another program holds the store") << true << QStringList{} << 0;
    }
    void saveStopsOnlyWhenTheStoreIsOutOfReach()
    {
        QFETCH(bool, locked);
        QFETCH(QStringList, ran);
        QFETCH(int, stored);
        MessageRecorder boxes;
        LoadedProbe screen;
        screen.outcomes = {false, true};
        screen.failure = [](Connection &db) { db.query(u"SELECT Mid('abc', 0) AS m"_s); };
        screen.userEdit(u"typed"_s);
        std::unique_ptr<Connection> other = locked ? m_store->lockedByAnotherProgram() : nullptr;
        QVERIFY(!screen.save());
        other.reset();
        Connection::setBusyTimeout(Connection::DefaultBusyTimeoutMs);
        QCOMPARE(screen.ran, ran);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().title, u"Error : 5"_s);   // the host's 5 is SQLite's "busy" code as well
        QCOMPARE(m_store->count(u"Probe"_s), stored);
    }

    // The one report of a failed load names the routine that failed, or the
    // store it could not reach; no save routine runs afterwards.
    void failedLoadNamesWhatFailed_data()
    {
        QTest::addColumn<bool>("storeGone");
        QTest::addColumn<QString>("procedure");
        QTest::newRow("load routine fails") << false << u"getProbe Routine"_s;
        QTest::newRow("store unreachable") << true << u"Database Access Error"_s;
    }
    void failedLoadNamesWhatFailed()
    {
        QFETCH(bool, storeGone);
        QFETCH(QString, procedure);
        MessageRecorder boxes;
        if (storeGone)
            appState().DatabasePath = m_store->dir() + u"/gone.db"_s;
        LoadedProbe screen(!storeGone);
        QCOMPARE(screen.loads, storeGone ? 0 : 1);
        QCOMPARE(boxes.count(), 1);
        QVERIFY(boxes.last().text.contains(u"Procedure: "_s + procedure));
        screen.userEdit(u"typed"_s);
        QVERIFY(!screen.save());
        QVERIFY(screen.ran.isEmpty());
    }

    void leavingAsksOnlyWithUnsavedChanges_data()
    {
        QTest::addColumn<int>("way");   // 0 Next, 1 Previous, 2 window close, 3 Escape
        QTest::addColumn<SectionScreen::Target>("target");
        QTest::newRow("next") << 0 << SectionScreen::Target::Next;
        QTest::newRow("previous") << 1 << SectionScreen::Target::Previous;
        QTest::newRow("window close") << 2 << SectionScreen::Target::MainMenu;
        QTest::newRow("escape") << 3 << SectionScreen::Target::MainMenu;
    }

    void leavingAsksOnlyWithUnsavedChanges()
    {
        QFETCH(int, way);
        QFETCH(SectionScreen::Target, target);
        MessageRecorder boxes;
        LoadedProbe screen;
        const auto leave = [&] {
            if (way == 2)
                screen.close();
            else if (way == 3)
                QTest::keyClick(&screen, Qt::Key_Escape);
            else
                screen.leave(way == 0 ? SectionScreen::Target::Next : SectionScreen::Target::Previous);
        };
        screen.show();
        leave();
        QVERIFY(!screen.isVisible());
        QCOMPARE(boxes.count(), 0);

        screen.show();
        screen.userEdit(u"typed"_s);
        boxes.answerNo();
        leave();
        QVERIFY(screen.isVisible());
        QCOMPARE(screen.grid->cells().text(1, 2), u"typed"_s);
        QVERIFY(screen.hasUnsavedChanges());
        QCOMPARE(boxes.titles(), QStringList{u"Data has NOT been Saved"_s});
        leave();   // unanswered: the default is No
        QVERIFY(screen.isVisible());

        boxes.answerYes();
        leave();
        QVERIFY(!screen.isVisible());
        QCOMPARE(boxes.count(), 3);
        QCOMPARE(screen.target(), target);
    }

    void printPageGoesToPdfUnlessCancelled()
    {
        MessageRecorder boxes;
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"probe.pdf"_s);
        PrinterChoice::setChooser(PrinterChoice::pdfChooser(pdf));
        LoadedProbe screen;
        screen.userEdit(u"unsaved words"_s);
        QVERIFY(screen.printPageNow());
        QCOMPARE(boxes.count(), 0);
        QVERIFY(screen.hasUnsavedChanges());   // printing neither saves nor clears the flag
        const QString text = PdfText::all(pdf);
        QVERIFY2(text.contains(u"EMIS NUMBER: 500123456 [ PROBE ]"_s), qPrintable(text));
        // pdftotext folds the two blanks before ASSESION into one.
        QVERIFY2(text.contains(QRegularExpression(u"LEARNER NAME : O'BRIEN Zoë +ASSESION NUMBER: A-77"_s)), qPrintable(text));
        QVERIFY(text.contains(u"unsaved words"_s));
        QCOMPARE(PdfText::pageCount(pdf), 1);
        // "Times New Roman" on paper is its metric twin, embedded.
        const QString fonts = PdfText::fonts(pdf).join(QLatin1Char(' '));
        QVERIFY2(fonts.contains(u"LiberationSerif"_s), qPrintable(fonts));

        // Without an EMIS number or accession number the head leaves them empty.
        const PageHead bare{QString(), u"O'BRIEN Zoë"_s, QString()};
        QCOMPARE(SectionPage::headerText(bare, u" [ PROBE ]"_s), u" EMIS NUMBER:  [ PROBE ]"_s);
        QCOMPARE(SectionPage::learnerLineText(bare), u" LEARNER NAME : O'BRIEN Zoë  ASSESION NUMBER: "_s);

        // A cancelled printer dialog is reported and prints nothing.
        PrinterChoice::setChooser([](QWidget *, QPageLayout::Orientation) { return std::unique_ptr<QPrinter>(); });
        QVERIFY(!screen.printPageNow());
        QCOMPARE(boxes.count(), 1);
        QVERIFY(boxes.last().title.startsWith(u"Error : "_s));
        QVERIFY(boxes.last().text.contains(u"Location: frmProbe"_s));
        QVERIFY(boxes.last().text.endsWith(u"Procedure: Print Routine"_s));
    }

    void chainWalksOneScreenAtATime_data()
    {
        QTest::addColumn<bool>("keepA");
        QTest::newRow("Closed") << false;
        QTest::newRow("Kept") << true;
    }

    void chainWalksOneScreenAtATime()
    {
        QFETCH(bool, keepA);
        MessageRecorder boxes;
        const QString a = u"frm%1A"_s.arg(QLatin1String(QTest::currentDataTag()));
        const QString b = u"frm%1B"_s.arg(QLatin1String(QTest::currentDataTag()));
        ScreenRegistry::instance().add(a, [a, keepA](QWidget *p) {
            auto *screen = new ProbeScreen(a, p);
            screen->kept = keepA;
            return screen;
        });
        ScreenRegistry::instance().add(b, [b](QWidget *p) { return new ProbeScreen(b, p); });
        ScreenRegistry::instance().addChain({a, b});

        // A edited, Next -> B, Previous -> A (afresh unless kept), Main Menu.
        const QList<SectionScreen::Target> moves = {SectionScreen::Target::Next, SectionScreen::Target::Previous};
        QStringList shown;
        QString text;
        int reactivated = -1;
        SectionNavigator::setShowHook([&](SectionScreen *screen) {
            auto *probe = static_cast<ProbeScreen *>(screen);
            const int step = int(shown.size());
            shown << probe->objectName().right(1) + QString::number(probe->loads);
            QTimer::singleShot(0, probe, [&, probe, step] {
                if (step == 0)
                    probe->userEdit(u"kept edit"_s);
                text = probe->grid->cells().text(1, 2);
                reactivated = probe->reactivations;
                boxes.answerYes();
                probe->leave(moves.value(step, SectionScreen::Target::MainMenu));
            });
        });
        SectionNavigator navigator(nullptr);
        navigator.run(a);
        QCOMPARE(shown, QStringList({u"A1"_s, u"B1"_s, u"A1"_s}));
        QCOMPARE(text, keepA ? u"kept edit"_s : QString());
        QCOMPARE(reactivated, keepA ? 1 : 0);
        QCOMPARE(boxes.count(), keepA ? 2 : 1);   // only edited screens ask
    }

    void mainMenu()
    {
        ScreenRegistry::instance().add(u"frmISP"_s, [](QWidget *p) { return new ProbeScreen(u"frmISP"_s, p); });
        frmSNA_Main menu;
        QCOMPARE(menu.windowTitle(), u"Support needs assessment [MAIN MENU] Learner : O'BRIEN Zoë"_s);
        QCOMPARE(menu.findChild<QLabel *>(u"lblLearner"_s)->text(), u"O'BRIEN Zoë : Acc Number: A-77"_s);
        QCOMPARE(menu.stageButton(4)->text(), u"Action plan for additional support provision and monitoring"_s);
        QCOMPARE(menu.sectionButton(u"cmdSection3b"_s)->text(), u"Section 3b: School request form for additional support"_s);
        // Only sections with a screen behind them can be opened.
        QVERIFY(menu.sectionButton(u"cmdISP"_s)->isEnabled());
        QVERIFY(!menu.sectionButton(u"cmdSection4"_s)->isEnabled());
        for (int stage = 1; stage <= 4; ++stage)
            QVERIFY(!menu.stageFrame(stage)->isVisibleTo(&menu));

        // Each stage button shows its own sub-menu frame only.
        menu.stageButton(1)->click();
        menu.stageButton(3)->click();
        for (int stage = 1; stage <= 4; ++stage) {
            QCOMPARE(menu.stageFrame(stage)->isVisibleTo(&menu), stage == 3);
            QCOMPARE(ChangeFlag::isChanged(menu.stageButton(stage)), stage == 3);
            QCOMPARE(menu.findChild<QFrame *>(u"Line%1"_s.arg(stage))->isVisibleTo(&menu), stage == 3);
        }
        // At its place, at least as wide as laid out, and wide enough that its
        // caption is read whole inside the window.
        QGroupBox *frame3 = menu.stageFrame(3);
        QCOMPARE(frame3->pos(), QPoint(frmSNA_Main::px(4800), frmSNA_Main::px(700)));
        QCOMPARE(frame3->height(), frmSNA_Main::px(2775));
        QVERIFY(frame3->width() >= frmSNA_Main::px(5450));
        QCOMPARE(frame3->title(), u"SNA (Sections 3a and 3b) Assessment of support requirements"_s);
        QStyleOptionGroupBox option;
        option.initFrom(frame3);
        option.text = frame3->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        option.lineWidth = 1;
        const QRect caption = frame3->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame3);
        QVERIFY2(caption.width() >= frame3->fontMetrics().horizontalAdvance(frame3->title())
                     && caption.right() < frame3->width(),
                 qPrintable(u"caption %1 wide, frame %2"_s.arg(caption.width()).arg(frame3->width())));
        QVERIFY(frame3->geometry().right() < menu.width());
        menu.show_Sub_Menu(1);
        QVERIFY(menu.stageFrame(1)->width() >= frmSNA_Main::px(4600));
        menu.show_Sub_Menu(7);   // not a stage: nothing changes
        QVERIFY(menu.stageFrame(1)->isVisibleTo(&menu));
    }

private:
    std::unique_ptr<TestStore> m_store;
};

QTEST_MAIN(TestSectionProtocol)
#include "tst_sectionprotocol.moc"
