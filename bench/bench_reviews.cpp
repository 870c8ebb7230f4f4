// Measures the Reviews Due list on a school of N current learners with three
// dated ISP actions each (default 2000): the list as the screen fills it (the
// two store reads, the dates read and grouped, the table model filled) and the
// dataset alone, each against the raw engine stepping through one query over
// the same rows. Prints every run, the medians and the ratios.
//
//   bench_reviews [learners] [runs]

#include "AppState.h"
#include "CheckTables.h"
#include "Connection.h"
#include "DemoHost.h"
#include "ReviewsDue.h"
#include "ReviewsDueScreen.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

namespace {

constexpr int Year = 2026;

double middle(QVector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return ms.size() % 2 ? ms[ms.size() / 2] : (ms[ms.size() / 2 - 1] + ms[ms.size() / 2]) / 2;
}

template <typename Work>
double timed(const char *label, int runs, Work work)
{
    QVector<double> ms;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        ms << timer.nsecsElapsed() / 1e6;
    }
    std::printf("%-28s", label);
    for (double m : std::as_const(ms))
        std::printf(" %8.1f", m);
    std::printf("   median %8.1f ms\n", middle(ms));
    return middle(ms);
}

void makeSchool(const QString &path, int learners)
{
    auto db = Connection::create(path);
    DemoHost::createHostTables(*db);
    db->executeNative(QStringLiteral("INSERT INTO SchoolGrades (ID, Name) VALUES (1, 'Grade 4')"));
    db->executeNative(QStringLiteral("INSERT INTO General_Info (SchoolName, EmisCode) VALUES ('Bench School', '1')"));
    CheckTables(*db);
    Transaction transaction(*db);
    for (int id = 1; id <= learners; ++id) {
        db->executeNative(QStringLiteral("INSERT INTO Learner_Info (ID, FName, SName, Grade, AccessionNo, Status, "
                                         "LSENStatus) VALUES (%1, 'First', 'Surname%1', 1, 'A%1', 'C', 2)").arg(id));
        for (int action = 1; action <= 3; ++action) {
            const QDate due = QDate(Year, 1, 1).addDays((id * 7 + action * 13) % 365);
            db->executeNative(QStringLiteral("INSERT INTO SNE_ISP (LearnerID, [Action], Target, Strategy, "
                                             "Achievement_Criteria, Person_Responsible, Review_Date, Review_Comments, "
                                             "Data_Year) VALUES (%1, %2, 'Target %2 of %1', ' ', ' ', 'Ms Dube', "
                                             "'%3', ' ', %4)")
                                  .arg(id).arg(action).arg(due.toString(QStringLiteral("dd/MM/yyyy"))).arg(Year));
        }
    }
    transaction.commit();
}

// The same rows, read by the engine alone: every column of every row.
qint64 rawList(const QString &path)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    const QByteArray sql = "SELECT i.ID, i.LearnerID, i.Action, i.Target, i.Person_Responsible, i.Review_Date, "
                           "l.FName, l.SName, l.AccessionNo, l.BirthDate, s.Name FROM SNE_ISP i "
                           "JOIN Learner_Info l ON l.ID = i.LearnerID LEFT JOIN SchoolGrades s ON s.ID = l.Grade "
                           "WHERE i.Data_Year = 2026 AND l.Status = 'C' AND i.Action BETWEEN 1 AND 5";
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &stmt, nullptr);
    qint64 rows = 0;
    QStringList texts;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        texts.clear();
        for (int c = 0; c < sqlite3_column_count(stmt); ++c)
            texts << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, c)));
        ++rows;
    }
    sqlite3_finalize(stmt);
    sqlite3_close_v2(db);
    return rows;
}

} // namespace

int main(int argc, char *argv[])
{
    const int learners = argc > 1 ? std::max(1, atoi(argv[1])) : 2000;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 7;
    // No window is shown and no setting is read or written.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString path = home.filePath(QStringLiteral("reviews.db"));
    makeSchool(path, learners);
    AppState &state = appState();
    state.DatabasePath = path;
    state.CurrentDataYear = Year;
    std::printf("%d learners, %d actions\n", learners, int(rawList(path)));

    const QDate today(Year, 6, 1);
    const double raw = timed("raw query", runs, [&] { rawList(path); });
    const double dataset = timed("dataset", runs, [&] {
        auto db = Connection::open(path);
        ReviewsDue::load(*db, Year, today);
    });
    frmReviewsDue screen(today);
    const double list = timed("list on screen", runs, [&] { screen.load(); });
    std::printf("ratio dataset/raw %.2f, list/raw %.2f\n", dataset / raw, list / raw);
    return 0;
}
