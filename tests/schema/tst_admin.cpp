#include "Connection.h"
#include "PdfText.h"
#include "ProgramRun.h"
#include "Settings.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// sna-admin as an administrator runs it: its own process, its own settings
// folder, never the user's. Its command list, each command's help, wrong
// arguments, the version; sna's version, and the build's icon tool.
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

    // Its own settings, data and runtime folders (Qt's remark about the last
    // stays off stderr); sna-admin must pick the offscreen platform itself.
    ProgramRun launch(const QStringList &arguments, const QString &program = QString()) const
    {
        QHash<QString, QString> environment{{QStringLiteral("XDG_CONFIG_HOME"), path("config")},
                                            {QStringLiteral("XDG_DATA_HOME"), path("data")},
                                            {QStringLiteral("XDG_RUNTIME_DIR"), m_home.path()}};
        if (program.isEmpty())
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QString());
        return runProgram(arguments, environment, program);
    }
    ProgramRun admin(const QStringList &arguments) const { return launch(arguments); }
    ProgramRun admin(std::initializer_list<QAnyStringView> list) const { return launch(arguments(list)); }
    ProgramRun adminLine(const QString &line) const { return launch(line.split(QLatin1Char(' '), Qt::SkipEmptyParts)); }

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("SNA_ADMIN"), "SNA_ADMIN names the sna-admin binary");
        QVERIFY2(!qEnvironmentVariableIsEmpty("SNA"), "SNA names the sna binary");
        QVERIFY2(!qEnvironmentVariableIsEmpty("SNA_ICON_PNG"), "SNA_ICON_PNG names the icon tool");
        QVERIFY2(QFile::exists(qEnvironmentVariable("SNA_ICON_SVG")), "SNA_ICON_SVG names the program's icon");
        QVERIFY(m_home.isValid());
        // This process reads settings too: never the user's.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(path("config")));
        // With nothing registered yet, the new school is registered.
        m_school = path("school.db");
        const ProgramRun run = admin({"demo-host", "--db", m_school});
        QVERIFY(run.exitCode == 0 && run.out.contains(QStringLiteral("registered")));
        QCOMPARE(registered(), m_school);
        QFile::remove(configFile());
    }

    void demoHostRegistersOnlyWhenAsked()
    {
        // Nothing registered and no --db: a new school in the data folder, registered.
        ProgramRun run = admin({"demo-host", "--if-unset"});
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
        // The command line picks the screen and its tab. A screen's page, by
        // the heading of its first block, where no test of the screen's own
        // prints it; every screen's header is the conformance suite's.
        const auto row = [](const char *name, const char *screen, const char *tab, int exitCode, const char *expected) {
            QTest::newRow(name) << QString::fromLatin1(screen) << QString::fromLatin1(tab) << exitCode << QString::fromLatin1(expected);
        };
        row("background", "frmBackgroundInfo", "", 0, "[ BACKGROUND INFORMATION OF LEARNER ]");
        for (const char *criteria : {"frmCriteriaSelection1", "frmCriteriaSelection2", "frmCriteriaSelection3", "frmCriteriaSelection5",
                                     "frmCriteriaSelection6"})
            row(criteria, criteria, "", 0, "B. CRITERIA FOR SELECTION");
        row("section 3a 3", "frmAssessment_Support_Reg3", "", 0, "3. CURRICULUM DIFFERENTIATION");
        row("support strategy", "frmActionPlan2", "", 0, "2. DBST SUPPORT STRATEGY");
        row("school request", "frmSchoolRequestSupport", "", 0, "WHAT SCHOOL NEEDS");
        row("ILST record", "frmILSTIntervention", "", 0, "1. ACTION TAKEN TO ADDRESS LEARNER'S ADDITIONAL SUPPORT NEEDS");
        row("factors, first tab", "frmExtendedProfile2", "", 0, "What factors in the community");
        row("factors, summary", "frmExtendedProfile2", "4", 0, "SUMMARY OF BARRIERS TO LEARNING");
        row("ISP, group 3", "frmISP", "3", 0, "LEARNER SUPPORT TO BE GIVEN");
        row("ILST record, other actions", "frmILSTIntervention", "2", 0, "4. PRINCIPAL APPROVES REQUEST FOR DBST SUPPORT");
        row("school request, environmental access", "frmSchoolRequestSupport", "5", 0, "WHAT SCHOOL HAS");
        row("ISP, no group 6", "frmISP", "6", 1, "--tab 6");
        row("no tabs", "frmExtendedProfile1", "2", 1, "--tab 2");
        row("tab 0", "frmISP", "0", 2, "--tab takes");
        row("school request, no area 6", "frmSchoolRequestSupport", "6", 1, "--tab 6");
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
        const ProgramRun run = admin(arguments);
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
        const ProgramRun run = admin({"print-section", "--learner", learner, "--year", "2014", "--screen", screen, "--pdf", pdf,
                               "--db", onTheSchool ? m_school : notes});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(named), qPrintable(run.err));
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(contents(notes), QByteArray("not a database\n"));
        QCOMPARE(contents(m_school), school);
    }

    // A wrong command line does nothing, exits 2 and shows the usage on
    // stderr: the command's own with the reason when the command is known.
    void wrongCommandLinesShowTheUsage_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("err");   // the whole of it; empty: only the usage is named
        const auto row = [](const char *arguments, const char *err) {
            QTest::newRow(*arguments ? arguments : "nothing") << QString::fromLatin1(arguments) << QString::fromLatin1(err);
        };
        row("", "");
        row("frobnicate", "");
        row("demo-host --colour", "");
        row("demo-host --learners 59", "");
        row("demo-host --learners sixty", "");
        row("check-tables --db", "");
        row("check-tables extra", "");
        row("print-section --learner forty --year 2014 --screen frmBackgroundInfo", "");
        row("check-tables --colour red", "sna-admin check-tables: Unknown option 'colour'.\nusage: sna-admin check-tables [--db PATH]\n"
                                         "(sna-admin check-tables --help tells more)\n");
        row("append --year 1999 --db x.db", "sna-admin append: --year takes a year from 2009 on\nusage: sna-admin append [--year Y] "
                                            "[--db PATH]\n(sna-admin append --help tells more)\n");
    }
    void wrongCommandLinesShowTheUsage()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, err);
        QFile::remove(dataFolderSchool());
        const ProgramRun run = adminLine(arguments);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QString());
        QVERIFY2(run.err.contains(QStringLiteral("usage: sna-admin")), qPrintable(run.err));
        if (!err.isEmpty())
            QCOMPARE(run.err, err);
        QVERIFY(!QFile::exists(dataFolderSchool()));
        // With no command at all, the command list.
        if (arguments.isEmpty())
            QVERIFY(run.err.contains(QStringLiteral("\n  demo-host      creates a demo school database to try the program on\n")));
    }

    void checkTablesReportsWhatItDid()
    {
        const QString db = path("check.db");
        QCOMPARE(admin({"demo-host", "--db", db}).exitCode, 0);
        ProgramRun run = admin({"check-tables", "--db", db});
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

    void helpListsEveryCommandOnOneLine()
    {
        const ProgramRun run = adminLine(QStringLiteral("--help"));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.out,
                 QStringLiteral(
                     "usage: sna-admin COMMAND [OPTIONS]\n"
                     "       sna-admin COMMAND --help    the command's arguments and an example\n"
                     "       sna-admin --version\n"
                     "commands:\n"
                     "  append         carries last year's information over into a year, as the learner list's append does\n"
                     "  check-tables   creates, upgrades and fills the program's tables as the program does at start-up\n"
                     "  copy-store     copies a school from one store to another (SQLite file or PostgreSQL database)\n"
                     "  demo-host      creates a demo school database to try the program on\n"
                     "  import-access  copies a school's Access database (.mdb, .accdb) into a database the program uses\n"
                     "  learner-file   prints a learner's whole file for a year (cover and every section) into a PDF\n"
                     "  print-section  prints a learner's section page into a PDF, as Print Page does\n"
                     "  report         makes one of the four reports into a PDF\n"
                     "  reviews        lists the ISP actions whose review is overdue or due within DAYS\n"));
    }

    // Each command's help, wherever --help stands: its usage line first, an
    // example of the command last, on standard output, and nothing done.
    void commandHelp_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("usage");
        QTest::newRow("check-tables") << "check-tables --help" << "usage: sna-admin check-tables [--db PATH]";
        QTest::newRow("report, before its mode")
            << "report -h"
            << "usage: sna-admin report MODE --year Y [--grade NAME | --accession A | --barrier NAME | --provider NAME] "
               "--pdf OUT [--db PATH]";
        QTest::newRow("demo-host, after other arguments")
            << "demo-host --db /nowhere/x.db --help"
            << "usage: sna-admin demo-host [--db PATH] [--learners N] [--assessed N] [--register] [--if-unset]";
        QTest::newRow("append") << "append --help" << "usage: sna-admin append [--year Y] [--db PATH]";
        QTest::newRow("print-section")
            << "print-section --help"
            << "usage: sna-admin print-section --learner ID --year Y --screen NAME --pdf OUT [--tab N] [--db PATH]";
    }
    void commandHelp()
    {
        QFETCH(QString, line);
        QFETCH(QString, usage);
        const ProgramRun run = adminLine(line);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.section(QLatin1Char('\n'), 0, 0), usage);
        const QString lastLine = run.out.section(QLatin1Char('\n'), -2, -2);
        QVERIFY2(lastLine.startsWith(QStringLiteral("example: sna-admin ") + line.section(QLatin1Char(' '), 0, 0) + QLatin1Char(' ')),
                 qPrintable(run.out));
        QCOMPARE(run.err, QString());
        QVERIFY(!QFile::exists(QStringLiteral("/nowhere/x.db")));
    }

    void versionIsTheProjectVersion()
    {
        const ProgramRun run = adminLine(QStringLiteral("--version"));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("sna-admin 1.1\n"));
        // The program answers without opening a window.
        const ProgramRun program = launch({QStringLiteral("--version")}, qEnvironmentVariable("SNA"));
        QCOMPARE(program.exitCode, 0);
        QCOMPARE(program.out, QStringLiteral("sna 1.1\n"));
    }

    void iconToolDrawsEverySize()
    {
        const QString svg = qEnvironmentVariable("SNA_ICON_SVG");
        const QString out = m_home.filePath(QStringLiteral("icons"));
        const ProgramRun run = launch({svg, out, QStringLiteral("48"), QStringLiteral("64"), QStringLiteral("128"), QStringLiteral("256")},
                                    qEnvironmentVariable("SNA_ICON_PNG"));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QDir(out).entryList(QDir::Files, QDir::Name),
                 QStringList({QStringLiteral("128x128.png"), QStringLiteral("256x256.png"),
                              QStringLiteral("48x48.png"), QStringLiteral("64x64.png")}));
        for (const int size : {48, 64, 128, 256}) {
            const QImage image(QStringLiteral("%1/%2x%2.png").arg(out).arg(size), "PNG");
            QCOMPARE(image.size(), QSize(size, size));
            QVERIFY(image.hasAlphaChannel());
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);                             // round the board: clear
            QCOMPARE(image.pixelColor(size * 3 / 4, size * 5 / 16), QColor(0xfd, 0xfd, 0xf8));   // the sheet
        }
        const ProgramRun wrong = launch({svg, out, QStringLiteral("big")}, qEnvironmentVariable("SNA_ICON_PNG"));
        QCOMPARE(wrong.exitCode, 1);
        QCOMPARE(wrong.err, QStringLiteral("sna-icon-png: 'big' is not a size in pixels\n"));
    }
};

QTEST_GUILESS_MAIN(TestAdmin)
#include "tst_admin.moc"
