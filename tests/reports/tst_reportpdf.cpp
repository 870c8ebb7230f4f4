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

// The report of mode for year, as the selection screens ask for it.
ReportRequest request(const QString &mode, int year = ThisYear)
{
    ReportRequest request;
    request.mode = mode;
    request.reportYear = year;
    request.currentDataYear = ThisYear;
    if (mode == ReportModes::LearnerSummary || mode == ReportModes::LearnerList)
        request.sql = listReportStatement(listFilter(mode, year));
    return request;
}

struct Printed
{
    QString pdf;
    QStringList pages;
    QString text() const { return pages.join(QLatin1Char('\f')); }
    QStringList words() const
    {
        QStringList words;
        for (const PdfText::Word &word : PdfText::words(pdf))
            words << word.text;
        return words;
    }
};

Printed print(const School &school, ReportRequest request)
{
    auto connection = school.store.connect();
    clsSQL statements;
    std::unique_ptr<ReportDesign> design = ReportBuilder::build(*connection, statements, request, appState().SchoolName);
    const QString pdf = school.store.dir() + u"/report.pdf"_s;
    const int pages = design->writePdf(pdf);
    Printed printed{pdf, PdfText::pages(pdf)};
    if (printed.pages.size() != pages)
        qWarning("the design counted %d pages, the PDF has %d", pages, int(printed.pages.size()));
    return printed;
}

bool matches(const QString &text, const QString &pattern)
{
    return QRegularExpression(pattern).match(text).hasMatch();
}

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
    const QRegularExpression line(QRegularExpression::escape(prefix) + u"[^\\n]*"_s);
    for (const QRegularExpressionMatch &m : line.globalMatch(text))
        found << m.captured(0).simplified();
    return found;
}

// A school whose profile runs over several sheets: long stored texts, a
// learner with many criteria, and names with apostrophes and accents.
void fillLongProfiles(School &school)
{
    const QString family = u"Lives with her gran and two cousins; the family moved from Polokwane in March. "_s;
    for (int i = 0; i < 5; ++i) {
        const int learner = school.learner(u"Ndlovu-%1"_s.arg(i), u"Thandi Zoë"_s, u"N%1"_s.arg(i), 2 + i % 2, 1 + i % 4);
        school.background(learner, ThisYear, u"St Mary's Clinic"_s, family.repeated(1 + i % 3));
        school.store.exec(u"UPDATE SNE_Learner_Background_Info SET Family_Situation = %1 WHERE LearnerID = %2"_s
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
        lines << u"%1 %2 %3 %4 %5 %6"_s.arg(word.page).arg(word.box.left(), 0, 'f', 1).arg(word.box.top(), 0, 'f', 1)
                     .arg(word.box.right(), 0, 'f', 1).arg(word.box.bottom(), 0, 'f', 1).arg(word.text);
    }
    return lines;
}

} // namespace

class tst_ReportPdf : public QObject
{
    Q_OBJECT

private slots:
    void everyReportCarriesTitleSchoolAndPageNumbers_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QSize>("paper");
        QTest::newRow("summary per barrier")
            << ReportModes::LearnerSummary << u"Learner Summary per Barrier (Primary): 2026"_s
            << QStringList{u"Barrier: Epilepsy"_s, u"Grade 1"_s, u"Barrier: Parent's choice"_s, u"O'Brien"_s} << QSize(842, 595);
        QTest::newRow("list per provider")
            << ReportModes::LearnerList << u"Learner List per Responsible Provider : 2026"_s
            << QStringList{u"Responsible Provider: St Mary's Clinic"_s, u"Responsible Provider: Clinic North"_s, u"Zulu"_s}
            << QSize(595, 842);
        QTest::newRow("score summary") << ReportModes::ScoreSummary << u"Learner Score Summary: 2026"_s
                                       << QStringList{u"MODERATE"_s, u"Legend"_s, u"Grade 2"_s} << QSize(842, 595);
        QTest::newRow("learner profile") << ReportModes::MainReport << u"Learner Profile: 2026"_s
                                         << QStringList{u"O'Brien, Sean"_s, u"St Mary's Clinic"_s} << QSize(595, 842);
    }
    // And a report without rows is one page that says so.
    void everyReportCarriesTitleSchoolAndPageNumbers()
    {
        QFETCH(QString, mode);
        QFETCH(QString, title);
        QFETCH(QStringList, shown);
        QFETCH(QSize, paper);
        {
            Classroom school(true);
            school.score(school.zulu, 1, 2, ThisYear);
            const Printed printed = print(school, request(mode));
            QVERIFY(!printed.pages.isEmpty());
            for (int page = 0; page < printed.pages.size(); ++page) {
                QVERIFY2(printed.pages.at(page).contains(title), qPrintable(printed.pages.at(page)));
                QVERIFY(printed.pages.at(page).contains(u"Sediba Combined School"_s));
                QVERIFY(printed.pages.at(page).contains(u"Page %1 of %2"_s.arg(page + 1).arg(printed.pages.size())));
            }
            for (const QString &text : shown)
                QVERIFY2(printed.text().contains(text), qPrintable(text + u" missing from:\n"_s + printed.text()));
            QCOMPARE(PdfText::pageSize(printed.pdf).toSize(), paper);
        }
        School empty;
        const Printed printed = print(empty, request(mode));
        QCOMPARE(printed.pages.size(), 1);
        QVERIFY(printed.pages.first().contains(u"There are no learners to report for this selection."_s));
        QVERIFY(printed.pages.first().contains(u"2026"_s));
    }

    void longReportRepeatsItsHeadings()
    {
        School school;
        for (int i = 0; i < 90; ++i)
            school.background(school.numbered(i, 2, i < 80 ? 2 : 1), LastYear, u"Clinic"_s);
        const Printed printed = print(school, request(ReportModes::LearnerSummary, LastYear));
        QVERIFY(printed.pages.size() >= 2);
        // The continued sheet names its group first, then the column headings.
        double continuedTop = -1;
        double headingTop = -1;
        for (const PdfText::Word &word : PdfText::words(printed.pdf)) {
            if (word.page == 2 && word.text == QLatin1String("(continued)") && continuedTop < 0)
                continuedTop = word.box.top();
            if (word.page == 2 && word.text == QLatin1String("Accession") && headingTop < 0)
                headingTop = word.box.top();
        }
        QVERIFY(continuedTop > 0);
        QVERIFY2(continuedTop < headingTop, qPrintable(u"%1 %2"_s.arg(continuedTop).arg(headingTop)));
        QVERIFY(matches(printed.pages.at(1), u"Barrier: Epilepsy\\s+\\(80 learners\\) \\(continued\\)"_s));
        QVERIFY(matches(printed.text(), u"Barrier: Epilepsy\\s+\\(80 learners\\)"_s));
        QVERIFY(matches(printed.text(), u"Barrier: Visual impairment\\s+\\(10 learners\\)"_s));
        QVERIFY(printed.text().contains(u"Surname089"_s));
        QVERIFY(printed.pages.last().contains(u"Total: 90 learners"_s));
    }

    // Groups and their order as the store sorts: a barrier whose learners sit
    // in two grades is one group even with another barrier's learners in a
    // grade between; grades follow the school's order (Grade 2 before Grade 10)
    // and each row names its grade; provider names that differ only in case
    // are one provider; an unknown grade or barrier code says so.
    void listReportsGroupAndSortAsTheStoreDoes()
    {
        School school;
        school.store.exec(u"INSERT INTO SchoolGrades (ID, Name, schoolgrade) VALUES (5, 'Grade 10', 'Yes')"_s);
        const struct { const char *surname; int grade; int barrier; const char *provider; } learners[] = {
            {"Tau", 5, 2, "clinic north"},        // Epilepsy, Grade 10
            {"Bela", 3, 4, "Clinic North"},       // Deaf, Grade 2
            {"Sithole", 3, 2, "Clinic South"},    // Epilepsy, Grade 2
            {"Ngema", 2, 4, "CLINIC NORTH"},      // Deaf, Grade 1
            {"Appel", 99, 2, "Clinic South"},     // Epilepsy, a grade the school does not have
            {"Venter", 3, 77, "Clinic South"},    // a barrier the school does not have
        };
        QStringList names;
        for (const auto &l : learners) {
            names << QString::fromLatin1(l.surname);
            const int id = school.learner(names.last(), u"Kim"_s, u"A-"_s + names.last(), l.grade, l.barrier);
            school.background(id, ThisYear, QString::fromLatin1(l.provider));
        }

        const QString summary = print(school, request(ReportModes::LearnerSummary)).text();
        QCOMPARE(groupHeadings(summary, u"Barrier: "_s), (QStringList{u"Barrier: unknown barrier (77) (1 learner)"_s,
                                                                      u"Barrier: Deaf (2 learners)"_s,
                                                                      u"Barrier: Epilepsy (3 learners)"_s}));
        QCOMPARE(surnamesInOrder(summary, names),
                 (QStringList{u"Venter"_s, u"Ngema"_s, u"Bela"_s, u"Sithole"_s, u"Tau"_s, u"Appel"_s}));
        QVERIFY(matches(summary, u"Grade 2\\s+A-Sithole"_s));
        QVERIFY(matches(summary, u"Grade 10\\s+A-Tau"_s));
        QVERIFY(matches(summary, u"unknown grade \\(99\\)\\s+A-Appel"_s));
        QVERIFY(summary.contains(u"Total: 6 learners"_s));

        const QString list = print(school, request(ReportModes::LearnerList)).text();
        const QStringList providers = groupHeadings(list, u"Responsible Provider: "_s);
        QCOMPARE(providers.size(), 2);
        QVERIFY(providers.at(0).startsWith(u"Responsible Provider: "_s, Qt::CaseSensitive));
        QVERIFY(providers.at(0).endsWith(u"(3 learners)"_s));
        QVERIFY(providers.at(0).contains(u"clinic north"_s, Qt::CaseInsensitive));
        QCOMPARE(providers.at(1), u"Responsible Provider: Clinic South (3 learners)"_s);
        QCOMPARE(surnamesInOrder(list, names),
                 (QStringList{u"Ngema"_s, u"Bela"_s, u"Tau"_s, u"Sithole"_s, u"Venter"_s, u"Appel"_s}));
    }

    void profileShowsEachLearnersSubreportRows()
    {
        School school;
        const int adams = school.learner(u"Adams"_s, u"Ann"_s, u"A1"_s);
        const int zulu = school.learner(u"Zulu"_s, u"Zola"_s, u"Z9"_s);
        school.store.exec(u"INSERT INTO MultipleDisabilities (LearnerID, DisabilityID) VALUES (%1, 2), (%1, 4)"_s.arg(adams));
        school.background(adams, ThisYear, u"Clinic North"_s);
        school.healthReport(adams, ThisYear);
        school.score(adams, 1, 1, ThisYear);
        school.score(adams, 2, 2, ThisYear);
        school.score(zulu, 16, 3, ThisYear);

        const Printed printed = print(school, request(ReportModes::MainReport));
        QCOMPARE(printed.pages.size(), 2);
        const QString first = printed.pages.at(0);
        // The mobility mean of 1 and 2 rounds to 2; the criteria show the
        // description each score chose.
        for (const QString &text : {u"Adams, Ann"_s, u"Seen by the clinic"_s, u"04/07 / 2015"_s,
                                    u"No difficulty, or may need help occasionally."_s})
            QVERIFY2(first.contains(text), qPrintable(text));
        QVERIFY(matches(first, u"Additional barriers\\s+(Epilepsy, Deaf|Deaf, Epilepsy)"_s));
        QVERIFY(matches(first, u"Mobility\\s+2\\b"_s));
        QVERIFY(!first.contains(u"Zulu"_s));
        const QString second = printed.pages.at(1);
        for (const QString &text : {u"Zulu, Zola"_s, u"No health professional report is recorded for 2026."_s,
                                    u"Sound recognition"_s})
            QVERIFY2(second.contains(text), qPrintable(text));
        QVERIFY(!second.contains(u"Adams"_s));
    }

    // A primary code that names no barrier must not hide the stored health
    // report, and the stored type prints as a word, never as its code.
    void profileKeepsTheReportOfAnUnknownBarrier()
    {
        School school;
        const int learner = school.learner(u"Mokoena"_s, u"Thabo"_s, u"10074"_s, 2, 77);
        const int temporary = school.learner(u"Nkosi"_s, u"Lerato"_s, u"10075"_s, 2, 1);
        school.healthReport(learner, ThisYear, u"P"_s);
        school.healthReport(temporary, ThisYear, u"TEMP"_s);

        const Printed printed = print(school, request(ReportModes::MainReport));
        QCOMPARE(printed.pages.size(), 2);
        const QString mokoena = printed.pages.at(0);
        QVERIFY(mokoena.contains(u"Mokoena, Thabo"_s));
        QVERIFY2(!mokoena.contains(u"No health professional report"_s), qPrintable(mokoena));
        QVERIFY(mokoena.contains(u"Seen by the clinic"_s));
        QVERIFY(matches(mokoena, u"Impairment type\\s+permanent\\n"_s));
        QVERIFY(matches(mokoena, u"Disability\\s+unknown barrier \\(77\\)"_s));
        QVERIFY(matches(mokoena, u"Primary barrier\\s+unknown barrier \\(77\\)"_s));
        QVERIFY(matches(printed.pages.at(1), u"Impairment type\\s+temporary\\n"_s));
        QVERIFY(matches(printed.pages.at(1), u"Disability\\s+Visual impairment\\n"_s));
    }

    // Scores 1 and 3 average exactly 2: the legend must not promise N/A for
    // scores that differ when the table prints MODERATE for them.
    void scoreSummaryLegendStatesItsRule()
    {
        School school;
        const int learner = school.learner(u"Mokoena"_s, u"Thabo"_s, u"10074"_s);
        school.score(learner, 1, 1, ThisYear);
        school.score(learner, 2, 3, ThisYear);     // mobility: mean 2
        school.score(learner, 6, 1, ThisYear);
        school.score(learner, 7, 2, ThisYear);     // self-care: mean 1.5

        const QString sentence = print(school, request(ReportModes::ScoreSummary)).words().join(QLatin1Char(' '));
        QVERIFY2(sentence.contains(u"MILD, MODERATE or SEVERE when the mean of the domain's criteria scores is exactly "
                                    "1, 2 or 3 (scores 1 and 3 average 2: MODERATE); N/A when the domain has no scores or "
                                    "their mean lies between two whole numbers (scores 1 and 2: N/A)"_s),
                 qPrintable(sentence));
        QVERIFY(!sentence.contains(u"differ"_s));
    }

    // Every word of the score summary stands whole on one line: the level
    // words, the headings, an unknown grade, a long surname.
    void scoreSummaryBreaksNoWord()
    {
        School school;
        const int learner = school.learner(u"Mokoena"_s, u"Thabo"_s, u"10074"_s);
        school.score(learner, 1, 1, ThisYear);
        school.score(learner, 2, 3, ThisYear);
        school.learner(u"Vanderbijlparkwesthuizen"_s, u"Anna-Marie"_s, u"10075"_s, 99);

        const QStringList words = print(school, request(ReportModes::ScoreSummary)).words();
        for (const QString &whole : {u"MODERATE"_s, u"Devices"_s, u"Curr./Ass."_s, u"Self-care"_s, u"Cognition"_s,
                                     u"Accession"_s, u"Vanderbijlparkwesthuizen"_s, u"Anna-Marie"_s})
            QVERIFY2(words.contains(whole), qPrintable(whole + u" broken in: "_s + words.join(QLatin1Char(' '))));
        QVERIFY(!words.contains(u"MODERA"_s));
        QVERIFY(words.join(QLatin1Char(' ')).contains(u"unknown grade (99)"_s));
        // Grade 1 (the school's second grade) before the unknown one.
        QVERIFY(words.indexOf(u"Mokoena"_s) < words.indexOf(u"Vanderbijlparkwesthuizen"_s));
    }

    void adminReportAndAppend()
    {
        School school;
        const int learner = school.learner(u"O'Brien"_s, u"Sean"_s, u"O'Brien-01"_s, 3, 3);
        school.background(learner, LastYear, u"St Mary's Clinic"_s);
        const QString admin = qEnvironmentVariable("SNA_ADMIN");
        QVERIFY(!admin.isEmpty());
        const QString pdf = school.store.dir() + u"/admin.pdf"_s;
        // The command's words, then its files.
        auto run = [&](const QString &words, const QStringList &files) {
            QProcess process;
            process.start(admin, words.split(QLatin1Char(' ')) + files);
            process.waitForFinished(60000);
            const QByteArray out = process.readAllStandardOutput() + process.readAllStandardError();
            return std::make_pair(process.exitCode(), QString::fromUtf8(out));
        };
        const QString db = school.store.path();
        const QStringList files = {u"--pdf"_s, pdf, u"--db"_s, db};
        const auto [reportCode, reportOut] = run(u"report providers --year 2025 --accession O'Brien-01"_s, files);
        QVERIFY2(reportCode == 0, qPrintable(reportOut));
        QVERIFY(reportOut.contains(u"1 pages"_s));
        QVERIFY(PdfText::all(pdf).contains(u"Responsible Provider: St Mary's Clinic"_s));
        QCOMPARE(run(u"report summary --year 2025 --provider X"_s, files).first, 2);

        const auto [appendCode, appendOut] = run(u"append --year 2026 --db"_s, {db});
        QVERIFY2(appendCode == 0, qPrintable(appendOut));
        QVERIFY(appendOut.contains(u"Append Complete: 1 Rows Affected"_s));
        QCOMPARE(school.store.count(u"SNE_Learner_Background_Info"_s, u"Data_Year = 2026"_s), 1);

        // A demo school with assessments: last year's for ten learners, every
        // section's table filled, and some of this year's.
        const QString demo = school.store.dir() + u"/demo.db"_s;
        const auto [demoCode, demoOut] = run(u"demo-host --assessed 10 --db"_s, {demo});
        QVERIFY2(demoCode == 0, qPrintable(demoOut));
        QVERIFY(demoOut.contains(u"assessed 10 learners"_s));
        auto connection = Connection::open(demo);
        const auto count = [&](const QString &what, const QString &table, const QString &where) {
            const QString sql = u"SELECT COUNT(%1) AS n FROM %2 WHERE %3"_s.arg(what, table, where);
            return connection->query(sql).value(0, u"n"_s).toInt();
        };
        const int lastYear = QDate::currentDate().year() - 1;
        const QString lastYears = u"Data_Year = %1"_s.arg(lastYear);
        for (const QString &table : {u"SNE_Learner_Background_Info"_s, u"SNE_Criteria_For_Selection"_s, u"SNE_ISP"_s,
                                     u"SNE_Assessment_Supp_Req_Rating"_s, u"SNE_Action_Review"_s, u"SNE_Learner_Supp_Needs"_s})
            QVERIFY2(count(u"DISTINCT LearnerID"_s, table, lastYears) == 10, qPrintable(table));
        QCOMPARE(count(u"DISTINCT Score"_s, u"SNE_Criteria_For_Selection"_s, u"1 = 1"_s), 3);
        QVERIFY(count(u"ID"_s, u"SNE_ISP"_s, u"Data_Year = %1"_s.arg(lastYear + 1)) > 0);
    }

    void pagesStayAsTheyWere_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("expected");
        QTest::newRow("learner profile") << ReportModes::MainReport << u"profile-pages.txt"_s;
        QTest::newRow("summary per barrier") << ReportModes::LearnerSummary << u"summary-pages.txt"_s;
    }
    // The pages as written before pages were laid out and written one at a
    // time: every word on the same page at the same place.
    void pagesStayAsTheyWere()
    {
        QFETCH(QString, mode);
        QFETCH(QString, expected);
        School school;
        fillLongProfiles(school);
        for (int i = 0; i < (mode == ReportModes::LearnerSummary ? 70 : 0); ++i)
            school.background(school.numbered(i, 2, i < 60 ? 2 : 1), LastYear, u"Clinic"_s);
        const ReportRequest asked = request(mode, mode == ReportModes::MainReport ? ThisYear : LastYear);
        const QStringList words = placedWords(print(school, asked).pdf);
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
        ReportRequest again = asked;
        const std::unique_ptr<ReportDesign> design = ReportBuilder::build(*connection, statements, again, appState().SchoolName);
        const QString alone = school.store.dir() + u"/alone.pdf"_s;
        QPdfWriter measure(school.store.dir() + u"/unused.pdf"_s);
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
                    expectedPage << u"1 "_s + line.section(QLatin1Char(' '), 1);
            }
            QCOMPARE(placedWords(alone), expectedPage);
        }
    }
};

QTEST_MAIN(tst_ReportPdf)
#include "tst_reportpdf.moc"
