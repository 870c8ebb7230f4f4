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

namespace {

QStringList listedNames(const frmSelectLearner &screen)
{
    QStringList names;
    const grid::SpreadModel &cells = screen.learnerGrid()->cells();
    for (int row = 1; row <= cells.maxRows(); ++row)
        names << cells.text(2, row);
    return names;
}

QStringList strings(std::initializer_list<const char *> texts)
{
    QStringList list;
    for (const char *text : texts)
        list << QString::fromUtf8(text);
    return list;
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
        QCOMPARE(screen.windowTitle(), QStringLiteral("SNA [Select Data Year]"));
        QCOMPARE(screen.cancelButton()->text(), QStringLiteral("Return to Harbrook"));
        QComboBox *years = screen.yearList();
        const int thisYear = QDate::currentDate().year();
        QCOMPARE(years->count(), thisYear - 2007);
        QCOMPARE(years->currentText(), QString::number(thisYear));
        QVERIFY(!ChangeFlag::isChanged(screen.continueButton()));

        // The list is picked from, never typed into.
        screen.show();
        years->setFocus();
        QTest::keyClicks(years, QStringLiteral("2009"));
        QCOMPARE(years->currentText(), QString::number(thisYear));

        years->setCurrentText(QStringLiteral("2014"));
        Q_EMIT years->activated(years->currentIndex());
        QVERIFY(ChangeFlag::isChanged(screen.continueButton()));   // invites the user on
        QVERIFY(screen.confirmYear());
        QCOMPARE(appState().CurrentDataYear, 2014);
        QCOMPARE(boxes.count(), 0);

        years->clear();
        QVERIFY(!screen.confirmYear());
        QCOMPARE(boxes.last().text, QStringLiteral("Please select Data year to continue."));
        QCOMPARE(appState().CurrentDataYear, 2014);
    }

    void listingRules()
    {
        TestStore store(false);
        store.exec(QStringLiteral("INSERT INTO SchoolGrades (ID, Name, schoolgrade) VALUES (1, 'Grade 4', 'Yes')"));
        store.addLearner(QStringLiteral("smith"), QStringLiteral("Anna"), QStringLiteral("C"), 2);
        store.addLearner(QStringLiteral("Jones"), QStringLiteral("Ben"), QStringLiteral("C"), 3, QString(), 99);   // no grade row
        store.addLearner(QStringLiteral("brown"), QStringLiteral("Cara"), QStringLiteral("C"), 1, QStringLiteral("SG-1"));
        store.addLearner(QStringLiteral("Adams"), QStringLiteral("Dan"), QStringLiteral("C"), 1);   // no need, no grant
        store.addLearner(QStringLiteral("Zulu"), QStringLiteral("Fay"), QStringLiteral("C"), 1, QStringLiteral(" "));
        store.addLearner(QStringLiteral("Old"), QStringLiteral("Boy"), QStringLiteral("A"), 3);
        store.addLearner(QStringLiteral("Older"), QStringLiteral("Girl"), QStringLiteral("A"), 1, QStringLiteral("77"));
        store.addLearner(QStringLiteral("Oldest"), QStringLiteral("Guy"), QStringLiteral("A"), 1);

        frmSelectLearner screen;
        screen.getLearners();
        // Sorted without regard to case; a blank grant number still counts as one.
        const QStringList current = strings({"BROWN Cara", "JONES Ben", "SMITH Anna", "ZULU Fay"});
        QCOMPARE(listedNames(screen), current);
        QCOMPARE(screen.countBox()->text(), QStringLiteral("4"));
        const grid::SpreadModel &cells = screen.learnerGrid()->cells();
        QCOMPARE(cells.text(4, 3), QStringLiteral("Grade 4"));
        QCOMPARE(cells.text(4, 2), QString());
        QVERIFY(cells.isLocked(2, 1));
        QVERIFY(screen.learnerGrid()->isColumnHidden(0));
        QVERIFY(screen.button(QStringLiteral("cmdSupport"))->isEnabled());
        QVERIFY(screen.button(QStringLiteral("cmdMenu"))->isEnabled());
        // The append is the shell's own; the report screens are not registered here.
        QVERIFY(screen.button(QStringLiteral("cmdRoll"))->isEnabled());
        for (const char *name : {"btnPrint", "cmdReports"})
            QVERIFY2(!screen.button(QString::fromLatin1(name))->isEnabled(), name);

        screen.archivedOption()->click();
        QCOMPARE(listedNames(screen), strings({"OLD Boy", "OLDER Girl"}));
        QCOMPARE(screen.countBox()->text(), QStringLiteral("2"));
        screen.currentOption()->click();
        QCOMPARE(listedNames(screen), current);
        QCOMPARE(screen.countBox()->text(), QStringLiteral("4"));

        store.exec(QStringLiteral("DELETE FROM Learner_Info WHERE Status = 'A'"));
        screen.archivedOption()->click();
        QCOMPARE(screen.countBox()->text(), QStringLiteral("0"));
        QCOMPARE(cells.maxRows(), 0);
    }

    void clickPicksLearnerUntilScreenIsActivatedAgain()
    {
        TestStore store(false);
        store.exec(QStringLiteral("INSERT INTO Learner_Info (ID, FName, SName, Grade, AccessionNo, BirthDate, Status, "
                                  "LSENStatus, SocialGrantNo, LSENDisabilities, LearnerID) VALUES "
                                  "(70123, 'Zoë', 'O''Brien', 1, 'A-77', '20090102', 'C', 2, '', 0, 5)"));
        MessageRecorder boxes;
        frmSelectLearner screen;
        screen.getLearners();
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        grid::SpreadGrid *grid = screen.learnerGrid();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(0, 2)).center());
        QCOMPARE(appState().CurrentLearnerID, 70123);
        QCOMPARE(appState().CurrentLearnerName, QStringLiteral("O'BRIEN Zoë"));
        QCOMPARE(appState().CurrentAccessionNo, QStringLiteral("A-77"));
        QCOMPARE(appState().CurrentLearnerDOB, QStringLiteral("20090102"));
        QCOMPARE(screen.pickedName(), QStringLiteral("O'BRIEN Zoë"));

        // Becoming active again forgets the screen's own pick, not the process-wide learner.
        screen.hide();
        screen.show();
        screen.openMainMenu();
        QCOMPARE(boxes.last().text, QStringLiteral("Please select the Learner to continue."));
        QCOMPARE(appState().CurrentLearnerName, QStringLiteral("O'BRIEN Zoë"));
    }

    void search_data()
    {
        QTest::addColumn<bool>("listed");
        QTest::addColumn<bool>("byName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("row");   // 0: no hit, the message says why
        QTest::addColumn<QString>("message");
        QTest::newRow("accession, any case") << true << false << QStringLiteral("acc-2") << 2 << QString();
        QTest::newRow("accession is no name") << true << true << QStringLiteral("acc-2") << 0 << QStringLiteral("Your search word was not found.");
        QTest::newRow("name") << true << true << QStringLiteral("cole") << 3 << QString();
        QTest::newRow("untrimmed hit") << true << false << QStringLiteral(" 300") << 3 << QString();
        QTest::newRow("untrimmed miss") << true << false << QStringLiteral(" ACC") << 0 << QStringLiteral("Your search word was not found.");
        QTest::newRow("blank text") << true << false << QStringLiteral("   ") << 0 << QStringLiteral("You must enter a search term.");
        QTest::newRow("empty list") << false << false << QStringLiteral("x") << 0 << QStringLiteral("You have no items to search for.");
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
            store.addLearner(QStringLiteral("Abel"), QStringLiteral("Ann"), QStringLiteral("C"), 2, QString(), 1, QStringLiteral("ACC-100"));
            store.addLearner(QStringLiteral("Baker"), QStringLiteral("Bob"), QStringLiteral("C"), 2, QString(), 1, QStringLiteral("ACC-200"));
            store.addLearner(QStringLiteral("Cole"), QStringLiteral("Cy"), QStringLiteral("C"), 2, QString(), 1, QStringLiteral("X 300"));
        }
        MessageRecorder boxes;
        frmSelectLearner screen;
        screen.getLearners();
        (byName ? screen.nameOption() : screen.accessionOption())->setChecked(true);
        screen.searchBox()->setText(text);
        QCOMPARE(screen.search(), row);
        QCOMPARE(boxes.last().text, message);
        if (!message.isEmpty())
            QCOMPARE(boxes.last().title, QStringLiteral("User Message"));
        if (row) {
            QCOMPARE(screen.learnerGrid()->activeRow(), row);
            QCOMPARE(screen.learnerGrid()->activeCol(), byName ? 2 : 3);
        }
        QCOMPARE(appState().CurrentLearnerID, 0);   // a search picks nothing
    }

    void learnerIdBeyond32BitsIsRefused()
    {
        TestStore store(false);
        store.exec(QStringLiteral("INSERT INTO Learner_Info (ID, FName, SName, Grade, AccessionNo, BirthDate, Status, "
                                  "LSENStatus, SocialGrantNo, LSENDisabilities, LearnerID) VALUES "
                                  "(4294967297, 'Big', 'Number', 1, 'B-1', '20090102', 'C', 2, '', 0, 6)"));
        MessageRecorder boxes;
        frmSelectLearner screen;
        QVERIFY(screen.getLearners());
        screen.pickLearner(1);
        // Not taken as learner 1 (its low 32 bits) nor as 0: refused, in words.
        QCOMPARE(boxes.count(), 1);
        QVERIFY(boxes.last().text.contains(QStringLiteral("4294967297")));
        QVERIFY(boxes.last().text.contains(QStringLiteral("too large")));
        QCOMPARE(appState().CurrentLearnerID, 0);
        QVERIFY(screen.pickedName().isEmpty());
        screen.openMainMenu();
        QCOMPARE(boxes.last().text, QStringLiteral("Please select the Learner to continue."));
    }

    void statusOptionsSurviveAnUnreachableStore_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason");
        QTest::newRow("renamed away") << QStringLiteral("renamed") << QStringLiteral("Could not find file");
        QTest::newRow("truncated") << QStringLiteral("truncated") << QStringLiteral("Unrecognized database format");
        QTest::newRow("locked by another program") << QStringLiteral("locked") << QStringLiteral("database is locked");
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
            QVERIFY(QFile::rename(store.path(), store.path() + QStringLiteral(".old")));
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
        QVERIFY(boxes.last().title.startsWith(QStringLiteral("Error : ")));
        QVERIFY(boxes.sawText(reason));
        QVERIFY(!boxes.sawText(QStringLiteral("Operation is not allowed when the object is closed.")));
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
        const QString path = databaseMissing ? store.dir() + QStringLiteral("/nowhere.db") : store.path();
        if (!databaseMissing)
            store.exec(QStringLiteral("DROP TABLE General_Info"));
        Settings::setDatabasePath(path);
        MessageRecorder boxes;
        frmSelectLearner screen;
        QVERIFY(!screen.startUp());
        QVERIFY(boxes.last().text.contains(path));
        QCOMPARE(QFile::exists(path), !databaseMissing);
        // One failure, one box, with the real reason.
        QCOMPARE(boxes.count(), 1);
        QVERIFY(!boxes.sawText(QStringLiteral("Operation is not allowed when the object is closed.")));
        if (databaseMissing) {
            QVERIFY(boxes.last().text.contains(QStringLiteral("Could not find file")));
        } else {
            // Refused before anything of the program's was created in it.
            QVERIFY(boxes.last().text.contains(QStringLiteral("is not a school database")));
            QVERIFY(boxes.last().text.contains(QStringLiteral("General_Info")));
        }
    }

    void startUpRunsTableCheckAndLoadsSchool()
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
    }
};

QTEST_MAIN(TestStartScreens)
#include "tst_startscreens.moc"
