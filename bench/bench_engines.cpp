// Measures the same school on both store engines in one run: the learner list
// (Continue to a filled list), one section screen's open and save, the year
// append and the score summary, on an SQLite file and on a PostgreSQL
// database (a local socket), with the ratio. Make the two with
//   sna-admin demo-host --db /tmp/s2000.db --learners 2000 --assessed 1500
//   sna-admin copy-store --from /tmp/s2000.db --to postgresql:///s2000?host=/run/postgresql
// and give both:
//
//   bench_engines SCHOOL.db postgresql://... [--runs N] [--screen NAME]
//
// The append writes into the stores: each run first removes the year's rows
// it copies, on both, so every run copies the same rows. Clock time is the
// figure to compare: a server's work is done in another process, which this
// process's processor time does not count.

#include "AppState.h"
#include "BenchFigures.h"
#include "BenchSchool.h"
#include "Connection.h"
#include "EveryScreen.h"
#include "HeadlessHome.h"
#include "MessageBoxes.h"
#include "PreviousYearAppend.h"
#include "ScoreSummary.h"
#include "ScreenRegistry.h"
#include "SectionScreen.h"
#include "SelectLearner.h"
#include "Settings.h"

#include <QApplication>
#include <QDate>
#include <cstdio>
#include <memory>

namespace {

using BenchFigures::Series;
using BenchFigures::median;

struct Figures
{
    Series list, open, save, append, summary;
};

bool measure(const QString &store, const QString &screenName, int runs, Figures &f)
{
    AppState &state = appState();
    Settings::setDatabasePath(store);
    state.DatabasePath = store;
    const qint32 year = QDate::currentDate().year();
    {
        frmSelectLearner first;   // the table check, once
        if (!first.startUp())
            return false;
    }
    state.CurrentLearnerID = BenchSchool::assessedLearner(*Connection::open(store), year);
    state.CurrentDataYear = year;
    state.CurrentLearnerName = QStringLiteral("BENCH Learner");
    const ScreenRegistry::Entry *entry = ScreenRegistry::instance().entry(screenName);
    if (!entry || state.CurrentLearnerID == 0) {
        std::fprintf(stderr, "%s: no screen %s or no learner assessed in %d\n", qPrintable(store), qPrintable(screenName), year);
        return false;
    }
    for (int run = 0; run < runs; ++run) {
        BenchFigures::Stopwatch watch;
        {
            frmSelectLearner screen;
            if (!screen.startUp())
                return false;
        }
        watch.lap(f.list);
        std::unique_ptr<SectionScreen> screen(entry->create(nullptr));
        screen->loadScreen();
        screen->show();
        QApplication::processEvents();
        watch.lap(f.open);
        if (!screen->save())
            return false;
        QApplication::processEvents();
        watch.lap(f.save);
        screen->hide();
    }
    for (int run = 0; run < runs; ++run) {
        auto connection = Connection::open(store);
        for (const QString &table : PreviousYearAppend::tables())
            connection->execute(QStringLiteral("DELETE FROM %1 WHERE Data_Year = %2").arg(table).arg(year));
        BenchFigures::Stopwatch watch;
        PreviousYearAppend::copyAll(*connection, year);
        watch.lap(f.append);
        watch.restart();
        ScoreSummary::build(*connection, year - 1, QString(), false);
        watch.lap(f.summary);
    }
    return true;
}

void row(const char *what, const Series &sqlite, const Series &server)
{
    std::printf("%-22s %9.1f (%7.1f) %9.1f (%7.1f) %7.2f\n", what, median(sqlite.wall), median(sqlite.cpu),
                median(server.wall), median(server.cpu), median(server.wall) / median(sqlite.wall));
}

} // namespace

int main(int argc, char *argv[])
{
    const HeadlessHome home;
    QApplication app(argc, argv);
    QStringList stores;
    QString screen = QStringLiteral("frmBackgroundInfo");
    int runs = 5;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--runs") && i + 1 < args.size())
            runs = std::max(1, args.at(++i).toInt());
        else if (args.at(i) == QLatin1String("--screen") && i + 1 < args.size())
            screen = args.at(++i);
        else
            stores << args.at(i);
    }
    if (stores.size() != 2) {
        std::fprintf(stderr, "usage: bench_engines SCHOOL.db postgresql://... [--runs N] [--screen NAME]\n");
        return 2;
    }
    BenchSchool::answerBoxesQuietly();
    registerEveryScreen(ScreenRegistry::instance());

    Figures sqlite, server;
    if (!measure(stores.at(0), screen, runs, sqlite) || !measure(stores.at(1), screen, runs, server))
        return 1;
    std::printf("median of %d runs, ms clock (processor): SQLite file, PostgreSQL socket, ratio of clock times\n", runs);
    row("learner list", sqlite.list, server.list);
    row(qPrintable(screen + QStringLiteral(" open")), sqlite.open, server.open);
    row(qPrintable(screen + QStringLiteral(" save")), sqlite.save, server.save);
    row("year append", sqlite.append, server.append);
    row("score summary", sqlite.summary, server.summary);
    return 0;
}
