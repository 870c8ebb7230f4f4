// The four report designs, written to PDF and read back: titles with the
// year, the school's name, group headings, page numbers, the page of a report
// without rows, and the admin tool's report and append commands.
#include "Connection.h"
#include "ListReportStatement.h"
#include "PdfText.h"
#include "ReportBuilder.h"
#include "ReportDesign.h"
#include "ReportFixture.h"
#include "clsSQL.h"

#include <QDate>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

using namespace reports;

namespace {

struct Printed
{
    QStringList pages;
    QString text() const { return pages.join(QLatin1Char('\f')); }
};

Printed print(const School &school, ReportRequest request)
{
    auto connection = school.store.connect();
    clsSQL statements;
    std::unique_ptr<ReportDesign> design = ReportBuilder::build(*connection, statements, request, appState().SchoolName);
    const QString pdf = school.store.dir() + QStringLiteral("/report.pdf");
    const int pages = design->writePdf(pdf);
    Printed printed{PdfText::pages(pdf)};
    if (printed.pages.size() != pages)
        qWarning("the design counted %d pages, the PDF has %d", pages, int(printed.pages.size()));
    return printed;
}

ReportRequest listRequest(const QString &mode, int year, std::optional<QString> barrier = {})
{
    ListReportFilter filter = listFilter(mode, year);
    filter.barrier = std::move(barrier);
    ReportRequest request;
    request.mode = mode;
    request.reportYear = year;
    request.currentDataYear = ThisYear;
    request.sql = listReportStatement(filter);
    return request;
}

ReportRequest learnerRequest(const QString &mode, const QString &repVar = QString())
{
    ReportRequest request;
    request.mode = mode;
    request.reportYear = ThisYear;
    request.currentDataYear = ThisYear;
    request.repVar = repVar;
    return request;
}

} // namespace

class tst_ReportPdf : public QObject
{
    Q_OBJECT

private slots:
    void everyReportCarriesTitleSchoolAndPageNumbers_data();
    void everyReportCarriesTitleSchoolAndPageNumbers();
    void reportsWithoutRowsSaySo_data();
    void reportsWithoutRowsSaySo();
    void longReportRepeatsItsHeadings();
    void listReportsGroupAndSortAsTheStoreDoes();
    void profileShowsEachLearnersSubreportRows();
    void profileKeepsTheReportOfAnUnknownBarrier();
    void scoreSummaryLegendStatesItsRule();
    void scoreSummaryBreaksNoWord();
    void adminReportAndAppend();
    void pagesStayAsTheyWere_data();
    void pagesStayAsTheyWere();
};

void tst_ReportPdf::everyReportCarriesTitleSchoolAndPageNumbers_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QSize>("paper");
    QTest::newRow("summary per barrier") << ReportModes::LearnerSummary << QStringLiteral("Learner Summary per Barrier (Primary): 2026")
                                         << QStringList{QStringLiteral("Barrier: Epilepsy"), QStringLiteral("Grade 1"),
                                                        QStringLiteral("Barrier: Parent's choice"), QStringLiteral("O'Brien")}
                                         << QSize(842, 595);
    QTest::newRow("list per provider") << ReportModes::LearnerList << QStringLiteral("Learner List per Responsible Provider : 2026")
                                       << QStringList{QStringLiteral("Responsible Provider: St Mary's Clinic"),
                                                      QStringLiteral("Responsible Provider: Clinic North"), QStringLiteral("Zulu")}
                                       << QSize(595, 842);
    QTest::newRow("score summary") << ReportModes::ScoreSummary << QStringLiteral("Learner Score Summary: 2026")
                                   << QStringList{QStringLiteral("MODERATE"), QStringLiteral("Legend"), QStringLiteral("Grade 2")}
                                   << QSize(842, 595);
    QTest::newRow("learner profile") << ReportModes::MainReport << QStringLiteral("Learner Profile: 2026")
                                     << QStringList{QStringLiteral("O'Brien, Sean"), QStringLiteral("St Mary's Clinic")}
                                     << QSize(595, 842);
}

void tst_ReportPdf::everyReportCarriesTitleSchoolAndPageNumbers()
{
    QFETCH(QString, mode);
    QFETCH(QString, title);
    QFETCH(QStringList, shown);
    QFETCH(QSize, paper);
    Classroom school(true);
    school.score(school.zulu, 1, 2, ThisYear);

    const ReportRequest request = (mode == ReportModes::LearnerSummary || mode == ReportModes::LearnerList)
        ? listRequest(mode, ThisYear) : learnerRequest(mode);
    const Printed printed = print(school, request);
    QVERIFY(!printed.pages.isEmpty());
    for (int page = 0; page < printed.pages.size(); ++page) {
        QVERIFY2(printed.pages.at(page).contains(title), qPrintable(printed.pages.at(page)));
        QVERIFY(printed.pages.at(page).contains(QStringLiteral("Sediba Combined School")));
        QVERIFY(printed.pages.at(page).contains(QStringLiteral("Page %1 of %2").arg(page + 1).arg(printed.pages.size())));
    }
    for (const QString &text : shown)
        QVERIFY2(printed.text().contains(text), qPrintable(text + QStringLiteral(" missing from:\n") + printed.text()));
    QCOMPARE(PdfText::pageSize(school.store.dir() + QStringLiteral("/report.pdf")).toSize(), paper);
}

void tst_ReportPdf::reportsWithoutRowsSaySo_data()
{
    QTest::addColumn<QString>("mode");
    for (const QString &mode : {ReportModes::LearnerSummary, ReportModes::LearnerList, ReportModes::ScoreSummary, ReportModes::MainReport})
        QTest::newRow(qPrintable(mode)) << mode;
}

void tst_ReportPdf::reportsWithoutRowsSaySo()
{
    QFETCH(QString, mode);
    School school;
    const Printed printed = print(school, (mode == ReportModes::LearnerSummary || mode == ReportModes::LearnerList)
                                              ? listRequest(mode, ThisYear) : learnerRequest(mode));
    QCOMPARE(printed.pages.size(), 1);
    QVERIFY(printed.pages.first().contains(QStringLiteral("There are no learners to report for this selection.")));
    QVERIFY(printed.pages.first().contains(QStringLiteral("2026")));
}

void tst_ReportPdf::longReportRepeatsItsHeadings()
{
    School school;
    for (int i = 0; i < 90; ++i) {
        const int learner = school.learner(QStringLiteral("Surname%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("First"),
                                           QStringLiteral("AC%1").arg(i), 2, i < 80 ? 2 : 1);
        school.background(learner, LastYear, QStringLiteral("Clinic"));
    }
    const Printed printed = print(school, listRequest(ReportModes::LearnerSummary, LastYear));
    QVERIFY(printed.pages.size() >= 2);
    // The continued sheet names its group first, then the column headings.
    const QVector<PdfText::Word> words = PdfText::words(school.store.dir() + QStringLiteral("/report.pdf"));
    double continuedTop = -1;
    double headingTop = -1;
    for (const PdfText::Word &word : words) {
        if (word.page == 2 && word.text == QLatin1String("(continued)") && continuedTop < 0)
            continuedTop = word.box.top();
        if (word.page == 2 && word.text == QLatin1String("Accession") && headingTop < 0)
            headingTop = word.box.top();
    }
    QVERIFY(continuedTop > 0);
    QVERIFY2(continuedTop < headingTop, qPrintable(QStringLiteral("%1 %2").arg(continuedTop).arg(headingTop)));
    QVERIFY(QRegularExpression(QStringLiteral("Barrier: Epilepsy\\s+\\(80 learners\\) \\(continued\\)"))
                .match(printed.pages.at(1)).hasMatch());
    QVERIFY(QRegularExpression(QStringLiteral("Barrier: Epilepsy\\s+\\(80 learners\\)")).match(printed.text()).hasMatch());
    QVERIFY(QRegularExpression(QStringLiteral("Barrier: Visual impairment\\s+\\(10 learners\\)")).match(printed.text()).hasMatch());
    QVERIFY(printed.text().contains(QStringLiteral("Surname089")));
    QVERIFY(printed.pages.last().contains(QStringLiteral("Total: 90 learners")));
}

namespace {

// The learners' surnames in the order the report prints them.
QStringList surnamesInOrder(const QString &text, const QStringList &names)
{
    QMap<qsizetype, QString> at;
    for (const QString &name : names)
        at.insert(text.indexOf(name), name);
    return at.values();
}

QStringList groupHeadings(const QString &text, const QString &prefix)
{
    QStringList found;
    const QRegularExpression line(QRegularExpression::escape(prefix) + QStringLiteral("[^\\n]*"));
    for (const QRegularExpressionMatch &m : line.globalMatch(text))
        found << m.captured(0).simplified();
    return found;
}

} // namespace

// Groups and their order as the store sorts: a barrier whose learners sit
// in two grades is one group even with another barrier's learners in a
// grade between; grades follow the school's order (Grade 2 before Grade 10)
// and each row names its grade; provider names that differ only in case
// are one provider; an unknown grade or barrier code says so.
void tst_ReportPdf::listReportsGroupAndSortAsTheStoreDoes()
{
    School school;
    school.store.exec(QStringLiteral("INSERT INTO SchoolGrades (ID, Name, schoolgrade) VALUES (5, 'Grade 10', 'Yes')"));
    const struct { const char *surname; int grade; int barrier; const char *provider; } learners[] = {
        {"Tau", 5, 2, "clinic north"},        // Epilepsy, Grade 10
        {"Bela", 3, 4, "Clinic North"},       // Deaf, Grade 2
        {"Sithole", 3, 2, "Clinic South"},    // Epilepsy, Grade 2
        {"Ngema", 2, 4, "CLINIC NORTH"},      // Deaf, Grade 1
        {"Appel", 99, 2, "Clinic South"},     // Epilepsy, a grade the school does not have
        {"Venter", 3, 77, "Clinic South"},    // a barrier the school does not have
    };
    for (const auto &l : learners) {
        const int id = school.learner(QString::fromLatin1(l.surname), QStringLiteral("Kim"),
                                      QStringLiteral("A-") + QString::fromLatin1(l.surname), l.grade, l.barrier);
        school.background(id, ThisYear, QString::fromLatin1(l.provider));
    }
    const QStringList names = {QStringLiteral("Tau"), QStringLiteral("Bela"), QStringLiteral("Sithole"),
                               QStringLiteral("Ngema"), QStringLiteral("Appel"), QStringLiteral("Venter")};

    const QString summary = print(school, listRequest(ReportModes::LearnerSummary, ThisYear)).text();
    QCOMPARE(groupHeadings(summary, QStringLiteral("Barrier: ")),
             (QStringList{QStringLiteral("Barrier: unknown barrier (77) (1 learner)"),
                          QStringLiteral("Barrier: Deaf (2 learners)"), QStringLiteral("Barrier: Epilepsy (3 learners)")}));
    QCOMPARE(surnamesInOrder(summary, names),
             (QStringList{QStringLiteral("Venter"), QStringLiteral("Ngema"), QStringLiteral("Bela"),
                          QStringLiteral("Sithole"), QStringLiteral("Tau"), QStringLiteral("Appel")}));
    QVERIFY(QRegularExpression(QStringLiteral("Grade 2\\s+A-Sithole")).match(summary).hasMatch());
    QVERIFY(QRegularExpression(QStringLiteral("Grade 10\\s+A-Tau")).match(summary).hasMatch());
    QVERIFY(QRegularExpression(QStringLiteral("unknown grade \\(99\\)\\s+A-Appel")).match(summary).hasMatch());
    QVERIFY(summary.contains(QStringLiteral("Total: 6 learners")));

    const QString list = print(school, listRequest(ReportModes::LearnerList, ThisYear)).text();
    const QStringList providers = groupHeadings(list, QStringLiteral("Responsible Provider: "));
    QCOMPARE(providers.size(), 2);
    QVERIFY(providers.at(0).startsWith(QStringLiteral("Responsible Provider: "), Qt::CaseSensitive));
    QVERIFY(providers.at(0).endsWith(QStringLiteral("(3 learners)")));
    QVERIFY(providers.at(0).contains(QStringLiteral("clinic north"), Qt::CaseInsensitive));
    QCOMPARE(providers.at(1), QStringLiteral("Responsible Provider: Clinic South (3 learners)"));
    QCOMPARE(surnamesInOrder(list, names),
             (QStringList{QStringLiteral("Ngema"), QStringLiteral("Bela"), QStringLiteral("Tau"),
                          QStringLiteral("Sithole"), QStringLiteral("Venter"), QStringLiteral("Appel")}));
}

void tst_ReportPdf::profileShowsEachLearnersSubreportRows()
{
    School school;
    const int adams = school.learner(QStringLiteral("Adams"), QStringLiteral("Ann"), QStringLiteral("A1"));
    const int zulu = school.learner(QStringLiteral("Zulu"), QStringLiteral("Zola"), QStringLiteral("Z9"));
    school.store.exec(QStringLiteral("INSERT INTO MultipleDisabilities (LearnerID, DisabilityID) VALUES (%1, 2), (%1, 4)").arg(adams));
    school.background(adams, ThisYear, QStringLiteral("Clinic North"));
    school.healthReport(adams, ThisYear);
    school.score(adams, 1, 1, ThisYear);
    school.score(adams, 2, 2, ThisYear);
    school.score(zulu, 16, 3, ThisYear);

    const Printed printed = print(school, learnerRequest(ReportModes::MainReport));
    QCOMPARE(printed.pages.size(), 2);
    const QString first = printed.pages.at(0);
    QVERIFY(first.contains(QStringLiteral("Adams, Ann")));
    QVERIFY(QRegularExpression(QStringLiteral("Additional barriers\\s+(Epilepsy, Deaf|Deaf, Epilepsy)")).match(first).hasMatch());
    QVERIFY(first.contains(QStringLiteral("Seen by the clinic")));
    QVERIFY(first.contains(QStringLiteral("04/07 / 2015")));
    // The mobility mean of 1 and 2 rounds to 2; the criteria show the
    // description each score chose.
    QVERIFY(QRegularExpression(QStringLiteral("Mobility\\s+2\\b")).match(first).hasMatch());
    QVERIFY(first.contains(QStringLiteral("No difficulty, or may need help occasionally.")));
    QVERIFY(!first.contains(QStringLiteral("Zulu")));
    const QString second = printed.pages.at(1);
    QVERIFY(second.contains(QStringLiteral("Zulu, Zola")));
    QVERIFY(second.contains(QStringLiteral("No health professional report is recorded for 2026.")));
    QVERIFY(second.contains(QStringLiteral("Sound recognition")));
    QVERIFY(!second.contains(QStringLiteral("Adams")));
}

// A primary code that names no barrier must not hide the stored health
// report, and the stored type prints as a word, never as its code.
void tst_ReportPdf::profileKeepsTheReportOfAnUnknownBarrier()
{
    School school;
    const int learner = school.learner(QStringLiteral("Mokoena"), QStringLiteral("Thabo"), QStringLiteral("10074"), 2, 77);
    const int temporary = school.learner(QStringLiteral("Nkosi"), QStringLiteral("Lerato"), QStringLiteral("10075"), 2, 1);
    school.healthReport(learner, ThisYear, QStringLiteral("P"));
    school.healthReport(temporary, ThisYear, QStringLiteral("TEMP"));

    const Printed printed = print(school, learnerRequest(ReportModes::MainReport));
    QCOMPARE(printed.pages.size(), 2);
    const QString mokoena = printed.pages.at(0);
    QVERIFY(mokoena.contains(QStringLiteral("Mokoena, Thabo")));
    QVERIFY2(!mokoena.contains(QStringLiteral("No health professional report")), qPrintable(mokoena));
    QVERIFY(mokoena.contains(QStringLiteral("Seen by the clinic")));
    QVERIFY(QRegularExpression(QStringLiteral("Impairment type\\s+permanent\\n")).match(mokoena).hasMatch());
    QVERIFY(QRegularExpression(QStringLiteral("Disability\\s+unknown barrier \\(77\\)")).match(mokoena).hasMatch());
    QVERIFY(QRegularExpression(QStringLiteral("Primary barrier\\s+unknown barrier \\(77\\)")).match(mokoena).hasMatch());
    const QString nkosi = printed.pages.at(1);
    QVERIFY(QRegularExpression(QStringLiteral("Impairment type\\s+temporary\\n")).match(nkosi).hasMatch());
    QVERIFY(QRegularExpression(QStringLiteral("Disability\\s+Visual impairment\\n")).match(nkosi).hasMatch());
}

// Scores 1 and 3 average exactly 2: the legend must not promise N/A for
// scores that differ when the table prints MODERATE for them.
void tst_ReportPdf::scoreSummaryLegendStatesItsRule()
{
    School school;
    const int learner = school.learner(QStringLiteral("Mokoena"), QStringLiteral("Thabo"), QStringLiteral("10074"));
    school.score(learner, 1, 1, ThisYear);
    school.score(learner, 2, 3, ThisYear);     // mobility: mean 2
    school.score(learner, 6, 1, ThisYear);
    school.score(learner, 7, 2, ThisYear);     // self-care: mean 1.5

    print(school, learnerRequest(ReportModes::ScoreSummary));
    const QString pdf = school.store.dir() + QStringLiteral("/report.pdf");
    QString sentence;
    for (const PdfText::Word &word : PdfText::words(pdf))
        sentence += word.text + QLatin1Char(' ');
    QVERIFY2(sentence.contains(QStringLiteral(
                 "MILD, MODERATE or SEVERE when the mean of the domain's criteria scores is exactly "
                 "1, 2 or 3 (scores 1 and 3 average 2: MODERATE); N/A when the domain has no scores or their mean "
                 "lies between two whole numbers (scores 1 and 2: N/A)")), qPrintable(sentence));
    QVERIFY(!sentence.contains(QStringLiteral("differ")));
}

// Every word of the score summary stands whole on one line: the level
// words, the headings, an unknown grade, a long surname.
void tst_ReportPdf::scoreSummaryBreaksNoWord()
{
    School school;
    const int learner = school.learner(QStringLiteral("Mokoena"), QStringLiteral("Thabo"), QStringLiteral("10074"));
    school.score(learner, 1, 1, ThisYear);
    school.score(learner, 2, 3, ThisYear);
    school.learner(QStringLiteral("Vanderbijlparkwesthuizen"), QStringLiteral("Anna-Marie"), QStringLiteral("10075"), 99);

    print(school, learnerRequest(ReportModes::ScoreSummary));
    QStringList words;
    for (const PdfText::Word &word : PdfText::words(school.store.dir() + QStringLiteral("/report.pdf")))
        words << word.text;
    for (const QString &whole : {QStringLiteral("MODERATE"), QStringLiteral("Devices"), QStringLiteral("Curr./Ass."),
                                 QStringLiteral("Self-care"), QStringLiteral("Cognition"), QStringLiteral("Accession"),
                                 QStringLiteral("Vanderbijlparkwesthuizen"), QStringLiteral("Anna-Marie")})
        QVERIFY2(words.contains(whole), qPrintable(whole + QStringLiteral(" broken in: ") + words.join(QLatin1Char(' '))));
    QVERIFY(!words.contains(QStringLiteral("MODERA")));
    QVERIFY(words.join(QLatin1Char(' ')).contains(QStringLiteral("unknown grade (99)")));
    // Grade 1 (the school's second grade) before the unknown one.
    QVERIFY(words.indexOf(QStringLiteral("Mokoena")) < words.indexOf(QStringLiteral("Vanderbijlparkwesthuizen")));
}

void tst_ReportPdf::adminReportAndAppend()
{
    School school;
    const int learner = school.learner(QStringLiteral("O'Brien"), QStringLiteral("Sean"), QStringLiteral("O'Brien-01"), 3, 3);
    school.background(learner, LastYear, QStringLiteral("St Mary's Clinic"));
    const QString admin = qEnvironmentVariable("SNA_ADMIN");
    QVERIFY(!admin.isEmpty());
    const QString pdf = school.store.dir() + QStringLiteral("/admin.pdf");
    auto run = [&](const QStringList &args) {
        QProcess process;
        process.start(admin, args);
        process.waitForFinished(60000);
        return std::make_pair(process.exitCode(), QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError()));
    };
    const auto [reportCode, reportOut] = run({QStringLiteral("report"), QStringLiteral("providers"), QStringLiteral("--year"),
                                              QStringLiteral("2025"), QStringLiteral("--accession"), QStringLiteral("O'Brien-01"),
                                              QStringLiteral("--pdf"), pdf, QStringLiteral("--db"), school.store.path()});
    QVERIFY2(reportCode == 0, qPrintable(reportOut));
    QVERIFY(reportOut.contains(QStringLiteral("1 pages")));
    QVERIFY(PdfText::all(pdf).contains(QStringLiteral("Responsible Provider: St Mary's Clinic")));

    const auto [wrongCode, wrongOut] = run({QStringLiteral("report"), QStringLiteral("summary"), QStringLiteral("--year"),
                                            QStringLiteral("2025"), QStringLiteral("--provider"), QStringLiteral("X"),
                                            QStringLiteral("--pdf"), pdf, QStringLiteral("--db"), school.store.path()});
    QCOMPARE(wrongCode, 2);

    const auto [appendCode, appendOut] = run({QStringLiteral("append"), QStringLiteral("--year"), QStringLiteral("2026"),
                                              QStringLiteral("--db"), school.store.path()});
    QVERIFY2(appendCode == 0, qPrintable(appendOut));
    QVERIFY(appendOut.contains(QStringLiteral("Append Complete: 1 Rows Affected")));
    QCOMPARE(school.store.count(QStringLiteral("SNE_Learner_Background_Info"), QStringLiteral("Data_Year = 2026")), 1);

    // A demo school with assessments: last year's for ten learners, every
    // section's table filled, and some of this year's.
    const QString demo = school.store.dir() + QStringLiteral("/demo.db");
    const auto [demoCode, demoOut] = run({QStringLiteral("demo-host"), QStringLiteral("--db"), demo,
                                          QStringLiteral("--assessed"), QStringLiteral("10")});
    QVERIFY2(demoCode == 0, qPrintable(demoOut));
    QVERIFY(demoOut.contains(QStringLiteral("assessed 10 learners")));
    auto connection = Connection::open(demo);
    const int lastYear = QDate::currentDate().year() - 1;
    for (const char *table : {"SNE_Learner_Background_Info", "SNE_Criteria_For_Selection", "SNE_ISP",
                              "SNE_Assessment_Supp_Req_Rating", "SNE_Action_Review", "SNE_Learner_Supp_Needs"}) {
        const Recordset learners = connection->query(QStringLiteral("SELECT COUNT(DISTINCT LearnerID) AS n FROM %1 WHERE Data_Year = %2")
                                                         .arg(QString::fromLatin1(table)).arg(lastYear));
        QVERIFY2(learners.value(0, QStringLiteral("n")).toInt() == 10, table);
    }
    const Recordset words = connection->query(QStringLiteral("SELECT COUNT(DISTINCT Score) AS n FROM SNE_Criteria_For_Selection"));
    QCOMPARE(words.value(0, QStringLiteral("n")).toInt(), 3);
    QVERIFY(connection->query(QStringLiteral("SELECT ID FROM SNE_ISP WHERE Data_Year = %1").arg(lastYear + 1)).recordCount() > 0);
}

namespace {

// A school whose profile runs over several sheets: long stored texts, a
// learner with many criteria, and names with apostrophes and accents.
void fillLongProfiles(School &school)
{
    const QString family = QStringLiteral("Lives with her gran and two cousins; the family moved from Polokwane in March. ");
    for (int i = 0; i < 5; ++i) {
        const int learner = school.learner(QStringLiteral("Ndlovu-%1").arg(i), QStringLiteral("Thandi Zoë"),
                                           QStringLiteral("N%1").arg(i), 2 + i % 2, 1 + i % 4);
        school.background(learner, ThisYear, QStringLiteral("St Mary's Clinic"), family.repeated(1 + i % 3));
        school.store.exec(QStringLiteral("UPDATE SNE_Learner_Background_Info SET Family_Situation = %1 WHERE LearnerID = %2")
                              .arg(School::quoted(family.repeated(1 + 12 * (i % 3)))).arg(learner));
        if (i % 2 == 0)
            school.healthReport(learner, ThisYear);
        for (int sub = 1; sub <= 12 * (i % 3); ++sub)
            school.score(learner, sub, 1 + sub % 3, ThisYear);
    }
}

// Every word of a PDF with its page and box, rounded to a tenth of a point.
QStringList placedWords(const QString &pdf)
{
    QStringList lines;
    for (const PdfText::Word &word : PdfText::words(pdf)) {
        lines << QStringLiteral("%1 %2 %3 %4 %5 %6").arg(word.page).arg(word.box.left(), 0, 'f', 1)
                     .arg(word.box.top(), 0, 'f', 1).arg(word.box.right(), 0, 'f', 1).arg(word.box.bottom(), 0, 'f', 1)
                     .arg(word.text);
    }
    return lines;
}

} // namespace

void tst_ReportPdf::pagesStayAsTheyWere_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("expected");
    QTest::newRow("learner profile") << ReportModes::MainReport << QStringLiteral("profile-pages.txt");
    QTest::newRow("summary per barrier") << ReportModes::LearnerSummary << QStringLiteral("summary-pages.txt");
}

// The pages as written before pages were laid out and written one at a
// time: every word on the same page at the same place.
void tst_ReportPdf::pagesStayAsTheyWere()
{
    QFETCH(QString, mode);
    QFETCH(QString, expected);
    School school;
    fillLongProfiles(school);
    for (int i = 0; i < (mode == ReportModes::LearnerSummary ? 70 : 0); ++i) {
        const int learner = school.learner(QStringLiteral("Surname%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("First"),
                                           QStringLiteral("AC%1").arg(i), 2, i < 60 ? 2 : 1);
        school.background(learner, LastYear, QStringLiteral("Clinic"));
    }
    print(school, mode == ReportModes::MainReport ? learnerRequest(mode) : listRequest(mode, LastYear));
    const QStringList words = placedWords(school.store.dir() + QStringLiteral("/report.pdf"));
    const QString golden = QStringLiteral(SNA_REPORT_PAGES "/") + expected;
    if (qEnvironmentVariableIsSet("SNA_WRITE_PAGES")) {
        QFile out(qEnvironmentVariable("SNA_WRITE_PAGES") + QLatin1Char('/') + expected);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(words.join(QLatin1Char('\n')).toUtf8() + '\n');
    }
    QFile file(golden);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(golden));
    const QStringList before = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(before.size() > 300);
    QCOMPARE(words.size(), before.size());
    for (int i = 0; i < words.size(); ++i)
        QCOMPARE(words.at(i), before.at(i));

    // The viewer's way: each page laid out again and drawn alone gives the
    // same page, its number and "of n" included.
    auto connection = school.store.connect();
    clsSQL statements;
    ReportRequest request = mode == ReportModes::MainReport ? learnerRequest(mode) : listRequest(mode, LastYear);
    const std::unique_ptr<ReportDesign> design = ReportBuilder::build(*connection, statements, request, appState().SchoolName);
    const QString alone = school.store.dir() + QStringLiteral("/alone.pdf");
    QPdfWriter measure(school.store.dir() + QStringLiteral("/unused.pdf"));
    measure.setResolution(ReportDesign::Resolution);
    measure.setPageLayout(design->pageLayout());
    const ReportDesign::Pagination pagination = design->paginate(measure);
    QCOMPARE(pagination.pageCount, before.last().section(QLatin1Char(' '), 0, 0).toInt());
    for (int page = 0; page < pagination.pageCount; ++page) {
        {
            QPdfWriter writer(alone);
            writer.setResolution(ReportDesign::Resolution);
            writer.setPageLayout(design->pageLayout());
            QPainter painter(&writer);
            design->paintPage(measure, pagination, page, painter);
        }
        QStringList expectedPage;
        for (const QString &line : before) {
            if (line.section(QLatin1Char(' '), 0, 0).toInt() == page + 1)
                expectedPage << QStringLiteral("1 ") + line.section(QLatin1Char(' '), 1);
        }
        QCOMPARE(placedWords(alone), expectedPage);
    }
}

QTEST_MAIN(tst_ReportPdf)
#include "tst_reportpdf.moc"
