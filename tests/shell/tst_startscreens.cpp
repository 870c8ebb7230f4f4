// The data year screen and the learner selection screen on fixture databases.
#include "AppState.h"
#include "ChangeFlag.h"
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

using namespace Qt::StringLiterals;

namespace {

QStringList listedNames(const frmSelectLearner &screen)
{
    QStringList names;
    const grid::SpreadModel &cells = screen.learnerGrid()->cells();
    for (int row = 1; row <= cells.maxRows(); ++row)
        names << cells.text(2, row);
    return names;
}

} // namespace

class TestStartScreens : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { resetAppState(); }

    void yearScreen()
    {
        MessageRecorder boxes;
        frmSelectYear screen;
        QCOMPARE(screen.windowTitle(), u"SNA [Select Data Year]"_s);
        QCOMPARE(screen.cancelButton()->text(), u"Return to Harbrook"_s);
        QComboBox *years = screen.yearList();
        const int thisYear = QDate::currentDate().year();
        QCOMPARE(years->count(), thisYear - 2007);
        QCOMPARE(years->currentText(), QString::number(thisYear));
        QVERIFY(!ChangeFlag::isChanged(screen.continueButton()));

        // The list is picked from, never typed into.
        screen.show();
        years->setFocus();
        QTest::keyClicks(years, u"2009"_s);
        QCOMPARE(years->currentText(), QString::number(thisYear));

        years->setCurrentText(u"2014"_s);
        Q_EMIT years->activated(years->currentIndex());
        QVERIFY(ChangeFlag::isChanged(screen.continueButton()));   // invites the user on
        QVERIFY(screen.confirmYear());
        QCOMPARE(appState().CurrentDataYear, 2014);
        QCOMPARE(boxes.count(), 0);

        years->clear();
        QVERIFY(!screen.confirmYear());
        QCOMPARE(boxes.last().text, u"Please select Data year to continue."_s);
        QCOMPARE(appState().CurrentDataYear, 2014);
    }

    void listingRules()
    {
        TestStore store(false);
        store.exec(u"INSERT INTO SchoolGrades (ID, Name, schoolgrade) VALUES (1, 'Grade 4', 'Yes')"_s);
        store.addLearner(u"smith"_s, u"Anna"_s, u"C"_s, 2);
        store.addLearner(u"Jones"_s, u"Ben"_s, u"C"_s, 3, QString(), 99);   // no grade row
        store.addLearner(u"brown"_s, u"Cara"_s, u"C"_s, 1, u"SG-1"_s);
        store.addLearner(u"Adams"_s, u"Dan"_s, u"C"_s, 1);   // no need, no grant
        store.addLearner(u"Zulu"_s, u"Fay"_s, u"C"_s, 1, u" "_s);
        store.addLearner(u"Old"_s, u"Boy"_s, u"A"_s, 3);
        store.addLearner(u"Older"_s, u"Girl"_s, u"A"_s, 1, u"77"_s);
        store.addLearner(u"Oldest"_s, u"Guy"_s, u"A"_s, 1);

        frmSelectLearner screen;
        screen.getLearners();
        // Sorted without regard to case; a blank grant number still counts as one.
        const QStringList current = QStringList{u"BROWN Cara"_s, u"JONES Ben"_s, u"SMITH Anna"_s, u"ZULU Fay"_s};
        QCOMPARE(listedNames(screen), current);
        QCOMPARE(screen.countBox()->text(), u"4"_s);
        const grid::SpreadModel &cells = screen.learnerGrid()->cells();
        QCOMPARE(cells.text(4, 3), u"Grade 4"_s);
        QCOMPARE(cells.text(4, 2), QString());
        QVERIFY(cells.isLocked(2, 1));
        QVERIFY(screen.learnerGrid()->isColumnHidden(0));
        QVERIFY(screen.button(u"cmdSupport"_s)->isEnabled());
        QVERIFY(screen.button(u"cmdMenu"_s)->isEnabled());
        // The append is the shell's own; the report screens are not registered here.
        QVERIFY(screen.button(u"cmdRoll"_s)->isEnabled());
        for (const char *name : {"btnPrint", "cmdReports"})
            QVERIFY2(!screen.button(QString::fromLatin1(name))->isEnabled(), name);

        screen.archivedOption()->click();
        QCOMPARE(listedNames(screen), (QStringList{u"OLD Boy"_s, u"OLDER Girl"_s}));
        QCOMPARE(screen.countBox()->text(), u"2"_s);
        screen.currentOption()->click();
        QCOMPARE(listedNames(screen), current);
        QCOMPARE(screen.countBox()->text(), u"4"_s);

        store.exec(u"DELETE FROM Learner_Info WHERE Status = 'A'"_s);
        screen.archivedOption()->click();
        QCOMPARE(screen.countBox()->text(), u"0"_s);
        QCOMPARE(cells.maxRows(), 0);
    }

    void clickPicksLearnerUntilScreenIsActivatedAgain()
    {
        TestStore store(false);
        store.exec(u"INSERT INTO Learner_Info (ID, FName, SName, Grade, AccessionNo, BirthDate, Status, "
                    "LSENStatus, SocialGrantNo, LSENDisabilities, LearnerID) VALUES "
                    "(70123, 'Zoë', 'O''Brien', 1, 'A-77', '20090102', 'C', 2, '', 0, 5)"_s);
        MessageRecorder boxes;
        frmSelectLearner screen;
        screen.getLearners();
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        grid::SpreadGrid *grid = screen.learnerGrid();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(0, 2)).center());
        QCOMPARE(appState().CurrentLearnerID, 70123);
        QCOMPARE(appState().CurrentLearnerName, u"O'BRIEN Zoë"_s);
        QCOMPARE(appState().CurrentAccessionNo, u"A-77"_s);
        QCOMPARE(appState().CurrentLearnerDOB, u"20090102"_s);
        QCOMPARE(screen.pickedName(), u"O'BRIEN Zoë"_s);

        // Becoming active again forgets the screen's own pick, not the process-wide learner.
        screen.hide();
        screen.show();
        screen.openMainMenu();
        QCOMPARE(boxes.last().text, u"Please select the Learner to continue."_s);
        QCOMPARE(appState().CurrentLearnerName, u"O'BRIEN Zoë"_s);
    }

    void search_data()
    {
        QTest::addColumn<bool>("listed");
        QTest::addColumn<bool>("byName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("row");   // 0: no hit, the message says why
        QTest::addColumn<QString>("message");
        QTest::newRow("accession, any case") << true << false << u"acc-2"_s << 2 << QString();
        QTest::newRow("accession is no name") << true << true << u"acc-2"_s << 0 << u"Your search word was not found."_s;
        QTest::newRow("name") << true << true << u"cole"_s << 3 << QString();
        QTest::newRow("untrimmed hit") << true << false << u" 300"_s << 3 << QString();
        QTest::newRow("untrimmed miss") << true << false << u" ACC"_s << 0 << u"Your search word was not found."_s;
        QTest::newRow("blank text") << true << false << u"   "_s << 0 << u"You must enter a search term."_s;
        QTest::newRow("empty list") << false << false << u"x"_s << 0 << u"You have no items to search for."_s;
    }

    void search()
    {
        QFETCH(bool, listed);
        QFETCH(bool, byName);
        QFETCH(QString, text);
        QFETCH(int, row);
        QFETCH(QString, message);
        TestStore store(false);
        if (listed) {
            store.addLearner(u"Abel"_s, u"Ann"_s, u"C"_s, 2, QString(), 1, u"ACC-100"_s);
            store.addLearner(u"Baker"_s, u"Bob"_s, u"C"_s, 2, QString(), 1, u"ACC-200"_s);
            store.addLearner(u"Cole"_s, u"Cy"_s, u"C"_s, 2, QString(), 1, u"X 300"_s);
        }
        MessageRecorder boxes;
        frmSelectLearner screen;
        screen.getLearners();
        (byName ? screen.nameOption() : screen.accessionOption())->setChecked(true);
        screen.searchBox()->setText(text);
        QCOMPARE(screen.search(), row);
        QCOMPARE(boxes.last().text, message);
        if (!message.isEmpty())
            QCOMPARE(boxes.last().title, u"User Message"_s);
        if (row) {
            QCOMPARE(screen.learnerGrid()->activeRow(), row);
            QCOMPARE(screen.learnerGrid()->activeCol(), byName ? 2 : 3);
        }
        QCOMPARE(appState().CurrentLearnerID, 0);   // a search picks nothing
    }

    void learnerIdBeyond32BitsIsRefused()
    {
        TestStore store(false);
        store.exec(u"INSERT INTO Learner_Info (ID, FName, SName, Grade, AccessionNo, BirthDate, Status, "
                    "LSENStatus, SocialGrantNo, LSENDisabilities, LearnerID) VALUES "
                    "(4294967297, 'Big', 'Number', 1, 'B-1', '20090102', 'C', 2, '', 0, 6)"_s);
        MessageRecorder boxes;
        frmSelectLearner screen;
        QVERIFY(screen.getLearners());
        screen.pickLearner(1);
        // Not taken as learner 1 (its low 32 bits) nor as 0: refused, in words.
        QCOMPARE(boxes.count(), 1);
        QVERIFY(boxes.last().text.contains(u"4294967297"_s));
        QVERIFY(boxes.last().text.contains(u"too large"_s));
        QCOMPARE(appState().CurrentLearnerID, 0);
        QVERIFY(screen.pickedName().isEmpty());
        screen.openMainMenu();
        QCOMPARE(boxes.last().text, u"Please select the Learner to continue."_s);
    }

    void statusOptionsSurviveAnUnreachableStore_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason");
        QTest::newRow("renamed away") << u"renamed"_s << u"Could not find file"_s;
        QTest::newRow("truncated") << u"truncated"_s << u"Unrecognized database format"_s;
        QTest::newRow("locked by another program") << u"locked"_s << u"database is locked"_s;
    }

    void statusOptionsSurviveAnUnreachableStore()
    {
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        TestStore store(true);
        MessageRecorder boxes;
        frmSelectLearner screen;
        QVERIFY(screen.getLearners());
        const QStringList listed = listedNames(screen);
        QVERIFY(!listed.isEmpty());
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));

        std::unique_ptr<Connection> other;
        if (fault == QLatin1String("renamed")) {
            QVERIFY(QFile::rename(store.path(), store.path() + u".old"_s));
        } else if (fault == QLatin1String("truncated")) {
            QFile file(store.path());
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        } else {
            other = store.lockedByAnotherProgram();
        }
        // Clicked as the user clicks: the handler runs from the event loop.
        QTest::mouseClick(screen.archivedOption(), Qt::LeftButton);
        // The list still shows the current learners, and so do the options.
        QVERIFY(screen.currentOption()->isChecked());
        QVERIFY(!screen.archivedOption()->isChecked());
        QTest::mouseClick(screen.currentOption(), Qt::LeftButton);
        QVERIFY(screen.currentOption()->isChecked());
        QCOMPARE(boxes.count(), 2);   // one report per click
        QVERIFY(boxes.last().title.startsWith(u"Error : "_s));
        QVERIFY(boxes.sawText(reason));
        QVERIFY(!boxes.sawText(u"Operation is not allowed when the object is closed."_s));
        QCOMPARE(listedNames(screen), listed);   // still usable, list as it was
    }

    void startUpFailsClearly_data()
    {
        QTest::addColumn<bool>("databaseMissing");
        QTest::newRow("missing database") << true;
        QTest::newRow("missing host table") << false;
    }

    void startUpFailsClearly()
    {
        QFETCH(bool, databaseMissing);
        TestStore store(false);
        const QString path = databaseMissing ? store.dir() + u"/nowhere.db"_s : store.path();
        if (!databaseMissing)
            store.exec(u"DROP TABLE General_Info"_s);
        Settings::setDatabasePath(path);
        MessageRecorder boxes;
        frmSelectLearner screen;
        QVERIFY(!screen.startUp());
        QVERIFY(boxes.last().text.contains(path));
        QCOMPARE(QFile::exists(path), !databaseMissing);
        // One failure, one box, with the real reason.
        QCOMPARE(boxes.count(), 1);
        QVERIFY(!boxes.sawText(u"Operation is not allowed when the object is closed."_s));
        if (databaseMissing) {
            QVERIFY(boxes.last().text.contains(u"Could not find file"_s));
        } else {
            // Refused before anything of the program's was created in it.
            QVERIFY(boxes.last().text.contains(u"is not a school database"_s));
            QVERIFY(boxes.last().text.contains(u"General_Info"_s));
        }
    }

    void startUpRunsTableCheckAndLoadsSchool()
    {
        TestStore store(true, false);
        store.exec(u"INSERT INTO General_Info (SchoolName, District, Circuit, EmisCode) "
                    "VALUES ('Second', 'D2', 'C2', '999')"_s);
        Settings::setDatabasePath(store.path());
        MessageRecorder boxes;
        frmSelectLearner screen;
        QVERIFY(screen.startUp());
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(store.count(u"SNE_lu_ISP_Actions"_s), 5);
        // Only the first school row counts.
        QVERIFY(!appState().EmisCode.isEmpty());
        QVERIFY(appState().EmisCode != u"999"_s);
        QVERIFY(screen.countBox()->text().toInt() > 0);
    }
};

QTEST_MAIN(TestStartScreens)
#include "tst_startscreens.moc"
