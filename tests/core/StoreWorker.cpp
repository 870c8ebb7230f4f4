// One office computer doing one job on a school's database, for the tests
// that start two of them at once. Prints one line per outcome on stdout.
//
//   store-worker URI save SCREEN LEARNER YEAR TEXT TIMES [WAIT_MS]
//       types TEXT into every text cell of SCREEN and saves it, TIMES times:
//       "saved" or "failed <the report>" each time, then "waited <ms>", the
//       longest wait for another program's lock it was told of
//   store-worker URI append YEAR        "appended <rows>"
//   store-worker URI learners           "learners <surnames>", then again for
//                                       each line read on stdin (Continue)
//   store-worker URI check-tables       "created <tables>"

#include "AppState.h"
#include "CheckTables.h"
#include "Connection.h"
#include "EveryScreen.h"
#include "MessageRecorder.h"
#include "PreviousYearAppend.h"
#include "SectionScreen.h"
#include "SelectLearner.h"
#include "StoreError.h"
#include "TextCells.h"

#include <QApplication>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

// One line, whatever line breaks a report holds.
void say(QString line)
{
    out() << line.replace(QLatin1Char('\n'), QLatin1Char(' ')) << Qt::endl;
}

int save(const QStringList &args)
{
    if (args.size() < 5)
        return 2;
    registerEveryScreen(ScreenRegistry::instance());
    appState().CurrentLearnerID = args.at(1).toInt();
    appState().CurrentDataYear = args.at(2).toInt();
    if (args.size() > 5)
        Connection::setBusyTimeout(args.at(5).toInt());
    int waited = 0;
    Connection::setLockWaitWatcher([&waited](int ms) { waited = std::max(waited, ms); });

    MessageRecorder boxes;
    std::unique_ptr<SectionScreen> screen(ScreenRegistry::instance().entry(args.at(0))->create(nullptr));
    screen->loadScreen();
    if (!screen->loadCompleted()) {
        say(QStringLiteral("failed to open: ") + boxes.texts().join(QStringLiteral(" / ")));
        return 1;
    }
    for (int time = 0; time < args.at(4).toInt(); ++time) {
        boxes.clear();
        typeIntoEveryTextCell(*screen, args.at(3));
        screen->markChanged();
        const bool saved = screen->save();
        if (saved && boxes.count() == 1 && boxes.last().text == QLatin1String("Your Information has been saved."))
            say(QStringLiteral("saved"));
        else
            say(QStringLiteral("failed ") + boxes.texts().join(QStringLiteral(" / ")));
    }
    say(QStringLiteral("waited %1").arg(waited));
    return 0;
}

QString learners(Connection &db)
{
    const Recordset rs = db.query(frmSelectLearner::learnersStatement(false));
    QStringList surnames;
    for (int row = 0; row < rs.recordCount(); ++row)
        surnames << rs.text(row, QStringLiteral("SName"));
    return QStringLiteral("learners ") + surnames.join(QLatin1Char(','));
}

int run(const QString &uri, const QString &job, const QStringList &args)
{
    if (job == QLatin1String("save"))
        return save(args);
    auto db = Connection::open(uri);
    if (job == QLatin1String("append") && !args.isEmpty()) {
        say(QStringLiteral("appended %1").arg(PreviousYearAppend::copyAll(*db, args.at(0).toInt())));
    } else if (job == QLatin1String("learners")) {
        say(learners(*db));
        QTextStream in(stdin);
        QString line;
        while (in.readLineInto(&line))
            say(learners(*db));
    } else if (job == QLatin1String("check-tables")) {
        say(QStringLiteral("created %1").arg(CheckTables(*db).created.size()));
    } else {
        return 2;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::fputs("usage: store-worker URI save|append|learners|check-tables ...\n", stderr);
        return 2;
    }
    appState().DatabasePath = args.at(0);
    try {
        const int code = run(args.at(0), args.at(1), args.mid(2));
        if (code == 2)
            std::fputs("store-worker: unknown job or missing arguments\n", stderr);
        return code;
    } catch (const StoreError &error) {
        say(QStringLiteral("failed ") + error.description());
        return 1;
    }
}
