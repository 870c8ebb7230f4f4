// The command line of sna-admin and sna as an administrator meets it: the
// command list, each command's help, wrong arguments, the version; and the
// build's icon tool.

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run runProgram(const QString &program, const QStringList &arguments, const QString &home)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home);     // Qt's own remark about it stays off stderr
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    return Run{finished ? process.exitCode() : -1, QString::fromUtf8(process.readAllStandardOutput()),
               QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class TestAdminCli : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;

    Run admin(const QString &line) const
    {
        return runProgram(qEnvironmentVariable("SNA_ADMIN"), line.split(QLatin1Char(' '), Qt::SkipEmptyParts),
                          m_home.path());
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("SNA_ADMIN"), "SNA_ADMIN names the sna-admin binary");
        QVERIFY2(!qEnvironmentVariableIsEmpty("SNA"), "SNA names the sna binary");
        QVERIFY2(!qEnvironmentVariableIsEmpty("SNA_ICON_PNG"), "SNA_ICON_PNG names the icon tool");
        QVERIFY2(QFile::exists(qEnvironmentVariable("SNA_ICON_SVG")), "SNA_ICON_SVG names the program's icon");
        QVERIFY(m_home.isValid());
    }

    void helpListsEveryCommandOnOneLine()
    {
        const Run run = admin(QStringLiteral("--help"));
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

    void noCommandListsThemOnStandardErrorAndFails()
    {
        const Run run = admin(QString());
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QString());
        QVERIFY(run.err.contains(QStringLiteral("\n  demo-host      creates a demo school database to try the program on\n")));
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
        const Run run = admin(line);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.section(QLatin1Char('\n'), 0, 0), usage);
        const QString lastLine = run.out.section(QLatin1Char('\n'), -2, -2);
        QVERIFY2(lastLine.startsWith(QStringLiteral("example: sna-admin ") + line.section(QLatin1Char(' '), 0, 0) + QLatin1Char(' ')),
                 qPrintable(run.out));
        QCOMPARE(run.err, QString());
        QVERIFY(!QFile::exists(QStringLiteral("/nowhere/x.db")));
    }

    void wrongArgumentPrintsTheUsageAndExits2()
    {
        const Run run = admin(QStringLiteral("check-tables --colour red"));
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QString());
        QCOMPARE(run.err, QStringLiteral("sna-admin check-tables: Unknown option 'colour'.\n"
                                         "usage: sna-admin check-tables [--db PATH]\n"
                                         "(sna-admin check-tables --help tells more)\n"));
        const Run year = admin(QStringLiteral("append --year 1999 --db x.db"));
        QCOMPARE(year.exitCode, 2);
        QCOMPARE(year.err, QStringLiteral("sna-admin append: --year takes a year from 2009 on\n"
                                          "usage: sna-admin append [--year Y] [--db PATH]\n"
                                          "(sna-admin append --help tells more)\n"));
    }

    void versionIsTheProjectVersion()
    {
        const Run run = admin(QStringLiteral("--version"));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("sna-admin 1.1\n"));
        // The program answers without opening a window.
        const Run program = runProgram(qEnvironmentVariable("SNA"), {QStringLiteral("--version")}, m_home.path());
        QCOMPARE(program.exitCode, 0);
        QCOMPARE(program.out, QStringLiteral("sna 1.1\n"));
    }

    void iconToolDrawsEverySize()
    {
        const QString svg = qEnvironmentVariable("SNA_ICON_SVG");
        const QString out = m_home.filePath(QStringLiteral("icons"));
        const Run run = runProgram(qEnvironmentVariable("SNA_ICON_PNG"),
                                   {svg, out, QStringLiteral("48"), QStringLiteral("64"), QStringLiteral("128"),
                                    QStringLiteral("256")},
                                   m_home.path());
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
        const Run wrong = runProgram(qEnvironmentVariable("SNA_ICON_PNG"), {svg, out, QStringLiteral("big")},
                                     m_home.path());
        QCOMPARE(wrong.exitCode, 1);
        QCOMPARE(wrong.err, QStringLiteral("sna-icon-png: 'big' is not a size in pixels\n"));
    }
};

QTEST_GUILESS_MAIN(TestAdminCli)
#include "tst_admincli.moc"
