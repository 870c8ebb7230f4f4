#include "AppState.h"
#include "CheckTables.h"
#include "DatabaseConnection.h"
#include "DemoHost.h"
#include "LookupContents.h"
#include "MessageRecorder.h"
#include "SchemaTables.h"
#include "StoreError.h"
#include "TestStore.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>
#include <stdexcept>

namespace {

QStringList allTables()
{
    return SchemaTables::dataTables() + SchemaTables::lookupTables();
}

QByteArray fileHash(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

qlonglong pragma(Connection &connection, const char *name)
{
    return connection.query(QStringLiteral("PRAGMA ") + QLatin1String(name)).value(0, QString::fromLatin1(name)).toLongLong();
}

// Replaces a data table by its older layout, keyed by the host's older
// learner number.
void makeOldLayout(const TestStore &store, const QString &table)
{
    std::unique_ptr<Connection> connection = store.connect();
    connection->executeNative(QStringLiteral("DROP TABLE ") + table);
    QString create = SchemaTables::createStatement(table);
    create.replace(QStringLiteral("LearnerID LONG"), QStringLiteral("Learner_ID LONG"));
    connection->execute(create);
}

int hostNumberOf(const TestStore &store, int learnerId)
{
    return store.scalar(QStringLiteral("SELECT LearnerID FROM Learner_Info WHERE ID = %1").arg(learnerId)).toInt();
}

const QString CurrentList = QStringLiteral(
    "SELECT l.ID, l.FName, l.SName, s.Name as Grade, l.AccessionNo, l.BirthDate FROM Learner_Info l "
    "LEFT JOIN SchoolGrades s ON s.ID = l.Grade WHERE l.Status = '%1' AND "
    "(l.LSENStatus in (2,3) OR l.SocialGrantNo <> '') ORDER BY l.SName");

} // namespace

class TestSchema : public QObject
{
    Q_OBJECT

private slots:
    void init() { resetAppState(); }

    void newDatabaseGetsEveryTableInOrder()
    {
        TestStore store(false, false);
        const TableCheckResult result = CheckTables();
        QCOMPARE(result.created, allTables());
        QCOMPARE(result.filled, SchemaTables::lookupTables());
        QVERIFY(result.upgraded.isEmpty());
        QVERIFY(result.learnerIdDropped.isEmpty());
        QCOMPARE(result.filledRows.value(QStringLiteral("SNE_lu_Impairment_Area")), 8);
        QCOMPARE(store.count(QStringLiteral("SNE_lu_Impairment_Area")), 8);
        QCOMPARE(store.count(QStringLiteral("SNE_lu_Activity_Domain_Sub_Section")), 29);
        QCOMPARE(store.count(QStringLiteral("SNE_lu_Activity_Domain_Limit_Desc")), 28);
        QCOMPARE(store.count(QStringLiteral("SNE_lu_ISP_Actions")), 5);
        QVERIFY(!IsConnectionOpen());

        // The tables take what the screens store: keys number themselves,
        // 32-bit learner IDs fit, an over-long text is refused.
        store.exec(QStringLiteral("INSERT INTO SNE_ISP (LearnerID, [Action], Target, Data_Year) VALUES (40017, 2, 'x', 2014)"));
        store.exec(QStringLiteral("INSERT INTO SNE_ISP (LearnerID, [Action], Target, Data_Year) VALUES (40018, 2, 'y', 2014)"));
        QCOMPARE(store.count(QStringLiteral("SNE_ISP"), QStringLiteral("ID IS NOT NULL")), 2);
        QCOMPARE(store.connect()->columnNames(QStringLiteral("SNE_Action_Review")),
                 (QStringList{QStringLiteral("ID"), QStringLiteral("LearnerID"), QStringLiteral("Action"),
                              QStringLiteral("Name"), QStringLiteral("Outcome"), QStringLiteral("Designation"),
                              QStringLiteral("Review_Date"), QStringLiteral("Data_Year")}));
        QVERIFY_THROWS_EXCEPTION(StoreError, store.connect()->execute(
            QStringLiteral("INSERT INTO SNE_ISP (LearnerID, Review_Date) VALUES (1, '%1')").arg(QString(31, QLatin1Char('1')))));
    }

    void currentDatabaseIsOnlyProbed()
    {
        TestStore store;
        store.exec(QStringLiteral("INSERT INTO SNE_Factors_School (LearnerID, Enabling_Factor, Data_Year) VALUES (101, 'a', 2014)"));
        const QByteArray before = fileHash(store.path());
        std::unique_ptr<Connection> watcher = store.connect();
        const qlonglong dataVersion = pragma(*watcher, "data_version");
        const qlonglong schemaVersion = pragma(*watcher, "schema_version");

        const TableCheckResult result = CheckTables();
        QVERIFY(result.changedNothing());
        // Another connection committing anything would move data_version.
        QCOMPARE(pragma(*watcher, "data_version"), dataVersion);
        QCOMPARE(pragma(*watcher, "schema_version"), schemaVersion);
        QCOMPARE(fileHash(store.path()), before);
    }

    void oldLayoutTableMovesToTheLearnerKey()
    {
        TestStore store;
        const QString table = QStringLiteral("SNE_Factors_Community");
        makeOldLayout(store, table);
        const int highId = store.scalar(QStringLiteral("SELECT MAX(ID) FROM Learner_Info")).toInt();
        const int lowId = store.scalar(QStringLiteral("SELECT MIN(ID) FROM Learner_Info")).toInt();
        QVERIFY(highId > 32767);
        store.exec(QStringLiteral("INSERT INTO SNE_Factors_Community (Learner_ID, Positive_Influence, Data_Year) "
                                  "VALUES (%1, 'Gran''s church group', 2013), (%2, 'Zoë''s aunt', 2014), "
                                  "(424242, 'nobody''s', 2014)")
                       .arg(hostNumberOf(store, highId))
                       .arg(hostNumberOf(store, lowId)));

        const TableCheckResult result = CheckTables();
        QCOMPARE(result.upgraded, QStringList{table});
        QVERIFY(result.created.isEmpty());
        QVERIFY(result.learnerIdDropped.isEmpty());

        const QStringList columns = store.connect()->columnNames(table);
        QVERIFY(!columns.contains(QStringLiteral("Learner_ID")));
        QVERIFY(columns.contains(QStringLiteral("LearnerID")));
        QCOMPARE(store.scalar(QStringLiteral("SELECT LearnerID FROM SNE_Factors_Community WHERE Positive_Influence = 'Gran''s church group'")).toInt(), highId);
        QCOMPARE(store.scalar(QStringLiteral("SELECT LearnerID FROM SNE_Factors_Community WHERE Data_Year = 2014 AND Positive_Influence LIKE 'Zo%'")).toInt(), lowId);
        QCOMPARE(store.scalar(QStringLiteral("SELECT Positive_Influence FROM SNE_Factors_Community WHERE LearnerID = %1").arg(lowId)).toString(),
                 QStringLiteral("Zoë's aunt"));
        QCOMPARE(store.count(table, QStringLiteral("LearnerID IS NULL AND Positive_Influence = 'nobody''s'")), 1);
        QCOMPARE(store.count(table), 3);

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

        MessageRecorder recorder;
        const TableCheckResult result = CheckTables();
        QCOMPARE(result.upgradeFailed, QStringList{table});
        QVERIFY(result.upgraded.isEmpty());
        QCOMPARE(recorder.count(), 1);
        QVERIFY(recorder.last().title.startsWith(QStringLiteral("Error : ")));
        QVERIFY(recorder.sawText(QStringLiteral("\r\nLocation: Alter/Update IDs\r\nProcedure: addID")));
        QCOMPARE(recorder.last().picture, Picture::Error);

        // The table is as it was: its only learner key is not dropped by the clean-up.
        QCOMPARE(result.learnerIdDropped, QStringList{QStringLiteral("SNE_Learner_Background_Info")});
        QStringList columns = store.connect()->columnNames(table);
        QVERIFY(columns.contains(QStringLiteral("Learner_ID")));
        QVERIFY(!columns.contains(QStringLiteral("LearnerID")));
        QCOMPARE(store.count(table, QStringLiteral("Learner_ID = %1").arg(hostNumberOf(store, 101))), 1);

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
        TableCheckResult result = CheckTables();
        QVERIFY(result.changedNothing());
        QVERIFY(store.connect()->columnNames(QStringLiteral("SNE_ISP")).contains(QStringLiteral("Learner_ID")));

        store.exec(QStringLiteral("ALTER TABLE SNE_Learner_Background_Info ADD COLUMN Learner_ID INTEGER"));
        result = CheckTables();
        QCOMPARE(result.learnerIdDropped,
                 (QStringList{QStringLiteral("SNE_Learner_Background_Info"), QStringLiteral("SNE_ISP")}));
        QVERIFY(result.upgraded.isEmpty());
        for (const QString &table : SchemaTables::dataTables())
            QVERIFY2(!store.connect()->columnNames(table).contains(QStringLiteral("Learner_ID")), qPrintable(table));
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
        QCOMPARE(store.scalar(QStringLiteral("SELECT Description FROM SNE_lu_Impairment_Area WHERE ID = 6")).toString(),
                 QStringLiteral("Mental-psychiatric diagnosis"));
        QCOMPARE(store.count(QStringLiteral("SNE_lu_ISP_Actions")), 0);
    }

    void failingCreateEndsTheCheckKeepingEarlierTables()
    {
        TestStore store(false, false);
        // Something named like a table of ours that cannot be read as one.
        store.exec(QStringLiteral("CREATE VIEW SNE_ISP AS SELECT 1 AS Other"));
        QVERIFY_THROWS_EXCEPTION(StoreError, CheckTables());
        QVERIFY(!IsConnectionOpen());
        QVERIFY(store.connect()->tableExists(QStringLiteral("SNE_Factors_School")));
        QVERIFY(!store.connect()->tableExists(QStringLiteral("SNE_Assessment_Supp_Req")));
    }

    void unreachableDatabaseIsReportedAndEndsTheCheck()
    {
        TestStore store(false, false);
        const QString notAStore = store.dir() + QStringLiteral("/notes.txt");
        {
            QFile file(notAStore);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("not a database\n");
        }
        const QString missing = store.dir() + QStringLiteral("/missing.db");
        for (const QString &path : {missing, notAStore, QString()}) {
            appState().DatabasePath = path;
            MessageRecorder recorder;
            QVERIFY_THROWS_EXCEPTION(StoreError, CheckTables());
            QCOMPARE(recorder.count(), 1);
            QVERIFY(recorder.sawText(QStringLiteral("Location: modDatabaseConnection\r\nProcedure: Database Access Error")));
        }
        QVERIFY(!QFile::exists(missing));
        QFile file(notAStore);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("not a database\n"));
    }

    void lookupTextsAreStoredExactly()
    {
        TestStore store(false, true);
        std::unique_ptr<Connection> connection = store.connect();

        // Every text reaches the table unchanged (slashes, '<', line breaks).
        Recordset limits = connection->query(QStringLiteral("SELECT ID, DescMild, DescMod, DescSevere FROM SNE_lu_Activity_Domain_Limit_Desc ORDER BY ID"));
        QCOMPARE(limits.recordCount(), 28);
        for (int row = 0; row < limits.recordCount(); ++row) {
            const int id = limits.value(row, QStringLiteral("ID")).toInt();
            QCOMPARE(id, row + 1);
            QCOMPARE(limits.text(row, QStringLiteral("DescMild")), limitDescription(id).mild);
            QCOMPARE(limits.text(row, QStringLiteral("DescMod")), limitDescription(id).moderate);
            QCOMPARE(limits.text(row, QStringLiteral("DescSevere")), limitDescription(id).severe);
        }
        Recordset subSections = connection->query(QStringLiteral("SELECT ID, Activity_Domain, Description FROM SNE_lu_Activity_Domain_Sub_Section ORDER BY ID"));
        QCOMPARE(subSections.recordCount(), 29);
        for (int row = 0; row < subSections.recordCount(); ++row) {
            QCOMPARE(subSections.value(row, QStringLiteral("ID")).toInt(), activitySubSections().at(row).id);
            QCOMPARE(subSections.value(row, QStringLiteral("Activity_Domain")).toInt(), activitySubSections().at(row).activityDomain);
            QCOMPARE(subSections.text(row, QStringLiteral("Description")), activitySubSections().at(row).description);
        }

        auto limit = [&](int id, const char *column) {
            return store.scalar(QStringLiteral("SELECT %1 FROM SNE_lu_Activity_Domain_Limit_Desc WHERE ID = %2")
                                    .arg(QLatin1String(column)).arg(id)).toString();
        };
        QCOMPARE(store.scalar(QStringLiteral("SELECT Description FROM SNE_lu_ISP_Actions WHERE ID = 2")).toString(),
                 QStringLiteral("Educator training or other educator support to be given "));
        QCOMPARE(limit(15, "DescMod"),
                 QStringLiteral("Recognises familliar person across the street; Can see to read and write (incl. learning these skills); 6/24 - 6/36;\r\nCan manage to get around in a low lit area."));
        QCOMPARE(limit(23, "DescMod"), QStringLiteral("Moderate recall: 9/15\r\nOne prompt."));
        QCOMPARE(limit(23, "DescSevere"), QStringLiteral("Poor recall: Less than 7\r\nTwo prompts."));
        for (const char *column : {"DescMild", "DescMod", "DescSevere"})
            QCOMPARE(limit(24, column), limit(27, column));
        QCOMPARE(limit(4, "DescSevere"), QStringLiteral("Unable to move around  alone, or very restricted e.g < than 10 meters; very slow."));
        QVERIFY(limit(11, "DescMod").contains(QStringLiteral("vise-versa")));
        QVERIFY(limit(13, "DescMild").contains(QStringLiteral("grammer")));
        QVERIFY(limit(15, "DescSevere").contains(QStringLiteral("arms length; familliar person")));
        QVERIFY(limit(20, "DescSevere").contains(QStringLiteral("family realations")));
        QVERIFY(limit(20, "DescSevere").contains(QStringLiteral("neglets family")));
        QVERIFY(limit(20, "DescSevere").endsWith(QStringLiteral("is failling at school).")));
        QVERIFY(limit(22, "DescMod").startsWith(QStringLiteral("Didnt get the answer")));
        QCOMPARE(store.scalar(QStringLiteral("SELECT Description || '/' || Activity_Domain FROM SNE_lu_Activity_Domain_Sub_Section WHERE ID = 29")).toString(),
                 QStringLiteral("Other/8"));
        QCOMPARE(store.count(QStringLiteral("SNE_lu_Activity_Domain_Limit_Desc"), QStringLiteral("ID = 29")), 0);
    }

    void levelDescriptionsLeftToUsAreComplete()
    {
        QVERIFY(!hasLimitDescription(29));
        QVERIFY(limitDescription(29).mild.isEmpty());
        QVERIFY(limitDescription(0).severe.isEmpty());
        QSet<QString> texts;
        for (int subSection : {18, 19, 21}) {
            const LimitDescription &levels = limitDescription(subSection);
            for (const QString &text : {levels.mild, levels.moderate, levels.severe}) {
                QVERIFY(!text.isEmpty());
                QVERIFY(!texts.contains(text));
                texts.insert(text);
                const int sentences = int(text.count(QRegularExpression(QStringLiteral("[.!?](\\s|$)"))));
                QVERIFY2(sentences >= 1 && sentences <= 3, qPrintable(text));
            }
        }
    }

    void demoSchoolCoversEveryListingCase()
    {
        TestStore store(true, false);
        std::unique_ptr<Connection> connection = store.connect();
        const Recordset current = connection->query(CurrentList.arg(QLatin1Char('C')));
        const Recordset archived = connection->query(CurrentList.arg(QLatin1Char('A')));
        QVERIFY(current.recordCount() >= 10);
        QVERIFY(archived.recordCount() >= 3);
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
            QStringLiteral("SName = 'O''Brien' AND Status = 'C'"),
            QStringLiteral("FName = 'Zoë' AND SName = 'Mühlberg'"),
        };
        for (const QString &where : cases)
            QVERIFY2(store.count(QStringLiteral("Learner_Info"), where) >= 1, qPrintable(where));

        int withoutGrade = 0;
        QStringList surnames;
        for (int row = 0; row < current.recordCount(); ++row) {
            if (!current.value(row, QStringLiteral("Grade")).isValid())
                ++withoutGrade;
            surnames << current.text(row, QStringLiteral("SName"));
        }
        QVERIFY(withoutGrade >= 1);
        QVERIFY(surnames.contains(QStringLiteral("O'Brien")));
        QVERIFY(surnames.contains(QStringLiteral("van der Merwe")));
        QVERIFY(!surnames.contains(QStringLiteral("le Roux")));
        QStringList sorted = surnames;
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        QCOMPARE(surnames, sorted);

        // Host facts the program relies on.
        QCOMPARE(store.count(QStringLiteral("Learner_Info"), QStringLiteral("length(BirthDate) = 8 AND BirthDate NOT GLOB '*[^0-9]*'")), 60);
        QCOMPARE(store.scalar(QStringLiteral("SELECT COUNT(DISTINCT AccessionNo) FROM Learner_Info")).toInt(), 60);
        QCOMPARE(store.scalar(QStringLiteral("SELECT COUNT(DISTINCT LearnerID) FROM Learner_Info")).toInt(), 60);
        QCOMPARE(store.count(QStringLiteral("Learner_Info"), QStringLiteral("LearnerID IN (SELECT ID FROM Learner_Info)")), 0);
        QCOMPARE(store.count(QStringLiteral("SchoolGrades"), QStringLiteral("schoolgrade = 'Yes'")), 13);
        QCOMPARE(store.count(QStringLiteral("SchoolGrades"), QStringLiteral("schoolgrade = 'No'")), 1);
        QVERIFY(store.count(QStringLiteral("Disabilities d"),
                            QStringLiteral("EXISTS (SELECT 1 FROM Disabilities o WHERE o.id <> d.id AND instr(o.Name, d.Name) > 0)")) >= 1);
        QVERIFY(store.count(QStringLiteral("MultipleDisabilities")) >= 5);
        QCOMPARE(store.count(QStringLiteral("MultipleDisabilities"), QStringLiteral("Testdate NOT GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]'")), 0);
        QCOMPARE(store.count(QStringLiteral("MultipleDisabilities"), QStringLiteral("LearnerID NOT IN (SELECT ID FROM Learner_Info)")), 0);
        QCOMPARE(store.scalar(QStringLiteral("SELECT COUNT(*) FROM General_Info WHERE EmisCode <> '' AND SchoolName <> ''")).toInt(), 1);

        // Texts compare as the host engine compares them: ignoring case.
        QCOMPARE(store.count(QStringLiteral("Learner_Info"), QStringLiteral("SName = 'o''brien'")), 1);

        const int zoe = store.scalar(QStringLiteral("SELECT ID FROM Learner_Info WHERE FName = 'Zoë'")).toInt();
        store.pickLearner(zoe, 2014);
        QCOMPARE(appState().CurrentLearnerID, zoe);
        QCOMPARE(appState().CurrentLearnerName, QStringLiteral("MÜHLBERG Zoë"));
        QCOMPARE(appState().CurrentLearnerDOB.size(), 8);
        QCOMPARE(appState().CurrentDataYear, 2014);
    }

    void demoSchoolIsTheSameEveryTime()
    {
        QTemporaryDir dir;
        auto dump = [](const QString &path) {
            std::unique_ptr<Connection> connection = Connection::open(path);
            const Recordset rows = connection->query(QStringLiteral(
                "SELECT ID, FName, SName, Grade, AccessionNo, BirthDate, Status, LSENStatus, SocialGrantNo, "
                "LSENDisabilities, LearnerID FROM Learner_Info ORDER BY ID"));
            QStringList lines;
            for (int row = 0; row < rows.recordCount(); ++row) {
                QStringList fields;
                for (const QString &field : rows.fieldNames())
                    fields << rows.value(row, field).toString();
                lines << fields.join(QLatin1Char('|'));
            }
            return lines;
        };
        DemoHost::createDemoHost(dir.filePath(QStringLiteral("a.db")), 60);
        DemoHost::createDemoHost(dir.filePath(QStringLiteral("b.db")), 60);
        QCOMPARE(dump(dir.filePath(QStringLiteral("a.db"))), dump(dir.filePath(QStringLiteral("b.db"))));

        DemoHost::createDemoHost(dir.filePath(QStringLiteral("big.db")), 250);
        QCOMPARE(dump(dir.filePath(QStringLiteral("big.db"))).size(), 250);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, DemoHost::createDemoHost(dir.filePath(QStringLiteral("small.db")), 59));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("small.db"))));
        QVERIFY_THROWS_EXCEPTION(StoreError, DemoHost::createDemoHost(dir.filePath(QStringLiteral("a.db")), 60));
    }
};

QTEST_MAIN(TestSchema)
#include "tst_schema.moc"
