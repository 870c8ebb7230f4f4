// Measures the time from "Continue" to the drawn learner list: the table check
// on a current database, the school details and the learner list, until the
// screen has laid out its rows and drawn itself; against the engine alone
// running the same statements (school details and learner list, every row and
// column read into texts). On a demo school of N learners (default 5000), or
// on a copy of a school made with sna-admin demo-host. Prints every run, the
// medians and the ratio.
//
//   bench_startup [learners | SCHOOL.db] [runs]

#include "BenchFigures.h"
#include "CheckTables.h"
#include "HeadlessHome.h"
#include "DemoHost.h"
#include "MessageBoxes.h"
#include "SelectLearner.h"
#include "Settings.h"
#include "SqlDialect.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

namespace {

using BenchFigures::Series;
using BenchFigures::median;

// The engine's own work for the statements: prepare, step every row, and read
// each column as a text, as a caller filling a list would.
qint64 engineRows(const QString &path, const QStringList &statements)
{
    sqlite3 *db = nullptr;
    qint64 rows = 0;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        for (const QString &statement : statements) {
            const QByteArray sql = SqlDialect::translate(statement).toUtf8();
            sqlite3_stmt *stmt = nullptr;
            if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &stmt, nullptr) != SQLITE_OK)
                std::fprintf(stderr, "engine: %s\n", sqlite3_errmsg(db));
            QStringList row;
            while (stmt && sqlite3_step(stmt) == SQLITE_ROW) {
                row.clear();
                for (int c = 0; c < sqlite3_column_count(stmt); ++c)
                    row << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, c)));
                ++rows;
            }
            sqlite3_finalize(stmt);
        }
    }
    sqlite3_close_v2(db);
    return rows;
}

void print(const char *what, const Series &runs)
{
    std::printf("%-26s", what);
    for (double run : runs.cpu)
        std::printf(" %7.1f", run);
    std::printf("   median %7.1f ms processor, %7.1f ms clock\n", median(runs.cpu), median(runs.wall));
}

} // namespace

int main(int argc, char *argv[])
{
    const HeadlessHome home;
    QApplication app(argc, argv);
    const QString school = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const bool given = school.endsWith(QLatin1String(".db"));
    const int learners = given ? 0 : (argc > 1 ? std::max(60, atoi(argv[1])) : 5000);
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 9;

    setMessageResponder([](const MessageBoxCall &call) {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(call.title), qPrintable(call.text));
        return MsgCode::AnswerOk;
    });

    const QString path = home.filePath(QStringLiteral("bench-school.db"));
    if (given)
        QFile::copy(school, path);
    else
        DemoHost::createDemoHost(path, learners);
    Settings::setDatabasePath(path);
    {
        // The first start-up creates the program's tables; the measured ones
        // find them all present, as every later start does.
        frmSelectLearner first;
        if (!first.startUp())
            return 1;
    }

    // Three figures per run: the start-up steps until the list holds every
    // learner, until the screen has laid out its rows and drawn itself, and
    // the engine alone.
    Series filled;
    Series drawn;
    Series engine;
    int listed = 0;
    qint64 engineListed = 0;
    const QStringList statements = {QStringLiteral("SELECT SchoolName, District, Circuit, EmisCode FROM General_Info"),
                                    frmSelectLearner::learnersStatement(false)};
    for (int run = 0; run < runs; ++run) {
        BenchFigures::Stopwatch watch;
        engineListed = engineRows(path, statements) - 1;
        watch.lap(engine);
        {
            BenchFigures::Stopwatch toFilled;
            BenchFigures::Stopwatch toDrawn;
            frmSelectLearner screen;
            if (!screen.startUp())
                return 1;
            toFilled.lap(filled);
            screen.show();
            QApplication::processEvents();
            screen.grab();
            toDrawn.lap(drawn);
            listed = screen.countBox()->text().toInt();
        }
    }
    std::printf("learners listed: %d (engine %lld), runs: %d\n", listed, engineListed, runs);
    print("  Continue to list filled", filled);
    print("  Continue to drawn", drawn);
    print("  engine, same statements", engine);
    std::printf("  ratio drawn/engine %.2f processor, %.2f clock\n", median(drawn.cpu) / median(engine.cpu),
                median(drawn.wall) / median(engine.wall));
    return 0;
}
