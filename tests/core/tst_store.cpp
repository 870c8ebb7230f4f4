// Opening, transactions, record sets and text round trips of the store.

#include "Connection.h"
#include "StoreError.h"

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

    QByteArray contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QStringList filesInDir() { return QDir(m_dir.path()).entryList(QDir::Files, QDir::Name); }

    int count(Connection &db, const QString &table)
    {
        return db.query(QStringLiteral("SELECT Count(*) AS n FROM ") + table).value(QStringLiteral("n")).toInt();
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        for (const QString &name : filesInDir())
            QFile::remove(m_dir.filePath(name));
        m_path = m_dir.filePath(QStringLiteral("store.db"));
        auto db = Connection::create(m_path);
        db->execute(QStringLiteral("Create Table T(ID COUNTER, Name TEXT(255), Note MEMO, Flag BIT, Constraint T_PK Primary Key (ID))"));
    }

    void openRefusesWhatIsNoStore_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<long>("number");
        QTest::newRow("text file") << QByteArray("Surname,Name\r\nJones,Anna\r\n") << long(StoreError::NotAStore);
        QTest::newRow("empty file") << QByteArray() << long(StoreError::NotAStore);
        QTest::newRow("Access file") << QByteArray("\x00\x01\x00\x00Standard Jet DB\x00\x01\x00\x00\x00", 24) << long(StoreError::NotAStore);
        QTest::newRow("short header") << QByteArray("SQLite format") << long(StoreError::NotAStore);
    }
    void openRefusesWhatIsNoStore()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(long, number);
        const QString path = m_dir.filePath(QStringLiteral("other.mdb"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        const QStringList before = filesInDir();
        try {
            Connection::open(path);
            QFAIL("the file was opened");
        } catch (const StoreError &e) {
            QCOMPARE(e.number(), number);
            QVERIFY(e.description().contains(path));
        }
        QCOMPARE(contents(path), bytes);
        QCOMPARE(filesInDir(), before);
    }

    void openRefusesMissingAndEmptyPaths()
    {
        const QStringList before = filesInDir();
        const QString missing = m_dir.filePath(QStringLiteral("missing.db"));
        for (const QString &path : {missing, QString(), m_dir.path()}) {
            try {
                Connection::open(path);
                QFAIL(qPrintable(QStringLiteral("opened ") + path));
            } catch (const StoreError &e) {
                QCOMPARE(e.number(), long(StoreError::CannotOpen));
            }
        }
        QCOMPARE(filesInDir(), before);
        QVERIFY_THROWS_EXCEPTION(StoreError, Connection::create(m_path)); // create never overwrites
        QVERIFY(Connection::open(m_path)->tableExists(QStringLiteral("t")));
    }

    void transactionsCommitAndRollBack()
    {
        auto db = Connection::open(m_path);
        db->beginTransaction();
        QVERIFY(db->inTransaction());
        db->execute(QStringLiteral("INSERT INTO T (Name) VALUES ('kept')"));
        db->commit();
        QVERIFY(!db->inTransaction());
        db->beginTransaction();
        db->execute(QStringLiteral("INSERT INTO T (Name) VALUES ('dropped')"));
        db->rollback();
        db.reset();
        QCOMPARE(Connection::open(m_path)->query(QStringLiteral("SELECT Name FROM T")).recordCount(), 1);
    }

    void transactionGuardRollsBackWhenASaveFails()
    {
        auto db = Connection::open(m_path);
        db->execute(QStringLiteral("INSERT INTO T (Name) VALUES ('old')"));
        try {
            Transaction transaction(*db);
            db->execute(QStringLiteral("DELETE FROM T"));
            db->execute(QStringLiteral("INSERT INTO T (Name) VALUES ('") + QString(256, QLatin1Char('x')) + QStringLiteral("')"));
            transaction.commit();
            QFAIL("the over-long text was stored");
        } catch (const StoreError &) {
        }
        QVERIFY(!db->inTransaction());
        QCOMPARE(db->query(QStringLiteral("SELECT Name FROM T")).text(QStringLiteral("name")), QStringLiteral("old"));

        // Any exception, not only the store's own, leaves the rows as they were.
        try {
            Transaction transaction(*db);
            db->execute(QStringLiteral("DELETE FROM T"));
            throw std::runtime_error("screen failure");
        } catch (const std::runtime_error &) {
        }
        QCOMPARE(count(*db, QStringLiteral("T")), 1);
        {
            Transaction transaction(*db);
            db->execute(QStringLiteral("DELETE FROM T"));
            transaction.commit();
        }
        QCOMPARE(count(*db, QStringLiteral("T")), 0);
    }

    void recordsetReadsFieldsByName()
    {
        auto db = Connection::open(m_path);
        db->execute(QStringLiteral("INSERT INTO T (Name, Note) VALUES ('Anna', NULL)"));
        db->execute(QStringLiteral("INSERT INTO T (Name, Note) VALUES ('Ben', '')"));
        Recordset rs = db->query(QStringLiteral("SELECT ID, Name, Note, Flag FROM T ORDER BY ID"));
        QCOMPARE(rs.recordCount(), 2);
        QCOMPARE(rs.text(QStringLiteral("NAME")), QStringLiteral("Anna"));
        QVERIFY(rs.isNull(QStringLiteral("note")));
        QCOMPARE(rs.text(QStringLiteral("Note")), QString());
        QCOMPARE(rs.value(QStringLiteral("id")).toInt(), 1);
        try {
            rs.value(QStringLiteral("Surname"));
            QFAIL("an unknown field was read");
        } catch (const StoreError &e) {
            QCOMPARE(e.number(), long(StoreError::ItemNotFound));
            QCOMPARE(e.description(), QStringLiteral("Item cannot be found in the collection corresponding to the requested name or ordinal."));
        }
        rs.moveNext();
        QVERIFY(!rs.isNull(QStringLiteral("Note"))); // an empty text is not NULL
        QCOMPARE(rs.value(QStringLiteral("Flag")), QVariant(qlonglong(0)));
        rs.moveNext();
        QVERIFY(rs.eof());
        QVERIFY_THROWS_EXCEPTION(StoreError, rs.value(QStringLiteral("Name")));

        // Yes/no columns: 0/1 as stored, True written by a statement, NULL as no.
        Recordset flags = db->query(QStringLiteral("SELECT 1 AS A, 0 AS B, -1 AS C, NULL AS D, 'True' AS E, 'no' AS F"));
        QVERIFY(flags.isTrue(QStringLiteral("A")) && !flags.isTrue(QStringLiteral("B")) && flags.isTrue(QStringLiteral("C")));
        QVERIFY(!flags.isTrue(QStringLiteral("D")) && flags.isTrue(QStringLiteral("E")) && !flags.isTrue(QStringLiteral("F")));

        Recordset none = db->query(QStringLiteral("SELECT Name FROM T WHERE ID = 99"));
        QVERIFY(none.isEmpty() && none.eof());
        QCOMPARE(none.fieldNames(), QStringList({QStringLiteral("Name")}));
    }

    void columnNamesAndTableProbes()
    {
        auto db = Connection::open(m_path);
        QCOMPARE(db->columnNames(QStringLiteral("T")),
                 QStringList({QStringLiteral("ID"), QStringLiteral("Name"), QStringLiteral("Note"), QStringLiteral("Flag")}));
        try {
            db->columnNames(QStringLiteral("SNE_Missing"));
            QFAIL("a missing table has columns");
        } catch (const StoreError &e) {
            QCOMPARE(e.number(), long(StoreError::NoSuchTable));
        }
        QVERIFY(!db->tableExists(QStringLiteral("SNE_Missing")));
        // The table check's probes fail for a missing table or column.
        QVERIFY_THROWS_EXCEPTION(StoreError, db->query(QStringLiteral("Select LearnerID from SNE_Missing")));
        QVERIFY_THROWS_EXCEPTION(StoreError, db->query(QStringLiteral("Select LearnerID from T")));
        db->query(QStringLiteral("Select ID from T"));
    }

    void executeCountsRowsAndReportsFailures()
    {
        auto db = Connection::open(m_path);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(db->execute(QStringLiteral("INSERT INTO T (Name) VALUES ('x')")), 1);
        QCOMPARE(db->execute(QStringLiteral("UPDATE T SET T.Flag = 1 WHERE ID > 1")), 2);
        QCOMPARE(db->execute(QStringLiteral("DELETE * FROM T")), 3);
        QCOMPARE(db->execute(QStringLiteral("Create Table U(ID INTEGER)")), 0);
        try {
            db->execute(QStringLiteral("INSERT INTO Nowhere (A) VALUES (1)"));
            QFAIL("insert into a missing table");
        } catch (const StoreError &e) {
            QCOMPARE(e.number(), 1L);
            QCOMPARE(e.description(), QStringLiteral("no such table: Nowhere"));
            QCOMPARE(QString::fromUtf8(e.what()), e.description());
        }
    }

    void connectionsInARowSeeCommittedData()
    {
        Connection::open(m_path)->execute(QStringLiteral("INSERT INTO T (Name) VALUES ('first')"));
        {
            auto second = Connection::open(m_path);
            QCOMPARE(count(*second, QStringLiteral("T")), 1);
            second->execute(QStringLiteral("INSERT INTO T (Name) VALUES ('second')"));
        }
        QCOMPARE(count(*Connection::open(m_path), QStringLiteral("T")), 2);
        // A connection closed mid-transaction leaves nothing behind.
        {
            auto third = Connection::open(m_path);
            third->beginTransaction();
            third->execute(QStringLiteral("DELETE FROM T"));
        }
        QCOMPARE(count(*Connection::open(m_path), QStringLiteral("T")), 2);
    }

    void typedTextRoundTrips_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("apostrophes") << QStringLiteral("O'Brien's child");
        QTest::newRow("double quotes") << QStringLiteral("the \"quiet\" one");
        QTest::newRow("line breaks") << QStringLiteral("line one\r\nline two\nend");
        QTest::newRow("non-ASCII") << QStringLiteral("Zoë Müller – 漢字 😀");
        QTest::newRow("host syntax") << QStringLiteral("a & b / c #1/2/2014# 2014AND [x] IsNull(y)");
        QTest::newRow("leading zeros") << QStringLiteral("0012");
    }
    void typedTextRoundTrips()
    {
        QFETCH(QString, text);
        QString quoted = text;
        quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
        {
            auto db = Connection::open(m_path);
            db->execute(QStringLiteral("INSERT INTO T (Name, Note) VALUES ('") + quoted + QStringLiteral("','") + quoted + QStringLiteral("')"));
        }
        auto db = Connection::open(m_path);
        Recordset rs = db->query(QStringLiteral("SELECT Name, Note FROM T WHERE Name = '") + quoted + QStringLiteral("'"));
        QCOMPARE(rs.recordCount(), 1);
        QCOMPARE(rs.text(QStringLiteral("Name")), text);
        QCOMPARE(rs.text(QStringLiteral("Note")), text);
    }
};

QTEST_GUILESS_MAIN(StoreTest)
#include "tst_store.moc"
