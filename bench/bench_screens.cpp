// Measures every registered section screen on demo schools of different
// sizes (made with sna-admin demo-host --assessed): the time to open it
// (built, loaded, shown and drawn) and to save it, for a learner assessed this
// year, and how both grow from the first school to the last. A screen's time
// should not grow with the school beyond the engine's own index look-up.
//
//   bench_screens SCHOOL.db [SCHOOL.db ...] [--runs N]
//
// Each school is copied first; the copy is what the screens read and save.

#include "AppState.h"
#include "BenchFigures.h"
#include "BenchSchool.h"
#include "CheckTables.h"
#include "Connection.h"
#include "EveryScreen.h"
#include "HeadlessHome.h"
#include "ScreenRegistry.h"
#include "SectionScreen.h"

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <cstdio>

namespace {

using BenchFigures::Series;
using BenchFigures::median;

struct Times
{
    Series open;
    Series save;
};

// A copy of one school and the assessed learner its screens are measured on.
struct School
{
    QString copy;
    qint32 learner = 0;
    QMap<QString, Times> times;
};

bool prepare(const QString &original, School &school)
{
    QFile::remove(school.copy);
    if (!QFile::copy(original, school.copy)) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(original));
        return false;
    }
    appState().DatabasePath = school.copy;
    CheckTables();
    const qint32 year = QDate::currentDate().year();
    school.learner = BenchSchool::assessedLearner(*Connection::open(school.copy), year);
    if (school.learner == 0) {
        std::fprintf(stderr, "%s has no learner assessed in %d (demo-host --assessed)\n", qPrintable(original), year);
        return false;
    }
    return true;
}

// Every screen opened and saved once on the school.
void measureOnce(School &school)
{
    AppState &state = appState();
    state.DatabasePath = school.copy;
    state.CurrentLearnerID = school.learner;
    state.CurrentDataYear = QDate::currentDate().year();
    state.CurrentLearnerName = QStringLiteral("BENCH Learner");
    for (const QString &name : ScreenRegistry::instance().names()) {
        const ScreenRegistry::Entry *entry = ScreenRegistry::instance().entry(name);
        Times &t = school.times[name];
        BenchFigures::Stopwatch watch;
        std::unique_ptr<SectionScreen> screen(entry->create(nullptr));
        screen->loadScreen();
        screen->show();
        QApplication::processEvents();
        watch.lap(t.open);
        screen->save();
        QApplication::processEvents();
        watch.lap(t.save);
        screen->hide();
    }
}

} // namespace

int main(int argc, char *argv[])
{
    const HeadlessHome home;
    QApplication app(argc, argv);
    QStringList schools;
    int runs = 5;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--runs") && i + 1 < args.size())
            runs = std::max(1, args.at(++i).toInt());
        else
            schools << args.at(i);
    }
    if (schools.isEmpty()) {
        std::fprintf(stderr, "usage: bench_screens SCHOOL.db [SCHOOL.db ...] [--runs N]\n");
        return 2;
    }
    BenchSchool::answerBoxesQuietly();
    registerEveryScreen(ScreenRegistry::instance());

    QVector<School> perSchool(schools.size());
    for (int s = 0; s < schools.size(); ++s) {
        perSchool[s].copy = home.filePath(QStringLiteral("school-%1.db").arg(s));
        if (!prepare(schools.at(s), perSchool[s]))
            return 1;
    }
    // The schools take turns, in turned-round order every other run, so what
    // one run leaves behind (a warmer heap, a fuller page cache) favours each
    // school alike rather than the last one measured.
    for (int run = 0; run < runs; ++run) {
        for (int s = 0; s < perSchool.size(); ++s)
            measureOnce(perSchool[run % 2 == 0 ? s : perSchool.size() - 1 - s]);
    }

    std::printf("median of %d runs: processor ms (clock ms); ratio of processor times, last school / first\n",
                runs);
    std::printf("%-36s", "screen");
    for (const QString &school : std::as_const(schools))
        std::printf(" %18s", qPrintable(QFileInfo(school).completeBaseName().right(18)));
    std::printf(" %6s\n", "ratio");
    double slowest[2] = {0.0, 0.0};
    double worstRatio = 0.0;
    for (const QString &name : ScreenRegistry::instance().names()) {
        for (int what = 0; what < 2; ++what) {
            std::printf("%-31s %4s", qPrintable(name), what == 0 ? "open" : "save");
            double first = 0.0;
            double last = 0.0;
            for (const School &school : std::as_const(perSchool)) {
                const Series &series = what == 0 ? school.times.value(name).open : school.times.value(name).save;
                last = median(series.cpu);
                if (&school == &perSchool.first())
                    first = last;
                std::printf(" %9.1f (%6.1f)", last, median(series.wall));
            }
            const double ratio = last / std::max(first, 0.05);
            std::printf(" %6.2f\n", ratio);
            slowest[what] = std::max(slowest[what], last);
            worstRatio = std::max(worstRatio, ratio);
        }
    }
    std::printf("at the last school, slowest open %.1f ms, slowest save %.1f ms (processor); largest ratio %.2f\n",
                slowest[0], slowest[1], worstRatio);
    return 0;
}
