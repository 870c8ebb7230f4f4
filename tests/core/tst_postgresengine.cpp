// The store on a PostgreSQL server: the setting's connection address, the
// table check, the host's functions, failures in the kinds SQLite gives, texts
// as typed, two computers saving at once. Runs on a throw-away server of its own; skipped where the server
// programs are not installed.

#include "CheckTables.h"
#include "Connection.h"
#include "PostgresCluster.h"
#include "PreviousYearAppend.h"
#include "SchemaTables.h"
#include "StoreCopy.h"
#include "StoreError.h"
#include "StoreLocks.h"
#include "StoreRows.h"
#include "TestStore.h"

#include <QProcess>
#include <QtTest>

#include <memory>
#include <thread>

namespace {

// "<kind> <description>" of the failure work throws; "no failure" otherwise.
template <typename Work>
QString failure(Work &&work)
{
    try {
        work();
    } catch (const StoreError &error) {
        return QString::number(int(error.kind())) + QLatin1Char(' ') + error.description();
    }
    return QStringLiteral("no failure");
}

QString expected(StoreError::Kind kind, const QString &words)
{
    return QString::number(int(kind)) + QLatin1Char(' ') + words;
}

QString runAdmin(const QStringList &arguments, int *exitCode)
{
    QProcess admin;
    admin.setProcessChannelMode(QProcess::MergedChannels);
    admin.start(qEnvironmentVariable("SNA_ADMIN"), arguments);
    admin.waitForFinished(120000);
    *exitCode = admin.exitCode();
    return QString::fromUtf8(admin.readAll());
}

} // namespace

class PostgresEngineTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<PostgresCluster> m_cluster;
    int m_databases = 0;

    QString newDatabase() { return m_cluster->createDatabase(QStringLiteral("school%1").arg(++m_databases)); }

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
        const QString missing = failure([&] { Connection::open(m_cluster->uri(QStringLiteral("nosuchschool"))); });
        QVERIFY2(missing.startsWith(expected(StoreError::Kind::Unreachable, QStringLiteral("Could not connect to the database nosuchschool on /"))), qPrintable(missing));
        QVERIFY2(missing.contains(QStringLiteral("does not exist")) && missing.contains(QStringLiteral("Check that the database server is running")), qPrintable(missing));

        // A password never lives in the setting, nor in a message.
        const QString withPassword = failure([&] { Connection::open(uri + QStringLiteral("&password=Secret77")); });
        QVERIFY2(withPassword.startsWith(expected(StoreError::Kind::Unreachable, QStringLiteral("The database setting for school"))), qPrintable(withPassword));
        QVERIFY(withPassword.contains(QStringLiteral("~/.pgpass")) && !withPassword.contains(QStringLiteral("Secret77")));
    }

    // sna-admin takes the same connection address in --db as the setting.
    void adminCommandsTakeTheAddress()
    {
        const QString uri = newDatabase();
        StoreCopy::createHostTables(*Connection::open(uri));
        int exitCode = -1;
        const QString out = runAdmin({QStringLiteral("check-tables"), QStringLiteral("--db"), uri}, &exitCode);
        QCOMPARE(exitCode, 0);
        QVERIFY2(out.contains(QStringLiteral("created SNE_Learner_Background_Info")) && out.contains(QStringLiteral("indexed SNE_ISP")), qPrintable(out));
        QVERIFY(Connection::open(uri)->tableExists(QStringLiteral("SNE_Learner_Background_Info")));
    }

    // A school moved to a server and back is the same school, row for row;
    // counters go on after the highest copied value.
    void copyStoreRoundTrip()
    {
        TestStore school;
        const int learner = school.addFullLearner(2026, TestStore::StoredTexts::Plain);
        const QString uri = newDatabase();
        int exitCode = -1;
        QString out = runAdmin({QStringLiteral("copy-store"), QStringLiteral("--from"), school.path(), QStringLiteral("--to"), uri}, &exitCode);
        QVERIFY2(exitCode == 0 && out.contains(QStringLiteral("copied SNE_ISP")), qPrintable(out));
        // A target holding a school already is refused unless told to replace it.
        out = runAdmin({QStringLiteral("copy-store"), QStringLiteral("--from"), school.path(), QStringLiteral("--to"), uri}, &exitCode);
        QVERIFY2(exitCode == 1 && out.contains(QStringLiteral("holds a school's rows already; nothing was copied")), qPrintable(out));
        out = runAdmin({QStringLiteral("copy-store"), QStringLiteral("--from"), school.path(), QStringLiteral("--to"), uri, QStringLiteral("--replace")}, &exitCode);
        QCOMPARE(exitCode, 0);

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
        QCOMPARE(failure([&] { CheckTables(*Connection::open(other)); }),
                 expected(StoreError::Kind::NotASchoolDatabase,
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
        QCOMPARE(failure([&] { db->execute(QStringLiteral("UPDATE SNE_ISP SET Target = '%1'").arg(QString(256, QLatin1Char('x')))); }),
                 expected(StoreError::Kind::Refused, QStringLiteral("value too long for type character varying(255)")));
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
        QCOMPARE(failure([&] { pg->query(QStringLiteral("SELECT Mid('abc', 0) AS m")); }),
                 expected(StoreError::Kind::Statement, QStringLiteral("Invalid procedure call or argument")));
        QCOMPARE(failure([&] { pg->query(QStringLiteral("SELECT CInt(40000) AS m")); }), expected(StoreError::Kind::Statement, QStringLiteral("Overflow")));
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
        QCOMPARE(failure([&] { db->query(QStringLiteral("SELECT * FROM Nowhere")); }),
                 expected(StoreError::Kind::Missing, QStringLiteral("relation \"nowhere\" does not exist")));
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
        QCOMPARE(failure(save), expected(StoreError::Kind::Refused, QStringLiteral("writes to SNE_ISP refused")));
        QVERIFY(!db->inTransaction());
        QCOMPARE(db->query(QStringLiteral("SELECT Barrier FROM SNE_Factors_School")).text(QStringLiteral("Barrier")), QStringLiteral("kept"));

        // A statement that failed inside a transaction spoils it: the commit
        // says so rather than reporting a save.
        {
            Transaction transaction(*db);
            db->execute(QStringLiteral("DELETE FROM SNE_Factors_School"));
            QVERIFY_THROWS_EXCEPTION(StoreError, db->query(QStringLiteral("SELECT * FROM Nowhere")));
            QCOMPARE(failure([&] { transaction.commit(); }).section(QLatin1Char(' '), 0, 0), QString::number(int(StoreError::Kind::Statement)));
        }
        QCOMPARE(db->query(QStringLiteral("SELECT Count(*) AS n FROM SNE_Factors_School")).text(QStringLiteral("n")), QStringLiteral("1"));

        // A row another computer holds: a wait, then Busy.
        Connection::setBusyTimeout(200);
        auto other = Connection::open(uri);
        auto mine = Connection::open(uri);
        other->beginTransaction();
        other->execute(QStringLiteral("UPDATE SNE_Factors_School SET Barrier = 'theirs'"));
        QCOMPARE(failure([&] { mine->execute(QStringLiteral("UPDATE SNE_Factors_School SET Barrier = 'mine'")); }),
                 expected(StoreError::Kind::Busy, QStringLiteral("canceling statement due to lock timeout")));
        other->rollback();

        // The server stopped under an open connection, and at start-up.
        m_cluster->stop();
        const QString gone = failure([&] { mine->query(QStringLiteral("SELECT Barrier FROM SNE_Factors_School")); });
        m_cluster->start();
        QVERIFY2(gone.startsWith(QString::number(int(StoreError::Kind::Unreachable)) + QLatin1Char(' ')), qPrintable(gone));
        QCOMPARE(Connection::open(uri)->query(QStringLiteral("SELECT Barrier FROM SNE_Factors_School")).text(QStringLiteral("Barrier")), QStringLiteral("kept"));
    }

    // Two computers replacing the same learner's rows at once: the second
    // save waits for the first and replaces its rows whole, never leaving half
    // of each; a save of another learner meanwhile does not wait at all.
    void sameLearnerSavedTwiceAtOnce()
    {
        const QString uri = newSchool();
        const auto replaceRows = [](Connection &db, int learner, const QString &who) {
            LockLearnerYear(db, learner, 2026);
            db.execute(QStringLiteral("DELETE FROM SNE_Factors_School WHERE LearnerID = %1 AND Data_Year = 2026").arg(learner));
            for (int line = 1; line <= 3; ++line)
                db.execute(QStringLiteral("INSERT INTO SNE_Factors_School (LearnerID, Barrier, Data_Year) VALUES (%1, '%2 %3', 2026)")
                               .arg(learner).arg(who).arg(line));
        };
        const auto save = [&](Connection &db, int learner, const QString &who) {
            Transaction transaction(db);
            replaceRows(db, learner, who);
            transaction.commit();
        };
        auto watcher = Connection::open(uri);
        save(*watcher, 7, QStringLiteral("old"));
        // Another learner's save must not wait: it would fail after half a second.
        Connection::setBusyTimeout(500);
        auto other = Connection::open(uri);
        Connection::setBusyTimeout(Connection::DefaultBusyTimeoutMs);

        auto first = Connection::open(uri);
        first->beginTransaction();
        replaceRows(*first, 7, QStringLiteral("first"));
        QString secondOutcome = QStringLiteral("not run");
        std::thread second([&] {
            secondOutcome = failure([&] { save(*Connection::open(uri), 7, QStringLiteral("second")); });
        });
        // The second computer is waiting for the first one's lock.
        QTRY_COMPARE(watcher->query(QStringLiteral("SELECT Count(*) AS n FROM pg_locks WHERE locktype = 'advisory' AND NOT granted"))
                         .text(QStringLiteral("n")),
                     QStringLiteral("1"));
        save(*other, 8, QStringLiteral("other"));
        first->commit();
        second.join();
        QCOMPARE(secondOutcome, QStringLiteral("no failure"));

        QStringList stored;
        const Recordset rs = watcher->query(QStringLiteral("SELECT LearnerID, Barrier FROM SNE_Factors_School ORDER BY LearnerID, Barrier"));
        for (int row = 0; row < rs.recordCount(); ++row)
            stored << rs.text(row, QStringLiteral("LearnerID")) + QLatin1Char(' ') + rs.text(row, QStringLiteral("Barrier"));
        QCOMPARE(stored, QStringList({QStringLiteral("7 second 1"), QStringLiteral("7 second 2"), QStringLiteral("7 second 3"),
                                      QStringLiteral("8 other 1"), QStringLiteral("8 other 2"), QStringLiteral("8 other 3")}));
    }

    // Two computers appending the year at once copy each row once.
    void yearAppendedTwiceAtOnce()
    {
        TestStore school;
        school.addFullLearner(2026, TestStore::StoredTexts::Plain);
        const QString uri = newDatabase();
        StoreCopy::copy(*school.connect(), *Connection::open(uri), StoreCopy::Existing::Refuse);
        const qint32 once = PreviousYearAppend::copyAll(*school.connect(), 2027);
        QVERIFY(once > 0);
        qint32 copied[2] = {-1, -1};
        std::thread first([&] { copied[0] = PreviousYearAppend::copyAll(*Connection::open(uri), 2027); });
        std::thread second([&] { copied[1] = PreviousYearAppend::copyAll(*Connection::open(uri), 2027); });
        first.join();
        second.join();
        QCOMPARE(copied[0] + copied[1], once);
        QVERIFY(copied[0] == 0 || copied[1] == 0);
        auto server = Connection::open(uri);
        for (const QString &table : PreviousYearAppend::tables())
            QCOMPARE(typedRows(*server, table).size(), typedRows(*school.connect(), table).size());
    }
};

QTEST_GUILESS_MAIN(PostgresEngineTest)
#include "tst_postgresengine.moc"
