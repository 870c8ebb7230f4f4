// Measures the year append as an administrator runs it, process start
// included: `sna-admin append` against the sqlite3 shell running the same
// translated statements (every index and every copy) in one transaction, each
// on a fresh copy of a demo school made with sna-admin demo-host --assessed.
// Prints every run, the medians and the ratio.
//
//   bench_append SCHOOL.db [--runs N] [--admin PATH-TO-sna-admin] [--sqlite3 PATH]

#include "BenchFigures.h"
#include "Connection.h"
#include "PreviousYearAppend.h"
#include "SchemaTables.h"
#include "SqlDialect.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// The statements the append runs, as the store translates them, in one transaction.
QByteArray rawScript(const QString &school, qint32 year)
{
    auto connection = Connection::open(school);
    QByteArray script = "BEGIN;\n";
    for (const QString &table : PreviousYearAppend::tables()) {
        script += SqlDialect::translate(SchemaTables::indexStatement(table)).toUtf8() + ";\n";
        script += SqlDialect::translate(PreviousYearAppend::statement(*connection, table, year)).toUtf8() + ";\n";
    }
    return script + "COMMIT;\n";
}

// Runs a program to its end and adds its times to the series; false when it failed.
bool timed(BenchFigures::Series &series, const QString &program, const QStringList &arguments,
           const QByteArray &input = {})
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    BenchFigures::Stopwatch watch(BenchFigures::Stopwatch::ChildProcesses);
    process.start(program, arguments);
    if (!process.waitForStarted())
        return false;
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(-1);
    watch.lap(series);
    process.readAllStandardOutput();
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

int copiedRows(const QString &path, qint32 year)
{
    auto connection = Connection::open(path);
    int rows = 0;
    for (const QString &table : PreviousYearAppend::tables())
        rows += connection->query(QStringLiteral("SELECT count(*) AS n FROM ") + table + QStringLiteral(" WHERE Data_Year = ")
                                  + QString::number(year)).value(0, QStringLiteral("n")).toInt();
    return rows;
}

void print(const char *what, const BenchFigures::Series &runs)
{
    std::printf("%-24s", what);
    for (double run : runs.cpu)
        std::printf(" %7.1f", run);
    std::printf("   median %7.1f ms processor, %7.1f ms clock\n", BenchFigures::median(runs.cpu),
                BenchFigures::median(runs.wall));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QString school;
    QString admin = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../src/tools/sna-admin"));
    QString sqlite = QStringLiteral("sqlite3");
    int runs = 7;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("--runs") && hasValue)
            runs = std::max(1, args.at(++i).toInt());
        else if (arg == QLatin1String("--admin") && hasValue)
            admin = args.at(++i);
        else if (arg == QLatin1String("--sqlite3") && hasValue)
            sqlite = args.at(++i);
        else
            school = arg;
    }
    if (school.isEmpty()) {
        std::fprintf(stderr, "usage: bench_append SCHOOL.db [--runs N] [--admin PATH] [--sqlite3 PATH]\n");
        return 2;
    }
    QTemporaryDir home;
    const qint32 year = QDate::currentDate().year();
    const QByteArray script = rawScript(school, year);
    const QString copy = home.filePath(QStringLiteral("append.db"));
    const int before = copiedRows(school, year);

    BenchFigures::Series ours;
    BenchFigures::Series raw;
    int oursRows = 0;
    int rawRows = 0;
    for (int run = 0; run < runs; ++run) {
        QFile::remove(copy);
        QFile::copy(school, copy);
        const bool oursRan = timed(ours, admin, {QStringLiteral("append"), QStringLiteral("--year"),
                                                 QString::number(year), QStringLiteral("--db"), copy});
        oursRows = copiedRows(copy, year) - before;
        QFile::remove(copy);
        QFile::copy(school, copy);
        const bool rawRan = timed(raw, sqlite, {QStringLiteral("-bail"), copy}, script);
        rawRows = copiedRows(copy, year) - before;
        if (!oursRan || !rawRan) {
            std::fprintf(stderr, "a run failed (sna-admin: %s, sqlite3: %s)\n", qPrintable(admin), qPrintable(sqlite));
            return 1;
        }
    }
    std::printf("append into %d, process start included (rows copied: sna-admin %d, sqlite3 %d)\n", year, oursRows,
                rawRows);
    print("  sna-admin append, ms", ours);
    print("  sqlite3 shell, ms", raw);
    std::printf("  ratio sna-admin/sqlite3 %.2f processor, %.2f clock\n",
                BenchFigures::median(ours.cpu) / BenchFigures::median(raw.cpu),
                BenchFigures::median(ours.wall) / BenchFigures::median(raw.wall));
    return oursRows == rawRows ? 0 : 1;
}
