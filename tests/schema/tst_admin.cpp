#include "Settings.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

} // namespace

// sna-admin as an administrator runs it: its own process, its own settings
// folder, never the user's.
class TestAdmin : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;

    QString configFile() const { return m_home.filePath(QStringLiteral("config/VantorEmis.conf")); }

    QString registered() const
    {
        QSettings settings(configFile(), QSettings::IniFormat);
        return settings.value(QStringLiteral("Startup/Database")).toString();
    }

    Run admin(const QStringList &arguments) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));     // it must pick offscreen itself
        process.setProcessEnvironment(environment);
        process.start(qEnvironmentVariable("SNA_ADMIN"), arguments);
        Run run;
        if (!process.waitForFinished(120000)) {
            process.kill();
            process.waitForFinished();
            return run;
        }
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("SNA_ADMIN"), "SNA_ADMIN names the sna-admin binary");
        QVERIFY(m_home.isValid());
        // This process reads settings too: never the user's.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("config"))));
    }

    void demoHostRegistersOnlyWhenAsked()
    {
        const QString first = m_home.filePath(QStringLiteral("first school.db"));
        Run run = admin({QStringLiteral("demo-host"), QStringLiteral("--db"), first});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(QFileInfo(first).size() > 0);
        QCOMPARE(registered(), first);
        QVERIFY(run.out.contains(QStringLiteral("registered")));

        const QString second = m_home.filePath(QStringLiteral("second.db"));
        run = admin({QStringLiteral("demo-host"), QStringLiteral("--db"), second, QStringLiteral("--learners"), QStringLiteral("75")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(QFile::exists(second));
        QCOMPARE(registered(), first);
        QVERIFY2(run.out.contains(QStringLiteral("left the registered database")), qPrintable(run.out));
        QVERIFY(run.out.contains(QStringLiteral("(75 learners)")));

        const QString third = m_home.filePath(QStringLiteral("third.db"));
        run = admin({QStringLiteral("demo-host"), QStringLiteral("--register"), QStringLiteral("--db"), third});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(registered(), third);

        // An existing file is never replaced.
        const QByteArray before = [&] { QFile f(first); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        run = admin({QStringLiteral("demo-host"), QStringLiteral("--db"), first, QStringLiteral("--register")});
        QVERIFY(run.exitCode != 0);
        QVERIFY(run.err.contains(QStringLiteral("already exists")));
        QFile file(first);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        QCOMPARE(registered(), third);

        // Without --db the registered path is the one meant: it exists already.
        run = admin({QStringLiteral("demo-host")});
        QVERIFY(run.exitCode != 0);
        QVERIFY(run.err.contains(QStringLiteral("already exists")));
    }

    void demoHostWithoutAnyPathUsesTheDataFolder()
    {
        QFile::remove(configFile());
        const Run run = admin({QStringLiteral("demo-host")});
        QCOMPARE(run.exitCode, 0);
        const QString expected = m_home.filePath(QStringLiteral("data/VantorEmis/demo-school.db"));
        QVERIFY(QFile::exists(expected));
        QCOMPARE(registered(), expected);
    }

    void demoHostIfUnsetMakesTheFirstSchoolOnly()
    {
        QFile::remove(configFile());
        const QString expected = m_home.filePath(QStringLiteral("data/VantorEmis/demo-school.db"));
        QFile::remove(expected);
        Run run = admin({QStringLiteral("demo-host"), QStringLiteral("--if-unset")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(registered(), expected);
        const QDateTime made = QFileInfo(expected).lastModified();

        // Every later run finds the registered school and leaves it alone.
        run = admin({QStringLiteral("demo-host"), QStringLiteral("--if-unset")});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.contains(QStringLiteral("is used")), qPrintable(run.out));
        QCOMPARE(QFileInfo(expected).lastModified(), made);
    }

    void printSectionPrintsEveryStage1Screen_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("expected");
        QTest::newRow("background") << QStringLiteral("frmBackgroundInfo") << QStringLiteral("[ BACKGROUND INFORMATION OF LEARNER ]");
        QTest::newRow("health") << QStringLiteral("frmHealthReport") << QStringLiteral("A. HEALTH PROFESSIONAL REPORT");
        for (int n = 1; n <= 6; ++n)
            QTest::newRow(qPrintable(QStringLiteral("criteria %1").arg(n)))
                << QStringLiteral("frmCriteriaSelection%1").arg(n) << QStringLiteral("B. CRITERIA FOR SELECTION");
    }

    void printSectionPrintsEveryStage1Screen()
    {
        QFETCH(QString, screen);
        QFETCH(QString, expected);
        const QString db = m_home.filePath(QStringLiteral("print-%1.db").arg(screen));
        QCOMPARE(admin({QStringLiteral("demo-host"), QStringLiteral("--db"), db}).exitCode, 0);
        const QString pdf = m_home.filePath(screen + QStringLiteral(".pdf"));
        // Learner 40001 exists in every demo school; its ID needs more than 16 bits.
        const Run run = admin({QStringLiteral("print-section"), QStringLiteral("--learner"), QStringLiteral("40001"),
                               QStringLiteral("--year"), QStringLiteral("2014"), QStringLiteral("--screen"), screen,
                               QStringLiteral("--pdf"), pdf, QStringLiteral("--db"), db});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished());
        const QString printed = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(printed.contains(QStringLiteral("EMIS NUMBER:")), qPrintable(printed));
        QVERIFY2(printed.contains(expected), qPrintable(printed));
    }

    void printSectionRefusesWhatItCannotPrint()
    {
        const QString db = m_home.filePath(QStringLiteral("refusals.db"));
        QCOMPARE(admin({QStringLiteral("demo-host"), QStringLiteral("--db"), db}).exitCode, 0);
        const QString pdf = m_home.filePath(QStringLiteral("refused.pdf"));
        auto print = [&](const QString &learner, const QString &screen, const QString &database) {
            return admin({QStringLiteral("print-section"), QStringLiteral("--learner"), learner, QStringLiteral("--year"),
                          QStringLiteral("2014"), QStringLiteral("--screen"), screen, QStringLiteral("--pdf"), pdf,
                          QStringLiteral("--db"), database});
        };
        Run run = print(QStringLiteral("40001"), QStringLiteral("frmNoSuchScreen"), db);
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains(QStringLiteral("frmBackgroundInfo")));   // the known names are listed

        run = print(QStringLiteral("999999"), QStringLiteral("frmBackgroundInfo"), db);
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains(QStringLiteral("999999")));

        const QString notAStore = m_home.filePath(QStringLiteral("notes.txt"));
        QFile notes(notAStore);
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("not a database\n");
        notes.close();
        run = print(QStringLiteral("40001"), QStringLiteral("frmBackgroundInfo"), notAStore);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(QFileInfo(notAStore).size(), qint64(15));
        QVERIFY(!QFile::exists(pdf));

        run = print(QStringLiteral("forty"), QStringLiteral("frmBackgroundInfo"), db);
        QCOMPARE(run.exitCode, 2);
    }

    void wrongCommandLinesShowTheUsage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("nothing") << QStringList{};
        QTest::newRow("unknown command") << QStringList{QStringLiteral("frobnicate")};
        QTest::newRow("unknown option") << QStringList{QStringLiteral("demo-host"), QStringLiteral("--colour")};
        QTest::newRow("too few learners") << QStringList{QStringLiteral("demo-host"), QStringLiteral("--learners"), QStringLiteral("59")};
        QTest::newRow("learners not a number") << QStringList{QStringLiteral("demo-host"), QStringLiteral("--learners"), QStringLiteral("sixty")};
        QTest::newRow("missing value") << QStringList{QStringLiteral("check-tables"), QStringLiteral("--db")};
        QTest::newRow("stray argument") << QStringList{QStringLiteral("check-tables"), QStringLiteral("extra")};
    }

    void wrongCommandLinesShowTheUsage()
    {
        QFETCH(QStringList, arguments);
        const QString marker = m_home.filePath(QStringLiteral("data/VantorEmis/demo-school.db"));
        QFile::remove(marker);
        const Run run = admin(arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(QStringLiteral("usage: sna-admin")), qPrintable(run.err));
        QVERIFY(!QFile::exists(marker));
    }

    void checkTablesReportsWhatItDid()
    {
        const QString path = m_home.filePath(QStringLiteral("check.db"));
        QCOMPARE(admin({QStringLiteral("demo-host"), QStringLiteral("--db"), path}).exitCode, 0);

        Run run = admin({QStringLiteral("check-tables"), QStringLiteral("--db"), path});
        QCOMPARE(run.exitCode, 0);
        const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 26);
        QCOMPARE(lines.first(), QStringLiteral("created SNE_Learner_Background_Info"));
        QVERIFY(lines.contains(QStringLiteral("filled SNE_lu_ISP_Actions (5 rows)")));
        QVERIFY(lines.contains(QStringLiteral("filled SNE_lu_Activity_Domain_Sub_Section (29 rows)")));
        QCOMPARE(lines.last(), QStringLiteral("filled SNE_lu_Activity_Domain_Limit_Desc (28 rows)"));
        QVERIFY2(!run.err.contains(QStringLiteral("[Error")), qPrintable(run.err));

        run = admin({QStringLiteral("check-tables"), QStringLiteral("--db"), path});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.trimmed(), QStringLiteral("all 22 tables present"));
    }

    void checkTablesOnAMissingFileFailsWithoutAWindow()
    {
        const QString missing = m_home.filePath(QStringLiteral("nowhere.db"));
        const Run run = admin({QStringLiteral("check-tables"), QStringLiteral("--db"), missing});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("Database Access Error")), qPrintable(run.err));
        QVERIFY(!QFile::exists(missing));
    }

    void settingsReadAPathWithCommasWhole()
    {
        // Written by hand without quotes, a path with commas reads as a list.
        QDir().mkpath(m_home.filePath(QStringLiteral("config")));
        QFile file(configFile());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[Startup]\nDatabase=/srv/school,main/Harbrook,2014.db\n");
        file.close();
        QCOMPARE(Settings::databasePath(), QStringLiteral("/srv/school,main/Harbrook,2014.db"));
        QVERIFY(Settings::hasDatabasePath());

        const QString odd = QStringLiteral("/home/Zoë/O'Brien, school/host.db");
        Settings::setDatabasePath(odd);
        QCOMPARE(Settings::databasePath(), odd);
        QFile::remove(configFile());
        QVERIFY(!Settings::hasDatabasePath());
        QCOMPARE(Settings::databasePath(), QString());
    }
};

QTEST_GUILESS_MAIN(TestAdmin)
#include "tst_admin.moc"
