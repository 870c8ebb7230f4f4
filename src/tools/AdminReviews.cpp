// sna-admin reviews: the review dates of the year's ISP actions, by how soon
// they fall due, on the console, into a spreadsheet file or onto paper.

#include "AdminCommand.h"
#include "AppState.h"
#include "CheckTables.h"
#include "Connection.h"
#include "DatabaseConnection.h"
#include "PdfFile.h"
#include "ReviewsDue.h"
#include "ReviewsDuePage.h"
#include "StoreError.h"
#include "TableCheckReport.h"

#include <QCommandLineParser>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString CommandName = QStringLiteral("reviews");

void printList(const ReviewsDueList &list)
{
    Admin::printLine(ReviewsDuePage::title(list));
    Admin::printLine(list.countsLine());
    const auto counts = list.counts();
    for (int g = 0; g < ReviewDate::GroupCount; ++g) {
        const auto group = ReviewDate::Group(g);
        Admin::printLine(QString());
        Admin::printLine(QStringLiteral("%1 (%2)").arg(ReviewDate::groupTitle(group)).arg(counts[std::size_t(g)]));
        for (const ReviewLine &line : list.lines) {
            if (line.group == group)
                Admin::printLine(QStringLiteral("  ") + ReviewsDue::columns(line).join(QStringLiteral(" | ")));
        }
    }
}

void writeCsv(const ReviewsDueList &list, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(ReviewsDue::csv(list)) < 0 || !file.commit())
        throw StoreError(StoreError::CannotOpen, QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
}

void writePdf(const ReviewsDueList &list, const QString &path)
{
    PdfFile pdf(path);
    pdf.printer().setPageOrientation(QPageLayout::Landscape);
    const AppState &state = appState();
    ReviewsDuePage::paint(pdf.printer(), list, {state.SchoolName, state.EmisCode, QString()});
    pdf.commit();
}

int runReviews(const QStringList &args)
{
    QCommandLineParser parser;
    for (const char *option : {"within", "year", "csv", "pdf", "today", "db"})
        parser.addOption({QString::fromLatin1(option), QString(), QStringLiteral("VALUE")});
    if (!Admin::parseArguments(parser, CommandName, args))
        return Admin::ExitUsage;
    if (!parser.isSet(QStringLiteral("within")))
        return Admin::usageError(CommandName, QStringLiteral("--within is required"));
    bool ok = false;
    const int within = parser.value(QStringLiteral("within")).toInt(&ok);
    if (!ok || within < 0)
        return Admin::usageError(CommandName, QStringLiteral("--within takes a number of days, 0 or more"));
    QDate today = QDate::currentDate();
    if (parser.isSet(QStringLiteral("today"))) {
        today = QDate::fromString(parser.value(QStringLiteral("today")), Qt::ISODate);
        if (!today.isValid())
            return Admin::usageError(CommandName, QStringLiteral("--today takes a date as yyyy-MM-dd"));
    }
    qint32 year = today.year();
    if (parser.isSet(QStringLiteral("year"))) {
        year = parser.value(QStringLiteral("year")).toInt(&ok);
        if (!ok || year < 2008 || year > 9999)
            return Admin::usageError(CommandName, QStringLiteral("--year takes a year from 2008 on"));
    }
    const QString path = Admin::databaseArgument(parser);
    if (path.isEmpty())
        return Admin::usageError(CommandName, QStringLiteral("no database registered; give --db PATH"));
    appState().DatabasePath = path;

    try {
        std::unique_ptr<Connection> connection = Connection::open(path);
        ReportUpgradeFailures(CheckTables(*connection));
        LoadSchoolDetails(*connection);
        const ReviewsDueList list = ReviewsDue::load(*connection, year, today).within(within);
        connection.reset();
        if (parser.isSet(QStringLiteral("csv"))) {
            const QString csv = QFileInfo(parser.value(QStringLiteral("csv"))).absoluteFilePath();
            writeCsv(list, csv);
            Admin::printLine(QStringLiteral("wrote %1 actions into %2").arg(list.lines.size()).arg(QDir::toNativeSeparators(csv)));
        }
        if (parser.isSet(QStringLiteral("pdf"))) {
            const QString pdf = QFileInfo(parser.value(QStringLiteral("pdf"))).absoluteFilePath();
            writePdf(list, pdf);
            Admin::printLine(QStringLiteral("wrote the list into %1").arg(QDir::toNativeSeparators(pdf)));
        }
        if (!parser.isSet(QStringLiteral("csv")) && !parser.isSet(QStringLiteral("pdf")))
            printList(list);
    } catch (const NumberedError &error) {
        Admin::printError(QStringLiteral("sna-admin reviews: %1 (%2)").arg(error.description()).arg(error.number()));
        return Admin::ExitFailed;
    }
    return 0;
}

const AdminCommandRegistration registration{AdminCommand{
    .name = CommandName,
    .summary = QStringLiteral("lists the ISP actions whose review is overdue or due within DAYS"),
    .usage = QStringLiteral("--within DAYS [--year Y] [--csv OUT] [--pdf OUT] [--today DATE] [--db PATH]"),
    .details = QStringLiteral(
        "Every ISP action of the current learners of year Y (default: this year) whose review date is "
        "before today (overdue) or at most DAYS days on, in the groups: overdue; due within 7 days "
        "(today to 7 days on); due within 30 days (8 to 30 days on); later (31 days on and more). A "
        "group reaches no further than DAYS: with --within 7 the 30-day group and later stay empty, with "
        "--within 90 later holds 31 to 90 days on. Actions without a review date (no review date set) "
        "and those whose date cannot be read (date not readable, the text shown) are always listed. "
        "--csv writes the rows as a spreadsheet file (UTF-8, comma separated), --pdf prints them "
        "(A4 landscape); without either the list is printed here. --today counts from DATE "
        "(yyyy-MM-dd) instead of the clock's date."),
    .example = QStringLiteral("sna-admin reviews --within 30 --year 2026 --csv /tmp/reviews.csv"),
    .run = &runReviews,
}};

} // namespace
