// Measures the append and the reports on a demo school of N learners, A of
// them assessed (default 2000 and 1500), each against the raw engine doing
// the same work, all in one run on the same file:
//   - the append through the store layer against sqlite3 running the same
//     translated statements (an index and a copy per table), each on a
//     fresh copy of the file;
//   - the score summary dataset against one raw grouped query that yields the
//     same table;
//   - the learner profile of every learner into a PDF (seconds, pages/second).
// Prints every run, the medians and the ratios.
//
//   bench_reports [learners] [assessed] [runs]

#include "AppState.h"
#include "CheckTables.h"
#include "Connection.h"
#include "DemoAssessments.h"
#include "DemoHost.h"
#include "ListReportStatement.h"
#include "MessageBoxes.h"
#include "PreviousYearAppend.h"
#include "SchemaTables.h"
#include "ReportBuilder.h"
#include "ReportDesign.h"
#include "ScoreSummary.h"
#include "SqlDialect.h"
#include "clsSQL.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

namespace {

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}

void print(const char *what, const QVector<double> &runs)
{
    std::printf("%-34s", what);
    for (double run : runs)
        std::printf(" %8.1f", run);
    std::printf("   median %8.1f ms\n", median(runs));
}

struct RawDb
{
    explicit RawDb(const QString &path) { sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr); }
    ~RawDb() { sqlite3_close_v2(db); }
    sqlite3 *db = nullptr;
};

// Steps through every row and reads every column, as a caller building a
// table would.
qint64 rawRows(sqlite3 *db, const QByteArray &sql)
{
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &stmt, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "raw query failed: %s\n", sqlite3_errmsg(db));
        return -1;
    }
    qint64 rows = 0;
    QVector<QVariant> row;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        row.clear();
        for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
            if (sqlite3_column_type(stmt, c) == SQLITE_TEXT)
                row << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, c)));
            else
                row << qlonglong(sqlite3_column_int64(stmt, c));
        }
        ++rows;
    }
    sqlite3_finalize(stmt);
    return rows;
}

QByteArray rawScoreSummary(int year)
{
    const QString y = QString::number(year);
    QString words;
    QString ratings;
    for (int d = 1; d <= 8; ++d)
        words += QStringLiteral(", coalesce(max(CASE WHEN d = %1 THEN word END), 'N/A') AS d%1").arg(d);
    for (int a = 1; a <= 5; ++a)
        ratings += QStringLiteral(", max(CASE WHEN area = %1 THEN Rating END) AS a%1").arg(a);
    QString sql = QStringLiteral("WITH m AS (SELECT c.LearnerID, s.Activity_Domain AS d, avg(c.Score) AS a "
                                 "FROM SNE_Criteria_For_Selection c JOIN SNE_lu_Activity_Domain_Sub_Section s "
                                 "ON c.Sub_Section = s.ID WHERE c.Data_Year = Y GROUP BY c.LearnerID, s.Activity_Domain), ")
        + QStringLiteral("w AS (SELECT LearnerID") + words
        + QStringLiteral(" FROM (SELECT LearnerID, d, CASE a WHEN 1 THEN 'MILD' WHEN 2 THEN 'MODERATE' "
                         "WHEN 3 THEN 'SEVERE' ELSE 'N/A' END AS word FROM m) GROUP BY LearnerID), ")
        + QStringLiteral("r AS (SELECT LearnerID") + ratings
        + QStringLiteral(" FROM (SELECT LearnerID, Support_Area AS area, Rating FROM SNE_Assessment_Supp_Req_Rating "
                         "WHERE ID IN (SELECT max(ID) FROM SNE_Assessment_Supp_Req_Rating WHERE Data_Year = Y "
                         "GROUP BY LearnerID, Support_Area)) GROUP BY LearnerID) ")
        + QStringLiteral("SELECT li.Grade, li.SName, li.FName, li.AccessionNo, li.ID, w.*, r.* FROM Learner_Info li "
                         "LEFT JOIN w ON w.LearnerID = li.ID LEFT JOIN r ON r.LearnerID = li.ID "
                         "WHERE li.Status = 'C' AND li.LSENStatus <> 1");
    sql.replace(QStringLiteral("= Y"), QStringLiteral("= ") + y);
    return sql.toUtf8();
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    QApplication app(argc, argv);
    const int learners = argc > 1 ? std::max(60, atoi(argv[1])) : 2000;
    const int assessed = argc > 2 ? std::max(1, atoi(argv[2])) : 1500;
    const int runs = argc > 3 ? std::max(1, atoi(argv[3])) : 5;
    setMessageResponder([](const MessageBoxCall &call) {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(call.title), qPrintable(call.text));
        return MsgCode::AnswerOk;
    });

    const int year = QDate::currentDate().year();
    const QString path = home.filePath(QStringLiteral("bench-school.db"));
    QElapsedTimer timer;
    timer.start();
    DemoHost::createDemoHost(path, learners);
    appState().DatabasePath = path;
    CheckTables();
    DemoAssessments::Counts counts;
    {
        auto connection = Connection::open(path);
        counts = DemoAssessments::fill(*connection, assessed, year);
    }
    std::printf("demo school: %d learners, %d assessed for %d, %d also for %d, %lld rows (%.1f s)\n\n", learners,
                counts.learners, year - 1, counts.thisYear, year, counts.rows, timer.elapsed() / 1000.0);

    // The nine index and copy statements, translated once as the store translates them.
    QVector<QByteArray> translated;
    {
        auto connection = Connection::open(path);
        for (const QString &table : PreviousYearAppend::tables()) {
            translated << SqlDialect::translate(SchemaTables::indexStatement(table)).toUtf8();
            translated << SqlDialect::translate(PreviousYearAppend::statement(*connection, table, year)).toUtf8();
        }
    }
    QVector<double> appendOurs;
    QVector<double> appendRaw;
    qint64 oursRows = 0;
    qint64 rawRowsCopied = 0;
    for (int run = 0; run < runs; ++run) {
        const QString copy = home.filePath(QStringLiteral("append-%1.db").arg(run));
        QFile::copy(path, copy);
        {
            auto connection = Connection::open(copy);
            timer.restart();
            oursRows = PreviousYearAppend::copyAll(*connection, year);
            appendOurs << timer.nsecsElapsed() / 1e6;
        }
        QFile::remove(copy);
        QFile::copy(path, copy);
        {
            RawDb raw(copy);
            timer.restart();
            const int changesBefore = sqlite3_total_changes(raw.db);
            for (const QByteArray &statement : std::as_const(translated))
                sqlite3_exec(raw.db, statement.constData(), nullptr, nullptr, nullptr);
            rawRowsCopied = sqlite3_total_changes(raw.db) - changesBefore;
            appendRaw << timer.nsecsElapsed() / 1e6;
        }
        QFile::remove(copy);
    }
    std::printf("append (rows: ours %lld, raw %lld)\n", oursRows, rawRowsCopied);
    print("  store layer, ms", appendOurs);
    print("  raw sqlite3, ms", appendRaw);
    std::printf("  ratio store/raw %.2f\n\n", median(appendOurs) / median(appendRaw));

    QVector<double> scoreOurs;
    QVector<double> scoreRaw;
    qint64 summaryRows = 0;
    qint64 rawSummaryRows = 0;
    const QByteArray rawSql = rawScoreSummary(year - 1);
    for (int run = 0; run < runs; ++run) {
        auto connection = Connection::open(path);
        timer.restart();
        summaryRows = ScoreSummary::build(*connection, year - 1, QString(), false).size();
        scoreOurs << timer.nsecsElapsed() / 1e6;
        RawDb raw(path);
        timer.restart();
        rawSummaryRows = rawRows(raw.db, rawSql);
        scoreRaw << timer.nsecsElapsed() / 1e6;
    }
    std::printf("score summary %d (rows: dataset %lld, raw %lld)\n", year - 1, summaryRows, rawSummaryRows);
    print("  dataset, ms", scoreOurs);
    print("  one raw grouped query, ms", scoreRaw);
    std::printf("  ratio dataset/raw %.2f\n\n", median(scoreOurs) / median(scoreRaw));

    // The profile of every learner, for last year (archived learners included).
    appState().CurrentDataYear = year;
    QVector<double> profileSeconds;
    int pages = 0;
    const int profileRuns = std::max(1, std::min(runs, 3));
    for (int run = 0; run < profileRuns; ++run) {
        timer.restart();
        auto connection = Connection::open(path);
        clsSQL statements;
        ReportRequest request;
        request.mode = ReportModes::MainReport;
        request.reportYear = year - 1;
        request.currentDataYear = year;
        auto design = ReportBuilder::build(*connection, statements, request, QStringLiteral("Sediba Combined School"));
        connection.reset();
        pages = design->writePdf(home.filePath(QStringLiteral("profiles.pdf")));
        profileSeconds << timer.nsecsElapsed() / 1e9;
    }
    std::printf("learner profile of every learner %d into PDF: %d pages\n", year - 1, pages);
    std::printf("  seconds:");
    for (double s : std::as_const(profileSeconds))
        std::printf(" %.2f", s);
    std::printf("   median %.2f s, %.1f pages/second\n", median(profileSeconds), pages / median(profileSeconds));
    return 0;
}
