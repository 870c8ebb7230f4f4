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

// The classroom, with every screen the test opens watched.
struct WatchedClassroom : Classroom
{
    WatchedClassroom()
    {
        ModalScreens::setObserver([this](QDialog &screen) {
            opened.screens << screen.objectName();
            if (auto *viewer = qobject_cast<frmReportview *>(&screen)) {
                opened.mode = viewer->ReportMode();
                opened.sql = viewer->SQL();
                opened.rows = viewer->pageCount();
            } else if (auto *options = qobject_cast<frmReportOptions *>(&screen)) {
                opened.accession = options->accessionBox()->text();
                opened.learnerChosen = options->option(u"optLearner"_s)->isChecked() && !options->learnerFrame()->isHidden();
                opened.allChosen = options->option(u"optAll"_s)->isChecked() && options->gradeFrame()->isHidden()
                    && options->learnerFrame()->isHidden();
            }
        });
    }
    Opened opened;
};

QStringList items(const QComboBox *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    return texts;
}

QWidget *focused()
{
    return QApplication::focusWidget();
}

// A profile of one page per learner, count learners long, opened in viewer.
bool openProfiles(School &school, int count, frmReportview &viewer)
{
    for (int i = 0; i < count; ++i)
        school.background(school.numbered(i), ThisYear, u"Clinic %1"_s.arg(i % 7));
    appState().ReportYear = ThisYear;
    viewer.setReportMode(ReportModes::MainReport);
    return viewer.formLoad();
}

} // namespace

class tst_ReportScreens : public QObject
{
    Q_OBJECT

private slots:
    void selectionChecksTheYear()
    {
        WatchedClassroom school;
        frmReportSelect screen;
        QCOMPARE(screen.windowTitle(), u"SNA [ REPORT SELECTION ]"_s);
        QCOMPARE(screen.yearList()->currentText(), QString::number(QDate::currentDate().year()));
        for (const QString &name : {u"cmdSummary"_s, u"cmdList"_s}) {
            screen.yearList()->clear();
            school.boxes.clear();
            screen.button(name)->click();
            QCOMPARE(school.boxes.texts(), QStringList{u"Please select Report Year to continue."_s});
            QVERIFY(school.opened.screens.isEmpty());
        }
        FillYearList(screen.yearList());
        screen.yearList()->setCurrentText(u"2025"_s);
        screen.button(u"cmdList"_s)->click();
        QCOMPARE(appState().ReportYear, 2025);
        QCOMPARE(school.opened.screens, QStringList{u"frmBarrierSelect"_s});
        screen.button(u"cmdScoreSummary"_s)->click();
        QCOMPARE(school.opened.screens.last(), u"frmReportOptions"_s);
        QVERIFY(school.opened.allChosen);
        // Typed characters never change the year; arrows pick.
        QTest::keyClick(screen.yearList(), Qt::Key_1);
        QCOMPARE(screen.yearList()->currentText(), u"2025"_s);
    }

    void barrierScreenFramesFollowTheMode_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("barrierShown");
        QTest::newRow("summary") << ReportModes::LearnerSummary << true;
        QTest::newRow("list") << ReportModes::LearnerList << false;
    }
    void barrierScreenFramesFollowTheMode()
    {
        QFETCH(QString, mode);
        QFETCH(bool, barrierShown);
        WatchedClassroom school;
        school.background(school.adams, LastYear, u"Last year's clinic"_s);
        frmBarrierSelect screen(mode);
        screen.formLoad();
        QCOMPARE(screen.windowTitle(), u"SNA [ BARRIER/LEARNER SELECTION ]"_s);
        QCOMPARE(screen.barrierFrame()->isHidden(), !barrierShown);
        QCOMPARE(screen.providerFrame()->isHidden(), barrierShown);
        QCOMPARE(screen.barrierList()->count(), 4);
        // The data year's providers only.
        QCOMPARE(items(screen.providerList()), (QStringList{u"Clinic North"_s, u"St Mary's Clinic"_s}));
        QCOMPARE(screen.barrierList()->currentText(), QString());
    }

    // Both lists come from one connection: a store another program holds is
    // one report, with its reason, and the screen opens with empty lists.
    void barrierScreenReportsALockedStoreOnce()
    {
        WatchedClassroom school;
        const std::unique_ptr<Connection> other = school.store.lockedByAnotherProgram();
        frmBarrierSelect screen(ReportModes::LearnerSummary);
        screen.formLoad();
        QCOMPARE(school.boxes.count(), 1);
        QVERIFY(school.boxes.last().title.startsWith(u"Error : "_s));
        QVERIFY(school.boxes.sawText(u"database is locked"_s));
        QCOMPARE(screen.barrierList()->count(), 0);
        QCOMPARE(screen.providerList()->count(), 0);
    }

    void allBoxesEmptyAndDisableTheirFields()
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
        QTRY_COMPARE(focused(), static_cast<QWidget *>(screen.barrierList()));
        screen.barrierList()->setCurrentIndex(1);
        screen.allBarriers()->click();
        QVERIFY(!screen.barrierList()->isEnabled());
        QCOMPARE(screen.barrierList()->currentText(), QString());

        screen.allLearners()->click();
        QTRY_COMPARE(focused(), static_cast<QWidget *>(screen.accessionBox()));
        QTest::keyClicks(screen.accessionBox(), u"A1"_s);
        screen.allLearners()->click();
        QCOMPARE(screen.accessionBox()->text(), QString());
        QVERIFY(!screen.accessionBox()->isEnabled());
    }

    void barrierScreenRefusesMissingChoices_data()
    {
        QTest::addColumn<QString>("untick");
        QTest::addColumn<QString>("accession");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const auto row = [](const char *tag, const char *untick, const char *accession, const char *message, const char *focus) {
            QTest::newRow(tag) << QString::fromLatin1(untick) << QString::fromLatin1(accession) << QString::fromLatin1(message)
                               << QString::fromLatin1(focus);
        };
        row("barrier", "chkAllBarriers", "", "Please select the Barrier from the list or select All Barriers", "cboBarrier");
        row("provider", "chkAllProviders", "",
            "Please select the Responsible Provider from the list or select All Responsible Providers", "cboProvider");
        row("blank accession", "chkAllLearners", "   ", "Please enter the Assession Number or select All Learner",
            "txtAccession");
    }
    void barrierScreenRefusesMissingChoices()
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
        screen.button(u"cmdPrint"_s)->click();
        QCOMPARE(school.boxes.texts(), QStringList{message});
        QCOMPARE(school.boxes.last().title, u"User Message"_s);
        QTRY_COMPARE(focused()->objectName(), focus);
        QVERIFY(school.opened.screens.isEmpty());
    }

    void barrierScreenOpensTheViewer()
    {
        WatchedClassroom school;
        frmBarrierSelect screen(ReportModes::LearnerList);
        screen.formLoad();
        screen.allProviders()->click();
        screen.providerList()->setCurrentIndex(screen.providerList()->findText(u"St Mary's Clinic"_s));
        screen.allLearners()->click();
        screen.accessionBox()->setText(u"O'Brien-01"_s);
        screen.button(u"cmdPrint"_s)->click();
        QCOMPARE(school.opened.screens, QStringList{u"frmReportview"_s});
        QCOMPARE(school.opened.mode, ReportModes::LearnerList);
        QVERIFY(school.opened.sql.endsWith(u" AND BI.Name_Of_Provider = 'St Mary''s Clinic' AND LI.AccessionNo = "
                                            "'O''Brien-01' ORDER BY BI.Name_Of_Provider, LI.Grade, LI.SName, LI.FName"_s));
        QCOMPARE(school.opened.rows, 1);
        QVERIFY(school.boxes.calls().isEmpty());
    }

    void optionsScreenStartsPerReportAndLoadsGradesOnce()
    {
        WatchedClassroom school;
        frmReportOptions scores(u"LearnerScoreSummary"_s);
        scores.formLoad();
        QCOMPARE(scores.windowTitle(), u"Report Options"_s);
        QVERIFY(scores.option(u"optAll"_s)->isChecked());
        QVERIFY(scores.gradeFrame()->isHidden());
        QVERIFY(scores.learnerFrame()->isHidden());
        frmReportOptions profile(u"LearnerProfile"_s);
        profile.formLoad();
        QVERIFY(profile.option(u"optLearner"_s)->isChecked());
        QVERIFY(!profile.learnerFrame()->isHidden());
        QCOMPARE(profile.yearList()->currentText(), QString::number(QDate::currentDate().year()));
        profile.chooseGrade();
        profile.chooseLearner();
        profile.chooseGrade();
        QCOMPARE(profile.gradeLoads(), 1);
        // Only school grades that have qualifying learners.
        QCOMPARE(items(profile.gradeList()), (QStringList{u"Grade 1"_s, u"Grade 2"_s}));
    }

    void optionsScreenRefusesMissingChoices()
    {
        WatchedClassroom school;
        frmReportOptions screen(u"LearnerProfile"_s);
        screen.formLoad();
        screen.show();
        QVERIFY(QTest::qWaitForWindowActive(&screen));
        screen.accessionBox()->setText(u"  "_s);
        screen.button(u"cmdPrint"_s)->click();
        QCOMPARE(school.boxes.last().text, u"Please enter the Assession Number or select another option"_s);
        QTRY_COMPARE(focused(), static_cast<QWidget *>(screen.accessionBox()));
        screen.option(u"optGrade"_s)->click();
        screen.button(u"cmdPrint"_s)->click();
        QCOMPARE(school.boxes.last().text, u"Please select a Grade or choose another option"_s);
        QTRY_COMPARE(focused(), static_cast<QWidget *>(screen.gradeList()));
        screen.yearList()->clear();
        screen.button(u"cmdPrint"_s)->click();
        QCOMPARE(school.boxes.last().text, u"Please select Report Year to continue."_s);
        QCOMPARE(school.boxes.count(), 3);
        QVERIFY(school.opened.screens.isEmpty());
    }

    // Back from "Grade" to "All", the buttons move up under the options: no
    // blank band where the grade frame stood.
    void optionsScreenClosesTheSpaceOfAHiddenFrame()
    {
        WatchedClassroom school;
        frmReportOptions screen(u"LearnerScoreSummary"_s);
        screen.formLoad();
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        auto gap = [&] {
            QApplication::processEvents();
            const QWidget *options = screen.findChild<QWidget *>(u"fraOptions"_s);
            return screen.button(u"cmdPrint"_s)->geometry().top() - options->geometry().bottom();
        };
        const int allGap = gap();
        QVERIFY2(allGap < 30, qPrintable(QString::number(allGap)));
        const int allHeight = screen.height();
        screen.option(u"optGrade"_s)->click();
        QVERIFY(gap() > allGap);
        screen.option(u"optAll"_s)->click();
        QCOMPARE(gap(), allGap);
        QCOMPARE(screen.height(), allHeight);
    }

    void optionsHandTheViewerItsFilter()
    {
        WatchedClassroom school;
        frmReportOptions screen(u"LearnerScoreSummary"_s);
        screen.formLoad();
        screen.option(u"optLearner"_s)->click();
        screen.accessionBox()->setText(u"O'Brien-01"_s);
        screen.button(u"cmdPrint"_s)->click();
        QCOMPARE(school.opened.mode, ReportModes::ScoreSummary);
        QCOMPARE(school.opened.sql, u"SELECT  Grade, SName, FName, AccessionNo, ID, LSENStatus From Learner_Info "
                                     " WHERE Status='C' AND LSENStatus<>1  AND AccessionNo ='O''Brien-01'"
                                     " ORDER BY Grade, SName, FName"_s);
        // The next report, for everyone, carries no learner filter.
        screen.option(u"optAll"_s)->click();
        screen.button(u"cmdPrint"_s)->click();
        QVERIFY(school.opened.sql.endsWith(u"LSENStatus<>1  ORDER BY Grade, SName, FName"_s));
        screen.option(u"optGrade"_s)->click();
        screen.gradeList()->setCurrentIndex(screen.gradeList()->findText(u"Grade 2"_s));
        screen.button(u"cmdPrint"_s)->click();
        QVERIFY(school.opened.sql.endsWith(u" AND Grade =3 ORDER BY Grade, SName, FName"_s));
        QCOMPARE(school.opened.screens.size(), 3);
    }

    void viewerPagesPrintsAndExports()
    {
        WatchedClassroom school;
        for (int i = 0; i < 4; ++i)
            school.learner(u"Extra%1"_s.arg(i), u"First"_s, u"E%1"_s.arg(i));
        appState().ReportYear = ThisYear;
        frmReportview viewer;
        viewer.setReportMode(ReportModes::MainReport);
        QVERIFY(viewer.formLoad());
        QCOMPARE(viewer.windowTitle(), u"Printouts"_s);
        QCOMPARE(viewer.pageCount(), 6);
        QCOMPARE(viewer.design()->orientation(), QPageLayout::Portrait);
        if (const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation); !documents.isEmpty())
            QCOMPARE(viewer.suggestedExportPath(), documents + u"/Learner Profile 2026.pdf"_s);
        viewer.goToPage(4);
        QCOMPARE(viewer.currentPage(), 4);
        viewer.goToPage(99);
        QCOMPARE(viewer.currentPage(), 6);

        const QString printed = school.store.dir() + u"/printed.pdf"_s;
        PrinterChoice::setChooser(PrinterChoice::pdfChooser(printed));
        QVERIFY(viewer.printReport());
        QCOMPARE(PdfText::pageCount(printed), 6);
        const QString exported = school.store.dir() + u"/exported.pdf"_s;
        QVERIFY(viewer.exportPdf(exported));
        // The same page, whatever margins the printer keeps.
        QCOMPARE(PdfText::pages(exported).first().simplified(), PdfText::pages(printed).first().simplified());

        // A cancelled printer dialog is reported, and nothing else happens.
        PrinterChoice::setChooser([](QWidget *, QPageLayout::Orientation) { return std::unique_ptr<QPrinter>(); });
        QVERIFY(!viewer.printReport());
        QVERIFY(school.boxes.sawText(u"Cancel was selected."_s));

        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        viewer.findChild<QAction *>(u"cmdDone"_s)->trigger();
        QVERIFY(!viewer.isVisible());
    }

    void viewerCountsThePagesItExports_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("title");
        QTest::newRow("summary, landscape") << ReportModes::LearnerSummary << u"Learner Summary per Barrier (Primary) 2026"_s;
        QTest::newRow("list, portrait") << ReportModes::LearnerList << u"Learner List per Responsible Provider 2026"_s;
        QTest::newRow("score summary, A4 landscape") << ReportModes::ScoreSummary << u"Learner Score Summary 2026"_s;
    }
    // The viewer's "Page i of n" and the document written are one layout: the
    // same count, and the footer of the last page says so.
    void viewerCountsThePagesItExports()
    {
        QFETCH(QString, mode);
        QFETCH(QString, title);
        School school;
        for (int i = 0; i < 230; ++i)
            school.background(school.numbered(i, 2 + i % 2, 1 + i % 3), ThisYear, u"Clinic %1"_s.arg(i % 7));
        frmReportview viewer;
        viewer.setReportMode(mode);
        viewer.setSQL(listReportStatement(listFilter(mode, ThisYear)));
        QVERIFY(viewer.formLoad());
        const QString exported = school.store.dir() + u"/exported.pdf"_s;
        QVERIFY(viewer.exportPdf(exported));
        const QStringList pages = PdfText::pages(exported);
        QVERIFY(pages.size() > 3);
        QCOMPARE(viewer.pageCount(), int(pages.size()));
        QVERIFY(pages.last().contains(u"Page %1 of %1"_s.arg(pages.size())));
        viewer.goToPage(pages.size());
        QCOMPARE(viewer.findChild<QLabel *>(u"lblPage"_s)->text(), u"Page %1 of %1"_s.arg(pages.size()));

        // The export says where it went and how long it is, and the next one is
        // offered in the same folder under the report's title and year.
        QCOMPARE(school.boxes.last().text,
                 u"The report was saved (%1 pages) as:\r\n%2"_s.arg(pages.size()).arg(QDir::toNativeSeparators(exported)));
        QCOMPARE(viewer.suggestedExportPath(), school.store.dir() + QLatin1Char('/') + title + u".pdf"_s);
    }

    // A long report opens without drawing its pages: only the page on screen
    // is drawn, again when the zoom changes it, and turning to a page draws
    // that page alone.
    void viewerDrawsOnlyThePagesShown()
    {
        School school;
        frmReportview viewer;
        QVERIFY(openProfiles(school, 40, viewer));
        QCOMPARE(viewer.pageCount(), 40);
        PageView *view = viewer.pageView();
        QVERIFY(view->drawnPages().isEmpty());
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        QTRY_COMPARE(view->drawnPages(), QVector<int>{0});
        viewer.findChild<QAction *>(u"actLast"_s)->trigger();
        QTRY_COMPARE(view->drawnPages(), (QVector<int>{0, 39}));
        QCOMPARE(viewer.findChild<QLabel *>(u"lblPage"_s)->text(), u"Page 40 of 40"_s);
        viewer.findChild<QAction *>(u"actFitPage"_s)->trigger();
        QTRY_COMPARE(view->drawnPages(), (QVector<int>{0, 39, 39}));
        QCOMPARE(view->zoomMode(), PageView::Zoom::FitPage);
        const double whole = view->zoomFactor();
        viewer.findChild<QAction *>(u"actFitWidth"_s)->trigger();
        QVERIFY(view->zoomFactor() > whole);
        viewer.findChild<QAction *>(u"actZoomIn"_s)->trigger();
        QCOMPARE(view->zoomMode(), PageView::Zoom::Factor);
        viewer.goToPage(20);
        QTRY_COMPARE(view->drawnPages().last(), 19);
        QVERIFY(view->drawnPages().size() <= 6);
    }

    // Cancel on the progress bar of a long export leaves no file, and a file of
    // that name from before stays as it was; the cancel is reported once.
    void cancelledExportLeavesNoFile()
    {
        // The bar shows from the first step, however fast this machine writes.
        ProgressWindow::setShowAfter(0);
        const auto restore = qScopeGuard([] { ProgressWindow::setShowAfter(300); });
        School school;
        frmReportview viewer;
        QVERIFY(openProfiles(school, 400, viewer));
        const QString fresh = school.store.dir() + u"/fresh.pdf"_s;
        const QString existing = school.store.dir() + u"/existing.pdf"_s;
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
        QCOMPARE(QDir(school.store.dir()).entryList({u"*.pdf*"_s, u".*"_s}, QDir::Files), QStringList{u"existing.pdf"_s});
        QCOMPARE(school.boxes.count(), boxes + 2);
        QVERIFY(school.boxes.last().text.contains(u"Cancel was selected."_s));

        // A folder that is not there: reported once with its reason, no file.
        QVERIFY(!viewer.exportPdf(school.store.dir() + u"/missing/report.pdf"_s));
        QCOMPARE(school.boxes.count(), boxes + 3);
        QVERIFY(school.boxes.last().text.contains(u"missing/report.pdf"_s));
        QCOMPARE(school.boxes.last().title, u"Error : 75"_s);
    }

    void learnerListOpensTheReports()
    {
        WatchedClassroom school;
        {
            frmSelectLearner unregistered;
            QVERIFY(unregistered.button(u"cmdRoll"_s)->isEnabled());
            QVERIFY(!unregistered.button(u"cmdReports"_s)->isEnabled());
        }
        registerReportScreens();
        frmSelectLearner screen;
        screen.getLearners();
        QVERIFY(screen.button(u"btnPrint"_s)->isEnabled());
        screen.button(u"btnPrint"_s)->click();
        QCOMPARE(school.opened.screens, QStringList{u"frmReportOptions"_s});
        QVERIFY(school.opened.learnerChosen);
        QCOMPARE(school.opened.accession, QString());

        emit screen.learnerGrid()->cellClicked(2, 2);   // O'Brien, second by surname
        screen.button(u"btnPrint"_s)->click();
        QCOMPARE(school.opened.accession, u"O'Brien-01"_s);
        screen.button(u"cmdReports"_s)->click();
        QCOMPARE(school.opened.screens.last(), u"frmReportSelect"_s);
        setReportScreenOpeners({});
    }
};

QTEST_MAIN(tst_ReportScreens)
#include "tst_reportscreens.moc"
