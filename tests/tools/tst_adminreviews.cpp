// sna-admin reviews: the overdue and soon-due reviews into a spreadsheet file
// and on the console, counted from the day given.

#include "PdfText.h"
#include "ProgramRun.h"
#include "ReviewsSchool.h"

#include <QtTest>

namespace {

// The exit code and what the command printed on stdout.
std::pair<int, QString> reviews(const QStringList &arguments)
{
    const ProgramRun run = runProgram(QStringList{QStringLiteral("reviews")} + arguments);
    return {run.exitCode, run.out};
}

} // namespace

class TestAdminReviews : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesOverdueAndDueRowsAsSpreadsheet()
    {
        ReviewsSchool school;
        const QString csv = school.store.dir() + QStringLiteral("/reviews.csv");
        const auto [exitCode, out] = reviews({"--within", "8", "--year", "2026", "--today", "2026-03-10", "--csv", csv,
                                 "--db", school.store.path()});
        QCOMPARE(exitCode, 0);
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()),
                 QStringLiteral("Group,Learner,Accession No,Grade,Action,Target,Person Responsible,Review Date,Last Review Held\r\n"
                                "overdue,ADAMS Zoe,A-001,Grade 4,Action 1,Reads aloud daily,Ms Dube,09/03/2026,20/02/2026\r\n"
                                "due within 7 days,ADAMS Zoe,A-001,Grade 4,Action 3,\"Fractions, \"\"halves\"\" and quarters\",Mr O'Neil,17/03/2026,20/02/2026\r\n"
                                "due within 30 days,BROWN Sam,B-002,Grade 5,Action 2,Educator workshop,Mrs Khumalo,18/03/2026,\r\n"
                                "no review date set,ADAMS Zoe,A-001,Grade 4,Action 5,DBST visit,,,20/02/2026\r\n"
                                "date not readable,BROWN Sam,B-002,Grade 5,Action 4,Meet the parents,Mr Botha,next term,\r\n"));
    }

    void printsTheGroupsWithTheirCounts()
    {
        ReviewsSchool school;
        const auto [exitCode, out] = reviews({"--within", "0", "--today", "2026-03-10", "--db", school.store.path()});
        QCOMPARE(exitCode, 0);
        QVERIFY(out.startsWith(QStringLiteral("REVIEWS DUE 2026, as at 10/03/2026, overdue and due within 0 days\n"
                                                  "overdue: 1   due within 7 days: 0   due within 30 days: 0   later: 0   "
                                                  "no review date set: 1   date not readable: 1\n")));
        QVERIFY(out.contains(QStringLiteral("\ndate not readable (1)\n  BROWN Sam | B-002 | Grade 5 | Action 4 | "
                                                "Meet the parents | Mr Botha | next term | \n")));
    }

    // The landscape list as a PDF; a folder that is not there fails with its
    // reason and writes nothing, never "wrote the list".
    void writesTheListAsPdfOrFailsWithItsReason()
    {
        ReviewsSchool school;
        const QStringList list{"--within", "8", "--today", "2026-03-10", "--db", school.store.path(), "--pdf"};
        const QString pdf = school.store.dir() + QStringLiteral("/reviews.pdf");
        QCOMPARE(reviews(list + QStringList{pdf}).first, 0);
        QCOMPARE(PdfText::pageSize(pdf), QSizeF(842, 595));
        const QString text = PdfText::all(pdf).simplified();
        for (const QString &expected : {QStringLiteral("REVIEWS DUE 2026, as at 10/03/2026, overdue and due within 8 days"),
                                        QStringLiteral("overdue (1)"), QStringLiteral("Page 1 of 1")})
            QVERIFY2(text.contains(expected), qPrintable(expected));

        const QString missing = school.store.dir() + QStringLiteral("/missing/reviews.pdf");
        const ProgramRun run = runProgram(QStringList{QStringLiteral("reviews")} + list + QStringList{missing});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("Cannot write")), qPrintable(run.err));
        QVERIFY(!run.out.contains(QStringLiteral("wrote the list")));
        QVERIFY(!QFileInfo::exists(school.store.dir() + QStringLiteral("/missing")));
    }

    void refusesAWrongCommandLine()
    {
        QCOMPARE(reviews({"--year", "2026"}).first, 2);
        QCOMPARE(reviews({"--within", "soon"}).first, 2);
        QCOMPARE(reviews({"--within", "7", "--today", "10/03/2026"}).first, 2);
    }
};

QTEST_GUILESS_MAIN(TestAdminReviews)
#include "tst_adminreviews.moc"
