// The report selection screens and the viewer, headless: captions, the
// checks before a report opens with their messages and focus, what each
// screen hands the next, and the viewer's pages, printing and PDF export.
#include "BarrierSelect.h"
#include "Connection.h"
#include "ListReportStatement.h"
#include "PdfText.h"
#include "ReportDesign.h"
#include "ReportFixture.h"
#include "ReportOptions.h"
#include "ReportScreens.h"
#include "ReportScreensRegistration.h"
#include "ReportSelect.h"
#include "ReportView.h"
#include "PageView.h"
#include "ProgressWindow.h"
#include "SelectLearner.h"
#include "SpreadGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QtTest>

using namespace reports;

namespace {

// What the screen that opened last was handed.
struct Opened
{
    QStringList screens;
    QString mode;
    QString sql;
    int rows = -1;          // pages of the viewer's report
    QString accession;      // the options screen's box
    bool learnerChosen = false;
    bool allChosen = false;
};

void watch(Opened &opened)
{
    ModalScreens::setObserver([&opened](QDialog &screen) {
        opened.screens << screen.objectName();
        if (auto *viewer = qobject_cast<frmReportview *>(&screen)) {
            opened.mode = viewer->ReportMode();
            opened.sql = viewer->SQL();
            opened.rows = viewer->pageCount();
        } else if (auto *options = qobject_cast<frmReportOptions *>(&screen)) {
            opened.accession = options->accessionBox()->text();
            opened.learnerChosen = options->option(QStringLiteral("optLearner"))->isChecked() && !options->learnerFrame()->isHidden();
            opened.allChosen = options->option(QStringLiteral("optAll"))->isChecked() && options->gradeFrame()->isHidden()
                && options->learnerFrame()->isHidden();
        }
    });
}

// The classroom, with every screen the test opens watched.
struct WatchedClassroom : Classroom
{
    WatchedClassroom() { watch(opened); }
    Opened opened;
};

} // namespace

class tst_ReportScreens : public QObject
{
    Q_OBJECT

private slots:
    void selectionChecksTheYear();
    void barrierScreenFramesFollowTheMode_data();
    void barrierScreenFramesFollowTheMode();
    void barrierScreenReportsALockedStoreOnce();
    void allBoxesEmptyAndDisableTheirFields();
    void barrierScreenRefusesMissingChoices_data();
    void barrierScreenRefusesMissingChoices();
    void barrierScreenOpensTheViewer();
    void optionsScreenStartsPerReport();
    void optionsScreenRefusesMissingChoices();
    void optionsScreenLoadsGradesOnce();
    void optionsScreenClosesTheSpaceOfAHiddenFrame();
    void optionsHandTheViewerItsFilter();
    void viewerPagesPrintsAndExports();
    void viewerCountsThePagesItExports_data();
    void viewerCountsThePagesItExports();
    void viewerDrawsOnlyThePagesShown();
    void cancelledExportLeavesNoFile();
    void learnerListOpensTheReports();
};

void tst_ReportScreens::selectionChecksTheYear()
{
    WatchedClassroom school;
    frmReportSelect screen;
    QCOMPARE(screen.windowTitle(), QStringLiteral("SNA [ REPORT SELECTION ]"));
    QCOMPARE(screen.yearList()->currentText(), QString::number(QDate::currentDate().year()));
    for (const char *name : {"cmdSummary", "cmdList"}) {
        screen.yearList()->clear();
        school.boxes.clear();
        screen.button(QString::fromLatin1(name))->click();
        QCOMPARE(school.boxes.texts(), QStringList{QStringLiteral("Please select Report Year to continue.")});
        QVERIFY(school.opened.screens.isEmpty());
    }
    FillYearList(screen.yearList());
    screen.yearList()->setCurrentText(QStringLiteral("2025"));
    screen.button(QStringLiteral("cmdList"))->click();
    QCOMPARE(appState().ReportYear, 2025);
    QCOMPARE(school.opened.screens, QStringList{QStringLiteral("frmBarrierSelect")});
    screen.button(QStringLiteral("cmdScoreSummary"))->click();
    QCOMPARE(school.opened.screens.last(), QStringLiteral("frmReportOptions"));
    QVERIFY(school.opened.allChosen);
    // Typed characters never change the year; arrows pick.
    QTest::keyClick(screen.yearList(), Qt::Key_1);
    QCOMPARE(screen.yearList()->currentText(), QStringLiteral("2025"));
}

void tst_ReportScreens::barrierScreenFramesFollowTheMode_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("barrierShown");
    QTest::newRow("summary") << ReportModes::LearnerSummary << true;
    QTest::newRow("list") << ReportModes::LearnerList << false;
}

void tst_ReportScreens::barrierScreenFramesFollowTheMode()
{
    QFETCH(QString, mode);
    QFETCH(bool, barrierShown);
    WatchedClassroom school;
    school.background(school.adams, LastYear, QStringLiteral("Last year's clinic"));
    frmBarrierSelect screen(mode);
    screen.formLoad();
    QCOMPARE(screen.windowTitle(), QStringLiteral("SNA [ BARRIER/LEARNER SELECTION ]"));
    QCOMPARE(screen.barrierFrame()->isHidden(), !barrierShown);
    QCOMPARE(screen.providerFrame()->isHidden(), barrierShown);
    QCOMPARE(screen.barrierList()->count(), 4);
    QStringList providers;
    for (int i = 0; i < screen.providerList()->count(); ++i)
        providers << screen.providerList()->itemText(i);
    // The data year's providers only.
    QCOMPARE(providers, (QStringList{QStringLiteral("Clinic North"), QStringLiteral("St Mary's Clinic")}));
    QCOMPARE(screen.barrierList()->currentText(), QString());
}

// Both lists come from one connection: a store another program holds is
// one report, with its reason, and the screen opens with empty lists.
void tst_ReportScreens::barrierScreenReportsALockedStoreOnce()
{
    WatchedClassroom school;
    const std::unique_ptr<Connection> other = school.store.lockedByAnotherProgram();
    frmBarrierSelect screen(ReportModes::LearnerSummary);
    screen.formLoad();
    QCOMPARE(school.boxes.count(), 1);
    QVERIFY(school.boxes.last().title.startsWith(QStringLiteral("Error : ")));
    QVERIFY(school.boxes.sawText(QStringLiteral("database is locked")));
    QCOMPARE(screen.barrierList()->count(), 0);
    QCOMPARE(screen.providerList()->count(), 0);
}

void tst_ReportScreens::allBoxesEmptyAndDisableTheirFields()
{
    WatchedClassroom school;
    frmBarrierSelect screen(ReportModes::LearnerSummary);
    screen.formLoad();
    screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    for (QCheckBox *box : {screen.allBarriers(), screen.allProviders(), screen.allLearners()})
        QVERIFY(box->isChecked());
    QVERIFY(!screen.barrierList()->isEnabled());
    screen.allBarriers()->click();
    QVERIFY(screen.barrierList()->isEnabled());
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(screen.barrierList()));
    screen.barrierList()->setCurrentIndex(1);
    screen.allBarriers()->click();
    QVERIFY(!screen.barrierList()->isEnabled());
    QCOMPARE(screen.barrierList()->currentText(), QString());

    screen.allLearners()->click();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(screen.accessionBox()));
    QTest::keyClicks(screen.accessionBox(), QStringLiteral("A1"));
    screen.allLearners()->click();
    QCOMPARE(screen.accessionBox()->text(), QString());
    QVERIFY(!screen.accessionBox()->isEnabled());
}

void tst_ReportScreens::barrierScreenRefusesMissingChoices_data()
{
    QTest::addColumn<QString>("untick");
    QTest::addColumn<QString>("accession");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("barrier") << QStringLiteral("chkAllBarriers") << QString()
                             << QStringLiteral("Please select the Barrier from the list or select All Barriers")
                             << QStringLiteral("cboBarrier");
    QTest::newRow("provider") << QStringLiteral("chkAllProviders") << QString()
                              << QStringLiteral("Please select the Responsible Provider from the list or select All Responsible Providers")
                              << QStringLiteral("cboProvider");
    QTest::newRow("blank accession") << QStringLiteral("chkAllLearners") << QStringLiteral("   ")
                                     << QStringLiteral("Please enter the Assession Number or select All Learner")
                                     << QStringLiteral("txtAccession");
}

void tst_ReportScreens::barrierScreenRefusesMissingChoices()
{
    QFETCH(QString, untick);
    QFETCH(QString, accession);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    WatchedClassroom school;
    frmBarrierSelect screen(ReportModes::LearnerList);
    screen.formLoad();
    screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    screen.findChild<QCheckBox *>(untick)->click();
    screen.accessionBox()->setText(accession);
    screen.button(QStringLiteral("cmdPrint"))->click();
    QCOMPARE(school.boxes.texts(), QStringList{message});
    QCOMPARE(school.boxes.last().title, QStringLiteral("User Message"));
    QTRY_COMPARE(QApplication::focusWidget()->objectName(), focus);
    QVERIFY(school.opened.screens.isEmpty());
}

void tst_ReportScreens::barrierScreenOpensTheViewer()
{
    WatchedClassroom school;
    frmBarrierSelect screen(ReportModes::LearnerList);
    screen.formLoad();
    screen.allProviders()->click();
    screen.providerList()->setCurrentIndex(screen.providerList()->findText(QStringLiteral("St Mary's Clinic")));
    screen.allLearners()->click();
    screen.accessionBox()->setText(QStringLiteral("O'Brien-01"));
    screen.button(QStringLiteral("cmdPrint"))->click();
    QCOMPARE(school.opened.screens, QStringList{QStringLiteral("frmReportview")});
    QCOMPARE(school.opened.mode, ReportModes::LearnerList);
    QVERIFY(school.opened.sql.endsWith(QStringLiteral(" AND BI.Name_Of_Provider = 'St Mary''s Clinic' AND LI.AccessionNo = "
                                                      "'O''Brien-01' ORDER BY BI.Name_Of_Provider, LI.Grade, LI.SName, LI.FName")));
    QCOMPARE(school.opened.rows, 1);
    QVERIFY(school.boxes.calls().isEmpty());
}

void tst_ReportScreens::optionsScreenStartsPerReport()
{
    WatchedClassroom school;
    frmReportOptions scores(QStringLiteral("LearnerScoreSummary"));
    scores.formLoad();
    QCOMPARE(scores.windowTitle(), QStringLiteral("Report Options"));
    QVERIFY(scores.option(QStringLiteral("optAll"))->isChecked());
    QVERIFY(scores.gradeFrame()->isHidden());
    QVERIFY(scores.learnerFrame()->isHidden());
    frmReportOptions profile(QStringLiteral("LearnerProfile"));
    profile.formLoad();
    QVERIFY(profile.option(QStringLiteral("optLearner"))->isChecked());
    QVERIFY(!profile.learnerFrame()->isHidden());
    QCOMPARE(profile.yearList()->currentText(), QString::number(QDate::currentDate().year()));
}

void tst_ReportScreens::optionsScreenRefusesMissingChoices()
{
    WatchedClassroom school;
    frmReportOptions screen(QStringLiteral("LearnerProfile"));
    screen.formLoad();
    screen.show();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    screen.accessionBox()->setText(QStringLiteral("  "));
    screen.button(QStringLiteral("cmdPrint"))->click();
    QCOMPARE(school.boxes.last().text, QStringLiteral("Please enter the Assession Number or select another option"));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(screen.accessionBox()));
    screen.option(QStringLiteral("optGrade"))->click();
    screen.button(QStringLiteral("cmdPrint"))->click();
    QCOMPARE(school.boxes.last().text, QStringLiteral("Please select a Grade or choose another option"));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(screen.gradeList()));
    screen.yearList()->clear();
    screen.button(QStringLiteral("cmdPrint"))->click();
    QCOMPARE(school.boxes.last().text, QStringLiteral("Please select Report Year to continue."));
    QCOMPARE(school.boxes.count(), 3);
    QVERIFY(school.opened.screens.isEmpty());
}

void tst_ReportScreens::optionsScreenLoadsGradesOnce()
{
    WatchedClassroom school;
    frmReportOptions screen(QStringLiteral("LearnerProfile"));
    screen.formLoad();
    screen.chooseGrade();
    screen.chooseLearner();
    screen.chooseGrade();
    QCOMPARE(screen.gradeLoads(), 1);
    QStringList grades;
    for (int i = 0; i < screen.gradeList()->count(); ++i)
        grades << screen.gradeList()->itemText(i);
    // Only school grades that have qualifying learners.
    QCOMPARE(grades, (QStringList{QStringLiteral("Grade 1"), QStringLiteral("Grade 2")}));
}

// Back from "Grade" to "All", the buttons move up under the options: no
// blank band where the grade frame stood.
void tst_ReportScreens::optionsScreenClosesTheSpaceOfAHiddenFrame()
{
    WatchedClassroom school;
    frmReportOptions screen(QStringLiteral("LearnerScoreSummary"));
    screen.formLoad();
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    auto gap = [&] {
        QApplication::processEvents();
        const QWidget *options = screen.findChild<QWidget *>(QStringLiteral("fraOptions"));
        return screen.button(QStringLiteral("cmdPrint"))->geometry().top() - options->geometry().bottom();
    };
    const int allGap = gap();
    QVERIFY2(allGap < 30, qPrintable(QString::number(allGap)));
    const int allHeight = screen.height();
    screen.option(QStringLiteral("optGrade"))->click();
    QVERIFY(gap() > allGap);
    screen.option(QStringLiteral("optAll"))->click();
    QCOMPARE(gap(), allGap);
    QCOMPARE(screen.height(), allHeight);
}

void tst_ReportScreens::optionsHandTheViewerItsFilter()
{
    WatchedClassroom school;
    frmReportOptions screen(QStringLiteral("LearnerScoreSummary"));
    screen.formLoad();
    screen.option(QStringLiteral("optLearner"))->click();
    screen.accessionBox()->setText(QStringLiteral("O'Brien-01"));
    screen.button(QStringLiteral("cmdPrint"))->click();
    QCOMPARE(school.opened.mode, ReportModes::ScoreSummary);
    QCOMPARE(school.opened.sql, QStringLiteral("SELECT  Grade, SName, FName, AccessionNo, ID, LSENStatus From Learner_Info "
                                               " WHERE Status='C' AND LSENStatus<>1  AND AccessionNo ='O''Brien-01'"
                                               " ORDER BY Grade, SName, FName"));
    // The next report, for everyone, carries no learner filter.
    screen.option(QStringLiteral("optAll"))->click();
    screen.button(QStringLiteral("cmdPrint"))->click();
    QVERIFY(school.opened.sql.endsWith(QStringLiteral("LSENStatus<>1  ORDER BY Grade, SName, FName")));
    screen.option(QStringLiteral("optGrade"))->click();
    screen.gradeList()->setCurrentIndex(screen.gradeList()->findText(QStringLiteral("Grade 2")));
    screen.button(QStringLiteral("cmdPrint"))->click();
    QVERIFY(school.opened.sql.endsWith(QStringLiteral(" AND Grade =3 ORDER BY Grade, SName, FName")));
    QCOMPARE(school.opened.screens.size(), 3);
}

void tst_ReportScreens::viewerPagesPrintsAndExports()
{
    WatchedClassroom school;
    for (int i = 0; i < 4; ++i)
        school.learner(QStringLiteral("Extra%1").arg(i), QStringLiteral("First"), QStringLiteral("E%1").arg(i));
    appState().ReportYear = ThisYear;
    frmReportview viewer;
    viewer.setReportMode(ReportModes::MainReport);
    QVERIFY(viewer.formLoad());
    QCOMPARE(viewer.windowTitle(), QStringLiteral("Printouts"));
    QCOMPARE(viewer.pageCount(), 6);
    QCOMPARE(viewer.design()->orientation(), QPageLayout::Portrait);
    if (const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation); !documents.isEmpty())
        QCOMPARE(viewer.suggestedExportPath(), documents + QStringLiteral("/Learner Profile 2026.pdf"));
    viewer.goToPage(4);
    QCOMPARE(viewer.currentPage(), 4);
    viewer.goToPage(99);
    QCOMPARE(viewer.currentPage(), 6);

    const QString printed = school.store.dir() + QStringLiteral("/printed.pdf");
    PrinterChoice::setChooser(PrinterChoice::pdfChooser(printed));
    QVERIFY(viewer.printReport());
    QCOMPARE(PdfText::pageCount(printed), 6);
    const QString exported = school.store.dir() + QStringLiteral("/exported.pdf");
    QVERIFY(viewer.exportPdf(exported));
    // The same page, whatever margins the printer keeps.
    QCOMPARE(PdfText::pages(exported).first().simplified(), PdfText::pages(printed).first().simplified());

    // A cancelled printer dialog is reported, and nothing else happens.
    PrinterChoice::setChooser([](QWidget *, QPageLayout::Orientation) { return std::unique_ptr<QPrinter>(); });
    QVERIFY(!viewer.printReport());
    QVERIFY(school.boxes.sawText(QStringLiteral("Cancel was selected.")));

    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    viewer.findChild<QAction *>(QStringLiteral("cmdDone"))->trigger();
    QVERIFY(!viewer.isVisible());
}

void tst_ReportScreens::viewerCountsThePagesItExports_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("summary, landscape") << ReportModes::LearnerSummary;
    QTest::newRow("list, portrait") << ReportModes::LearnerList;
    QTest::newRow("score summary, A4 landscape") << ReportModes::ScoreSummary;
}

// The viewer's "Page i of n" and the document written are one layout: the
// same count, and the footer of the last page says so.
void tst_ReportScreens::viewerCountsThePagesItExports()
{
    QFETCH(QString, mode);
    School school;
    for (int i = 0; i < 230; ++i) {
        const int learner = school.learner(QStringLiteral("Surname%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("First"),
                                           QStringLiteral("AC%1").arg(i), 2 + i % 2, 1 + i % 3);
        school.background(learner, ThisYear, QStringLiteral("Clinic %1").arg(i % 7));
    }
    appState().ReportYear = ThisYear;
    ListReportFilter filter = listFilter(mode, ThisYear);
    frmReportview viewer;
    viewer.setReportMode(mode);
    viewer.setSQL(listReportStatement(filter));
    QVERIFY(viewer.formLoad());
    const QString exported = school.store.dir() + QStringLiteral("/exported.pdf");
    QVERIFY(viewer.exportPdf(exported));
    const QStringList pages = PdfText::pages(exported);
    QVERIFY(pages.size() > 3);
    QCOMPARE(viewer.pageCount(), int(pages.size()));
    QVERIFY(pages.last().contains(QStringLiteral("Page %1 of %1").arg(pages.size())));
    viewer.goToPage(pages.size());
    QCOMPARE(viewer.findChild<QLabel *>(QStringLiteral("lblPage"))->text(),
             QStringLiteral("Page %1 of %1").arg(pages.size()));

    // The export says where it went and how long it is, and the next one is
    // offered in the same folder under the report's title and year.
    QCOMPARE(school.boxes.last().text, QStringLiteral("The report was saved (%1 pages) as:\r\n%2")
                                           .arg(pages.size()).arg(QDir::toNativeSeparators(exported)));
    const QString title = mode == ReportModes::LearnerSummary ? QStringLiteral("Learner Summary per Barrier (Primary) 2026")
        : mode == ReportModes::LearnerList                    ? QStringLiteral("Learner List per Responsible Provider 2026")
                                                              : QStringLiteral("Learner Score Summary 2026");
    QCOMPARE(viewer.suggestedExportPath(), school.store.dir() + QLatin1Char('/') + title + QStringLiteral(".pdf"));
}

namespace {

// A profile of one page per learner, count learners long, opened in viewer.
bool openProfiles(School &school, int count, frmReportview &viewer)
{
    for (int i = 0; i < count; ++i) {
        const int learner = school.learner(QStringLiteral("Surname%1").arg(i, 3, 10, QLatin1Char('0')),
                                           QStringLiteral("First"), QStringLiteral("AC%1").arg(i));
        school.background(learner, ThisYear, QStringLiteral("Clinic %1").arg(i % 7));
    }
    appState().ReportYear = ThisYear;
    viewer.setReportMode(ReportModes::MainReport);
    return viewer.formLoad();
}

} // namespace

// A long report opens without drawing its pages: only the page on screen
// is drawn, again when the zoom changes it, and turning to a page draws
// that page alone.
void tst_ReportScreens::viewerDrawsOnlyThePagesShown()
{
    School school;
    frmReportview viewer;
    QVERIFY(openProfiles(school, 40, viewer));
    QCOMPARE(viewer.pageCount(), 40);
    QVERIFY(viewer.pageView()->drawnPages().isEmpty());
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    QTRY_COMPARE(viewer.pageView()->drawnPages(), QVector<int>{0});
    viewer.findChild<QAction *>(QStringLiteral("actLast"))->trigger();
    QTRY_COMPARE(viewer.pageView()->drawnPages(), (QVector<int>{0, 39}));
    QCOMPARE(viewer.findChild<QLabel *>(QStringLiteral("lblPage"))->text(), QStringLiteral("Page 40 of 40"));
    viewer.findChild<QAction *>(QStringLiteral("actFitPage"))->trigger();
    QTRY_COMPARE(viewer.pageView()->drawnPages(), (QVector<int>{0, 39, 39}));
    QCOMPARE(viewer.pageView()->zoomMode(), PageView::Zoom::FitPage);
    const double whole = viewer.pageView()->zoomFactor();
    viewer.findChild<QAction *>(QStringLiteral("actFitWidth"))->trigger();
    QVERIFY(viewer.pageView()->zoomFactor() > whole);
    viewer.findChild<QAction *>(QStringLiteral("actZoomIn"))->trigger();
    QCOMPARE(viewer.pageView()->zoomMode(), PageView::Zoom::Factor);
    viewer.goToPage(20);
    QTRY_COMPARE(viewer.pageView()->drawnPages().last(), 19);
    QVERIFY(viewer.pageView()->drawnPages().size() <= 6);
}

// Cancel on the progress bar of a long export leaves no file, and a file of
// that name from before stays as it was; the cancel is reported once.
void tst_ReportScreens::cancelledExportLeavesNoFile()
{
    // The bar shows from the first step, however fast this machine writes.
    ProgressWindow::setShowAfter(0);
    const auto restore = qScopeGuard([] { ProgressWindow::setShowAfter(300); });
    School school;
    frmReportview viewer;
    QVERIFY(openProfiles(school, 400, viewer));
    const QString fresh = school.store.dir() + QStringLiteral("/fresh.pdf");
    const QString existing = school.store.dir() + QStringLiteral("/existing.pdf");
    QFile before(existing);
    QVERIFY(before.open(QIODevice::WriteOnly));
    before.write("the report of last week");
    before.close();
    const int boxes = school.boxes.count();
    for (const QString &path : {fresh, existing}) {
        bool sawBar = false;
        QTimer cancel;
        QObject::connect(&cancel, &QTimer::timeout, [&] {
            for (QProgressDialog *bar : viewer.findChildren<QProgressDialog *>()) {
                if (bar->isVisible()) {
                    sawBar = true;
                    bar->cancel();
                }
            }
        });
        cancel.start(20);
        QVERIFY(!viewer.exportPdf(path));
        QVERIFY(sawBar);
    }
    QVERIFY(!QFile::exists(fresh));
    QVERIFY(before.open(QIODevice::ReadOnly));
    QCOMPARE(before.readAll(), QByteArray("the report of last week"));
    QCOMPARE(QDir(school.store.dir()).entryList({QStringLiteral("*.pdf*"), QStringLiteral(".*")}, QDir::Files),
             QStringList{QStringLiteral("existing.pdf")});
    QCOMPARE(school.boxes.count(), boxes + 2);
    QVERIFY(school.boxes.last().text.contains(QStringLiteral("Cancel was selected.")));

    // A folder that is not there: reported once with its reason, no file.
    QVERIFY(!viewer.exportPdf(school.store.dir() + QStringLiteral("/missing/report.pdf")));
    QCOMPARE(school.boxes.count(), boxes + 3);
    QVERIFY(school.boxes.last().text.contains(QStringLiteral("missing/report.pdf")));
    QCOMPARE(school.boxes.last().title, QStringLiteral("Error : 75"));
}

void tst_ReportScreens::learnerListOpensTheReports()
{
    WatchedClassroom school;
    {
        frmSelectLearner unregistered;
        QVERIFY(unregistered.button(QStringLiteral("cmdRoll"))->isEnabled());
        QVERIFY(!unregistered.button(QStringLiteral("cmdReports"))->isEnabled());
    }
    registerReportScreens();
    frmSelectLearner screen;
    screen.getLearners();
    QVERIFY(screen.button(QStringLiteral("btnPrint"))->isEnabled());
    screen.button(QStringLiteral("btnPrint"))->click();
    QCOMPARE(school.opened.screens, QStringList{QStringLiteral("frmReportOptions")});
    QVERIFY(school.opened.learnerChosen);
    QCOMPARE(school.opened.accession, QString());

    emit screen.learnerGrid()->cellClicked(2, 2);   // O'Brien, second by surname
    screen.button(QStringLiteral("btnPrint"))->click();
    QCOMPARE(school.opened.accession, QStringLiteral("O'Brien-01"));
    screen.button(QStringLiteral("cmdReports"))->click();
    QCOMPARE(school.opened.screens.last(), QStringLiteral("frmReportSelect"));
    setReportScreenOpeners({});
}

QTEST_MAIN(tst_ReportScreens)
#include "tst_reportscreens.moc"
