// sna-admin learner-file: one learner's file into a PDF, and one PDF per
// learner of a grade or of the school; the wrong learner, a year with nothing
// stored and a place that cannot be written leave no file and say why.

#include "PdfText.h"
#include "ProgramRun.h"
#include "TestStore.h"

#include <QDir>
#include <QtTest>

namespace {

ProgramRun learnerFile(const QStringList &arguments)
{
    return runProgram(QStringList{QStringLiteral("learner-file")} + arguments);
}

} // namespace

class TestAdminLearnerFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesOneLearnersFile()
    {
        TestStore store;
        const int learner = store.addFullLearner(2025);
        const QString pdf = store.dir() + QStringLiteral("/file.pdf");
        const ProgramRun run = learnerFile({"--learner", QString::number(learner), "--year", "2024", "--pdf", pdf,
                                     "--db", store.path()});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.contains(QStringLiteral("pages into ") + pdf), qPrintable(run.out));
        const QStringList pages = PdfText::pages(pdf);
        QVERIFY(pages.size() > 8);
        QVERIFY(pages.first().contains(QStringLiteral("LEARNER FILE 2024")));
        QVERIFY(pages.last().simplified().endsWith(QStringLiteral("FULL Fiona page %1 of %1").arg(pages.size())));
        // Nothing but the file itself is left in the folder.
        QCOMPARE(QDir(store.dir()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".part")),
                 QStringList());
    }

    void refusesWithAReasonAndLeavesNoFile_data()
    {
        QTest::addColumn<QString>("learner");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("pdf");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no such learner") << "999999" << "2025" << "file.pdf" << "No learner has the ID 999999.";
        QTest::newRow("nothing stored") << "full" << "2019" << "file.pdf" << "nothing is stored for FULL Fiona in 2019";
        QTest::newRow("no such folder") << "full" << "2025" << "missing/file.pdf" << "missing/file.pdf: no such folder";
    }
    void refusesWithAReasonAndLeavesNoFile()
    {
        QFETCH(QString, learner);
        QFETCH(QString, year);
        QFETCH(QString, pdf);
        QFETCH(QString, reason);
        TestStore store;
        const int full = store.addFullLearner(2025);
        const QString out = store.dir() + QLatin1Char('/') + pdf;
        const ProgramRun run = learnerFile({"--learner", learner == QLatin1String("full") ? QString::number(full) : learner,
                                     "--year", year, "--pdf", out, "--db", store.path()});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("no file written: ")) && run.err.contains(reason), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(out));
        QCOMPARE(QDir(store.dir()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".pdf")),
                 QStringList());
    }

    void writesOneFilePerLearnerAndGoesOnPastAFailure()
    {
        TestStore store;
        const int full = store.addFullLearner(2025);   // also stores a line for "Other Olga"
        const int other = full + 1;
        store.exec(QStringLiteral("UPDATE Learner_Info SET AccessionNo = 'A/7:Ö*?', SName = 'Ndlovu-Zoë' WHERE ID = %1")
                       .arg(other));
        const QString folder = store.dir() + QStringLiteral("/files");
        // A folder standing where the full learner's file would go.
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/T%1_FULL_Fiona.pdf").arg(full)));
        const ProgramRun run = learnerFile({"--all", "--year", "2025", "--out", folder, "--db", store.path()});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("[1/2] learner %1: not written").arg(full)), qPrintable(run.err));
        QVERIFY2(run.out.contains(QStringLiteral("[2/2] learner %1: ").arg(other)), qPrintable(run.out));
        QVERIFY(run.out.contains(QStringLiteral("1 learner files written, 1 failed, ")));
        const QString written = folder + QStringLiteral("/A_7_O_NDLOVU-ZOE_Olga.pdf");
        QVERIFY2(QFileInfo::exists(written), qPrintable(QDir(folder).entryList().join(QLatin1Char(' '))));
        QVERIFY(PdfText::pages(written).first().contains(QStringLiteral("NDLOVU-ZOË Olga")));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(written).fileName()});
    }
};

QTEST_GUILESS_MAIN(TestAdminLearnerFile)
#include "tst_adminlearnerfile.moc"
