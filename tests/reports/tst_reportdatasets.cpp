// The report datasets on a small fixture school: which learners each
// statement lists for which year and filter, the diagnostic profile's rounded
// means, and the score summary against the two statements per learner it
// stands for. Every case runs twice: on the school's SQLite file, then on a
// copy of it on a throw-away PostgreSQL server, with the same expected rows.
#include "Connection.h"
#include "ListReportStatement.h"
#include "PostgresCluster.h"
#include "ReportBuilder.h"
#include "ReportFixture.h"
#include "ScoreSummary.h"
#include "StoreCopy.h"
#include "clsSQL.h"

#include <QtTest>

using namespace reports;

namespace {

// Set for the second run, on the server.
PostgresCluster *server = nullptr;

// The school as the report statements read it: its own file, or in the run
// on the server a fresh copy of it there.
std::unique_ptr<Connection> opened(const School &school)
{
    if (!server)
        return school.store.connect();
    static int databases = 0;
    const QString uri = server->createDatabase(u"reports%1"_s.arg(++databases));
    StoreCopy::copy(*school.store.connect(), *Connection::open(uri), StoreCopy::Existing::Refuse);
    return Connection::open(uri);
}

QStringList column(const Recordset &rows, const QString &field)
{
    QStringList values;
    for (int row = 0; row < rows.recordCount(); ++row)
        values << rows.text(row, field);
    return values;
}

// The score summary as the learner loop builds it: two statements per
// learner, exactly as written for the report.
QVector<ScoreSummaryRow> perLearnerSummary(Connection &connection, int year, const QString &repVar, bool repGrade)
{
    QVector<ScoreSummaryRow> table;
    const Recordset learners = connection.query(ScoreSummary::learnerStatement(repVar, repGrade));
    for (int l = 0; l < learners.recordCount(); ++l) {
        ScoreSummaryRow row;
        row.Grade = learners.text(l, u"Grade"_s);
        row.SName = learners.text(l, u"SName"_s);
        row.FName = learners.text(l, u"FName"_s);
        row.AccessionNo = learners.text(l, u"AccessionNo"_s);
        row.ID = learners.value(l, u"ID"_s).toInt();
        row.domains.fill(u"N/A"_s);
        row.ratings.fill(QVariant(qint32(0)));
        const QString id = QString::number(row.ID);
        const QString y = QString::number(year);
        const Recordset means = connection.query(
            u"SELECT Avg(c.Score) AS AvgOfScore, s.Activity_Domain as sDomain FROM SNE_Criteria_For_Selection AS c "
             " INNER JOIN SNE_lu_Activity_Domain_Sub_Section AS s ON c.Sub_Section = s.ID "
             " GROUP BY s.Activity_Domain , c.LearnerID,C.Data_Year  Having c.LearnerID ="_s + id + u" And c.Data_Year ="_s + y);
        for (int m = 0; m < means.recordCount(); ++m) {
            const int domain = means.value(m, u"sDomain"_s).toInt();
            if (domain >= 1 && domain <= 8)
                row.domains[domain - 1] = ScoreSummary::severityWord(means.value(m, u"AvgOfScore"_s));
        }
        const Recordset ratings = connection.query(u"SELECT Support_Area, Rating From SNE_Assessment_Supp_Req_Rating "
                                                    " WHERE LearnerID ="_s + id + u" And Data_Year ="_s + y);
        for (int r = 0; r < ratings.recordCount(); ++r) {
            const int area = ratings.value(r, u"Support_Area"_s).toInt();
            const QVariant rating = ratings.value(r, u"Rating"_s);
            if (area >= 1 && area <= 5)
                row.ratings[area - 1] = rating.isValid() ? QVariant(qint32(rating.toInt())) : QVariant();
        }
        table << row;
    }
    return table;
}

// The learners whose listing the profile and the score summary decide:
// O'Brien (Grade 2) and Adams (Grade 1, LSENStatus 3) listed, Botha archived,
// Cele left out (LSENStatus 1 without a grant number).
void addListingCases(const School &school)
{
    school.learner(u"O'Brien"_s, u"Sean"_s, u"O'Brien-01"_s, 3, 3);
    school.learner(u"Adams"_s, u"Ann"_s, u"A1"_s, 2, 1, u"C"_s, 3);
    school.learner(u"Botha"_s, u"Ben"_s, u"B1"_s, 2, 1, u"A"_s);
    school.learner(u"Cele"_s, u"Cat"_s, u"C1"_s, 2, 1, u"C"_s, 1);
}

QString describe(const ScoreSummaryRow &row)
{
    QStringList parts = {row.Grade, row.SName, row.FName, row.AccessionNo, QString::number(row.ID)};
    for (const QString &word : row.domains)
        parts << word;
    for (const QVariant &rating : row.ratings)
        parts << (rating.isValid() ? rating.toString() : u"<empty>"_s);
    return parts.join(QLatin1Char('|'));
}

} // namespace

class tst_ReportDatasets : public QObject
{
    Q_OBJECT

private slots:
    void listReportsYearRestriction_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("reportYear");
        QTest::addColumn<QStringList>("surnames");
        for (const QString &mode : {ReportModes::LearnerSummary, ReportModes::LearnerList}) {
            QTest::addRow("%s, data year: current learners", qPrintable(mode)) << mode << ThisYear << QStringList{u"Adams"_s};
            QTest::addRow("%s, other year: archived too", qPrintable(mode)) << mode << LastYear
                                                                            << QStringList{u"Adams"_s, u"Botha"_s};
        }
    }
    void listReportsYearRestriction()
    {
        QFETCH(QString, mode);
        QFETCH(int, reportYear);
        QFETCH(QStringList, surnames);
        School school;
        const int adams = school.learner(u"Adams"_s, u"Ann"_s, u"A1"_s);
        const int botha = school.learner(u"Botha"_s, u"Ben"_s, u"B1"_s, 2, 1, u"A"_s);
        const int cele = school.learner(u"Cele"_s, u"Cat"_s, u"C1"_s);
        for (int year : {LastYear, ThisYear}) {
            school.background(adams, year, u"Clinic"_s);
            school.background(botha, year, u"Clinic"_s);
        }
        school.background(cele, 2024, u"Clinic"_s);   // no row for either year
        const Recordset rows = opened(school)->query(listReportStatement(listFilter(mode, reportYear)));
        QCOMPARE(column(rows, u"SName"_s), surnames);
    }

    void listReportFiltersQuoteTheirValues_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("barrier");
        QTest::addColumn<QString>("provider");
        QTest::addColumn<QString>("accession");
        QTest::addColumn<QStringList>("surnames");
        // A null filter is no filter; the surnames listed, in order.
        const auto row = [](const char *tag, const QString &mode, const char *barrier, const char *provider,
                            const char *accession, const QStringList &surnames) {
            QTest::newRow(tag) << mode << QString::fromUtf8(barrier) << QString::fromUtf8(provider)
                               << QString::fromUtf8(accession) << surnames;
        };
        const QString summary = ReportModes::LearnerSummary;
        row("barrier with apostrophe", summary, "Parent's choice", nullptr, nullptr, {u"O'Brien"_s});
        row("barrier, other case", summary, "epilepsy", nullptr, nullptr, {u"Adams"_s, u"Zulu"_s});
        row("accession with apostrophe", summary, nullptr, nullptr, "O'Brien-01", {u"O'Brien"_s});
        row("injection attempt lists nobody", summary, nullptr, nullptr, "x' OR '1'='1", {});
        row("barrier and learner", summary, "Epilepsy", nullptr, "Z9", {u"Zulu"_s});
        const QString list = ReportModes::LearnerList;
        row("provider with apostrophe", list, nullptr, "St Mary's Clinic", nullptr, {u"O'Brien"_s, u"Zulu"_s});
        row("provider and learner", list, nullptr, "Clinic \"North\"", "A1", {u"Adams"_s});
    }
    void listReportFiltersQuoteTheirValues()
    {
        QFETCH(QString, mode);
        QFETCH(QString, barrier);
        QFETCH(QString, provider);
        QFETCH(QString, accession);
        QFETCH(QStringList, surnames);
        Classroom school(true, u"Clinic \"North\""_s);
        ListReportFilter filter = listFilter(mode, ThisYear);
        if (!barrier.isNull())
            filter.barrier = barrier;
        if (!provider.isNull())
            filter.provider = provider;
        if (!accession.isNull())
            filter.accession = accession;
        QCOMPARE(column(opened(school)->query(listReportStatement(filter)), u"SName"_s), surnames);
    }

    void profileLearnerSelection_data()
    {
        QTest::addColumn<QString>("repVar");
        QTest::addColumn<bool>("repGrade");
        QTest::addColumn<int>("reportYear");
        QTest::addColumn<QStringList>("learners");
        QTest::newRow("all, data year") << QString() << false << ThisYear
                                        << QStringList{u"Adams, Ann"_s, u"Mthethwa, Nkosi"_s, u"O'Brien, Sean"_s};
        QTest::newRow("all, other year: archived too")
            << QString() << false << LastYear
            << QStringList{u"Adams, Ann"_s, u"Botha, Ben"_s, u"Mthethwa, Nkosi"_s, u"O'Brien, Sean"_s};
        QTest::newRow("grade") << u"3"_s << true << ThisYear << QStringList{u"O'Brien, Sean"_s};
        QTest::newRow("learner, apostrophe") << u"O'Brien-01"_s << false << ThisYear << QStringList{u"O'Brien, Sean"_s};
    }
    void profileLearnerSelection()
    {
        QFETCH(QString, repVar);
        QFETCH(bool, repGrade);
        QFETCH(int, reportYear);
        QFETCH(QStringList, learners);
        School school;
        addListingCases(school);
        // Qualifies by a social grant number alone.
        school.store.addLearner(u"Mthethwa"_s, u"Nkosi"_s, u"C"_s, 1, u"SG44"_s, 1, u"M1"_s);
        clsSQL statements;
        ReportRequest request;
        request.reportYear = reportYear;
        request.currentDataYear = ThisYear;
        request.repVar = repVar;
        request.repGrade = repGrade;
        QCOMPARE(column(ReportBuilder::loadLearnerProfile(*opened(school), statements, request).main, u"Learner"_s), learners);
    }

    void profileFilterDoesNotCarryOver()
    {
        School school;
        school.learner(u"Adams"_s, u"Ann"_s, u"A1"_s);
        school.learner(u"Zulu"_s, u"Zola"_s, u"Z9"_s);
        clsSQL statements;
        auto connection = opened(school);
        const QString one = statements.Rep01BackgroundQuery(ThisYear, ThisYear, u"Z9"_s, false);
        QCOMPARE(connection->query(one).recordCount(), 1);
        QCOMPARE(statements.filterText(), u" AND LI.AccessionNo = 'Z9' AND (LI.Status)='C'"_s);
        const QString all = statements.Rep01BackgroundQuery(ThisYear, ThisYear, QString(), false);
        QCOMPARE(statements.filterText(), u" AND (LI.Status)='C'"_s);
        QCOMPARE(connection->query(all).recordCount(), 2);
    }

    void diagnosticSubreportRoundsTheMean()
    {
        School school;
        const int mixed = school.learner(u"Adams"_s, u"Ann"_s, u"A1"_s, 2, 1, u"C"_s, 2, u"20150704"_s);
        school.healthReport(mixed, ThisYear);
        school.score(mixed, 1, 1, ThisYear);      // Mobility: 1 and 2, mean 1.5
        school.score(mixed, 2, 2, ThisYear);
        school.score(mixed, 15, 3, ThisYear);     // Vision: 3
        school.score(mixed, 15, 1, LastYear);     // last year's score stays out of this year's mean
        clsSQL statements;
        auto connection = opened(school);
        const Recordset rows = connection->query(statements.Rep01DPQuery(ThisYear));
        QCOMPARE(column(rows, u"Description"_s), (QStringList{u"Mobility"_s, u"Vision"_s}));
        QCOMPARE(column(rows, u"Score"_s), (QStringList{u"2"_s, u"3"_s}));
        QCOMPARE(rows.text(0, u"BirthDate"_s), u"04/07 / 2015"_s);
        QCOMPARE(rows.text(0, u"LName"_s), u"Adams Ann"_s);

        const QVector<ScoreSummaryRow> summary = ScoreSummary::build(*connection, ThisYear, QString(), false);
        QCOMPARE(summary.size(), 1);
        QCOMPARE(summary.first().domains[0], u"N/A"_s);
        QCOMPARE(summary.first().domains[3], u"SEVERE"_s);
    }

    void criteriaSubreportHoldsEveryLearnerOfTheYear()
    {
        School school;
        const int adams = school.learner(u"Adams"_s, u"Ann"_s, u"A1"_s);
        const int zulu = school.learner(u"Zulu"_s, u"Zola"_s, u"Z9"_s);
        school.score(adams, 12, 2, ThisYear);
        school.score(zulu, 1, 3, ThisYear);
        school.score(zulu, 1, 1, LastYear);
        clsSQL statements;
        const Recordset rows = opened(school)->query(statements.Rep01CFS(ThisYear));
        QCOMPARE(rows.recordCount(), 2);
        QCOMPARE(rows.value(0, u"LearnerID"_s).toInt(), adams);
        QCOMPARE(rows.text(0, u"AArea"_s), u"Communication"_s);
        QCOMPARE(rows.text(0, u"ADomain"_s), u"Understanding"_s);
        QVERIFY(!rows.text(0, u"DescMod"_s).isEmpty());
        QCOMPARE(rows.value(1, u"Score"_s).toInt(), 3);
    }

    void scoreSummaryWords()
    {
        QCOMPARE(ScoreSummary::severityWord(QVariant(1.0)), u"MILD"_s);
        QCOMPARE(ScoreSummary::severityWord(QVariant(2.0)), u"MODERATE"_s);
        QCOMPARE(ScoreSummary::severityWord(QVariant(3.0)), u"SEVERE"_s);
        QCOMPARE(ScoreSummary::severityWord(QVariant(2.5)), u"N/A"_s);
        QCOMPARE(ScoreSummary::severityWord(QVariant(0.0)), u"N/A"_s);
        QCOMPARE(ScoreSummary::severityWord(QVariant()), u"N/A"_s);
    }

    void scoreSummaryWithoutCriteria()
    {
        School school;
        school.learner(u"Adams"_s, u"Ann"_s, u"A1"_s);
        const QVector<ScoreSummaryRow> rows = ScoreSummary::build(*opened(school), ThisYear, QString(), false);
        QCOMPARE(rows.size(), 1);
        for (const QString &word : rows.first().domains)
            QCOMPARE(word, u"N/A"_s);
        for (const QVariant &rating : rows.first().ratings)
            QCOMPARE(rating, QVariant(qint32(0)));
        QCOMPARE(rows.first().Grade, u"2"_s);
    }

    void scoreSummaryLearnerFilters_data()
    {
        QTest::addColumn<QString>("repVar");
        QTest::addColumn<bool>("repGrade");
        QTest::addColumn<QStringList>("surnames");
        // In the school's order of grades: Adams (Grade 1) before O'Brien (Grade 2).
        QTest::newRow("all current, LSENStatus not 1") << QString() << false << QStringList{u"Adams"_s, u"O'Brien"_s};
        QTest::newRow("grade") << u"2"_s << true << QStringList{u"Adams"_s};
        QTest::newRow("accession with apostrophe") << u"O'Brien-01"_s << false << QStringList{u"O'Brien"_s};
        QTest::newRow("accession, other case") << u"o'brien-01"_s << false << QStringList{u"O'Brien"_s};
    }
    void scoreSummaryLearnerFilters()
    {
        QFETCH(QString, repVar);
        QFETCH(bool, repGrade);
        QFETCH(QStringList, surnames);
        School school;
        addListingCases(school);
        QStringList found;
        for (const ScoreSummaryRow &row : ScoreSummary::build(*opened(school), ThisYear, repVar, repGrade))
            found << row.SName;
        QCOMPARE(found, surnames);
    }

    void scoreSummaryEqualsPerLearnerStatements()
    {
        School school;
        // A varied school: every learner gets a different mix of domains (some
        // mixed, some whole), ratings (some areas twice, one empty, one out of
        // range) and rows in the year before.
        QVector<int> learners;
        for (int i = 0; i < 12; ++i) {
            learners << school.learner(u"Learner%1"_s.arg(i, 2, 10, QLatin1Char('0')), u"First"_s, u"AC%1"_s.arg(i), 1 + i % 3,
                                       1, i % 5 == 4 ? u"A"_s : u"C"_s, i % 4 == 3 ? 1 : 2);
        }
        quint32 seed = 7;
        auto next = [&seed](int bound) { seed = seed * 1103515245u + 12345u; return int((seed >> 16) % quint32(bound)); };
        // Stored in two statements: one connection per row would make the test slow.
        QStringList scores;
        QStringList ratings;
        for (int learner : learners) {
            for (int subSection = 1; subSection <= 29; ++subSection) {
                if (next(3) != 0) {
                    const int score = 1 + next(3);
                    scores << u"(%1, %2, %3, %4)"_s.arg(learner).arg(subSection).arg(score).arg(next(4) == 0 ? LastYear : ThisYear);
                }
            }
            for (int area = 0; area <= 6; ++area) {
                if (next(2) == 0)
                    continue;
                const QString rating = next(6) == 0 ? u"NULL"_s : QString::number(1 + next(4));
                ratings << u"(%1, %2, %3, %4)"_s.arg(learner).arg(area).arg(rating).arg(ThisYear);
                if (next(3) == 0)
                    ratings << u"(%1, %2, %3, %4)"_s.arg(learner).arg(area).arg(1 + next(4)).arg(ThisYear);
            }
        }
        school.store.exec(u"INSERT INTO SNE_Criteria_For_Selection (LearnerID, Sub_Section, Score, Data_Year) VALUES "_s
                          + scores.join(QLatin1Char(',')));
        school.store.exec(u"INSERT INTO SNE_Assessment_Supp_Req_Rating (LearnerID, Support_Area, Rating, Data_Year) VALUES "_s
                          + ratings.join(QLatin1Char(',')));
        // One learner with whole domains, so the words are not all "N/A".
        for (int subSection = 1; subSection <= 5; ++subSection)
            school.score(learners.first(), subSection, 2, ThisYear);

        auto connection = opened(school);
        QStringList words;
        for (const auto &[repVar, repGrade] : {std::pair{QString(), false}, {u"2"_s, true}, {u"AC5"_s, false}}) {
            const QVector<ScoreSummaryRow> grouped = ScoreSummary::build(*connection, ThisYear, repVar, repGrade);
            const QVector<ScoreSummaryRow> expected = perLearnerSummary(*connection, ThisYear, repVar, repGrade);
            QCOMPARE(grouped.size(), expected.size());
            for (int i = 0; i < grouped.size(); ++i) {
                QCOMPARE(describe(grouped.at(i)), describe(expected.at(i)));
                words << QStringList(grouped.at(i).domains.cbegin(), grouped.at(i).domains.cend());
            }
        }
        QVERIFY(words.contains(u"MODERATE"_s));
        QVERIFY(words.contains(u"N/A"_s));
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    tst_ReportDatasets test;
    int failed = QTest::qExec(&test, argc, argv);
    PostgresCluster cluster;
    if (!cluster.running()) {
        qInfo("PostgreSQL runs skipped: %s", qPrintable(cluster.whyNot()));
        return failed;
    }
    qInfo("The same cases on a copy of each school on a PostgreSQL server:");
    server = &cluster;
    failed += QTest::qExec(&test, argc, argv);
    return failed;
}
#include "tst_reportdatasets.moc"
