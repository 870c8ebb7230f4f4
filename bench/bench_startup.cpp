// Measures the time from "Continue" to the filled learner list: the table
// check on a current database, the school details and the learner list, on a
// demo school of N learners (default 5000). Prints every run and the median.
//
//   bench_startup [learners] [runs]

#include "CheckTables.h"
#include "DemoHost.h"
#include "MessageBoxes.h"
#include "SelectLearner.h"
#include "Settings.h"
#include "SpreadGrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());   // never the user's own settings
    QApplication app(argc, argv);
    const int learners = argc > 1 ? std::max(60, atoi(argv[1])) : 5000;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 9;

    setMessageResponder([](const MessageBoxCall &call) {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(call.title), qPrintable(call.text));
        return MsgCode::AnswerOk;
    });

    const QString path = home.filePath(QStringLiteral("bench-school.db"));
    DemoHost::createDemoHost(path, learners);
    Settings::setDatabasePath(path);
    {
        // The first start-up creates the program's tables; the measured ones
        // find them all present, as every later start does.
        frmSelectLearner first;
        if (!first.startUp())
            return 1;
    }

    // Two figures per run: the start-up steps until the list holds every
    // learner, and until the screen has laid out its rows and drawn itself.
    QVector<double> filled;
    QVector<double> drawn;
    int listed = 0;
    for (int run = 0; run < runs; ++run) {
        frmSelectLearner screen;
        QElapsedTimer timer;
        timer.start();
        if (!screen.startUp())
            return 1;
        filled << timer.nsecsElapsed() / 1e6;
        screen.show();
        QApplication::processEvents();
        screen.grab();
        drawn << timer.nsecsElapsed() / 1e6;
        listed = screen.countBox()->text().toInt();
        std::printf("run %d: list filled %.1f ms, screen drawn %.1f ms\n", run + 1, filled.last(), drawn.last());
    }
    auto median = [](QVector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("learners in school: %d, listed: %d, runs: %d, median list filled: %.1f ms, "
                "median screen drawn: %.1f ms\n",
                learners, listed, runs, median(filled), median(drawn));
    return 0;
}
