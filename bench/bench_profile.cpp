// Measures the whole-school learner profile written into a PDF against
// QPdfWriter alone writing the same number of pages of plain text, all in
// one run on a copy of a school's file (the original is never opened):
//   - the profile: seconds per run, pages per second;
//   - the plain pages: seconds per run;
//   - the ratio of the medians, and the process's peak memory before the
//     profile (the datasets read) and after it (the layout and writing).
// Prints every run, the medians and the ratio.
//
//   bench_profile SCHOOL.db [runs] [year]     (year: last year by default)

#include "AppState.h"
#include "BenchFigures.h"
#include "CheckTables.h"
#include "Connection.h"
#include "HeadlessHome.h"
#include "ListReportStatement.h"
#include "MessageBoxes.h"
#include "ReportBuilder.h"
#include "ReportDesign.h"
#include "clsSQL.h"

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <cstdio>
#include <sys/resource.h>

namespace {

double peakMiB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void print(const char *what, const QVector<double> &seconds)
{
    std::printf("%-30s", what);
    for (double s : seconds)
        std::printf(" %7.2f", s);
    std::printf("   median %7.2f s\n", BenchFigures::median(seconds));
}

// pages pages of plain text, as many lines as a profile page holds, on the
// profile's paper at the profile's resolution.
void writePlainPages(const QString &path, int pages, const QPageLayout &layout)
{
    QPdfWriter writer(path);
    writer.setResolution(ReportDesign::Resolution);
    writer.setPageLayout(layout);
    QPainter painter(&writer);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(9);
    painter.setFont(font);
    const double line = painter.fontMetrics().lineSpacing();
    const int lines = int(writer.height() / line) - 1;
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        for (int i = 0; i < lines; ++i)
            painter.drawText(QPointF(0, line * (i + 1)),
                             QStringLiteral("Learner %1 line %2: remedial reading twice a week with the class teacher")
                                 .arg(page).arg(i));
    }
}

} // namespace

int main(int argc, char *argv[])
{
    HeadlessHome home;
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_profile SCHOOL.db [runs] [year]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 3;
    const int year = argc > 3 ? atoi(argv[3]) : QDate::currentDate().year() - 1;
    setMessageResponder([](const MessageBoxCall &call) {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(call.title), qPrintable(call.text));
        return MsgCode::AnswerOk;
    });
    const QString path = home.filePath(QStringLiteral("school.db"));
    if (!QFile::copy(QString::fromLocal8Bit(argv[1]), path)) {
        std::fprintf(stderr, "cannot copy %s\n", argv[1]);
        return 1;
    }
    appState().DatabasePath = path;
    appState().CurrentDataYear = QDate::currentDate().year();
    CheckTables();

    std::unique_ptr<ReportDesign> design;
    {
        auto connection = Connection::open(path);
        clsSQL statements;
        ReportRequest request;
        request.mode = ReportModes::MainReport;
        request.reportYear = year;
        request.currentDataYear = appState().CurrentDataYear;
        design = ReportBuilder::build(*connection, statements, request, QStringLiteral("Sediba Combined School"));
    }
    const double datasetsMiB = peakMiB();
    std::printf("datasets read: peak memory %.0f MiB\n", datasetsMiB);
    std::fflush(stdout);

    const QString pdf = home.filePath(QStringLiteral("profile.pdf"));
    BenchFigures::Series profile;
    int pages = 0;
    BenchFigures::Stopwatch watch;
    for (int run = 0; run < runs; ++run) {
        watch.restart();
        pages = design->writePdf(pdf);
        watch.lap(profile);
    }
    const double profileMiB = peakMiB();

    // The first of the two passes alone: laying out without drawing.
    BenchFigures::Series counting;
    {
        QPdfWriter measure(home.filePath(QStringLiteral("never.pdf")));
        measure.setResolution(ReportDesign::Resolution);
        measure.setPageLayout(design->pageLayout());
        for (int run = 0; run < runs; ++run) {
            watch.restart();
            design->paginate(measure);
            watch.lap(counting);
        }
    }
    const qint64 profileBytes = QFile(pdf).size();

    BenchFigures::Series plain;
    for (int run = 0; run < runs; ++run) {
        watch.restart();
        writePlainPages(home.filePath(QStringLiteral("plain.pdf")), pages, design->pageLayout());
        watch.lap(plain);
    }

    auto seconds = [](const QVector<double> &ms) {
        QVector<double> s;
        for (double v : ms)
            s << v / 1000;
        return s;
    };
    std::printf("learner profile %d of %s: %d pages, %.1f MiB of PDF\n", year, argv[1], pages, profileBytes / 1048576.0);
    print("  profile into PDF, wall", seconds(profile.wall));
    print("  profile into PDF, cpu", seconds(profile.cpu));
    print("  of which counting pages, cpu", seconds(counting.cpu));
    print("  plain pages, wall", seconds(plain.wall));
    print("  plain pages, cpu", seconds(plain.cpu));
    const double ours = BenchFigures::median(profile.cpu);
    const double raw = BenchFigures::median(plain.cpu);
    std::printf("  %.1f pages/s; ratio profile/plain %.2f (cpu), %.2f (wall)\n", pages / (ours / 1000), ours / raw,
                BenchFigures::median(profile.wall) / BenchFigures::median(plain.wall));
    std::printf("  peak memory: %.0f MiB with the datasets read, %.0f MiB after writing the profile\n", datasetsMiB,
                profileMiB);
    return 0;
}
