// Times the SQL dialect translation on statements far beyond anything the
// program writes, to show it has no time or depth cliff. Every rewrite path is
// timed at N/10 and N items (default 100,000) and the ratio of the two printed:
// a translation linear in the statement's length gives about 10. Then deep
// parentheses within the limit, and nesting beyond the limit (refused at once
// with a store error). Each figure is the median of the runs. A third argument
// times only the cases whose name contains it (for profiling one path).
//
//   bench_dialect [items] [runs] [case]

#include "SqlDialect.h"
#include "StoreError.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Builds "<head><item 0><separator><item 1>...<tail>".
QString listOf(int items, const QString &head, const QString &separator, const std::function<QString(int)> &item,
               const QString &tail)
{
    QString sql = head;
    for (int i = 0; i < items; ++i) {
        if (i)
            sql += separator;
        sql += item(i);
    }
    return sql + tail;
}

const QString comma = QStringLiteral(", ");

struct Case
{
    const char *name;
    std::function<QString(int)> statement;
};

// One case per rewrite: the items are what that rewrite works on.
const std::vector<Case> &cases()
{
    static const std::vector<Case> all{
        {"select list: qualified columns aliased",
         [](int n) {
             return listOf(n, QStringLiteral("SELECT "), comma, [](int i) { return QStringLiteral("t.c%1").arg(i); },
                           QStringLiteral(" FROM t ORDER BY t.c0 & t.c1"));
         }},
        {"select list: & items",
         [](int n) {
             return listOf(n, QStringLiteral("SELECT "), comma, [](int i) { return QStringLiteral("t.c%1 & 'x'").arg(i); },
                           QStringLiteral(" FROM t ORDER BY t.c0 & t.c1"));
         }},
        {"one & chain",
         [](int n) {
             return listOf(n, QStringLiteral("SELECT "), QStringLiteral(" & "),
                           [](int i) { return QStringLiteral("(c%1 + 1)").arg(i); }, QStringLiteral(" AS x FROM t"));
         }},
        {"ORDER BY expression keys collated",
         [](int n) {
             return listOf(n, QStringLiteral("SELECT a FROM t ORDER BY "), comma,
                           [](int i) { return QStringLiteral("c%1 + 1 DESC").arg(i); }, QString());
         }},
        {"GROUP BY expression keys collated",
         [](int n) {
             return listOf(n, QStringLiteral("SELECT Count(*) FROM t GROUP BY "), comma,
                           [](int i) { return QStringLiteral("Mid(c%1, 2)").arg(i); }, QStringLiteral(" ORDER BY 1"));
         }},
        {"DELETE t.* with joins",
         [](int n) {
             return listOf(n, QStringLiteral("DELETE t.* FROM t"), QString(),
                           [](int i) { return QStringLiteral(" INNER JOIN x%1 ON t.k = x%1.k").arg(i); },
                           QStringLiteral(" WHERE t.y = 2014"));
         }},
        {"UPDATE with joins",
         [](int n) {
             return listOf(n, QStringLiteral("UPDATE t"), QString(),
                           [](int i) { return QStringLiteral(" INNER JOIN x%1 ON t.k = x%1.k").arg(i); },
                           QStringLiteral(" SET t.a = 1 WHERE t.y = 2014"));
         }},
        {"UPDATE setting qualified columns",
         [](int n) {
             return listOf(n, QStringLiteral("UPDATE t INNER JOIN x ON t.k = x.k SET "), comma,
                           [](int i) { return QStringLiteral("t.c%1 = x.c%1").arg(i); }, QStringLiteral(" WHERE t.y = 2014"));
         }},
        {"CREATE TABLE columns",
         [](int n) {
             return listOf(n, QStringLiteral("CREATE TABLE t (ID COUNTER"), QString(),
                           [](int i) { return QStringLiteral(", c%1 %2").arg(i).arg(i % 2 ? "TEXT(50)" : "LONG"); },
                           QStringLiteral(", CONSTRAINT pk PRIMARY KEY (ID))"));
         }},
        {"#date# literals",
         [](int n) {
             return listOf(n, QStringLiteral("SELECT a FROM t WHERE d IN ("), comma,
                           [](int i) { return QStringLiteral("#%1/%2/2014#").arg(i % 12 + 1).arg(i % 28 + 1); },
                           QStringLiteral(")"));
         }},
    };
    return all;
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

double timeTranslation(int runs, const QString &sql)
{
    return medianMs(runs, [&] { SqlDialect::translate(sql); });
}

QString nested(int depth)
{
    return QStringLiteral("SELECT ") + QString(depth, QLatin1Char('(')) + QStringLiteral("1 & 2")
        + QString(depth, QLatin1Char(')')) + QStringLiteral(" FROM t");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int items = argc > 1 ? std::max(10, atoi(argv[1])) : 100000;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
    const QString only = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();

    std::printf("%-40s %12s %12s %7s\n", "median ms", QByteArray::number(items / 10).constData(),
                QByteArray::number(items).constData(), "ratio");
    for (const Case &c : cases()) {
        if (!QString::fromLatin1(c.name).contains(only))
            continue;
        const double small = timeTranslation(runs, c.statement(items / 10));
        const double large = timeTranslation(runs, c.statement(items));
        std::printf("%-40s %12.2f %12.2f %7.1f\n", c.name, small, large, large / std::max(small, 1e-6));
        std::fflush(stdout);
    }

    if (!only.isEmpty())
        return 0;
    const int deepest = SqlDialect::MaxNesting;
    std::printf("%-40s %12.2f\n", qPrintable(QStringLiteral("%1 nested parentheses (the limit)").arg(deepest)),
                timeTranslation(runs, nested(deepest)));

    const QString tooDeep = nested(12000);
    bool refused = false;
    const double ms = medianMs(runs, [&] {
        try {
            SqlDialect::translate(tooDeep);
        } catch (const StoreError &) {
            refused = true;
        }
    });
    std::printf("%-40s %12.2f\n", "12000 nested parentheses (refused)", ms);
    if (!refused) {
        std::fprintf(stderr, "12000 nested parentheses were not refused\n");
        return 1;
    }
    return 0;
}
