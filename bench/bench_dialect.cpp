// Times the SQL dialect translation on statements far beyond anything the
// program writes, to show it has no time or depth cliff: a SELECT of N items
// (default 100,000), deep parentheses within the limit, and nesting beyond the
// limit (refused at once with a store error). Prints every run and the median.
//
//   bench_dialect [items] [runs]

#include "SqlDialect.h"
#include "StoreError.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Items that join texts (rewritten) or plain qualified columns (aliased).
QString selectOf(int items, bool joined)
{
    QString sql = QStringLiteral("SELECT ");
    for (int i = 0; i < items; ++i) {
        if (i)
            sql += QStringLiteral(", ");
        sql += joined ? QStringLiteral("t.c%1 & 'x'").arg(i) : QStringLiteral("t.c%1").arg(i);
    }
    return sql + QStringLiteral(" FROM t ORDER BY t.c0 & t.c1");
}

QString nested(int depth)
{
    return QStringLiteral("SELECT ") + QString(depth, QLatin1Char('(')) + QStringLiteral("1 & 2")
        + QString(depth, QLatin1Char(')')) + QStringLiteral(" FROM t");
}

double medianMs(int runs, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void report(const char *what, qsizetype chars, double ms)
{
    std::printf("%-44s %9lld chars  median %9.2f ms\n", what, static_cast<long long>(chars), ms);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int items = argc > 1 ? std::max(1, atoi(argv[1])) : 100000;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 5;

    for (bool joined : {false, true}) {
        for (int n : {items / 10, items}) {
            const QString sql = selectOf(n, joined);
            const double ms = medianMs(runs, [&] { SqlDialect::translate(sql); });
            report(qPrintable(QStringLiteral("select of %1 %2 items").arg(n).arg(joined ? QStringLiteral("joined")
                                                                                       : QStringLiteral("column"))),
                   sql.size(), ms);
        }
    }

    const int deepest = SqlDialect::MaxNesting;
    const QString deep = nested(deepest);
    report(qPrintable(QStringLiteral("%1 nested parentheses (the limit)").arg(deepest)), deep.size(),
           medianMs(runs, [&] { SqlDialect::translate(deep); }));

    const QString tooDeep = nested(12000);
    bool refused = false;
    const double ms = medianMs(runs, [&] {
        try {
            SqlDialect::translate(tooDeep);
        } catch (const StoreError &) {
            refused = true;
        }
    });
    report("12000 nested parentheses (refused)", tooDeep.size(), ms);
    if (!refused) {
        std::fprintf(stderr, "12000 nested parentheses were not refused\n");
        return 1;
    }
    return 0;
}
