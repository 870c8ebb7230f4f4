#include "AppState.h"
#include "CheckTables.h"
#include "Connection.h"
#include "DemoHost.h"
#include "MessageRecorder.h"
#include "SchemaTables.h"
#include "StoreError.h"
#include "StoreRows.h"
#include "TableCheckReport.h"
#include "TestStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <stdexcept>

namespace {

qlonglong pragma(Connection &connection, const char *name)
{
    return connection.query(QStringLiteral("PRAGMA ") + QLatin1String(name)).value(0, QString::fromLatin1(name)).toLongLong();
}

QStringList rows(const TestStore &store, const QString &sql)
{
    return storeRows(*store.connect(), sql);
}

QStringList columns(const TestStore &store, const QString &table)
{
    return store.connect()->columnNames(table);
}

// Replaces a data table by its older layout, keyed by the host's older
// learner number.
void makeOldLayout(const TestStore &store, const QString &table)
{
    std::unique_ptr<Connection> connection = store.connect();
    connection->executeNative(QStringLiteral("DROP TABLE ") + table);
    connection->execute(SchemaTables::createStatement(table).replace(QStringLiteral("LearnerID LONG"), QStringLiteral("Learner_ID LONG")));
}

int hostNumberOf(const TestStore &store, int learnerId)
{
    return store.scalar(QStringLiteral("SELECT LearnerID FROM Learner_Info WHERE ID = %1").arg(learnerId)).toInt();
}

} // namespace

class TestSchema : public QObject
{
    Q_OBJECT

private slots:
    void init() { resetAppState(); }

    void newDatabaseGetsEveryTableAndItsLookups()
    {
        TestStore store(false, false);
        const TableCheckResult result = CheckTables();
        QCOMPARE(result.created, SchemaTables::dataTables() + SchemaTables::lookupTables());
        QCOMPARE(result.filled, SchemaTables::lookupTables());
        QVERIFY(result.upgraded.isEmpty() && result.learnerIdDropped.isEmpty());
        const QMap<QString, int> sizes = {{QStringLiteral("SNE_lu_Impairment_Area"), 8},
                                          {QStringLiteral("SNE_lu_Activity_Domain_Sub_Section"), 29},
                                          {QStringLiteral("SNE_lu_Activity_Domain_Limit_Desc"), 28},
                                          {QStringLiteral("SNE_lu_ISP_Actions"), 5}};
        QCOMPARE(result.filledRows, sizes);

        // Every text reaches its table as the host has it: slashes, '<', line
        // breaks, blanks and misspellings included; 29 "Other" has no levels.
        const QStringList areas = rows(store, QStringLiteral("SELECT ID, Description FROM SNE_lu_Impairment_Area ORDER BY ID"));
        const QStringList subSections = rows(store, QStringLiteral("SELECT ID, Activity_Domain, Description FROM "
                                                                   "SNE_lu_Activity_Domain_Sub_Section ORDER BY ID"));
        const QStringList actions = rows(store, QStringLiteral("SELECT ID, Description FROM SNE_lu_ISP_Actions ORDER BY ID"));
        const QStringList limits = rows(store, QStringLiteral("SELECT ID, DescMild, DescMod, DescSevere FROM "
                                                              "SNE_lu_Activity_Domain_Limit_Desc ORDER BY ID"));
        QCOMPARE(areas.at(5), QStringLiteral("6|Mental-psychiatric diagnosis"));
        QCOMPARE(actions.at(1), QStringLiteral("2|Educator training or other educator support to be given "));
        QCOMPARE(subSections.last(), QStringLiteral("29|8|Other"));
        QCOMPARE(limits.at(23).section(QLatin1Char('|'), 1), limits.at(26).section(QLatin1Char('|'), 1));
        QCOMPARE(limits.at(14).section(QLatin1Char('|'), 2, 2), QStringLiteral("Recognises familliar person across the street; Can see to read and write (incl. learning these skills); 6/24 - 6/36;\r\nCan manage to get around in a low lit area."));
        QCOMPARE(limits.at(22).section(QLatin1Char('|'), 2), QStringLiteral("Moderate recall: 9/15\r\nOne prompt.|Poor recall: Less than 7\r\nTwo prompts."));
        QCOMPARE(limits.at(3).section(QLatin1Char('|'), 3), QStringLiteral("Unable to move around  alone, or very restricted e.g < than 10 meters; very slow."));
        const QString all = limits.join(QLatin1Char('\n'));
        for (const char *spelling : {"vise-versa", "grammer", "arms length; familliar person", "family realations", "neglets family",
                                     "is failling at school).", "Didnt get the answer"})
            QVERIFY2(all.contains(QString::fromUtf8(spelling)), spelling);
        // Every level of 1 to 28 has a text, ours (18, 19 and 21) included.
        QVERIFY(!all.contains(QStringLiteral("||")) && !all.contains(QStringLiteral("|\n")) && !all.endsWith(QLatin1Char('|')));
    }

    // Every data table, new or old, gets its learner-and-year index once; the
    // lookup tables need none.
    void dataTablesAreIndexedOnLearnerAndYear()
    {
        TestStore store(true, false);
        const QStringList expected{
            QStringLiteral("SNE_DBST_Support_Strategy_LearnerYear|LearnerID,Data_Year"),
            QStringLiteral("SNE_Learner_Background_Info_LearnerYear|LearnerID,Data_Year"),
            QStringLiteral("SNE_Learner_Supp_Needs_LearnerYear|LearnerID,Data_Year"),
        };
        const auto indexes = [&store] {
            return rows(store, QStringLiteral("SELECT m.name, (SELECT group_concat(name) FROM (SELECT name FROM "
                                              "pragma_index_info(m.name) ORDER BY seqno)) FROM sqlite_master m WHERE "
                                              "m.type = 'index' AND m.name IN ('SNE_Learner_Background_Info_LearnerYear', "
                                              "'SNE_DBST_Support_Strategy_LearnerYear', 'SNE_Learner_Supp_Needs_LearnerYear') "
                                              "ORDER BY m.name"));
        };
        QCOMPARE(CheckTables().indexed, SchemaTables::dataTables());
        QCOMPARE(indexes(), expected);
        QCOMPARE(store.count(QStringLiteral("sqlite_master"), QStringLiteral("type = 'index' AND name LIKE '%_LearnerYear'")), 18);

        // A database whose tables were made before the index: the index only.
        store.exec(QStringLiteral("DROP INDEX SNE_DBST_Support_Strategy_LearnerYear"));
        const TableCheckResult again = CheckTables();
        QCOMPARE(again.indexed, QStringList{QStringLiteral("SNE_DBST_Support_Strategy")});
        QVERIFY(again.created.isEmpty());
        QCOMPARE(indexes(), expected);
    }

    void currentDatabaseIsOnlyProbed()
    {
        TestStore store;
        store.exec(QStringLiteral("INSERT INTO SNE_Factors_School (LearnerID, Enabling_Factor, Data_Year) VALUES (101, 'a', 2014)"));
        const QByteArray before = store.fileHash();
        std::unique_ptr<Connection> watcher = store.connect();
        const qlonglong dataVersion = pragma(*watcher, "data_version");
        const qlonglong schemaVersion = pragma(*watcher, "schema_version");

        QVERIFY(CheckTables().changedNothing());
        // Another connection committing anything would move data_version.
        QCOMPARE(pragma(*watcher, "data_version"), dataVersion);
        QCOMPARE(pragma(*watcher, "schema_version"), schemaVersion);
        QCOMPARE(store.fileHash(), before);
    }

    void oldLayoutTableMovesToTheLearnerKey()
    {
        TestStore store;
        const QString table = QStringLiteral("SNE_Factors_Community");
        makeOldLayout(store, table);
        const int highId = store.scalar(QStringLiteral("SELECT MAX(ID) FROM Learner_Info")).toInt();
        const int lowId = store.scalar(QStringLiteral("SELECT MIN(ID) FROM Learner_Info")).toInt();
        QVERIFY(highId > 32767);
        store.exec(QStringLiteral("INSERT INTO SNE_Factors_Community (Learner_ID, Positive_Influence, Data_Year) VALUES "
                                  "(%1, 'Gran''s church group', 2013), (%2, 'Zoë''s aunt', 2014), (424242, 'nobody''s', 2014)")
                       .arg(hostNumberOf(store, highId)).arg(hostNumberOf(store, lowId)));

        const TableCheckResult result = CheckTables();
        QCOMPARE(result.upgraded, QStringList{table});
        QVERIFY(result.created.isEmpty() && result.learnerIdDropped.isEmpty());
        QVERIFY(!columns(store, table).contains(QStringLiteral("Learner_ID")));
        // Unmatched rows stay, with no learner.
        QCOMPARE(rows(store, QStringLiteral("SELECT Positive_Influence, LearnerID, Data_Year FROM SNE_Factors_Community ORDER BY ID")),
                 (QStringList{QStringLiteral("Gran's church group|%1|2013").arg(highId), QStringLiteral("Zoë's aunt|%1|2014").arg(lowId),
                              QStringLiteral("nobody's|NULL|2014")}));
        QVERIFY(CheckTables().changedNothing());
    }

    void failedUpgradeIsReportedAndUndone()
    {
        TestStore store;
        const QString table = QStringLiteral("SNE_Factors_School");
        makeOldLayout(store, table);
        store.exec(QStringLiteral("INSERT INTO SNE_Factors_School (Learner_ID, Enabling_Factor, Data_Year) VALUES (%1, 'kept', 2014)")
                       .arg(hostNumberOf(store, 101)));
        store.failWritesTo(table, QStringLiteral("UPDATE"));
        // The first table still carries the old column too, so the clean-up runs.
        store.exec(QStringLiteral("ALTER TABLE SNE_Learner_Background_Info ADD COLUMN Learner_ID INTEGER"));
        const auto snapshot = [&] { return columns(store, table) + rows(store, QStringLiteral("SELECT * FROM SNE_Factors_School")); };
        const QStringList before = snapshot();

        MessageRecorder recorder;
        const TableCheckResult result = CheckTables();
        QCOMPARE(result.upgradeFailed, QStringList{table});
        QVERIFY(result.upgraded.isEmpty());
        QCOMPARE(result.upgradeErrors.size(), size_t(1));
        QCOMPARE(recorder.count(), 0);   // the check itself shows nothing
        ReportUpgradeFailures(result);
        QCOMPARE(recorder.count(), 1);
        QVERIFY(recorder.sawText(QStringLiteral("\r\nLocation: Alter/Update IDs\r\nProcedure: addID")));
        // The table is as it was: its only learner key is not dropped by the clean-up.
        QCOMPARE(result.learnerIdDropped, QStringList{QStringLiteral("SNE_Learner_Background_Info")});
        QCOMPARE(snapshot(), before);

        // The next start tries again.
        store.allowWritesTo(table, QStringLiteral("UPDATE"));
        recorder.clear();
        QCOMPARE(CheckTables().upgraded, QStringList{table});
        QCOMPARE(recorder.count(), 0);
        QCOMPARE(store.count(table, QStringLiteral("LearnerID = 101 AND Enabling_Factor = 'kept'")), 1);
    }

    void leftOverLearnerIdGoesOnlyWhenTheFirstTableHasIt()
    {
        TestStore store;
        store.exec(QStringLiteral("ALTER TABLE SNE_ISP ADD COLUMN Learner_ID INTEGER"));
        store.exec(QStringLiteral("INSERT INTO SNE_ISP (LearnerID, Learner_ID, [Action], Target, Data_Year) VALUES (40005, 7, 1, 't', 2014)"));

        // Both columns: the probe succeeds, so nothing is upgraded or dropped.
        QVERIFY(CheckTables().changedNothing());
        QVERIFY(columns(store, QStringLiteral("SNE_ISP")).contains(QStringLiteral("Learner_ID")));

        store.exec(QStringLiteral("ALTER TABLE SNE_Learner_Background_Info ADD COLUMN Learner_ID INTEGER"));
        const TableCheckResult result = CheckTables();
        QCOMPARE(result.learnerIdDropped, (QStringList{QStringLiteral("SNE_Learner_Background_Info"), QStringLiteral("SNE_ISP")}));
        QVERIFY(result.upgraded.isEmpty());
        for (const QString &table : SchemaTables::dataTables())
            QVERIFY2(!columns(store, table).contains(QStringLiteral("Learner_ID")), qPrintable(table));
        QCOMPARE(store.count(QStringLiteral("SNE_ISP"), QStringLiteral("LearnerID = 40005 AND Target = 't'")), 1);
    }

    void lookupTableIsFilledOnlyWhenCreated()
    {
        TestStore store;
        store.exec(QStringLiteral("DROP TABLE SNE_lu_Impairment_Area"));
        store.exec(QStringLiteral("DELETE FROM SNE_lu_ISP_Actions"));

        const TableCheckResult result = CheckTables();
        QCOMPARE(result.created, QStringList{QStringLiteral("SNE_lu_Impairment_Area")});
        QCOMPARE(result.filled, QStringList{QStringLiteral("SNE_lu_Impairment_Area")});
        QCOMPARE(store.count(QStringLiteral("SNE_lu_Impairment_Area")), 8);
        QCOMPARE(store.count(QStringLiteral("SNE_lu_ISP_Actions")), 0);
    }

    // A failure ends the check: the connection is closed, tables made before
    // it are kept. How a refused file is left alone belongs to the shared
    // connection; the check reports the failure once.
    void failureEndsTheCheck()
    {
        TestStore store(false, false);
        // Something named like a table of ours that cannot be read as one.
        store.exec(QStringLiteral("CREATE VIEW SNE_ISP AS SELECT 1 AS Other"));
        QVERIFY_THROWS_EXCEPTION(StoreError, CheckTables());
        QVERIFY(store.connect()->tableExists(QStringLiteral("SNE_Factors_School")));
        QVERIFY(!store.connect()->tableExists(QStringLiteral("SNE_Assessment_Supp_Req")));

        const QString missing = store.dir() + QStringLiteral("/missing.db");
        for (const QString &path : {missing, QString()}) {
            appState().DatabasePath = path;
            MessageRecorder recorder;
            // The caller shows the one failure; the check adds no report of its own.
            QVERIFY_THROWS_EXCEPTION(StoreError, CheckTables());
            QCOMPARE(recorder.count(), 0);
        }
        QVERIFY(!QFile::exists(missing));
    }

    void foreignStoreIsRefusedUntouched()
    {
        QTemporaryDir dir;
        const QString foreign = dir.filePath(QStringLiteral("photos.sqlite"));
        {
            std::unique_ptr<Connection> connection = Connection::create(foreign);
            connection->executeNative(QStringLiteral("CREATE TABLE Learner_Info (ID INTEGER)"));   // one look-alike
            connection->executeNative(QStringLiteral("CREATE TABLE Albums (Name TEXT)"));
        }
        QFile file(foreign);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        appState().DatabasePath = foreign;
        QCOMPARE(failureOf([] { CheckTables(); }),
                 failure(StoreError::Kind::NotASchoolDatabase,
                         QStringLiteral("The file %1 is not a school database: it has no General_Info, SchoolGrades, Disabilities, "
                                        "MultipleDisabilities table. Nothing was changed in it. Check which database this computer "
                                        "is set up to use.").arg(foreign)));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    void damagedTableIsReportedAsDamage()
    {
        TestStore store(false, true);
        {
            std::unique_ptr<Connection> connection = store.connect();
            for (int i = 0; i < 200; ++i)
                connection->executeNative(QStringLiteral("INSERT INTO SNE_ISP (LearnerID, Target, Data_Year) "
                                                         "VALUES (%1, '%2', 2014)").arg(i).arg(QString(200, QLatin1Char('t'))));
        }
        const int root = store.scalar(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = 'SNE_ISP'")).toInt();
        const int pageSize = store.scalar(QStringLiteral("PRAGMA page_size")).toInt();
        {
            QFile file(store.path());
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.seek(qint64(root - 1) * pageSize));
            file.write(QByteArray(pageSize, '\xff'));
        }
        // The store's own words, not a table to create again.
        const QString failed = failureOf([] { CheckTables(); });
        QVERIFY2(failed.contains(QStringLiteral("malformed")) && !failed.contains(QStringLiteral("already exists")), qPrintable(failed));
    }

    // A program table that lost the learner key is reported as that table
    // missing that column, and left as it was.
    void tableWithoutItsLearnerKeyIsNamed()
    {
        TestStore store(false, true);
        store.exec(QStringLiteral("DROP TABLE SNE_ISP"));
        store.exec(QStringLiteral("CREATE TABLE SNE_ISP (ID INTEGER, Target TEXT, Data_Year INTEGER)"));
        QCOMPARE(failureOf([] { CheckTables(); }).section(QLatin1Char(' '), 1),
                 QStringLiteral("The table SNE_ISP has no column LearnerID, which the program needs. Nothing was changed in it."));
        QCOMPARE(store.count(QStringLiteral("sqlite_master"), QStringLiteral("name = 'SNE_ISP' AND sql LIKE '%LearnerID%'")), 0);
    }

    void demoSchoolCoversEveryListingCase()
    {
        TestStore store(true, false);
        QCOMPARE(store.count(QStringLiteral("Learner_Info")), 60);
        // Listed by their support status, by a grant number alone (a blank one
        // included), and left out: LSENStatus 1 with an empty or a NULL grant.
        const QStringList cases = {
            QStringLiteral("Status = 'C' AND LSENStatus = 2"), QStringLiteral("Status = 'C' AND LSENStatus = 3"),
            QStringLiteral("Status = 'C' AND LSENStatus = 1 AND SocialGrantNo GLOB 'SG*'"),
            QStringLiteral("Status = 'C' AND LSENStatus = 1 AND SocialGrantNo = ' '"),
            QStringLiteral("Status = 'C' AND LSENStatus = 1 AND SocialGrantNo = ''"),
            QStringLiteral("Status = 'C' AND LSENStatus = 1 AND SocialGrantNo IS NULL"),
            QStringLiteral("Status = 'A' AND LSENStatus IN (2, 3)"),
            QStringLiteral("Status = 'A' AND LSENStatus = 1 AND SocialGrantNo <> ''"),
            QStringLiteral("Status = 'A' AND LSENStatus = 1 AND COALESCE(SocialGrantNo, '') = ''"),
            QStringLiteral("Grade NOT IN (SELECT ID FROM SchoolGrades) AND Status = 'C' AND LSENStatus IN (2, 3)"),
            QStringLiteral("Grade IN (SELECT ID FROM SchoolGrades WHERE schoolgrade = 'No')"),
            QStringLiteral("ID > 32767 AND Status = 'C' AND LSENStatus IN (2, 3)"),
            QStringLiteral("ID > 32767 AND Status = 'A'"),
            QStringLiteral("LSENDisabilities IS NULL"),
            QStringLiteral("ID IN (SELECT LearnerID FROM MultipleDisabilities) AND LSENStatus IN (2, 3)"),
            QStringLiteral("SName = 'o''brien' AND Status = 'C'"),   // texts compare ignoring case, as on the host
            QStringLiteral("FName = 'Zoë' AND SName = 'Mühlberg'"),
        };
        for (const QString &where : cases)
            QVERIFY2(store.count(QStringLiteral("Learner_Info"), where) >= 1, qPrintable(where));

        // The learner list: current learners by surname, ignoring case.
        const QString list = QStringLiteral("SELECT SName FROM Learner_Info WHERE Status = '%1' AND "
                                            "(LSENStatus in (2,3) OR SocialGrantNo <> '') ORDER BY SName");
        const QStringList current = rows(store, list.arg(QLatin1Char('C')));
        QVERIFY(current.size() >= 10 && rows(store, list.arg(QLatin1Char('A'))).size() >= 3);
        QVERIFY(current.contains(QStringLiteral("O'Brien")) && current.contains(QStringLiteral("van der Merwe")));
        QVERIFY(!current.contains(QStringLiteral("le Roux")));
        QStringList sorted = current;
        std::stable_sort(sorted.begin(), sorted.end(), [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        QCOMPARE(current, sorted);

        // Host facts the program relies on.
        QCOMPARE(store.count(QStringLiteral("Learner_Info"), QStringLiteral("length(BirthDate) = 8 AND BirthDate NOT GLOB '*[^0-9]*'")), 60);
        QCOMPARE(store.scalar(QStringLiteral("SELECT COUNT(DISTINCT AccessionNo) || '/' || COUNT(DISTINCT LearnerID) FROM Learner_Info")).toString(),
                 QStringLiteral("60/60"));
        QCOMPARE(store.count(QStringLiteral("Learner_Info"), QStringLiteral("LearnerID IN (SELECT ID FROM Learner_Info)")), 0);
        QCOMPARE(rows(store, QStringLiteral("SELECT schoolgrade, COUNT(*) FROM SchoolGrades GROUP BY schoolgrade ORDER BY 1")),
                 (QStringList{QStringLiteral("No|1"), QStringLiteral("Yes|13")}));
        QVERIFY(store.count(QStringLiteral("Disabilities d"),
                            QStringLiteral("EXISTS (SELECT 1 FROM Disabilities o WHERE o.id <> d.id AND instr(o.Name, d.Name) > 0)")) >= 1);
        QVERIFY(store.count(QStringLiteral("MultipleDisabilities")) >= 5);
        QCOMPARE(store.count(QStringLiteral("MultipleDisabilities"), QStringLiteral("Testdate NOT GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]' "
                                                                                     "OR LearnerID NOT IN (SELECT ID FROM Learner_Info)")), 0);
        QCOMPARE(store.count(QStringLiteral("General_Info"), QStringLiteral("EmisCode <> '' AND SchoolName <> ''")), 1);
    }

    void demoSchoolIsTheSameEveryTime()
    {
        QTemporaryDir dir;
        const auto dump = [&](const char *name) {
            return storeRows(*Connection::open(dir.filePath(QLatin1String(name))),
                        QStringLiteral("SELECT ID, FName, SName, Grade, AccessionNo, BirthDate, Status, LSENStatus, SocialGrantNo, "
                                       "LSENDisabilities, LearnerID FROM Learner_Info ORDER BY ID"));
        };
        DemoHost::createDemoHost(dir.filePath(QStringLiteral("a.db")), 60);
        DemoHost::createDemoHost(dir.filePath(QStringLiteral("b.db")), 60);
        QCOMPARE(dump("a.db"), dump("b.db"));
        DemoHost::createDemoHost(dir.filePath(QStringLiteral("big.db")), 250);
        QCOMPARE(dump("big.db").size(), 250);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, DemoHost::createDemoHost(dir.filePath(QStringLiteral("small.db")), 59));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("small.db"))));
        QVERIFY_THROWS_EXCEPTION(StoreError, DemoHost::createDemoHost(dir.filePath(QStringLiteral("a.db")), 60));
    }
};

QTEST_MAIN(TestSchema)
#include "tst_schema.moc"
