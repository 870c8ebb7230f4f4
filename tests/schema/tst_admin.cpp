#include "Connection.h"
#include "PdfText.h"
#include "Settings.h"

#include <QAnyStringView>
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

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// sna-admin as an administrator runs it: its own process, its own settings
// folder, never the user's.
class TestAdmin : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    QString m_school;       // a demo school for the print runs

    QString path(const char *name) const { return m_home.filePath(QString::fromUtf8(name)); }
    QString configFile() const { return path("config/VantorEmis.conf"); }
    QString dataFolderSchool() const { return path("data/VantorEmis/demo-school.db"); }

    QString registered() const
    {
        return QSettings(configFile(), QSettings::IniFormat).value(QStringLiteral("Startup/Database")).toString();
    }

    Run admin(const QStringList &arguments) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), path("config"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), path("data"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));     // it must pick offscreen itself
        process.setProcessEnvironment(environment);
        process.start(qEnvironmentVariable("SNA_ADMIN"), arguments);
        const bool finished = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit;
        return Run{finished ? process.exitCode() : -1, QString::fromUtf8(process.readAllStandardOutput()),
                   QString::fromUtf8(process.readAllStandardError())};
    }
    Run admin(std::initializer_list<QAnyStringView> arguments) const
    {
        QStringList list;
        for (QAnyStringView argument : arguments)
            list << argument.toString();
        return admin(list);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("SNA_ADMIN"), "SNA_ADMIN names the sna-admin binary");
        QVERIFY(m_home.isValid());
        // This process reads settings too: never the user's.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(path("config")));
        // With nothing registered yet, the new school is registered.
        m_school = path("school.db");
        const Run run = admin({"demo-host", "--db", m_school});
        QVERIFY(run.exitCode == 0 && run.out.contains(QStringLiteral("registered")));
        QCOMPARE(registered(), m_school);
        QFile::remove(configFile());
    }

    void demoHostRegistersOnlyWhenAsked()
    {
        // Nothing registered and no --db: a new school in the data folder, registered.
        Run run = admin({"demo-host", "--if-unset"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(registered(), dataFolderSchool());
        const QByteArray made = contents(dataFolderSchool());
        QVERIFY(!made.isEmpty());
        // Without --db the registered path is the one meant: it exists already.
        run = admin({"demo-host"});
        QVERIFY(run.exitCode != 0 && run.err.contains(QStringLiteral("already exists")));
        // --if-unset leaves a registered school alone.
        run = admin({"demo-host", "--if-unset"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.contains(QStringLiteral("is used")), qPrintable(run.out));
        QCOMPARE(contents(dataFolderSchool()), made);

        const QString first = path("first school.db");
        run = admin({"demo-host", "--db", first, "--learners", "75"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(registered(), dataFolderSchool());
        QVERIFY2(run.out.contains(QStringLiteral("left the registered database")) && run.out.contains(QStringLiteral("(75 learners)")),
                 qPrintable(run.out));
        const QString second = path("second.db");
        QCOMPARE(admin({"demo-host", "--register", "--db", second}).exitCode, 0);
        QCOMPARE(registered(), second);

        // An existing file is never replaced, nor registered.
        const QByteArray before = contents(first);
        run = admin({"demo-host", "--db", first, "--register"});
        QVERIFY(run.exitCode != 0 && run.err.contains(QStringLiteral("already exists")));
        QCOMPARE(contents(first), before);
        QCOMPARE(registered(), second);

        QFile::remove(configFile());
    }

    void printSectionPrintsTheChosenTab_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("tab");        // empty: not given
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expected");   // on paper, or in the error
        // Every screen's page, by the heading of its first block.
        const auto page = [](const char *name, const char *screen, const char *heading) {
            QTest::newRow(name) << QString::fromLatin1(screen) << QString() << 0 << QString::fromLatin1(heading);
        };
        page("background", "frmBackgroundInfo", "[ BACKGROUND INFORMATION OF LEARNER ]");
        page("health", "frmHealthReport", "A. HEALTH PROFESSIONAL REPORT");
        for (int n = 1; n <= 6; ++n)
            QTest::newRow(qPrintable(QStringLiteral("criteria %1").arg(n)))
                << QStringLiteral("frmCriteriaSelection%1").arg(n) << QString() << 0 << QStringLiteral("B. CRITERIA FOR SELECTION");
        page("section 3a 1", "frmAssessment_Support_Reg1", "1. MANAGEMENT AND PLANNING");
        page("section 3a 2", "frmAssessment_Support_Reg2", "2. ASSISTIVE TECHNOLOGY AND MATERIALS");
        page("section 3a 3", "frmAssessment_Support_Reg3", "3. CURRICULUM DIFFERENTIATION");
        page("section 3a 4", "frmAssessment_Support_Reg4", "4. ASSESSMENT");
        page("DBST review", "frmActionPlan", "1. DBST REVIEWS ILST REQUEST");
        page("support strategy", "frmActionPlan2", "2. DBST SUPPORT STRATEGY");
        page("action review", "frmActionPlan3", "5. REVIEW OF ACTION TAKEN");
        page("school request", "frmSchoolRequestSupport", "WHAT SCHOOL NEEDS");
        page("ILST record", "frmILSTIntervention", "1. ACTION TAKEN TO ADDRESS LEARNER'S ADDITIONAL SUPPORT NEEDS");
        QTest::newRow("barriers") << QStringLiteral("frmExtendedProfile1") << QString() << 0 << QStringLiteral("2.1 BARRIERS TO LEARNING AND DEVELOPMENT");
        QTest::newRow("factors, first tab") << QStringLiteral("frmExtendedProfile2") << QString() << 0 << QStringLiteral("What factors in the community");
        QTest::newRow("factors, summary") << QStringLiteral("frmExtendedProfile2") << QStringLiteral("4") << 0 << QStringLiteral("SUMMARY OF BARRIERS TO LEARNING");
        QTest::newRow("ISP, first group") << QStringLiteral("frmISP") << QString() << 0 << QStringLiteral("WHOLE SCHOOL DEVELOPMENT INTERVENTION");
        QTest::newRow("ISP, group 3") << QStringLiteral("frmISP") << QStringLiteral("3") << 0 << QStringLiteral("LEARNER SUPPORT TO BE GIVEN");
        QTest::newRow("ISP, no group 6") << QStringLiteral("frmISP") << QStringLiteral("6") << 1 << QStringLiteral("--tab 6");
        QTest::newRow("no tabs") << QStringLiteral("frmExtendedProfile1") << QStringLiteral("2") << 1 << QStringLiteral("--tab 2");
        QTest::newRow("tab 0") << QStringLiteral("frmISP") << QStringLiteral("0") << 2 << QStringLiteral("--tab takes");
        QTest::newRow("ILST record, other actions") << QStringLiteral("frmILSTIntervention") << QStringLiteral("2") << 0
                                                    << QStringLiteral("4. PRINCIPAL APPROVES REQUEST FOR DBST SUPPORT");
        QTest::newRow("school request, environmental access") << QStringLiteral("frmSchoolRequestSupport")
                                                              << QStringLiteral("5") << 0 << QStringLiteral("WHAT SCHOOL HAS");
        QTest::newRow("school request, no area 6") << QStringLiteral("frmSchoolRequestSupport") << QStringLiteral("6") << 1
                                                   << QStringLiteral("--tab 6");
    }
    void printSectionPrintsTheChosenTab()
    {
        QFETCH(QString, screen);
        QFETCH(QString, tab);
        QFETCH(int, exitCode);
        QFETCH(QString, expected);
        const QString pdf = m_home.filePath(screen + tab + QStringLiteral(".pdf"));
        QStringList arguments = {QStringLiteral("print-section"), QStringLiteral("--learner"), QStringLiteral("40001"),
                                 QStringLiteral("--year"), QStringLiteral("2014"), QStringLiteral("--screen"), screen,
                                 QStringLiteral("--pdf"), pdf, QStringLiteral("--db"), m_school};
        if (!tab.isEmpty())
            arguments << QStringLiteral("--tab") << tab;
        const Run run = admin(arguments);
        QCOMPARE(run.exitCode, exitCode);
        if (exitCode != 0) {
            QVERIFY2(run.err.contains(expected), qPrintable(run.err));
            QVERIFY(!QFile::exists(pdf));
            return;
        }
        const QString printed = PdfText::all(pdf);
        QVERIFY2(printed.contains(QStringLiteral("EMIS NUMBER:")) && printed.contains(expected), qPrintable(printed));
    }

    void printSectionRefusesWhatItCannotPrint_data()
    {
        QTest::addColumn<QString>("learner");
        QTest::addColumn<QString>("screen");
        QTest::addColumn<bool>("onTheSchool");   // otherwise on a text file
        QTest::addColumn<QString>("named");      // what the error names
        QTest::newRow("unknown screen") << QStringLiteral("40001") << QStringLiteral("frmNoSuchScreen") << true << QStringLiteral("frmBackgroundInfo");
        QTest::newRow("unknown learner") << QStringLiteral("999999") << QStringLiteral("frmBackgroundInfo") << true << QStringLiteral("999999");
        QTest::newRow("not a store") << QStringLiteral("40001") << QStringLiteral("frmBackgroundInfo") << false << QStringLiteral("notes.txt");
    }
    void printSectionRefusesWhatItCannotPrint()
    {
        QFETCH(QString, learner);
        QFETCH(QString, screen);
        QFETCH(bool, onTheSchool);
        QFETCH(QString, named);
        const QString notes = path("notes.txt");
        QFile file(notes);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not a database\n") == 15);
        file.close();
        const QByteArray school = contents(m_school);
        const QString pdf = path("refused.pdf");
        const Run run = admin({"print-section", "--learner", learner, "--year", "2014", "--screen", screen, "--pdf", pdf,
                               "--db", onTheSchool ? m_school : notes});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(named), qPrintable(run.err));
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(contents(notes), QByteArray("not a database\n"));
        QCOMPARE(contents(m_school), school);
    }

    void wrongCommandLinesShowTheUsage_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::newRow("nothing") << QString();
        QTest::newRow("unknown command") << QStringLiteral("frobnicate");
        QTest::newRow("unknown option") << QStringLiteral("demo-host --colour");
        QTest::newRow("too few learners") << QStringLiteral("demo-host --learners 59");
        QTest::newRow("learners not a number") << QStringLiteral("demo-host --learners sixty");
        QTest::newRow("missing value") << QStringLiteral("check-tables --db");
        QTest::newRow("stray argument") << QStringLiteral("check-tables extra");
        QTest::newRow("learner not a number") << QStringLiteral("print-section --learner forty --year 2014 --screen frmBackgroundInfo");
    }
    void wrongCommandLinesShowTheUsage()
    {
        QFETCH(QString, arguments);
        QFile::remove(dataFolderSchool());
        const Run run = admin(arguments.split(QLatin1Char(' '), Qt::SkipEmptyParts));
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(QStringLiteral("usage: sna-admin")), qPrintable(run.err));
        QVERIFY(!QFile::exists(dataFolderSchool()));
    }

    void checkTablesReportsWhatItDid()
    {
        const QString db = path("check.db");
        QCOMPARE(admin({"demo-host", "--db", db}).exitCode, 0);
        Run run = admin({"check-tables", "--db", db});
        QCOMPARE(run.exitCode, 0);
        const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        // 22 tables created, 4 of them filled, 18 indexed.
        QCOMPARE(lines.size(), 44);
        QCOMPARE(lines.first(), QStringLiteral("created SNE_Learner_Background_Info"));
        QCOMPARE(lines.at(25), QStringLiteral("filled SNE_lu_Activity_Domain_Limit_Desc (28 rows)"));
        QCOMPARE(lines.at(26), QStringLiteral("indexed SNE_Learner_Background_Info"));
        QCOMPARE(lines.last(), QStringLiteral("indexed SNE_Learner_Supp_Needs"));
        QVERIFY2(!run.err.contains(QStringLiteral("[Error")), qPrintable(run.err));
        run = admin({"check-tables", "--db", db});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.trimmed(), QStringLiteral("all 22 tables present"));

        // A missing file is reported on the console, not in a window, and not made.
        const QString missing = path("nowhere.db");
        run = admin({"check-tables", "--db", missing});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("Could not find file")), qPrintable(run.err));
        QVERIFY(!QFile::exists(missing));

        // Another program's SQLite file is refused in words and left byte for byte as it was.
        const QString foreign = path("recipes.db");
        Connection::create(foreign)->executeNative(QStringLiteral("CREATE TABLE Recipes (Name TEXT)"));
        const QByteArray before = contents(foreign);
        run = admin({"check-tables", "--db", foreign});
        QVERIFY(run.exitCode != 0);
        QVERIFY2(run.err.contains(QStringLiteral("is not a school database")), qPrintable(run.err));
        QVERIFY(run.err.contains(QStringLiteral("recipes.db")));
        QCOMPARE(contents(foreign), before);
    }

    void settingsReadAPathWithCommasWhole()
    {
        // Written by hand without quotes, a path with commas reads as a list.
        QDir().mkpath(path("config"));
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
        QVERIFY(!Settings::hasDatabasePath() && Settings::databasePath().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestAdmin)
#include "tst_admin.moc"
