// A day's work on the screens, driven with the keys and the mouse on the real
// widgets: limits the user can see, Escape that cancels only the edit, level
// lists that open on one click, Remove that never takes a second entry
// unseen, and a window that says it is waiting for another program.
#include "ActionGroup.h"
#include "BackgroundInfo.h"
#include "ExtendedProfile2.h"
#include "FocusMarker.h"
#include "IndividualSupportPlan.h"
#include "Connection.h"
#include "LockWaitNotice.h"
#include "SchoolRequestSupport.h"
#include "SelectYear.h"
#include "ScreenTestKit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QScrollArea>
#include <QTabWidget>
#include <QFontMetricsF>
#include <QtMath>
#include <QtTest>

#include <thread>

using kit::Saved;
using kit::shownAndActive;

namespace {

constexpr int Year = 2016;

QWidget *focused()
{
    return QApplication::focusWidget();
}

// Types into the active cell of grid as the user does: the first key opens
// the cell's editor, the rest go to the editor.
void typeInto(grid::SpreadGrid *grid, const QString &text)
{
    QTest::keyClicks(grid, text.left(1));
    QTest::keyClicks(focused(), text.mid(1));
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

class TestDailyUse : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<kit::Fixture> fx;
    int learner = 0;

    QString stored(const QString &column) const
    {
        return fx->store.scalar(QStringLiteral("SELECT %1 FROM SNE_Learner_Background_Info WHERE LearnerID = %2 "
                                               "AND Data_Year = %3").arg(column).arg(learner).arg(Year)).toString();
    }

    std::unique_ptr<frmBackgroundInfo> openSection1()
    {
        auto screen = kit::opened<frmBackgroundInfo>();
        if (!shownAndActive(*screen))
            qWarning("Section 1 not active");
        return screen;
    }

    // Section 3b with two entries in the first area's list, levels LOW and HIGH LEVEL.
    std::unique_ptr<frmSchoolRequestSupport> openSection3b()
    {
        for (const QString &row : {QStringLiteral("LOW', 'Ramp"), QStringLiteral("HIGH LEVEL', 'Rails")})
            fx->store.exec(QStringLiteral("INSERT INTO SNE_Learner_Support_Needs (LearnerID, Support_Area, "
                                          "Low_Moderate_High, School_Available, School_Need, Data_Year) "
                                          "VALUES (%1, 1, '%2', ' ', %3)").arg(learner).arg(row).arg(Year));
        auto screen = kit::opened<frmSchoolRequestSupport>();
        if (!shownAndActive(*screen))
            qWarning("Section 3b not active");
        return screen;
    }

private Q_SLOTS:
    void init()
    {
        fx = std::make_unique<kit::Fixture>(false);
        learner = fx->store.addLearner(QStringLiteral("Dlamini"), QStringLiteral("Sipho"));
        fx->store.pickLearner(learner, Year);
    }
    void cleanup()
    {
        fx.reset();
        Connection::setBusyTimeout(Connection::DefaultBusyTimeoutMs);
    }

    // The nature of early support holds 255 characters: the room left shows
    // near the end, and a paste of 900 says how much of it was left out.
    void limitIsShownAndALongPasteSaysWhatWasLeftOut()
    {
        const auto screen = openSection1();
        grid::SpreadGrid *grid = screen->gridEarlyIntervention();
        grid->setFocus(Qt::OtherFocusReason);
        grid->setActiveCell(1, 3);
        typeInto(grid, QString(200, QLatin1Char('a')));
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
        typeInto(entry, QStringLiteral("Read"));
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
        grid->setFocus(Qt::OtherFocusReason);
        grid->setActiveCell(1, 3);
        typeInto(grid, QStringLiteral("Lives with gran"));
        QTest::keyClick(focused(), Qt::Key_Tab);          // kept
        grid->setFocus(Qt::OtherFocusReason);
        grid->setActiveCell(1, 3);
        typeInto(grid, QStringLiteral(" and an uncle"));
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
        QCOMPARE(QApplication::focusWidget(), school->textBox());
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
        QVERIFY(QApplication::focusWidget() != years.yearList());
        QTRY_VERIFY(frameAround(QApplication::focusWidget()));
        const QImage drawn = years.grab().toImage();
        const QRect around = QApplication::focusWidget()->geometry().adjusted(-1, -1, 1, 1);
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

QTEST_MAIN(TestDailyUse)
#include "tst_dailyuse.moc"
