#include "AccessImport.h"
#include "AccessImportFlow.h"
#include "Connection.h"
#include "JetDate.h"
#include "MessageRecorder.h"
#include "ProgramRun.h"
#include "StoreRows.h"
#include "TestStore.h"

#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <cstring>

namespace {

using Outcome = AccessImportResult::Outcome;

QString fixture(const char *name)
{
    return QDir(QStringLiteral(SNA_ACCESS_FIXTURES)).filePath(QString::fromLatin1(name));
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QStringList rows(const QString &database, const QString &sql)
{
    return storeRows(*Connection::open(database), sql);
}

const TableImport *tableOf(const AccessImportResult &result, const QString &name)
{
    for (const TableImport &table : result.tables) {
        if (table.table == name)
            return &table;
    }
    return nullptr;
}

// RC4, with which Jet 4 hides its header (not its data) under a fixed key.
QByteArray rc4(const QByteArray &key, QByteArray data)
{
    unsigned char s[256];
    for (int i = 0; i < 256; ++i)
        s[i] = static_cast<unsigned char>(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + static_cast<unsigned char>(key[i % key.size()])) & 0xff;
        std::swap(s[i], s[j]);
    }
    for (int n = 0, i = 0, j = 0; n < data.size(); ++n) {
        i = (i + 1) & 0xff;
        j = (j + s[i]) & 0xff;
        std::swap(s[i], s[j]);
        data[n] = char(data[n] ^ s[(s[i] + s[j]) & 0xff]);
    }
    return data;
}

// Gives a Jet 4 file a database password as Access keeps it: the header from
// 0x18 is RC4-hidden; in it, 40 bytes at 0x42 hold the password in UTF-16,
// each 4 bytes XORed with the whole days of the creation date at 0x72.
QByteArray withJet4Password(QByteArray file, const QString &password)
{
    const QByteArray key("\xc7\xda\x39\x6b", 4);
    QByteArray header = rc4(key, file.mid(0x18, 128));
    double created = 0;
    std::memcpy(&created, header.constData() + 0x72 - 0x18, sizeof created);
    const qint32 days = qint32(created);
    QByteArray text(40, '\0');
    std::memcpy(text.data(), password.utf16(), size_t(password.size()) * 2);
    for (int i = 0; i < 40; ++i)
        header[0x42 - 0x18 + i] = char(text[i] ^ reinterpret_cast<const char *>(&days)[i % 4]);
    file.replace(0x18, 128, rc4(key, header));
    return file;
}

} // namespace

class tst_AccessImport : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_folder;   // a place with a blank and a non-ASCII letter in its name

    // A copy of a fixture in the test's folder, writable, under a new name.
    QString copyOf(const char *fixtureName, const QString &name)
    {
        const QString path = QDir(m_folder).filePath(name);
        QFile::remove(path);
        if (!QFile::copy(fixture(fixtureName), path))
            return QString();
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }

    QString freshTarget(const QString &name)
    {
        const QString path = QDir(m_folder).filePath(name);
        QFile::remove(path);
        return path;
    }

    bool leftoversIn(const QString &folder) const
    {
        return !QDir(folder).entryList({QStringLiteral(".sna-import-*")}, QDir::AllEntries | QDir::Hidden).isEmpty();
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(fixture("nwind.mdb")) && QFile::exists(fixture("DateTestDatabase.mdb")),
                 "SNA_ACCESS_FIXTURES names the folder of the Access test files");
        m_folder = m_root.filePath(QStringLiteral("Schul Daten ä"));
        QVERIFY(QDir().mkpath(m_folder));
    }

    void jetDates_data()
    {
        QTest::addColumn<double>("stored");
        QTest::addColumn<QString>("text");
        QTest::newRow("day zero") << 0.0 << QStringLiteral("1899-12-30");
        QTest::newRow("1900") << 2.0 << QStringLiteral("1900-01-01");
        QTest::newRow("before 1899") << -728.0 << QStringLiteral("1898-01-01");
        QTest::newRow("before 1000") << -463126.0 << QStringLiteral("0632-01-01");
        QTest::newRow("first day") << -657434.0 << QStringLiteral("0100-01-01");
        QTest::newRow("last second") << 2958465.0 + 86399.0 / 86400.0 << QStringLiteral("9999-12-31 23:59:59");
        // Before day zero the fraction still counts forward from midnight.
        QTest::newRow("negative with time") << -1.25 << QStringLiteral("1899-12-29 06:00:00");
        QTest::newRow("negative fraction only") << -0.5 << QStringLiteral("1899-12-30 12:00:00");
        QTest::newRow("far back with time") << -728.75 << QStringLiteral("1898-01-01 18:00:00");
        QTest::newRow("time alone") << 0.75 << QStringLiteral("1899-12-30 18:00:00");
        QTest::newRow("milliseconds") << 44532.650103831016 << QStringLiteral("2021-12-02 15:36:08.971");
        QTest::newRow("rounds to next midnight") << 0.9999999999 << QStringLiteral("1899-12-31");
        QTest::newRow("negative rounds to midnight") << -1.9999999999 << QStringLiteral("1899-12-30");
        QTest::newRow("before year 100") << -657435.0 << QString();
        QTest::newRow("after 9999") << 2958466.0 << QString();
        QTest::newRow("not a number") << std::nan("") << QString();
    }

    void jetDates()
    {
        QFETCH(double, stored);
        QFETCH(QString, text);
        QCOMPARE(JetDate::toStoreText(stored), text);
    }

    void importsEveryTableOfAJet3File()
    {
        const QString source = copyOf("nwind.mdb", QStringLiteral("Nordwind ä.mdb"));
        const QByteArray before = bytesOf(source);
        const QString target = freshTarget(QStringLiteral("neue Schule.db"));

        const AccessImportResult result = AccessImport(source, target).run();
        QVERIFY2(result.imported(), qPrintable(result.message));
        QCOMPARE(bytesOf(source), before);
        QVERIFY(!leftoversIn(m_folder));

        const QList<QPair<QString, int>> counts{
            {QStringLiteral("Order Details"), 2155}, {QStringLiteral("Orders"), 830}, {QStringLiteral("Products"), 77},
            {QStringLiteral("Shippers"), 3}, {QStringLiteral("Categories"), 8}, {QStringLiteral("Customers"), 91},
            {QStringLiteral("Employees"), 9}, {QStringLiteral("Suppliers"), 29}, {QStringLiteral("Umsätze"), 830}};
        QCOMPARE(result.tables.size(), counts.size());
        for (const auto &[table, count] : counts) {
            const TableImport *report = tableOf(result, table);
            QVERIFY2(report, qPrintable(table));
            QCOMPARE(report->rowsRead, qint64(count));
            QCOMPARE(report->rowsWritten, qint64(count));
            QCOMPARE(rows(target, QStringLiteral("SELECT Count(*) AS N FROM [%1]").arg(table)), QStringList{QString::number(count)});
        }
        QCOMPARE(result.rows, 4032);

        // Dates, currency (exact), a NULL, an apostrophe; the same rows in the
        // table with the non-ASCII name.
        QCOMPARE(rows(target, QStringLiteral("SELECT * FROM Orders WHERE OrderID = 10248")),
                 QStringList{QStringLiteral("10248|VINET|5|1994-08-04|1994-09-01|1994-08-16|3|32.38|Vins et alcools Chevalier|"
                                            "59 rue de l'Abbaye|Reims|NULL|51100|France")});
        QCOMPARE(rows(target, QStringLiteral("SELECT * FROM [Umsätze] WHERE OrderID = 11077")),
                 QStringList{QStringLiteral("11077|RATTC|1|1996-06-05|1996-07-03|NULL|2|8.53|Rattlesnake Canyon Grocery|"
                                            "2817 Milton Dr.|Albuquerque|NM|87110|USA")});
        // A single's value as Access shows it; yes/no as the store's 1.
        QCOMPARE(rows(target, QStringLiteral("SELECT * FROM [Order Details] WHERE OrderID = 10251 AND ProductID = 22")),
                 QStringList{QStringLiteral("10251|22|16.8|6|0.05")});
        QCOMPARE(rows(target, QStringLiteral("SELECT ProductName, UnitPrice, Discontinued FROM Products WHERE ProductID = 5")),
                 QStringList{QStringLiteral("Chef Anton's Gumbo Mix|21.35|1")});
        // Code page 1252 letters, and a line break inside a field.
        QCOMPARE(rows(target, QStringLiteral("SELECT CompanyName, Address, City, Fax FROM Customers WHERE CustomerID = 'KOENE' OR CustomerID = 'BERGS' ORDER BY CustomerID")),
                 (QStringList{QStringLiteral("Berglunds snabbköp|Berguvsvägen  8|Luleå|0921-12 34 67"),
                              QStringLiteral("Königlich Essen|Maubelstr. 90|Brandenburg|NULL")}));
        QCOMPARE(rows(target, QStringLiteral("SELECT Address, BirthDate FROM Employees WHERE EmployeeID = 1")),
                 QStringList{QStringLiteral("507 - 20th Ave. E.\r\nApt. 2A|1948-12-08")});
        // A memo on a page of its own, whole.
        const QString notes = rows(target, QStringLiteral("SELECT Notes FROM Employees WHERE EmployeeID = 2")).value(0);
        QCOMPARE(notes.size(), 448);
        QVERIFY(notes.startsWith(QStringLiteral("Andrew received his BTS commercial in 1974")));
        QVERIFY(notes.endsWith(QStringLiteral("and the Pacific Rim Importers Association.")));

        // Pictures are left out, with a line each.
        QCOMPARE(tableOf(result, QStringLiteral("Categories"))->skippedColumns,
                 QStringList{QStringLiteral("Picture (OLE Object): binary data (pictures, documents, attachments) is not copied")});
        QCOMPARE(tableOf(result, QStringLiteral("Employees"))->skippedColumns.size(), 1);
        QCOMPARE(Connection::open(target)->columnNames(QStringLiteral("Categories")),
                 (QStringList{QStringLiteral("CategoryID"), QStringLiteral("CategoryName"), QStringLiteral("Description")}));

        // The counter goes on after the highest imported value.
        auto connection = Connection::open(target);
        connection->execute(QStringLiteral("INSERT INTO Orders (CustomerID) VALUES ('VINET')"));
        QCOMPARE(connection->lastInsertId(), 11078);

        // No host tables: imported, but named as no school's database, and
        // none of the program's tables added.
        QVERIFY(result.notASchoolDatabase.startsWith(QStringLiteral("This is not a school database: it has none of the school administration system's tables")));
        QVERIFY(!connection->tableExists(QStringLiteral("SNE_ISP")));
    }

    void importsJet4DatesFromTheirStoredValues()
    {
        const QString source = copyOf("DateTestDatabase.mdb", QStringLiteral("dates.mdb"));
        const QString target = freshTarget(QStringLiteral("dates.db"));
        const AccessImportResult result = AccessImport(source, target).run();
        QVERIFY2(result.imported(), qPrintable(result.message));
        QCOMPARE(result.tables.size(), 1);
        QCOMPARE(result.tables[0].rowsWritten, 6);
        // Stored as -728, -363 and 2 days; -463126 to -462395; 2958101.
        QCOMPARE(rows(target, QStringLiteral("SELECT * FROM DateTest ORDER BY IDCol")),
                 (QStringList{
                     QStringLiteral("1|2021-12-02|2021-12-02|2021-12-02|Hello|Hello"),
                     QStringLiteral("2|9999-01-01|9999-01-01|9999-01-01|Year 9999|Year 1999"),
                     QStringLiteral("3|1898-01-01|1899-01-01|1900-01-01|Pre-1900 years|Pre-1900 years"),
                     QStringLiteral("4|0632-01-01|0633-01-01|0634-01-01|Pre-1000 years|Pre-1000 years"),
                     QStringLiteral("5|2021-12-02|2021-12-02|2021-12-02|Escaped new line \\r\\n in field|Escaped new line \\r\\n in field"),
                     QStringLiteral("6|2021-12-02|2021-12-02|2021-12-02|New line\r\nin field|No new line"),
                 }));
    }

    // A Jet 4 database password hides nothing of the data: the file imports,
    // and the password is neither asked for nor kept.
    void importsAFileWithADatabasePassword()
    {
        const QString source = QDir(m_folder).filePath(QStringLiteral("with password.mdb"));
        writeBytes(source, withJet4Password(bytesOf(fixture("DateTestDatabase.mdb")), QStringLiteral("Vep@mra")));
        QVERIFY(bytesOf(source) != bytesOf(fixture("DateTestDatabase.mdb")));
        const QString target = freshTarget(QStringLiteral("with password.db"));
        const AccessImportResult result = AccessImport(source, target).run();
        QVERIFY2(result.imported(), qPrintable(result.message));
        QCOMPARE(rows(target, QStringLiteral("SELECT Count(*) AS N FROM DateTest")), QStringList{QStringLiteral("6")});
        QVERIFY(!bytesOf(target).contains(QByteArrayLiteral("Vep@mra")));
    }

    void refusesBadInputAndLeavesBothFiles_data()
    {
        QTest::addColumn<QByteArray>("content");   // none: no file
        QTest::addColumn<QString>("message");
        const QByteArray nwind = bytesOf(fixture("nwind.mdb"));
        const QByteArray dates = bytesOf(fixture("DateTestDatabase.mdb"));
        QTest::newRow("text file") << QByteArray("Name,Surname\r\nA,B\r\n") << QStringLiteral("is not an Access database");
        QTest::newRow("missing file") << QByteArray() << QStringLiteral("cannot be read: it does not exist.");
        QTest::newRow("empty file") << QByteArray("") << QStringLiteral("is not an Access database");
        QTest::newRow("SQLite store") << bytesOf(TestStore(false, false).path()) << QStringLiteral("is not an Access database");
        QTest::newRow("cut inside a page") << nwind.left(1501284) << QStringLiteral("is damaged or incomplete (cut short at 1501284 bytes)");
        QTest::newRow("cut to its first half") << nwind.left(1501184) << QStringLiteral("is damaged: the definition of table");
        QTest::newRow("cut after the data pages began") << nwind.left(204800) << QStringLiteral("is damaged:");
        QTest::newRow("cut to three pages") << dates.left(12288) << QStringLiteral("is damaged: its table of tables cannot be read");
        // An Access 2007 file saved with "Encrypt with Password": every page
        // after the first is noise without the key.
        QByteArray encrypted = dates;
        encrypted.replace(4, 16, QByteArray("Standard ACE DB\0", 16));
        encrypted[0x14] = 2;
        for (qsizetype i = 4096; i < encrypted.size(); ++i)
            encrypted[i] = char(encrypted[i] ^ char((i * 131 + 7) & 0xff));
        QTest::newRow("encrypted ACE file") << encrypted << QStringLiteral("is encrypted with a password");
    }

    void refusesBadInputAndLeavesBothFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        const QString source = QDir(m_folder).filePath(QStringLiteral("school copy.mdb"));
        QFile::remove(source);
        if (!content.isNull())
            writeBytes(source, content);
        const QString target = freshTarget(QStringLiteral("refused.db"));

        const AccessImportResult result = AccessImport(source, target).run();
        QCOMPARE(result.outcome, Outcome::Refused);
        QVERIFY2(result.message.contains(message), qPrintable(result.message));
        QVERIFY(result.message.contains(QDir::toNativeSeparators(source)));
        QCOMPARE(bytesOf(source), content);
        QCOMPARE(QFile::exists(source), !content.isNull());
        QVERIFY(!QFile::exists(target));
        QVERIFY(!leftoversIn(m_folder));
    }

    // A value the store cannot take (a date after 9999) fails its row; then
    // nothing is imported and the target is as it was.
    void aRowThatCannotBeWrittenLeavesTheTargetAsItWas()
    {
        QByteArray bytes = bytesOf(fixture("DateTestDatabase.mdb"));
        const double year9999 = 2958101.0, year10113 = 3000000.0;
        const QByteArray from(reinterpret_cast<const char *>(&year9999), 8);
        QCOMPARE(bytes.count(from), 3);   // row 2's three dates; the first is DateTimeCol
        bytes.replace(bytes.indexOf(from), 8, QByteArray(reinterpret_cast<const char *>(&year10113), 8));
        const QString source = QDir(m_folder).filePath(QStringLiteral("year 10113.mdb"));
        writeBytes(source, bytes);

        const QString fresh = freshTarget(QStringLiteral("never.db"));
        AccessImportResult result = AccessImport(source, fresh).run();
        QCOMPARE(result.outcome, Outcome::RowsFailed);
        QCOMPARE(result.tables[0].rowsRead, 6);
        QCOMPARE(result.tables[0].rowsWritten, 5);
        QCOMPARE(result.tables[0].rowFailures,
                 QStringList{QStringLiteral("row 2: column DateTimeCol holds a date outside the years 100 to 9999 (3000000)")});
        QVERIFY(!QFile::exists(fresh));

        const TestStore existing(false, false);
        const QByteArray before = existing.fileHash();
        result = AccessImport(source, existing.path()).run();
        QCOMPARE(result.outcome, Outcome::RowsFailed);
        QCOMPARE(existing.fileHash(), before);
        QVERIFY(!leftoversIn(existing.dir()));
    }

    // Rows the store itself refuses: ShortTextCol's definition (table
    // definition page 18, column entry at 188, its size at 23) made 11
    // characters wide, shorter than three of its texts.
    void rowsTheStoreRefusesAreEachNamed()
    {
        QByteArray bytes = bytesOf(fixture("DateTestDatabase.mdb"));
        const qsizetype entry = 18 * 4096 + 188;
        QCOMPARE(bytes.mid(entry, 1), QByteArray("\x0a", 1));
        QCOMPARE(bytes.mid(entry + 23, 2), QByteArray("\xfe\x01", 2));
        bytes[entry + 23] = 22;
        bytes[entry + 24] = 0;
        const QString source = QDir(m_folder).filePath(QStringLiteral("short column.mdb"));
        writeBytes(source, bytes);

        const QString target = freshTarget(QStringLiteral("short column.db"));
        const AccessImportResult result = AccessImport(source, target).run();
        QCOMPARE(result.outcome, Outcome::RowsFailed);
        QCOMPARE(result.tables[0].rowsWritten, 3);
        QCOMPARE(result.tables[0].failedRows, 3);
        const QString refused = QStringLiteral("row %1: CHECK constraint failed: length([ShortTextCol]) <= 11");
        QCOMPARE(result.tables[0].rowFailures, (QStringList{refused.arg(3), refused.arg(4), refused.arg(5)}));
        QVERIFY(!QFile::exists(target));
    }

    // A store with the host's tables but no school in it takes the import,
    // and the start-up check then adds the program's tables.
    void anEmptySchoolStoreGetsTheImportAndTheProgramsTables()
    {
        const TestStore store(false, false);
        const AccessImportResult result = AccessImport(copyOf("DateTestDatabase.mdb", QStringLiteral("dates.mdb")), store.path()).run();
        QVERIFY2(result.imported(), qPrintable(result.message));
        QVERIFY(result.notASchoolDatabase.isEmpty());
        QCOMPARE(result.check.created.size(), 22);
        QCOMPARE(store.count(QStringLiteral("DateTest")), 6);
        QCOMPARE(store.count(QStringLiteral("SNE_lu_ISP_Actions")) > 0, true);
        QCOMPARE(store.count(QStringLiteral("Learner_Info")), 0);
    }

    void aStoreHoldingASchoolIsReplacedOnlyWhenAsked()
    {
        const TestStore school;   // the demo school
        const QByteArray before = school.fileHash();
        AccessImport import(copyOf("DateTestDatabase.mdb", QStringLiteral("dates.mdb")), school.path());
        AccessImportResult result = import.run();
        QCOMPARE(result.outcome, Outcome::Refused);
        QVERIFY(result.targetHoldsSchool);
        QCOMPARE(result.message, QStringLiteral("The database %1 already holds a school's data. Nothing was imported.")
                                     .arg(QDir::toNativeSeparators(school.path())));
        QCOMPARE(school.fileHash(), before);

        import.setReplace(true);
        result = import.run();
        QVERIFY2(result.imported(), qPrintable(result.message));
        auto connection = school.connect();
        QVERIFY(!connection->tableExists(QStringLiteral("Learner_Info")));
        QCOMPARE(school.count(QStringLiteral("DateTest")), 6);
    }

    void adminCommandReportsEachTableAndFailsOnBadInput()
    {
        const ProgramRun run = runProgram(arguments({"import-access", copyOf("DateTestDatabase.mdb", QStringLiteral("Datum ä.mdb")), "--db",
                                                     freshTarget(QStringLiteral("admin ä.db"))}));
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.startsWith(QStringLiteral("DateTest: 6 rows read, 6 written\n")), qPrintable(run.out));
        QVERIFY(run.out.contains(QStringLiteral("rows per second")));

        const QString notAccess = QDir(m_folder).filePath(QStringLiteral("notes.mdb"));
        writeBytes(notAccess, QByteArray("not a database"));
        const ProgramRun refused = runProgram(arguments({"import-access", notAccess, "--db", freshTarget(QStringLiteral("x.db"))}));
        QCOMPARE(refused.exitCode, 1);
        QVERIFY(refused.err.contains(QStringLiteral("is not an Access database")));
    }

    void cancelInTheProgramLeavesNoTarget()
    {
        MessageRecorder boxes;
        const QString target = freshTarget(QStringLiteral("cancelled.db"));
        QTimer cancel;
        cancel.setInterval(0);
        connect(&cancel, &QTimer::timeout, this, [] {
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                if (auto *progress = qobject_cast<QProgressDialog *>(widget); progress && progress->isVisible())
                    progress->cancel();
            }
        });
        cancel.start();
        QVERIFY(!AccessImportFlow(nullptr).import(copyOf("nwind.mdb", QStringLiteral("nwind.mdb")), target));
        QVERIFY(!QFile::exists(target));
        QVERIFY(!leftoversIn(m_folder));
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("The import was cancelled. Nothing was imported.")});
    }
};

QTEST_MAIN(tst_AccessImport)
#include "tst_accessimport.moc"
