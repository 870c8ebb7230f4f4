// Opening, transactions, record sets and text round trips of the store.

#include "Connection.h"
#include "MessageRecorder.h"
#include "StoreError.h"
#include "StoreRows.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <stdexcept>

class StoreTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_path;

    QStringList filesInDir() { return QDir(m_dir.path()).entryList(QDir::Files, QDir::Name); }

    // "#<number> <description>" of the StoreError f throws; empty when it succeeds.
    template <typename F>
    QString failure(F &&f)
    {
        try {
            f();
        } catch (const StoreError &e) {
            return QStringLiteral("#%1 %2").arg(e.number()).arg(e.description());
        }
        return QString();
    }

    // Counted on a new connection: it sees only what was committed.
    int count(const QString &table)
    {
        return Connection::open(m_path)->query(QStringLiteral("SELECT Count(*) AS n FROM ") + table).value(QStringLiteral("n")).toInt();
    }

private slots:
    // Every test starts on a new store with one table.
    void init()
    {
        QVERIFY(m_dir.isValid());
        for (const QString &name : filesInDir())
            QFile::remove(m_dir.filePath(name));
        m_path = m_dir.filePath(QStringLiteral("store.db"));
        Connection::create(m_path)->execute(
            QStringLiteral("Create Table T(ID COUNTER, Name TEXT(255), Note MEMO, Flag BIT, Constraint T_PK Primary Key (ID))"));
    }

    // Stores that do not open: gone, no store at all, damaged past the
    // header; the number, the kind callers decide on, the words.
    void openRefusesWhatIsNoStore_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("bytes");   // written to path first unless null
        QTest::addColumn<long>("number");
        QTest::addColumn<int>("kind");
        const QString file = m_dir.filePath(QStringLiteral("other.mdb"));
        const auto row = [](const char *name, const QString &path, const QByteArray &bytes, long number, StoreError::Kind kind) {
            QTest::newRow(name) << path << bytes << number << int(kind);
        };
        using Kind = StoreError::Kind;
        row("missing file", m_dir.filePath(QStringLiteral("missing.db")), QByteArray(), StoreError::CannotOpen, Kind::Unreachable);
        row("empty path", QString(), QByteArray(), StoreError::CannotOpen, Kind::Unreachable);
        row("folder", m_dir.path(), QByteArray(), StoreError::CannotOpen, Kind::Unreachable);
        row("text file", file, QByteArray("Surname,Name\r\nJones,Anna\r\n"), StoreError::NotAStore, Kind::NotASchoolDatabase);
        row("0-byte file", file, QByteArray(""), StoreError::NotAStore, Kind::NotASchoolDatabase);
        row("Access file", file, QByteArray("\x00\x01\x00\x00Standard Jet DB\x00\x01\x00\x00\x00", 24), StoreError::NotAStore,
            Kind::NotASchoolDatabase);
        row("short header", file, QByteArray("SQLite format"), StoreError::NotAStore, Kind::NotASchoolDatabase);
        row("damaged past the header", file, QByteArray("SQLite format 3\0", 16) + QByteArray(4096, '\xff'), StoreError::NotAStore,
            Kind::Damaged);
    }
    void openRefusesWhatIsNoStore()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, bytes);
        QFETCH(long, number);
        QFETCH(int, kind);
        QFile file(path);
        if (!bytes.isNull()) {
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
            file.close();
        }
        const QStringList before = filesInDir();
        MessageRecorder boxes;
        // The one report is the caller's, naming the place as it was given.
        QCOMPARE(failure([&] { Connection::open(path); }),
                 QStringLiteral("#%1 %2 '%3'.").arg(number).arg(number == StoreError::CannotOpen ? "Could not find file" : "Unrecognized database format", path));
        QCOMPARE(failureOf([&] { Connection::open(path); }).section(QLatin1Char(' '), 0, 0), QString::number(kind));
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(filesInDir(), before);
        if (!bytes.isNull()) {
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), bytes);
        }
        QVERIFY_THROWS_EXCEPTION(StoreError, Connection::create(m_path)); // create never overwrites
        QVERIFY(Connection::open(m_path)->tableExists(QStringLiteral("t")));
    }

    void transactionsAndTheGuard()
    {
        auto db = Connection::open(m_path);
        db->beginTransaction();
        db->execute(QStringLiteral("INSERT INTO T (Name) VALUES ('old')"));
        db->commit();
        db->beginTransaction();
        db->execute(QStringLiteral("INSERT INTO T (Name) VALUES ('dropped')"));
        db->rollback();
        QCOMPARE(count(QStringLiteral("T")), 1);

        // A save that fails half way, with the store's or any other exception,
        // leaves the rows as they were.
        const auto failingSave = [&](bool storeFailure) {
            Transaction transaction(*db);
            db->execute(QStringLiteral("DELETE FROM T"));
            if (!storeFailure)
                throw std::runtime_error("screen failure");
            db->execute(QStringLiteral("INSERT INTO T (Name) VALUES ('") + QString(256, QLatin1Char('x')) + QStringLiteral("')"));
            transaction.commit();
        };
        QVERIFY_THROWS_EXCEPTION(StoreError, failingSave(true));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, failingSave(false));
        QVERIFY(!db->inTransaction());
        QCOMPARE(db->query(QStringLiteral("SELECT Name FROM T")).text(QStringLiteral("name")), QStringLiteral("old"));
        {
            Transaction transaction(*db);
            db->execute(QStringLiteral("DELETE FROM T"));
            transaction.commit();
        }
        QCOMPARE(count(QStringLiteral("T")), 0);

        // A connection closed mid-transaction leaves nothing behind.
        db.reset();
        {
            auto open = Connection::open(m_path);
            open->beginTransaction();
            open->execute(QStringLiteral("INSERT INTO T (Name) VALUES ('lost')"));
        }
        QCOMPARE(count(QStringLiteral("T")), 0);
    }

    void statementsAndRecordsets()
    {
        auto db = Connection::open(m_path);
        // execute() counts the rows a statement changed, none for any other statement.
        QCOMPARE(db->execute(QStringLiteral("INSERT INTO T (Name, Note) VALUES ('Anna', NULL), ('Ben', ''), ('Cleo', 'c')")), 3);
        QCOMPARE(db->execute(QStringLiteral("Create Table U(ID INTEGER)")), 0);
        QCOMPARE(failure([&] { db->execute(QStringLiteral("INSERT INTO Nowhere (A) VALUES (1)")); }), QStringLiteral("#1 no such table: Nowhere"));

        // Fields by name in any case; NULL reads as empty text but is not empty text.
        Recordset rs = db->query(QStringLiteral("SELECT ID, Name, Note, Flag FROM T ORDER BY ID"));
        QCOMPARE(rs.recordCount(), 3);
        QCOMPARE(rs.text(QStringLiteral("NAME")), QStringLiteral("Anna"));
        QVERIFY(rs.isNull(QStringLiteral("note")));
        QCOMPARE(rs.text(QStringLiteral("Note")), QString());
        QCOMPARE(failure([&] { rs.value(QStringLiteral("Surname")); }),
                 QStringLiteral("#3265 Item cannot be found in the collection corresponding to the requested name or ordinal."));
        rs.moveNext();
        QVERIFY(!rs.isNull(QStringLiteral("Note")));
        QCOMPARE(rs.value(QStringLiteral("Flag")), QVariant(qlonglong(0)));
        QCOMPARE(rs.value(2, QStringLiteral("id")).toInt(), 3);
        rs.moveNext();
        rs.moveNext();
        QVERIFY(rs.eof());
        QVERIFY_THROWS_EXCEPTION(StoreError, rs.value(QStringLiteral("Name")));
        QCOMPARE(db->execute(QStringLiteral("DELETE * FROM T")), 3);
        Recordset none = db->query(QStringLiteral("SELECT Name FROM T"));
        QVERIFY(none.isEmpty() && none.eof());
        QCOMPARE(none.fieldNames(), QStringList{QStringLiteral("Name")});

        // Yes/no columns: 0/1 as stored, True written by a statement, NULL as no.
        Recordset flags = db->query(QStringLiteral("SELECT 1 AS A, 0 AS B, -1 AS C, NULL AS D, 'True' AS E, 'no' AS F"));
        QVERIFY(flags.isTrue(QStringLiteral("A")) && !flags.isTrue(QStringLiteral("B")) && flags.isTrue(QStringLiteral("C")));
        QVERIFY(!flags.isTrue(QStringLiteral("D")) && flags.isTrue(QStringLiteral("E")) && !flags.isTrue(QStringLiteral("F")));

        // Column names in stored order; the table check's probes fail for a
        // missing table or column.
        QCOMPARE(db->columnNames(QStringLiteral("T")),
                 (QStringList{QStringLiteral("ID"), QStringLiteral("Name"), QStringLiteral("Note"), QStringLiteral("Flag")}));
        QVERIFY(failure([&] { db->columnNames(QStringLiteral("SNE_Missing")); }).startsWith(QStringLiteral("#3078 ")));
        QVERIFY(!db->tableExists(QStringLiteral("SNE_Missing")));
        QVERIFY_THROWS_EXCEPTION(StoreError, db->query(QStringLiteral("Select LearnerID from T")));
    }

    // A column keeps each distinct value once: rows that repeat a value, and
    // values alike in text but not in kind (1 and '1', NULL and ''), each
    // read back as their own row stored them.
    void repeatedValuesReadBackPerRow()
    {
        auto db = Connection::open(m_path);
        Recordset rs = db->queryNative(QStringLiteral(
            "SELECT 'mild' AS V UNION ALL SELECT 1 UNION ALL SELECT '1' UNION ALL SELECT NULL UNION ALL SELECT ''"
            " UNION ALL SELECT 'mild' UNION ALL SELECT 1 UNION ALL SELECT 2.5 UNION ALL SELECT NULL UNION ALL SELECT ''"));
        const QVariantList expected = {QStringLiteral("mild"), qlonglong(1), QStringLiteral("1"), QVariant(), QStringLiteral(""),
                                       QStringLiteral("mild"), qlonglong(1), 2.5, QVariant(), QStringLiteral("")};
        QCOMPARE(rs.recordCount(), expected.size());
        for (int row = 0; row < rs.recordCount(); ++row) {
            const QVariant value = rs.value(row, QStringLiteral("V"));
            QCOMPARE(value.typeId(), expected.at(row).typeId());
            QCOMPARE(value, expected.at(row));
        }

        // Past the first rows a column of keys stops sharing values and a
        // column of few texts keeps sharing them: every row reads back its own.
        Recordset many = db->queryNative(QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 600) "
            "SELECT i AS K, CASE WHEN i % 3 = 0 THEN 'three' ELSE 'other' END AS T, "
            "CASE WHEN i <= 300 THEN 'early' ELSE i END AS M FROM n"));
        QCOMPARE(many.recordCount(), 600);
        for (int row : {0, 255, 256, 257, 299, 300, 599}) {
            const qlonglong i = row + 1;
            QCOMPARE(many.value(row, QStringLiteral("K")), QVariant(i));
            QCOMPARE(many.text(row, QStringLiteral("T")), i % 3 == 0 ? QStringLiteral("three") : QStringLiteral("other"));
            QCOMPARE(many.value(row, QStringLiteral("M")), i <= 300 ? QVariant(QStringLiteral("early")) : QVariant(i));
        }
    }

    // What failed, in the words every engine shares, with the engine's own
    // words kept for the report; callers decide on the kind alone.
    void failuresCarryAKindEveryEngineShares()
    {
        using Kind = StoreError::Kind;
        auto db = Connection::open(m_path);
        db->executeNative(QStringLiteral("CREATE TRIGGER refuse BEFORE DELETE ON T BEGIN SELECT RAISE(ABORT, 'deletes refused'); END"));
        db->execute(QStringLiteral("INSERT INTO T (Name) VALUES ('kept')"));

        QCOMPARE(failureOf([&] { db->query(QStringLiteral("SELECT * FROM Nowhere")); }), ::failure(Kind::Missing, QStringLiteral("no such table: Nowhere")));
        QCOMPARE(failureOf([&] { db->query(QStringLiteral("SELECT Surname FROM T")); }), ::failure(Kind::Missing, QStringLiteral("no such column: Surname")));
        // The host's own failures of a function: number 5 is the engine's
        // "busy" code too, which once stopped a whole save.
        QCOMPARE(failureOf([&] { db->query(QStringLiteral("SELECT Mid('abc', 0) AS m")); }),
                 ::failure(Kind::Statement, QStringLiteral("Invalid procedure call or argument")));
        QCOMPARE(failureOf([&] { db->execute(QStringLiteral("DELETE FROM T")); }), ::failure(Kind::Refused, QStringLiteral("deletes refused")));
        QVERIFY(failureOf([&] { db->execute(QStringLiteral("INSERT INTO T (Name) VALUES ('%1')").arg(QString(256, QLatin1Char('x')))); })
                    .startsWith(::failure(Kind::Refused, QStringLiteral("CHECK constraint failed"))));

        // Probes tell a missing table or column from a store they cannot read.
        QVERIFY(db->probe(QStringLiteral("SELECT Name FROM T")));
        QVERIFY(!db->probe(QStringLiteral("SELECT LearnerID FROM T")));
        QVERIFY(!db->probe(QStringLiteral("SELECT ID FROM SNE_lu_Missing")));
        {
            auto other = Connection::open(m_path);
            other->executeNative(QStringLiteral("BEGIN EXCLUSIVE"));
            Connection::setBusyTimeout(20);
            QCOMPARE(failureOf([&] { db->probe(QStringLiteral("SELECT Name FROM T")); }), ::failure(Kind::Busy, QStringLiteral("database is locked")));
            QCOMPARE(failureOf([&] { db->beginTransaction(); }), ::failure(Kind::Busy, QStringLiteral("database is locked")));
            Connection::setBusyTimeout(Connection::DefaultBusyTimeoutMs);
        }
    }
};

QTEST_GUILESS_MAIN(StoreTest)
#include "tst_store.moc"
