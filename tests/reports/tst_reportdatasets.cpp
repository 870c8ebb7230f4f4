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
    const QString uri = server->createDatabase(QStringLiteral("reports%1").arg(++databases));
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
        row.Grade = learners.text(l, QStringLiteral("Grade"));
        row.SName = learners.text(l, QStringLiteral("SName"));
        row.FName = learners.text(l, QStringLiteral("FName"));
        row.AccessionNo = learners.text(l, QStringLiteral("AccessionNo"));
        row.ID = learners.value(l, QStringLiteral("ID")).toInt();
        row.domains.fill(QStringLiteral("N/A"));
        row.ratings.fill(QVariant(qint32(0)));
        const QString id = QString::number(row.ID);
        const Recordset means = connection.query(
            QStringLiteral("SELECT Avg(c.Score) AS AvgOfScore, s.Activity_Domain as sDomain FROM SNE_Criteria_For_Selection AS c ")
            + QStringLiteral(" INNER JOIN SNE_lu_Activity_Domain_Sub_Section AS s ON c.Sub_Section = s.ID ")
            + QStringLiteral(" GROUP BY s.Activity_Domain , c.LearnerID,C.Data_Year ")
            + QStringLiteral(" Having c.LearnerID =") + id + QStringLiteral(" And c.Data_Year =") + QString::number(year));
        for (int m = 0; m < means.recordCount(); ++m) {
            const int domain = means.value(m, QStringLiteral("sDomain")).toInt();
            if (domain >= 1 && domain <= 8)
                row.domains[domain - 1] = ScoreSummary::severityWord(means.value(m, QStringLiteral("AvgOfScore")));
        }
        const Recordset ratings = connection.query(
            QStringLiteral("SELECT Support_Area, Rating From SNE_Assessment_Supp_Req_Rating ")
            + QStringLiteral(" WHERE LearnerID =") + id + QStringLiteral(" And Data_Year =") + QString::number(year));
        for (int r = 0; r < ratings.recordCount(); ++r) {
            const int area = ratings.value(r, QStringLiteral("Support_Area")).toInt();
            if (area >= 1 && area <= 5) {
                const QVariant rating = ratings.value(r, QStringLiteral("Rating"));
                row.ratings[area - 1] = rating.isValid() ? QVariant(qint32(rating.toInt())) : QVariant();
            }
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
    school.learner(QStringLiteral("O'Brien"), QStringLiteral("Sean"), QStringLiteral("O'Brien-01"), 3, 3);
    school.learner(QStringLiteral("Adams"), QStringLiteral("Ann"), QStringLiteral("A1"), 2, 1, QStringLiteral("C"), 3);
    school.learner(QStringLiteral("Botha"), QStringLiteral("Ben"), QStringLiteral("B1"), 2, 1, QStringLiteral("A"));
    school.learner(QStringLiteral("Cele"), QStringLiteral("Cat"), QStringLiteral("C1"), 2, 1, QStringLiteral("C"), 1);
}

QString describe(const ScoreSummaryRow &row)
{
    QStringList parts = {row.Grade, row.SName, row.FName, row.AccessionNo, QString::number(row.ID)};
    for (const QString &word : row.domains)
        parts << word;
    for (const QVariant &rating : row.ratings)
        parts << (rating.isValid() ? rating.toString() : QStringLiteral("<empty>"));
    return parts.join(QLatin1Char('|'));
}

} // namespace

class tst_ReportDatasets : public QObject
{
    Q_OBJECT

private slots:
    void listReportsYearRestriction_data();
    void listReportsYearRestriction();
    void listReportFiltersQuoteTheirValues_data();
    void listReportFiltersQuoteTheirValues();
    void profileLearnerSelection_data();
    void profileLearnerSelection();
    void profileFilterDoesNotCarryOver();
    void diagnosticSubreportRoundsTheMean();
    void criteriaSubreportHoldsEveryLearnerOfTheYear();
    void scoreSummaryWords();
    void scoreSummaryWithoutCriteria();
    void scoreSummaryLearnerFilters_data();
    void scoreSummaryLearnerFilters();
    void scoreSummaryEqualsPerLearnerStatements();
};

void tst_ReportDatasets::listReportsYearRestriction_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("reportYear");
    QTest::addColumn<QStringList>("surnames");
    QTest::newRow("summary, data year: current learners") << ReportModes::LearnerSummary << ThisYear << QStringList{QStringLiteral("Adams")};
    QTest::newRow("summary, other year: archived too") << ReportModes::LearnerSummary << LastYear
                                                        << QStringList{QStringLiteral("Adams"), QStringLiteral("Botha")};
    QTest::newRow("list, data year: current learners") << ReportModes::LearnerList << ThisYear << QStringList{QStringLiteral("Adams")};
    QTest::newRow("list, other year: archived too") << ReportModes::LearnerList << LastYear
                                                     << QStringList{QStringLiteral("Adams"), QStringLiteral("Botha")};
}

void tst_ReportDatasets::listReportsYearRestriction()
{
    QFETCH(QString, mode);
    QFETCH(int, reportYear);
    QFETCH(QStringList, surnames);
    School school;
    const int adams = school.learner(QStringLiteral("Adams"), QStringLiteral("Ann"), QStringLiteral("A1"));
    const int botha = school.learner(QStringLiteral("Botha"), QStringLiteral("Ben"), QStringLiteral("B1"), 2, 1,
                                     QStringLiteral("A"));
    const int cele = school.learner(QStringLiteral("Cele"), QStringLiteral("Cat"), QStringLiteral("C1"));
    for (int year : {LastYear, ThisYear}) {
        school.background(adams, year, QStringLiteral("Clinic"));
        school.background(botha, year, QStringLiteral("Clinic"));
    }
    school.background(cele, 2024, QStringLiteral("Clinic"));   // no row for either year

    const Recordset rows = opened(school)->query(listReportStatement(listFilter(mode, reportYear)));
    QCOMPARE(column(rows, QStringLiteral("SName")), surnames);
}

void tst_ReportDatasets::listReportFiltersQuoteTheirValues_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("barrier");
    QTest::addColumn<QString>("provider");
    QTest::addColumn<QString>("accession");
    QTest::addColumn<QStringList>("surnames");
    const QString none;
    QTest::newRow("barrier with apostrophe") << ReportModes::LearnerSummary << QStringLiteral("Parent's choice") << none << none
                                             << QStringList{QStringLiteral("O'Brien")};
    QTest::newRow("barrier, other case") << ReportModes::LearnerSummary << QStringLiteral("epilepsy") << none << none
                                         << QStringList{QStringLiteral("Adams"), QStringLiteral("Zulu")};
    QTest::newRow("accession with apostrophe") << ReportModes::LearnerSummary << none << none << QStringLiteral("O'Brien-01")
                                               << QStringList{QStringLiteral("O'Brien")};
    QTest::newRow("injection attempt lists nobody") << ReportModes::LearnerSummary << none << none
                                                    << QStringLiteral("x' OR '1'='1") << QStringList{};
    QTest::newRow("barrier and learner") << ReportModes::LearnerSummary << QStringLiteral("Epilepsy") << none
                                         << QStringLiteral("Z9") << QStringList{QStringLiteral("Zulu")};
    QTest::newRow("provider with apostrophe") << ReportModes::LearnerList << none << QStringLiteral("St Mary's Clinic") << none
                                              << QStringList{QStringLiteral("O'Brien"), QStringLiteral("Zulu")};
    QTest::newRow("provider and learner") << ReportModes::LearnerList << none << QStringLiteral("Clinic \"North\"")
                                          << QStringLiteral("A1") << QStringList{QStringLiteral("Adams")};
}

void tst_ReportDatasets::listReportFiltersQuoteTheirValues()
{
    QFETCH(QString, mode);
    QFETCH(QString, barrier);
    QFETCH(QString, provider);
    QFETCH(QString, accession);
    QFETCH(QStringList, surnames);
    Classroom school(true, QStringLiteral("Clinic \"North\""));
    ListReportFilter filter = listFilter(mode, ThisYear);
    if (!barrier.isNull())
        filter.barrier = barrier;
    if (!provider.isNull())
        filter.provider = provider;
    if (!accession.isNull())
        filter.accession = accession;
    const Recordset rows = opened(school)->query(listReportStatement(filter));
    QCOMPARE(column(rows, QStringLiteral("SName")), surnames);
}

void tst_ReportDatasets::profileLearnerSelection_data()
{
    QTest::addColumn<QString>("repVar");
    QTest::addColumn<bool>("repGrade");
    QTest::addColumn<int>("reportYear");
    QTest::addColumn<QStringList>("learners");
    QTest::newRow("all, data year") << QString() << false << ThisYear
                                    << QStringList{QStringLiteral("Adams, Ann"), QStringLiteral("Mthethwa, Nkosi"),
                                                   QStringLiteral("O'Brien, Sean")};
    QTest::newRow("all, other year: archived too") << QString() << false << LastYear
                                                   << QStringList{QStringLiteral("Adams, Ann"), QStringLiteral("Botha, Ben"),
                                                                  QStringLiteral("Mthethwa, Nkosi"), QStringLiteral("O'Brien, Sean")};
    QTest::newRow("grade") << QStringLiteral("3") << true << ThisYear << QStringList{QStringLiteral("O'Brien, Sean")};
    QTest::newRow("learner, apostrophe") << QStringLiteral("O'Brien-01") << false << ThisYear
                                         << QStringList{QStringLiteral("O'Brien, Sean")};
}

void tst_ReportDatasets::profileLearnerSelection()
{
    QFETCH(QString, repVar);
    QFETCH(bool, repGrade);
    QFETCH(int, reportYear);
    QFETCH(QStringList, learners);
    School school;
    addListingCases(school);
    // Qualifies by a social grant number alone.
    school.store.addLearner(QStringLiteral("Mthethwa"), QStringLiteral("Nkosi"), QStringLiteral("C"), 1,
                            QStringLiteral("SG44"), 1, QStringLiteral("M1"));

    clsSQL statements;
    ReportRequest request;
    request.reportYear = reportYear;
    request.currentDataYear = ThisYear;
    request.repVar = repVar;
    request.repGrade = repGrade;
    auto connection = opened(school);
    const LearnerProfileData data = ReportBuilder::loadLearnerProfile(*connection, statements, request);
    QCOMPARE(column(data.main, QStringLiteral("Learner")), learners);
}

void tst_ReportDatasets::profileFilterDoesNotCarryOver()
{
    School school;
    school.learner(QStringLiteral("Adams"), QStringLiteral("Ann"), QStringLiteral("A1"));
    school.learner(QStringLiteral("Zulu"), QStringLiteral("Zola"), QStringLiteral("Z9"));
    clsSQL statements;
    auto connection = opened(school);
    const QString one = statements.Rep01BackgroundQuery(ThisYear, ThisYear, QStringLiteral("Z9"), false);
    QCOMPARE(connection->query(one).recordCount(), 1);
    QCOMPARE(statements.filterText(), QStringLiteral(" AND LI.AccessionNo = 'Z9' AND (LI.Status)='C'"));
    const QString all = statements.Rep01BackgroundQuery(ThisYear, ThisYear, QString(), false);
    QCOMPARE(statements.filterText(), QStringLiteral(" AND (LI.Status)='C'"));
    QCOMPARE(connection->query(all).recordCount(), 2);
}

void tst_ReportDatasets::diagnosticSubreportRoundsTheMean()
{
    School school;
    const int mixed = school.learner(QStringLiteral("Adams"), QStringLiteral("Ann"), QStringLiteral("A1"), 2, 1,
                                     QStringLiteral("C"), 2, QStringLiteral("20150704"));
    school.healthReport(mixed, ThisYear);
    school.score(mixed, 1, 1, ThisYear);      // Mobility: 1 and 2, mean 1.5
    school.score(mixed, 2, 2, ThisYear);
    school.score(mixed, 15, 3, ThisYear);     // Vision: 3
    school.score(mixed, 15, 1, LastYear);     // last year's score stays out of this year's mean
    clsSQL statements;
    auto connection = opened(school);
    const Recordset rows = connection->query(statements.Rep01DPQuery(ThisYear));
    QCOMPARE(column(rows, QStringLiteral("Description")), (QStringList{QStringLiteral("Mobility"), QStringLiteral("Vision")}));
    QCOMPARE(column(rows, QStringLiteral("Score")), (QStringList{QStringLiteral("2"), QStringLiteral("3")}));
    QCOMPARE(rows.text(0, QStringLiteral("BirthDate")), QStringLiteral("04/07 / 2015"));
    QCOMPARE(rows.text(0, QStringLiteral("LName")), QStringLiteral("Adams Ann"));

    const QVector<ScoreSummaryRow> summary = ScoreSummary::build(*connection, ThisYear, QString(), false);
    QCOMPARE(summary.size(), 1);
    QCOMPARE(summary.first().domains[0], QStringLiteral("N/A"));
    QCOMPARE(summary.first().domains[3], QStringLiteral("SEVERE"));
}

void tst_ReportDatasets::criteriaSubreportHoldsEveryLearnerOfTheYear()
{
    School school;
    const int adams = school.learner(QStringLiteral("Adams"), QStringLiteral("Ann"), QStringLiteral("A1"));
    const int zulu = school.learner(QStringLiteral("Zulu"), QStringLiteral("Zola"), QStringLiteral("Z9"));
    school.score(adams, 12, 2, ThisYear);
    school.score(zulu, 1, 3, ThisYear);
    school.score(zulu, 1, 1, LastYear);
    clsSQL statements;
    const Recordset rows = opened(school)->query(statements.Rep01CFS(ThisYear));
    QCOMPARE(rows.recordCount(), 2);
    QCOMPARE(rows.value(0, QStringLiteral("LearnerID")).toInt(), adams);
    QCOMPARE(rows.text(0, QStringLiteral("AArea")), QStringLiteral("Communication"));
    QCOMPARE(rows.text(0, QStringLiteral("ADomain")), QStringLiteral("Understanding"));
    QVERIFY(!rows.text(0, QStringLiteral("DescMod")).isEmpty());
    QCOMPARE(rows.value(1, QStringLiteral("Score")).toInt(), 3);
}

void tst_ReportDatasets::scoreSummaryWords()
{
    QCOMPARE(ScoreSummary::severityWord(QVariant(1.0)), QStringLiteral("MILD"));
    QCOMPARE(ScoreSummary::severityWord(QVariant(2.0)), QStringLiteral("MODERATE"));
    QCOMPARE(ScoreSummary::severityWord(QVariant(3.0)), QStringLiteral("SEVERE"));
    QCOMPARE(ScoreSummary::severityWord(QVariant(2.5)), QStringLiteral("N/A"));
    QCOMPARE(ScoreSummary::severityWord(QVariant(0.0)), QStringLiteral("N/A"));
    QCOMPARE(ScoreSummary::severityWord(QVariant()), QStringLiteral("N/A"));
}

void tst_ReportDatasets::scoreSummaryWithoutCriteria()
{
    School school;
    school.learner(QStringLiteral("Adams"), QStringLiteral("Ann"), QStringLiteral("A1"));
    const QVector<ScoreSummaryRow> rows = ScoreSummary::build(*opened(school), ThisYear, QString(), false);
    QCOMPARE(rows.size(), 1);
    for (const QString &word : rows.first().domains)
        QCOMPARE(word, QStringLiteral("N/A"));
    for (const QVariant &rating : rows.first().ratings)
        QCOMPARE(rating, QVariant(qint32(0)));
    QCOMPARE(rows.first().Grade, QStringLiteral("2"));
    QCOMPARE(ScoreSummary::columnNames().size(), 18);
}

void tst_ReportDatasets::scoreSummaryLearnerFilters_data()
{
    QTest::addColumn<QString>("repVar");
    QTest::addColumn<bool>("repGrade");
    QTest::addColumn<QStringList>("surnames");
    // In the school's order of grades: Adams (Grade 1) before O'Brien (Grade 2).
    QTest::newRow("all current, LSENStatus not 1") << QString() << false
                                                   << QStringList{QStringLiteral("Adams"), QStringLiteral("O'Brien")};
    QTest::newRow("grade") << QStringLiteral("2") << true << QStringList{QStringLiteral("Adams")};
    QTest::newRow("accession with apostrophe") << QStringLiteral("O'Brien-01") << false << QStringList{QStringLiteral("O'Brien")};
    QTest::newRow("accession, other case") << QStringLiteral("o'brien-01") << false << QStringList{QStringLiteral("O'Brien")};
}

void tst_ReportDatasets::scoreSummaryLearnerFilters()
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

void tst_ReportDatasets::scoreSummaryEqualsPerLearnerStatements()
{
    School school;
    // A varied school: every learner gets a different mix of domains (some
    // mixed, some whole), ratings (some areas twice, one empty, one out of
    // range) and rows in the year before.
    QVector<int> learners;
    for (int i = 0; i < 12; ++i) {
        learners << school.learner(QStringLiteral("Learner%1").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("First"),
                                   QStringLiteral("AC%1").arg(i), 1 + i % 3, 1, i % 5 == 4 ? QStringLiteral("A") : QStringLiteral("C"),
                                   i % 4 == 3 ? 1 : 2);
    }
    quint32 seed = 7;
    auto next = [&seed](int bound) { seed = seed * 1103515245u + 12345u; return int((seed >> 16) % quint32(bound)); };
    // Stored in two statements: one connection per row would make the test slow.
    QStringList scores;
    QStringList ratings;
    for (int learner : learners) {
        for (int subSection = 1; subSection <= 29; ++subSection) {
            if (next(3) == 0)
                continue;
            scores << QStringLiteral("(%1, %2, %3, %4)").arg(learner).arg(subSection).arg(1 + next(3))
                          .arg(next(4) == 0 ? LastYear : ThisYear);
        }
        for (int area = 0; area <= 6; ++area) {
            if (next(2) == 0)
                continue;
            ratings << QStringLiteral("(%1, %2, %3, %4)").arg(learner).arg(area)
                           .arg(next(6) == 0 ? QStringLiteral("NULL") : QString::number(1 + next(4))).arg(ThisYear);
            if (next(3) == 0)
                ratings << QStringLiteral("(%1, %2, %3, %4)").arg(learner).arg(area).arg(1 + next(4)).arg(ThisYear);
        }
    }
    school.store.exec(QStringLiteral("INSERT INTO SNE_Criteria_For_Selection (LearnerID, Sub_Section, Score, Data_Year) VALUES ")
                      + scores.join(QLatin1Char(',')));
    school.store.exec(QStringLiteral("INSERT INTO SNE_Assessment_Supp_Req_Rating (LearnerID, Support_Area, Rating, Data_Year) VALUES ")
                      + ratings.join(QLatin1Char(',')));
    // One learner with whole domains, so the words are not all "N/A".
    for (int subSection = 1; subSection <= 5; ++subSection)
        school.score(learners.first(), subSection, 2, ThisYear);

    auto connection = opened(school);
    const QVector<std::pair<QString, bool>> filters = {
        {QString(), false}, {QStringLiteral("2"), true}, {QStringLiteral("AC5"), false}};
    QStringList words;
    for (const auto &[repVar, repGrade] : filters) {
        const QVector<ScoreSummaryRow> grouped = ScoreSummary::build(*connection, ThisYear, repVar, repGrade);
        const QVector<ScoreSummaryRow> expected = perLearnerSummary(*connection, ThisYear, repVar, repGrade);
        QCOMPARE(grouped.size(), expected.size());
        for (int i = 0; i < grouped.size(); ++i) {
            QCOMPARE(describe(grouped.at(i)), describe(expected.at(i)));
            for (const QString &word : grouped.at(i).domains)
                words << word;
        }
    }
    QVERIFY(words.contains(QStringLiteral("MODERATE")));
    QVERIFY(words.contains(QStringLiteral("N/A")));
}

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
