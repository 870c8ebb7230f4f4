// The store on a PostgreSQL server: the setting's connection address, the
// table check, the host's functions, failures in the kinds SQLite gives, texts
// as typed, two computers (two programs) working at once. Runs on a throw-away
// server of its own; skipped where the server programs are not installed.

#include "CheckTables.h"
#include "Connection.h"
#include "PostgresCluster.h"
#include "PreviousYearAppend.h"
#include "ProgramRun.h"
#include "SchemaTables.h"
#include "SelectLearner.h"
#include "StoreCopy.h"
#include "StoreError.h"
#include "StoreLocks.h"
#include "StoreRows.h"
#include "TestStore.h"

#include <QProcess>
#include <QThread>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

// sna-admin's exit code and everything it printed.
ProgramRun admin(std::initializer_list<QAnyStringView> list)
{
    ProgramRun run = runProgram(arguments(list));
    run.out += run.err;
    return run;
}

// Another office computer on the same database: a program of its own doing
// one job, its output read line by line.
class Worker
{
public:
    Worker(const QString &uri, const QStringList &job)
    {
        m_process.start(QStringLiteral(SNA_STORE_WORKER), QStringList{uri} + job);
        m_process.waitForStarted();
    }
    ~Worker()
    {
        m_process.closeWriteChannel();
        m_process.waitForFinished(120000);
    }
    // Every line it printed, once it has finished.
    QStringList lines()
    {
        m_process.closeWriteChannel();
        m_process.waitForFinished(120000);
        return QString::fromUtf8(m_process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    QString nextLine()
    {
        while (!m_process.canReadLine() && m_process.waitForReadyRead(30000)) {
        }
        return QString::fromUtf8(m_process.readLine()).trimmed();
    }
    // The user pressed Continue: the job runs again.
    QString continued()
    {
        m_process.write("\n");
        return nextLine();
    }

private:
    QProcess m_process;
};

} // namespace

class PostgresEngineTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<PostgresCluster> m_cluster;
    int m_databases = 0;

    QString newDatabase() { return m_cluster->createDatabase(QStringLiteral("school%1").arg(++m_databases)); }

    // A copy of the school in a new database on the server.
    QString onServer(const TestStore &school)
    {
        const QString uri = newDatabase();
        StoreCopy::copy(*school.connect(), *Connection::open(uri), StoreCopy::Existing::Refuse);
        return uri;
    }

    // A school's database with the program's tables, as the start-up leaves it.
    QString newSchool()
    {
        const QString uri = newDatabase();
        auto db = Connection::open(uri);
        StoreCopy::createHostTables(*db);
        CheckTables(*db);
        return uri;
    }

private slots:
    void initTestCase()
    {
        m_cluster = std::make_unique<PostgresCluster>();
        if (!m_cluster->running())
            QSKIP(qPrintable(QStringLiteral("PostgreSQL runs skipped: ") + m_cluster->whyNot()));
    }
    void cleanupTestCase() { m_cluster.reset(); }
    void cleanup() { Connection::setBusyTimeout(Connection::DefaultBusyTimeoutMs); }

    void theSettingNamesTheServer()
    {
        const QString uri = newDatabase();
        QCOMPARE(Connection::open(uri)->query(QStringLiteral("SELECT 1 + 1 AS Two")).text(QStringLiteral("two")), QStringLiteral("2"));

        // A plain message naming the database and the host, and what to check.
        const QString missing = failureOf([&] { Connection::open(m_cluster->uri(QStringLiteral("nosuchschool"))); });
        QVERIFY2(missing.startsWith(failure(StoreError::Kind::Unreachable, QStringLiteral("Could not connect to the database nosuchschool on /"))), qPrintable(missing));
        QVERIFY2(missing.contains(QStringLiteral("does not exist")) && missing.contains(QStringLiteral("Check that the database server is running")), qPrintable(missing));

        // A password never lives in the setting, nor in a message.
        const QString withPassword = failureOf([&] { Connection::open(uri + QStringLiteral("&password=Secret77")); });
        QVERIFY2(withPassword.startsWith(failure(StoreError::Kind::Unreachable, QStringLiteral("The database setting for school"))), qPrintable(withPassword));
        QVERIFY(withPassword.contains(QStringLiteral("~/.pgpass")) && !withPassword.contains(QStringLiteral("Secret77")));
    }

    // sna-admin takes the same connection address in --db as the setting.
    void adminCommandsTakeTheAddress()
    {
        const QString uri = newDatabase();
        StoreCopy::createHostTables(*Connection::open(uri));
        const ProgramRun checked = admin({"check-tables", "--db", uri});
        QCOMPARE(checked.exitCode, 0);
        QVERIFY2(checked.out.contains(QStringLiteral("created SNE_Learner_Background_Info")) && checked.out.contains(QStringLiteral("indexed SNE_ISP")),
                 qPrintable(checked.out));
        QVERIFY(Connection::open(uri)->tableExists(QStringLiteral("SNE_Learner_Background_Info")));

        // The demo school, made on the server; never over a school there.
        const QString demo = newDatabase();
        ProgramRun run = admin({"demo-host", "--db", demo, "--assessed", "3"});
        QVERIFY2(run.exitCode == 0 && run.out.contains(QStringLiteral("created demo host database ") + demo), qPrintable(run.out));
        QCOMPARE(Connection::open(demo)->query(QStringLiteral("SELECT Count(*) AS n FROM Learner_Info")).text(QStringLiteral("n")), QStringLiteral("60"));
        run = admin({"demo-host", "--db", demo, "--assessed", "3"});
        QVERIFY(run.exitCode == 1 && run.out.contains(QStringLiteral("holds a school's rows already")));
    }

    // A school moved to a server and back is the same school, row for row;
    // counters go on after the highest copied value.
    void copyStoreRoundTrip()
    {
        TestStore school;
        const int learner = school.addFullLearner(2026, TestStore::StoredTexts::Plain);
        const QString uri = newDatabase();
        ProgramRun run = admin({"copy-store", "--from", school.path(), "--to", uri});
        QVERIFY2(run.exitCode == 0 && run.out.contains(QStringLiteral("copied SNE_ISP")), qPrintable(run.out));
        // A target holding a school already is refused unless told to replace it.
        run = admin({"copy-store", "--from", school.path(), "--to", uri});
        QVERIFY2(run.exitCode == 1 && run.out.contains(QStringLiteral("holds a school's rows already; nothing was copied")), qPrintable(run.out));
        QCOMPARE(admin({"copy-store", "--from", school.path(), "--to", uri, "--replace"}).exitCode, 0);

        const QString back = school.dir() + QStringLiteral("/back.db");
        StoreCopy::copy(*Connection::open(uri), *Connection::create(back), StoreCopy::Existing::Refuse);
        auto original = school.connect();
        auto returned = Connection::open(back);
        for (const QString &table : HostTables() + SchemaTables::dataTables() + SchemaTables::lookupTables())
            QCOMPARE(typedRows(*returned, table), typedRows(*original, table));
        QVERIFY(typedRows(*returned, QStringLiteral("SNE_ISP")).size() > 3);

        // The year append copies the same rows on both.
        auto server = Connection::open(uri);
        const qint32 appended = PreviousYearAppend::copyAll(*server, 2027);
        QVERIFY(appended > 0);
        QCOMPARE(PreviousYearAppend::copyAll(*original, 2027), appended);
        for (const QString &table : PreviousYearAppend::tables())
            QCOMPARE(typedRows(*server, table).size(), typedRows(*original, table).size());

        server->execute(QStringLiteral("INSERT INTO SNE_ISP (LearnerID, Data_Year) VALUES (%1, 2030)").arg(learner));
        QCOMPARE(server->lastInsertId(), school.scalar(QStringLiteral("SELECT max(ID) FROM SNE_ISP")).toLongLong() + 1);
    }

    void tableCheckMakesTheSameTables()
    {
        // A database without the host's tables is refused and left as it was.
        const QString other = newDatabase();
        QCOMPARE(failureOf([&] { CheckTables(*Connection::open(other)); }),
                 failure(StoreError::Kind::NotASchoolDatabase,
                          QStringLiteral("The database %1 is not a school database: it has no General_Info, Learner_Info, "
                                         "SchoolGrades, Disabilities, MultipleDisabilities table. Nothing was changed in it. "
                                         "Check which database this computer is set up to use.").arg(other)));
        QVERIFY(!Connection::open(other)->tableExists(QStringLiteral("SNE_ISP")));

        const QString uri = newDatabase();
        auto db = Connection::open(uri);
        StoreCopy::createHostTables(*db);
        const TableCheckResult result = CheckTables(*db);
        TestStore sqlite(false, false);
        const TableCheckResult onSqlite = CheckTables(*sqlite.connect());
        QCOMPARE(result.created, onSqlite.created);
        QCOMPARE(result.created.size(), 22);
        QCOMPARE(result.filledRows, onSqlite.filledRows);
        QCOMPARE(result.indexed, onSqlite.indexed);
        for (const QString &table : result.created) {
            QStringList names = sqlite.connect()->columnNames(table);
            for (QString &name : names)
                name = name.toLower();
            QCOMPARE(db->columnNames(table), names);
        }
        QVERIFY(db->indexExists(SchemaTables::indexName(QStringLiteral("SNE_ISP"))));
        QVERIFY(CheckTables(*db).changedNothing());

        // Names however a statement spells them; widths held by the server.
        QCOMPARE(db->execute(QStringLiteral("INSERT INTO SNE_ISP (LearnerID, [Action], Target, Data_Year) VALUES (7, 2, 'x', 2026)")), 1);
        QCOMPARE(db->query(QStringLiteral("select sne_isp.learnerid, [ACTION] from sne_isp where LEARNERID = 7")).text(QStringLiteral("Action")),
                 QStringLiteral("2"));
        QCOMPARE(failureOf([&] { db->execute(QStringLiteral("UPDATE SNE_ISP SET Target = '%1'").arg(QString(256, QLatin1Char('x')))); }),
                 failure(StoreError::Kind::Refused, QStringLiteral("value too long for type character varying(255)")));
        // Counters go on from the highest value given out.
        QCOMPARE(db->lastInsertId(), 1);
    }

    void hostFunctionsGiveTheHostsValues()
    {
        const QString sql = QStringLiteral(
            "SELECT CInt(2.5) AS a, CInt(7 / 2) AS b, Mid('abcdef', 2, 3) AS c, Left('abc', 5) AS d, Len('Zoë') AS e, "
            "'a' & Null & 1 AS f, IIf(IsNull(Null), 'y', 'n') AS g, Null & Null AS h, \"it's\" AS i");
        auto pg = Connection::open(newSchool());
        TestStore sqlite(false, false);
        const auto onSqlite = sqlite.connect();
        for (Connection *db : {pg.get(), onSqlite.get()}) {
            const Recordset rs = db->query(sql);
            QStringList values;
            for (const QString &field : rs.fieldNames())
                values << (rs.isNull(field) ? QStringLiteral("NULL") : rs.text(field));
            QCOMPARE(values.join(QLatin1Char('|')), QStringLiteral("2|4|bcd|abc|3|a1|y|NULL|it's"));
        }
        QCOMPARE(failureOf([&] { pg->query(QStringLiteral("SELECT Mid('abc', 0) AS m")); }),
                 failure(StoreError::Kind::Statement, QStringLiteral("Invalid procedure call or argument")));
        QCOMPARE(failureOf([&] { pg->query(QStringLiteral("SELECT CInt(40000) AS m")); }), failure(StoreError::Kind::Statement, QStringLiteral("Overflow")));
        // Texts compare as the host compares them: case aside.
        pg->execute(QStringLiteral("INSERT INTO SNE_ISP (LearnerID, Target, Data_Year) VALUES (7, 'Zoë O''Brien', 2026)"));
        QCOMPARE(pg->query(QStringLiteral("SELECT Count(*) AS n FROM SNE_ISP WHERE Target = 'ZOË o''brien'")).text(QStringLiteral("n")), QStringLiteral("1"));
    }

    void textsArriveAsTyped_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("apostrophes") << QStringLiteral("O'Brien's child");
        QTest::newRow("double quotes") << QStringLiteral("the \"quiet\" one");
        QTest::newRow("line breaks") << QStringLiteral("line one\r\nline two\nend");
        QTest::newRow("non-ASCII") << QStringLiteral("Zoë Müller – 漢字 😀");
        QTest::newRow("host syntax") << QStringLiteral("a & b / c #1/2/2014# 2014AND [x] IsNull(y) \\n $$");
        QTest::newRow("long text") << QString(5000, QLatin1Char('w'));
    }
    void textsArriveAsTyped()
    {
        QFETCH(QString, text);
        static const QString uri = newSchool();
        QString quoted = text;
        quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
        auto db = Connection::open(uri);
        db->execute(QStringLiteral("DELETE FROM SNE_Learner_Background_Info"));
        db->execute(QStringLiteral("INSERT INTO SNE_Learner_Background_Info (LearnerID, Family_Situation, Data_Year) VALUES (1, '%1', 2026)").arg(quoted));
        const Recordset rs = db->query(QStringLiteral("SELECT Family_Situation FROM SNE_Learner_Background_Info WHERE Family_Situation = '%1'").arg(quoted));
        QCOMPARE(rs.recordCount(), 1);
        QCOMPARE(rs.text(QStringLiteral("Family_Situation")), text);
    }

    void failuresCarryTheKindsSqliteGives()
    {
        const QString uri = newSchool();
        auto db = Connection::open(uri);
        QCOMPARE(failureOf([&] { db->query(QStringLiteral("SELECT * FROM Nowhere")); }),
                 failure(StoreError::Kind::Missing, QStringLiteral("relation \"nowhere\" does not exist")));
        QVERIFY(!db->probe(QStringLiteral("SELECT Learner_ID FROM SNE_ISP")));
        QVERIFY(db->probe(QStringLiteral("SELECT LearnerID, * FROM SNE_ISP")));

        // A trigger refusing a write: that transaction alone rolls back.
        db->executeNative(QStringLiteral("CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS "
                                         "$$ BEGIN RAISE EXCEPTION 'writes to SNE_ISP refused'; END $$"));
        db->executeNative(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON sne_isp FOR EACH ROW EXECUTE FUNCTION refuse()"));
        db->execute(QStringLiteral("INSERT INTO SNE_Factors_School (LearnerID, Barrier, Data_Year) VALUES (7, 'kept', 2026)"));
        const auto save = [&] {
            Transaction transaction(*db);
            db->execute(QStringLiteral("DELETE FROM SNE_Factors_School WHERE LearnerID = 7"));
            db->execute(QStringLiteral("INSERT INTO SNE_ISP (LearnerID, Data_Year) VALUES (7, 2026)"));
            transaction.commit();
        };
        QCOMPARE(failureOf(save), failure(StoreError::Kind::Refused, QStringLiteral("writes to SNE_ISP refused")));
        QVERIFY(!db->inTransaction());
        QCOMPARE(db->query(QStringLiteral("SELECT Barrier FROM SNE_Factors_School")).text(QStringLiteral("Barrier")), QStringLiteral("kept"));

        // A statement that failed inside a transaction spoils it: the commit
        // says so rather than reporting a save.
        {
            Transaction transaction(*db);
            db->execute(QStringLiteral("DELETE FROM SNE_Factors_School"));
            QVERIFY_THROWS_EXCEPTION(StoreError, db->query(QStringLiteral("SELECT * FROM Nowhere")));
            QCOMPARE(failureOf([&] { transaction.commit(); }).section(QLatin1Char(' '), 0, 0), QString::number(int(StoreError::Kind::Statement)));
        }
        QCOMPARE(db->query(QStringLiteral("SELECT Count(*) AS n FROM SNE_Factors_School")).text(QStringLiteral("n")), QStringLiteral("1"));

        // A row another computer holds: a wait, then Busy.
        Connection::setBusyTimeout(200);
        auto other = Connection::open(uri);
        auto mine = Connection::open(uri);
        other->beginTransaction();
        other->execute(QStringLiteral("UPDATE SNE_Factors_School SET Barrier = 'theirs'"));
        QCOMPARE(failureOf([&] { mine->execute(QStringLiteral("UPDATE SNE_Factors_School SET Barrier = 'mine'")); }),
                 failure(StoreError::Kind::Busy, QStringLiteral("canceling statement due to lock timeout")));
        other->rollback();

        // The server stopped under an open connection, and at start-up.
        m_cluster->stop();
        const QString gone = failureOf([&] { mine->query(QStringLiteral("SELECT Barrier FROM SNE_Factors_School")); });
        m_cluster->start();
        QVERIFY2(gone.startsWith(QString::number(int(StoreError::Kind::Unreachable)) + QLatin1Char(' ')), qPrintable(gone));
        QCOMPARE(Connection::open(uri)->query(QStringLiteral("SELECT Barrier FROM SNE_Factors_School")).text(QStringLiteral("Barrier")), QStringLiteral("kept"));
    }

    // What one learner's year holds in the program's tables, every row as one line.
    static QString learnerRows(const QString &uri, int learner)
    {
        auto db = Connection::open(uri);
        QStringList rows;
        for (const QString &table : SchemaTables::dataTables())
            rows << storeRows(*db, QStringLiteral("SELECT * FROM %1 WHERE LearnerID = %2 AND Data_Year = 2026").arg(table).arg(learner));
        return rows.join(QLatin1Char('\n'));
    }

    // A school of two full learners on the server.
    QString twoLearnerSchool(int *first, int *second)
    {
        TestStore school;
        *first = school.addFullLearner(2026, TestStore::StoredTexts::Plain);
        *second = school.addFullLearner(2026, TestStore::StoredTexts::Plain);
        const QString uri = onServer(school);
        return uri;
    }

    // Two office computers saving different learners at once: neither
    // waits for the other, and each learner holds only its own computer's texts.
    void differentLearnersSavedByTwoPrograms()
    {
        int one = 0, two = 0;
        const QString uri = twoLearnerSchool(&one, &two);
        const QString screen = QStringLiteral("frmBackgroundInfo");
        Worker a(uri, arguments({"save", screen, QString::number(one), "2026", "O'Hara's notes", "5"}));
        Worker b(uri, arguments({"save", screen, QString::number(two), "2026", u"Zoë's notes", "5"}));
        const QStringList fiveSaves = QStringList(5, QStringLiteral("saved")) << QStringLiteral("waited 0");
        QCOMPARE(a.lines(), fiveSaves);
        QCOMPARE(b.lines(), fiveSaves);
        const QString first = learnerRows(uri, one), second = learnerRows(uri, two);
        QVERIFY(first.contains(QStringLiteral("O'Hara's notes")) && !first.contains(QStringLiteral("Zoë's notes")));
        QVERIFY(second.contains(QStringLiteral("Zoë's notes")) && !second.contains(QStringLiteral("O'Hara's notes")));
    }

    // Two computers saving the same learner's screen at once: one whole save
    // stands, never half of each. A save kept waiting past the lock wait by
    // another computer fails with the report, never "saved"; one kept waiting
    // a second is told of the wait, and then saves.
    void sameLearnerSavedByTwoPrograms()
    {
        int learner = 0, other = 0;
        const QString uri = twoLearnerSchool(&learner, &other);
        const auto saveArgs = [&](const QString &text, const QString &times) {
            return arguments({"save", "frmBackgroundInfo", QString::number(learner), "2026", text, times});
        };
        QCOMPARE(Worker(uri, saveArgs(QStringLiteral("whole"), QStringLiteral("1"))).lines().first(), QStringLiteral("saved"));
        const int cells = learnerRows(uri, learner).count(QStringLiteral("whole"));
        QVERIFY(cells > 0);

        Worker a(uri, saveArgs(QStringLiteral("first computer"), QStringLiteral("6")));
        Worker b(uri, saveArgs(QStringLiteral("second computer"), QStringLiteral("6")));
        QCOMPARE(a.lines().count(QStringLiteral("saved")), 6);
        QCOMPARE(b.lines().count(QStringLiteral("saved")), 6);
        const QString stored = learnerRows(uri, learner);
        const int firsts = stored.count(QStringLiteral("first computer")), seconds = stored.count(QStringLiteral("second computer"));
        QVERIFY2((firsts == cells && seconds == 0) || (firsts == 0 && seconds == cells), qPrintable(stored));

        // Another computer's save of this learner holds the lock.
        auto holder = Connection::open(uri);
        holder->beginTransaction();
        LockLearnerYear(*holder, learner, 2026);
        const QStringList lost = Worker(uri, saveArgs(QStringLiteral("lost"), QStringLiteral("1")) << QStringLiteral("300")).lines();
        QCOMPARE(lost.size(), 2);
        QVERIFY2(lost.first().startsWith(QStringLiteral("failed ")) && lost.first().contains(QStringLiteral("canceling statement due to lock timeout")),
                 qPrintable(lost.first()));
        QCOMPARE(learnerRows(uri, learner), stored);

        Worker waiting(uri, saveArgs(QStringLiteral("after a wait"), QStringLiteral("1")));
        auto lookout = Connection::open(uri);
        QTRY_COMPARE(lookout->query(QStringLiteral("SELECT Count(*) AS n FROM pg_locks WHERE locktype = 'advisory' AND NOT granted"))
                         .text(QStringLiteral("n")),
                     QStringLiteral("1"));
        QThread::msleep(800);
        holder->rollback();
        const QStringList waited = waiting.lines();
        QCOMPARE(waited.first(), QStringLiteral("saved"));
        QVERIFY2(waited.last().section(QLatin1Char(' '), 1).toInt() >= 500, qPrintable(waited.last()));
        QCOMPARE(learnerRows(uri, learner).count(QStringLiteral("after a wait")), cells);
    }

    // The watcher hears of a wait for another computer's lock, not of a
    // statement that merely works long.
    void lockWaitsAreTold()
    {
        const QString uri = newSchool();
        int told = -1;
        Connection::setLockWaitWatcher([&told](int ms) { told = std::max(told, ms); });
        auto db = Connection::open(uri);
        db->queryNative(QStringLiteral("SELECT pg_sleep(0.3)"));
        QCOMPARE(told, -1);

        Connection::setBusyTimeout(400);
        auto holder = Connection::open(uri);
        holder->beginTransaction();
        holder->execute(QStringLiteral("INSERT INTO SNE_ISP (LearnerID, Data_Year) VALUES (7, 2026)"));
        LockLearnerYear(*holder, 7, 2026);
        auto mine = Connection::open(uri);
        mine->beginTransaction();
        QCOMPARE(failureOf([&] { LockLearnerYear(*mine, 7, 2026); }),
                 failure(StoreError::Kind::Busy, QStringLiteral("canceling statement due to lock timeout")));
        Connection::setLockWaitWatcher({});
        QVERIFY2(told >= 250 && told < 400, qPrintable(QString::number(told)));
    }

    // Two computers appending the year at once copy each row once.
    void yearAppendedByTwoPrograms()
    {
        TestStore school;
        school.addFullLearner(2026, TestStore::StoredTexts::Plain);
        const QString uri = onServer(school);
        const qint32 once = PreviousYearAppend::copyAll(*school.connect(), 2027);
        QVERIFY(once > 0);
        Worker a(uri, arguments({"append", "2027"}));
        Worker b(uri, arguments({"append", "2027"}));
        QStringList outcomes = a.lines() + b.lines();
        outcomes.sort();
        QCOMPARE(outcomes, QStringList({QStringLiteral("appended 0"), QStringLiteral("appended %1").arg(once)}));
        auto server = Connection::open(uri);
        for (const QString &table : PreviousYearAppend::tables())
            QCOMPARE(typedRows(*server, table).size(), typedRows(*school.connect(), table).size());
    }

    // A learner the host system adds on one computer is in the other's list
    // once its user presses Continue.
    void learnerAddedElsewhereShowsAfterContinue()
    {
        const QString uri = newSchool();
        auto db = Connection::open(uri);
        db->execute(QStringLiteral("INSERT INTO Learner_Info (ID, FName, SName, Status, LSENStatus) VALUES (1, 'Ann', 'Adams', 'C', 2)"));
        Worker list(uri, {QStringLiteral("learners")});
        QCOMPARE(list.nextLine(), QStringLiteral("learners Adams"));
        db->execute(QStringLiteral("INSERT INTO Learner_Info (ID, FName, SName, Status, LSENStatus) VALUES (2, 'Ben', 'Bosman', 'C', 3)"));
        QCOMPARE(list.continued(), QStringLiteral("learners Adams,Bosman"));
    }

    // The learner list and the lookup tables hold the same rows in the same
    // order on both engines: case aside, apostrophes and blanks as they stand.
    void learnerListAndLookupsAlike()
    {
        TestStore school(false, true);
        const QStringList added = {QStringLiteral("adams"), QStringLiteral("ADAMS-Smith"), QStringLiteral("Botha"), QStringLiteral("de Klerk"),
                                   QStringLiteral("O'Brien"), QStringLiteral("Oates"), QStringLiteral("Van Wyk"), QStringLiteral("Zulu")};
        for (const QString &surname : {added.at(6), added.at(1), added.at(4), added.at(7), added.at(0), added.at(5), added.at(3), added.at(2)})
            school.addLearner(surname, QStringLiteral("Sam"));
        const QString uri = onServer(school);
        auto server = Connection::open(uri);
        const QString list = frmSelectLearner::learnersStatement(false);
        auto file = school.connect();
        for (Connection *db : {file.get(), server.get()}) {
            const Recordset rs = db->query(list);
            QStringList surnames;
            for (int row = 0; row < rs.recordCount(); ++row)
                surnames << rs.text(row, QStringLiteral("SName"));
            QCOMPARE(surnames, added);
        }
        QCOMPARE(storeRows(*server, list), storeRows(*file, list));
        for (const QString &table : SchemaTables::lookupTables())
            QCOMPARE(storeRows(*server, QStringLiteral("SELECT * FROM %1 ORDER BY ID").arg(table)),
                     storeRows(*file, QStringLiteral("SELECT * FROM %1 ORDER BY ID").arg(table)));
    }

    // Two computers starting on one new database: one creates the tables, the
    // other waits and finds them.
    void tablesCreatedByTwoProgramsAtOnce()
    {
        const QString uri = newDatabase();
        StoreCopy::createHostTables(*Connection::open(uri));
        // Both programs write the server's functions again too.
        Connection::open(uri)->executeNative(QStringLiteral("DROP FUNCTION sna_dialect_version()"));
        Worker a(uri, {QStringLiteral("check-tables")});
        Worker b(uri, {QStringLiteral("check-tables")});
        QStringList outcomes = a.lines() + b.lines();
        outcomes.sort();
        QCOMPARE(outcomes, QStringList({QStringLiteral("created 0"), QStringLiteral("created 22")}));
    }

    // A server's text holds no U+0000: a copy meeting one refuses before it
    // writes anything and names where it is; a statement carrying one fails
    // as refused and runs nothing.
    void textsWithNulAreRefused()
    {
        TestStore school;
        const int learner = school.addFullLearner(2026, TestStore::StoredTexts::Plain);
        school.exec(QStringLiteral("UPDATE SNE_ISP SET Target = 'before' || char(0) || 'after' WHERE ID = (SELECT min(ID) FROM SNE_ISP)"));
        const QString id = school.scalar(QStringLiteral("SELECT min(ID) FROM SNE_ISP")).toString();
        const QString uri = newDatabase();
        const ProgramRun run = admin({"copy-store", "--from", school.path(), "--to", uri});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out.contains(QStringLiteral("SNE_ISP, the row with ID %1, column Target contains a character (U+0000) that the server cannot store; "
                                             "nothing was copied to %2.").arg(id, uri)), qPrintable(run.out));
        QVERIFY(!Connection::open(uri)->tableExists(QStringLiteral("Learner_Info")));

        const QString server = newSchool();
        auto db = Connection::open(server);
        const auto save = [&] {
            Transaction transaction(*db);
            db->execute(QStringLiteral("INSERT INTO SNE_ISP (LearnerID, Data_Year) VALUES (%1, 2026)").arg(learner));
            db->execute(QStringLiteral("INSERT INTO SNE_ISP (LearnerID, Target, Data_Year) VALUES (%1, 'a%2b', 2026)").arg(learner).arg(QChar(0)));
            transaction.commit();
        };
        QCOMPARE(failureOf(save), failure(StoreError::Kind::Refused, QStringLiteral("The text contains a character (U+0000) that the server "
                                                                                  "cannot store. Remove it and save again.")));
        QCOMPARE(db->query(QStringLiteral("SELECT Count(*) AS n FROM SNE_ISP")).text(QStringLiteral("n")), QStringLiteral("0"));
    }
};

QTEST_GUILESS_MAIN(PostgresEngineTest)
#include "tst_postgresengine.moc"
