// "Reviews Due" on screen: groups and counts, sorting and filters, a row
// opening the learner's ISP at the action's tab and the list read again
// after it, and the list printed through the print preview.

#include "ActionGroup.h"
#include "AppState.h"
#include "DatabaseConnection.h"
#include "EveryScreen.h"
#include "IndividualSupportPlan.h"
#include "MessageRecorder.h"
#include "PdfText.h"
#include "PrintPreview.h"
#include "PrinterChoice.h"
#include "ReviewsDueScreen.h"
#include "ReviewsSchool.h"
#include "SectionNavigator.h"
#include "SelectLearner.h"
#include "SpreadGrid.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QStringList row(const frmReviewsDue &screen, int shownRow)
{
    QStringList texts;
    const QAbstractItemModel *model = screen.view()->model();
    for (int c = 0; c < model->columnCount(); ++c)
        texts << model->index(shownRow, c).data().toString();
    return texts;
}

int rowOf(const frmReviewsDue &screen, const QString &learner, const QString &action)
{
    for (int r = 0; r < screen.view()->model()->rowCount(); ++r) {
        const QStringList texts = row(screen, r);
        if (texts.at(1) == learner && texts.at(4) == action)
            return r;
    }
    return -1;
}

} // namespace

class TestReviewsDueScreen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { registerEveryScreen(ScreenRegistry::instance()); }
    void init()
    {
        resetAppState();
        appState().CurrentDataYear = ReviewsSchool::Year;
    }
    void cleanup()
    {
        SectionNavigator::setShowHook({});
        PrinterChoice::setChooser({});
    }

    void opensFromTheLearnerList()
    {
        ReviewsSchool school;
        frmSelectLearner learners;
        QPushButton *button = learners.button(u"cmdReviewsDue"_s);
        QVERIFY(button);
        QCOMPARE(button->text(), u"Reviews Due"_s);
        int listed = -1;
        QTimer::singleShot(0, &learners, [&] {
            auto *reviews = qobject_cast<frmReviewsDue *>(QApplication::activeModalWidget());
            QVERIFY(reviews);
            listed = reviews->view()->model()->rowCount();
            reviews->reject();
        });
        button->click();
        QCOMPARE(listed, 35);   // from the clock's day the groups vary, the rows do not
    }

    void sortsByAnyColumnAndFiltersByGradeAndText()
    {
        ReviewsSchool school;
        frmReviewsDue screen(ReviewsSchool::today());
        QVERIFY(screen.load());
        QCOMPARE(screen.view()->model()->rowCount(), 35);
        QVERIFY(screen.countsLabel()->text().endsWith(
            u"overdue: 1   due within 7 days: 1   due within 30 days: 1   later: 30   "
             "no review date set: 1   date not readable: 1"_s));
        QCOMPARE(row(screen, 0), QStringList({"overdue", "ADAMS Zoe", "A-001", "Grade 4", "Action 1",
                                              "Reads aloud daily", "Ms Dube", "09/03/2026", "20/02/2026"}));

        screen.view()->sortByColumn(1, Qt::DescendingOrder);   // learner
        QCOMPARE(row(screen, 0).at(1), u"DLAMINI Thabo"_s);
        screen.view()->sortByColumn(7, Qt::DescendingOrder);   // review date: texts, undated, then dates
        QCOMPARE(row(screen, 0).at(7), u"next term"_s);
        QCOMPARE(row(screen, 1).at(7), QString());
        QCOMPARE(row(screen, 2).at(7), u"10/05/2026"_s);
        screen.view()->sortByColumn(7, Qt::AscendingOrder);
        QCOMPARE(row(screen, 0).at(7), u"09/03/2026"_s);
        QCOMPARE(row(screen, 1).at(7), u"17/03/2026"_s);

        screen.gradeFilter()->setCurrentIndex(screen.gradeFilter()->findText(u"Grade 5"_s));
        QCOMPARE(screen.view()->model()->rowCount(), 2);
        QVERIFY(screen.countsLabel()->text().contains(u"overdue: 0   due within 7 days: 0   " "due within 30 days: 1"_s));
        screen.gradeFilter()->setCurrentIndex(0);
        screen.textFilter()->setText(u"HALVES"_s);
        QCOMPARE(screen.view()->model()->rowCount(), 1);
        QCOMPARE(row(screen, 0).at(6), u"Mr O'Neil"_s);
        screen.textFilter()->setText(u"line 3"_s);   // Support line 3, 30, ...
        QCOMPARE(screen.view()->model()->rowCount(), 2);
    }

    void doubleClickOrEnterOpensTheIspAtTheActionsTabAndTheListIsReadAgain()
    {
        ReviewsSchool school;
        MessageRecorder messages;
        frmReviewsDue screen(ReviewsSchool::today());
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        QVERIFY(screen.load());
        appState().CurrentLearnerID = school.adams;   // picked on the learner list before

        QString opened;
        int page = -1;
        qint32 learner = 0;
        SectionNavigator::setShowHook([&](SectionScreen *isp) {
            opened = isp->screenName();
            learner = appState().CurrentLearnerID;
            QTimer::singleShot(0, isp, [&page, isp] {
                page = isp->currentPage();   // as the user sees it, once shown
                // The user writes a review date over "next term" and saves.
                grid::SpreadModel &cells = static_cast<frmISP *>(isp)->group(4)->previewGrid()->cells();
                cells.setText(ActionGroup::ReviewDateCol, ActionGroup::FirstActionRow, u"20/03/2026"_s);
                isp->markChanged();
                isp->save();
                isp->leave(SectionScreen::Target::MainMenu);
            });
        });
        const int r = rowOf(screen, u"BROWN Sam"_s, u"Action 4"_s);
        QVERIFY(r >= 0);
        screen.view()->scrollTo(screen.view()->model()->index(r, 5));
        const QRect cell = screen.view()->visualRect(screen.view()->model()->index(r, 5));
        // As a mouse does it: the first press, then the double-click.
        QTest::mouseClick(screen.view()->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(screen.view()->viewport(), Qt::LeftButton, {}, cell.center());

        QCOMPARE(opened, u"frmISP"_s);
        QCOMPARE(page, 3);   // "Action 4"
        QCOMPARE(learner, school.brown);
        QCOMPARE(appState().CurrentLearnerID, school.adams);   // the learner list's pick is kept
        QVERIFY(messages.sawText(u"Your Information has been saved."_s));
        QCOMPARE(school.store.scalar(u"SELECT Review_Date FROM SNE_ISP WHERE LearnerID = %1 AND "
                                      "Action = 4 AND Data_Year = 2026"_s.arg(school.brown)).toString(),
                 u"20/03/2026"_s);
        // Read again: the action left "date not readable" for the 30-day group.
        QCOMPARE(screen.list().counts(), (std::array<int, 6>{1, 1, 2, 30, 1, 0}));
        const QModelIndex current = screen.view()->currentIndex();
        QCOMPARE(row(screen, current.row()).mid(0, 2), QStringList({"due within 30 days", "BROWN Sam"}));
        QCOMPARE(row(screen, current.row()).at(7), u"20/03/2026"_s);

        // Enter opens the row under the cursor.
        SectionNavigator::setShowHook([&](SectionScreen *isp) {
            page = isp->currentPage();
            QTimer::singleShot(0, isp, [isp] { isp->leave(SectionScreen::Target::MainMenu); });
        });
        screen.view()->setFocus();
        screen.view()->setCurrentIndex(screen.view()->model()->index(rowOf(screen, u"ADAMS Zoe"_s, u"Action 3"_s), 1));
        QTest::keyClick(screen.view(), Qt::Key_Return);
        QCOMPARE(page, 2);
    }

    void printsTheShownRowsThroughThePreview()
    {
        ReviewsSchool school;
        LoadSchoolDetails(*school.store.connect());
        frmReviewsDue screen(ReviewsSchool::today());
        QVERIFY(screen.load());
        screen.gradeFilter()->setCurrentIndex(screen.gradeFilter()->findText(u"Grade 4"_s));
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"reviews.pdf"_s);
        PrinterChoice::setChooser(PrinterChoice::pdfChooser(pdf));
        int previewPages = 0;
        QTimer::singleShot(0, &screen, [&] {
            auto *preview = qobject_cast<PrintPreview *>(QApplication::activeModalWidget());
            QVERIFY(preview);
            previewPages = preview->pageCount();
            QVERIFY(preview->print());
            preview->reject();
        });
        screen.printList();

        QCOMPARE(PdfText::pageSize(pdf), QSizeF(842, 595));   // A4 landscape
        QCOMPARE(PdfText::pageCount(pdf), previewPages);
        const QStringList pages = PdfText::pages(pdf);
        const QString first = pages.at(0).simplified();
        for (const QString &text : {u"Hillview Primary EMIS NUMBER: 500123456"_s,
                                    u"REVIEWS DUE 2026, as at 10/03/2026 Grade: Grade 4"_s,
                                    u"overdue: 1 due within 7 days: 1 due within 30 days: 0 later: 30 "
                                    "no review date set: 1 date not readable: 0"_s,
                                    u"overdue (1)"_s, u"due within 7 days (1)"_s, u"due within 30 days (0)"_s, u"later (30)"_s,
                                    u"Page 1 of %1"_s.arg(previewPages)})
            QVERIFY2(first.contains(text), qPrintable(text));
        const QString all = PdfText::all(pdf).simplified();
        QVERIFY(!all.contains(u"BROWN"_s));
        for (int line = 1; line <= 30; ++line)
            QVERIFY2(all.contains(u"Support line %1 "_s.arg(line)), qPrintable(QString::number(line)));
        QVERIFY(all.contains(u"no review date set (1)"_s));
        QVERIFY(pages.last().simplified().contains(u"Page %1 of %1"_s.arg(previewPages)));
        // The later group runs onto the second sheet under its heading, marked, and the column heads.
        QCOMPARE(previewPages, 2);
        QVERIFY(pages.at(1).simplified().contains(u"later (30), continued Learner Accession No Grade Action Target"_s));
    }
};

QTEST_MAIN(TestReviewsDueScreen)
#include "tst_reviewsduescreen.moc"
