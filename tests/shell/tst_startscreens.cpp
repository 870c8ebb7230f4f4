// The data year screen and the learner selection screen on fixture databases.
#include "AppState.h"
#include "ChangeFlag.h"
#include "DatabaseConnection.h"
#include "MessageRecorder.h"
#include "SelectLearner.h"
#include "SelectYear.h"
#include "Settings.h"
#include "SpreadGrid.h"
#include "TestStore.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class TestStartScreens : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { resetAppState(); }

    void yearScreenOffersThisYearDownTo2008();
    void yearScreenDiscardsTypedKeys();
    void continueStoresChosenYear();
    void continueWithEmptyChoiceAsksForYear();

    void listsOnlyQualifyingLearnersSortedBySurname();
    void switchingToEmptyArchiveShowsZero();
    void archivedListAndBackToCurrent();
    void learnerWithoutGradeRowListedWithEmptyGrade();
    void clickPicksLearnerWith32BitId();
    void supportNeedsAPickAfterActivation();
    void searchByAccessionAndName();
    void searchMessages();
    void laterButtonsDisabledUntilWired();

    void startUpFailsClearlyOnMissingDatabase();
    void startUpFailsClearlyOnMissingHostTable();
    void startUpRunsTableCheckAndLoadsSchool();

private:
    static QStringList listedNames(const frmSelectLearner &screen);
};

QStringList TestStartScreens::listedNames(const frmSelectLearner &screen)
{
    QStringList names;
    const grid::SpreadModel &cells = screen.learnerGrid()->cells();
    for (int row = 1; row <= cells.maxRows(); ++row)
        names << cells.text(2, row);
    return names;
}

void TestStartScreens::yearScreenOffersThisYearDownTo2008()
{
    frmSelectYear screen;
    QCOMPARE(screen.windowTitle(), QStringLiteral("SNA [Select Data Year]"));
    const int thisYear = QDate::currentDate().year();
    QCOMPARE(screen.yearList()->count(), thisYear - 2007);
    QCOMPARE(screen.yearList()->currentText(), QString::number(thisYear));
    QCOMPARE(screen.cancelButton()->text(), QStringLiteral("Return to Harbrook"));
}

void TestStartScreens::yearScreenDiscardsTypedKeys()
{
    frmSelectYear screen;
    screen.show();
    screen.yearList()->setFocus();
    const QString before = screen.yearList()->currentText();
    QTest::keyClicks(screen.yearList(), QStringLiteral("2009"));
    QCOMPARE(screen.yearList()->currentText(), before);
}

void TestStartScreens::continueStoresChosenYear()
{
    MessageRecorder boxes;
    frmSelectYear screen;
    QVERIFY(!ChangeFlag::isChanged(screen.continueButton()));
    screen.yearList()->setCurrentText(QStringLiteral("2014"));
    Q_EMIT screen.yearList()->activated(screen.yearList()->currentIndex());
    // Choosing a year invites the user on: Continue turns yellow.
    QVERIFY(ChangeFlag::isChanged(screen.continueButton()));
    QVERIFY(screen.confirmYear());
    QCOMPARE(appState().CurrentDataYear, 2014);
    QCOMPARE(boxes.count(), 0);
}

void TestStartScreens::continueWithEmptyChoiceAsksForYear()
{
    MessageRecorder boxes;
    frmSelectYear screen;
    screen.yearList()->clear();
    QVERIFY(!screen.confirmYear());
    QCOMPARE(boxes.last().text, QStringLiteral("Please select Data year to continue."));
    QCOMPARE(appState().CurrentDataYear, 0);
}

void TestStartScreens::listsOnlyQualifyingLearnersSortedBySurname()
{
    TestStore store(false);
    store.addLearner(QStringLiteral("smith"), QStringLiteral("Anna"), QStringLiteral("C"), 2);
    store.addLearner(QStringLiteral("Jones"), QStringLiteral("Ben"), QStringLiteral("C"), 3);
    store.addLearner(QStringLiteral("brown"), QStringLiteral("Cara"), QStringLiteral("C"), 1, QStringLiteral("SG-1"));
    store.addLearner(QStringLiteral("Adams"), QStringLiteral("Dan"), QStringLiteral("C"), 1);          // no need, no grant
    store.addLearner(QStringLiteral("Ngubane"), QStringLiteral("Eli"), QStringLiteral("A"), 2);        // archived
    store.addLearner(QStringLiteral("Zulu"), QStringLiteral("Fay"), QStringLiteral("C"), 1, QStringLiteral(" "));

    frmSelectLearner screen;
    screen.getLearners();
    // Sorted without regard to case; a blank grant number still counts as one.
    QCOMPARE(listedNames(screen), QStringList({QStringLiteral("BROWN Cara"), QStringLiteral("JONES Ben"),
                                               QStringLiteral("SMITH Anna"), QStringLiteral("ZULU Fay")}));
    QCOMPARE(screen.countBox()->text(), QStringLiteral("4"));
    QVERIFY(screen.learnerGrid()->cells().isLocked(2, 1));
    QVERIFY(screen.learnerGrid()->isColumnHidden(0));
}

void TestStartScreens::switchingToEmptyArchiveShowsZero()
{
    TestStore store(false);
    store.addLearner(QStringLiteral("Smith"), QStringLiteral("Anna"));
    frmSelectLearner screen;
    screen.getLearners();
    QCOMPARE(screen.countBox()->text(), QStringLiteral("1"));
    screen.archivedOption()->click();
    QCOMPARE(screen.countBox()->text(), QStringLiteral("0"));
    QCOMPARE(screen.learnerGrid()->cells().maxRows(), 0);
}

void TestStartScreens::archivedListAndBackToCurrent()
{
    TestStore store(false);
    store.addLearner(QStringLiteral("Smith"), QStringLiteral("Anna"));
    store.addLearner(QStringLiteral("Old"), QStringLiteral("Boy"), QStringLiteral("A"), 3);
    store.addLearner(QStringLiteral("Older"), QStringLiteral("Girl"), QStringLiteral("A"), 1, QStringLiteral("77"));
    frmSelectLearner screen;
    screen.getLearners();
    screen.archivedOption()->click();
    QCOMPARE(listedNames(screen), QStringList({QStringLiteral("OLD Boy"), QStringLiteral("OLDER Girl")}));
    screen.currentOption()->click();
    QCOMPARE(listedNames(screen), QStringList({QStringLiteral("SMITH Anna")}));
    QCOMPARE(screen.countBox()->text(), QStringLiteral("1"));
}

void TestStartScreens::learnerWithoutGradeRowListedWithEmptyGrade()
{
    TestStore store(false);
    store.exec(QStringLiteral("INSERT INTO SchoolGrades (ID, Name, schoolgrade) VALUES (1, 'Grade 4', 'Yes')"));
    store.addLearner(QStringLiteral("Graded"), QStringLiteral("A"), QStringLiteral("C"), 2, QString(), 1);
    store.addLearner(QStringLiteral("Ungraded"), QStringLiteral("B"), QStringLiteral("C"), 2, QString(), 99);
    frmSelectLearner screen;
    screen.getLearners();
    const grid::SpreadModel &cells = screen.learnerGrid()->cells();
    QCOMPARE(cells.text(4, 1), QStringLiteral("Grade 4"));
    QCOMPARE(cells.text(2, 2), QStringLiteral("UNGRADED B"));
    QCOMPARE(cells.text(4, 2), QString());
}

void TestStartScreens::clickPicksLearnerWith32BitId()
{
    TestStore store(false);
    store.exec(QStringLiteral("INSERT INTO Learner_Info (ID, FName, SName, Grade, AccessionNo, BirthDate, Status, "
                              "LSENStatus, SocialGrantNo, LSENDisabilities, LearnerID) VALUES "
                              "(70123, 'Zoë', 'O''Brien', 1, 'A-77', '20090102', 'C', 2, '', 0, 5)"));
    frmSelectLearner screen;
    screen.getLearners();
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    grid::SpreadGrid *grid = screen.learnerGrid();
    const QRect cell = grid->visualRect(grid->model()->index(0, 2));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(appState().CurrentLearnerID, 70123);
    QCOMPARE(appState().CurrentLearnerName, QStringLiteral("O'BRIEN Zoë"));
    QCOMPARE(appState().CurrentAccessionNo, QStringLiteral("A-77"));
    QCOMPARE(appState().CurrentLearnerDOB, QStringLiteral("20090102"));
    QCOMPARE(screen.pickedName(), QStringLiteral("O'BRIEN Zoë"));
}

void TestStartScreens::supportNeedsAPickAfterActivation()
{
    TestStore store(false);
    store.addLearner(QStringLiteral("Smith"), QStringLiteral("Anna"));
    MessageRecorder boxes;
    frmSelectLearner screen;
    screen.getLearners();
    screen.pickLearner(1);
    QCOMPARE(appState().CurrentLearnerName, QStringLiteral("SMITH Anna"));
    screen.show();   // becoming active forgets the screen's own pick
    screen.openMainMenu();
    QCOMPARE(boxes.last().text, QStringLiteral("Please select the Learner to continue."));
    // The process-wide learner stays until the next click.
    QCOMPARE(appState().CurrentLearnerName, QStringLiteral("SMITH Anna"));
}

void TestStartScreens::searchByAccessionAndName()
{
    TestStore store(false);
    store.addLearner(QStringLiteral("Abel"), QStringLiteral("Ann"), QStringLiteral("C"), 2, QString(), 1, QStringLiteral("ACC-100"));
    store.addLearner(QStringLiteral("Baker"), QStringLiteral("Bob"), QStringLiteral("C"), 2, QString(), 1, QStringLiteral("ACC-200"));
    store.addLearner(QStringLiteral("Cole"), QStringLiteral("Cy"), QStringLiteral("C"), 2, QString(), 1, QStringLiteral("X 300"));
    MessageRecorder boxes;
    frmSelectLearner screen;
    screen.getLearners();

    screen.searchBox()->setText(QStringLiteral("acc-2"));
    QCOMPARE(screen.search(), 2);
    QCOMPARE(screen.learnerGrid()->activeRow(), 2);
    QCOMPARE(screen.learnerGrid()->activeCol(), 3);

    // The name search looks at names only: an accession text is no hit there.
    screen.nameOption()->setChecked(true);
    QCOMPARE(screen.search(), 0);
    QCOMPARE(boxes.last().text, QStringLiteral("Your search word was not found."));
    screen.searchBox()->setText(QStringLiteral("cole"));
    QCOMPARE(screen.search(), 3);
    QCOMPARE(screen.learnerGrid()->activeCol(), 2);

    // The text is searched untrimmed: a leading blank must be found as typed.
    screen.accessionOption()->setChecked(true);
    screen.searchBox()->setText(QStringLiteral(" 300"));
    QCOMPARE(screen.search(), 3);
    screen.searchBox()->setText(QStringLiteral(" ACC"));
    QCOMPARE(screen.search(), 0);
    // Nothing is picked by a search.
    QCOMPARE(appState().CurrentLearnerID, 0);
}

void TestStartScreens::searchMessages()
{
    TestStore store(false);
    MessageRecorder boxes;
    frmSelectLearner screen;
    screen.getLearners();
    screen.searchBox()->setText(QStringLiteral("x"));
    QCOMPARE(screen.search(), 0);
    QCOMPARE(boxes.last().text, QStringLiteral("You have no items to search for."));

    store.addLearner(QStringLiteral("Smith"), QStringLiteral("Anna"));
    screen.getLearners();
    screen.searchBox()->setText(QStringLiteral("   "));
    QCOMPARE(screen.search(), 0);
    QCOMPARE(boxes.last().text, QStringLiteral("You must enter a search term."));
    QCOMPARE(boxes.last().title, QStringLiteral("User Message"));
}

void TestStartScreens::laterButtonsDisabledUntilWired()
{
    TestStore store(false);
    frmSelectLearner screen;
    QVERIFY(screen.button(QStringLiteral("cmdSupport"))->isEnabled());
    QVERIFY(screen.button(QStringLiteral("cmdMenu"))->isEnabled());
    for (const char *name : {"cmdRoll", "btnPrint", "cmdReports"})
        QVERIFY2(!screen.button(QString::fromLatin1(name))->isEnabled(), name);
}

void TestStartScreens::startUpFailsClearlyOnMissingDatabase()
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("nowhere.db"));
    Settings::setDatabasePath(missing);
    MessageRecorder boxes;
    frmSelectLearner screen;
    QVERIFY(!screen.startUp());
    QVERIFY(!QFile::exists(missing));
    // First the connection's own report, then why the program cannot start.
    QCOMPARE(boxes.calls().first().title.left(8), QStringLiteral("Error : "));
    QVERIFY(boxes.calls().first().text.contains(QStringLiteral("Location: modDatabaseConnection")));
    QVERIFY(boxes.last().text.contains(missing));
    QVERIFY(!IsConnectionOpen());
}

void TestStartScreens::startUpFailsClearlyOnMissingHostTable()
{
    TestStore store(false);
    store.exec(QStringLiteral("DROP TABLE General_Info"));
    Settings::setDatabasePath(store.path());
    MessageRecorder boxes;
    frmSelectLearner screen;
    QVERIFY(!screen.startUp());
    QVERIFY(boxes.last().text.contains(store.path()));
    QVERIFY(boxes.last().text.contains(QStringLiteral("school's details")));
    QVERIFY(boxes.last().text.contains(QStringLiteral("General_Info")));
}

void TestStartScreens::startUpRunsTableCheckAndLoadsSchool()
{
    TestStore store(true, false);
    store.exec(QStringLiteral("INSERT INTO General_Info (SchoolName, District, Circuit, EmisCode) "
                              "VALUES ('Second', 'D2', 'C2', '999')"));
    Settings::setDatabasePath(store.path());
    MessageRecorder boxes;
    frmSelectLearner screen;
    QVERIFY(screen.startUp());
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(store.count(QStringLiteral("SNE_lu_ISP_Actions")), 5);
    // Only the first school row counts.
    QVERIFY(!appState().EmisCode.isEmpty());
    QVERIFY(appState().EmisCode != QStringLiteral("999"));
    QVERIFY(screen.countBox()->text().toInt() > 0);
    QVERIFY(!IsConnectionOpen());
}

QTEST_MAIN(TestStartScreens)
#include "tst_startscreens.moc"
