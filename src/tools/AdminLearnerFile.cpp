// sna-admin learner-file: a learner's whole file for a year as one PDF, or
// one PDF per learner of a grade or of the school, made headless with the
// program's own screens and page code.

#include "AdminCommand.h"
#include "AdminScreens.h"
#include "AppState.h"
#include "CheckTables.h"
#include "Connection.h"
#include "DatabaseConnection.h"
#include "EveryScreen.h"
#include "LearnerFile.h"
#include "LearnerFileNames.h"
#include "LearnerSections.h"
#include "PdfFile.h"
#include "Recordset.h"
#include "ScreenRegistry.h"
#include "StoreError.h"
#include "TableCheckReport.h"
#include "TextRoutines.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSet>
#include <memory>

namespace {

const QString CommandName = QStringLiteral("learner-file");

// A learner's file into path; the number of sheets. Throws StoreError with
// the reason when the file cannot be made (nothing is then left at path).
int writeFile(qint32 learnerId, qint32 year, const QString &path, const int &errorReports)
{
    LearnerFile file(learnerId, year);
    const int reportsBefore = errorReports;
    if (!file.load() || errorReports > reportsBefore)
        throw StoreError(0, QStringLiteral("a page could not be read (see the report above)"));
    bool anything = false;
    for (const LearnerFile::Entry &entry : file.contents())
        anything = anything || entry.completed;
    if (!anything)
        throw StoreError(0, QStringLiteral("nothing is stored for %1 in %2").arg(file.learner().name).arg(year));
    PdfFile pdf(path);
    pdf.printer().setDocName(file.documentName());
    file.paint(pdf.printer());
    if (errorReports > reportsBefore)
        throw StoreError(0, QStringLiteral("a page could not be printed (see the report above)"));
    pdf.commit();
    return file.sheetCount();
}

// The learners with anything stored for the year, of one grade (its ID or
// name) or of the whole school, by surname: the ID and the file's name.
QVector<QPair<qint32, QString>> learnersOfYear(Connection &connection, qint32 year, const QString &grade)
{
    QSet<qint32> assessed;
    for (const LearnerSections::Section &section : LearnerSections::all())
        for (const QString &table : section.tables) {
            Recordset rs = connection.query(QStringLiteral("SELECT DISTINCT LearnerID FROM ") + table
                                            + QStringLiteral(" WHERE Data_Year = ") + QString::number(year));
            for (int row = 0; row < rs.recordCount(); ++row)
                assessed.insert(rs.value(row, QStringLiteral("LearnerID")).toInt());
        }
    QString sql = QStringLiteral("SELECT LI.ID, LI.FName, LI.SName, LI.AccessionNo FROM Learner_Info AS LI "
                                 "LEFT JOIN SchoolGrades AS SG ON LI.Grade = SG.ID");
    if (!grade.isNull()) {
        bool number = false;
        const int gradeId = grade.toInt(&number);
        sql += number ? QStringLiteral(" WHERE LI.Grade = ") + QString::number(gradeId)
                      : QStringLiteral(" WHERE SG.Name = ") + SqlText(grade);
    }
    sql += QStringLiteral(" ORDER BY LI.SName, LI.FName, LI.ID");
    Recordset rs = connection.query(sql);
    QVector<QPair<qint32, QString>> learners;
    QSet<QString> taken;
    for (int row = 0; row < rs.recordCount(); ++row) {
        const qint32 id = rs.value(row, QStringLiteral("ID")).toInt();
        if (!assessed.contains(id))
            continue;
        QString name = LearnerFileNames::fileName(rs.text(row, QStringLiteral("AccessionNo")),
                                                   rs.text(row, QStringLiteral("SName")),
                                                   rs.text(row, QStringLiteral("FName")), id);
        // Two learners whose names make the same file name each keep their own.
        if (taken.contains(name.toLower()))
            name = LearnerFileNames::withId(name, id);
        taken.insert(name.toLower());
        learners.append({id, name});
    }
    return learners;
}

int runMany(qint32 year, const QString &grade, const QString &folder, const int &errorReports)
{
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable()) {
        Admin::printError(QStringLiteral("sna-admin learner-file: cannot write into the folder %1").arg(folder));
        return Admin::ExitFailed;
    }
    QVector<QPair<qint32, QString>> learners;
    try {
        std::unique_ptr<Connection> connection = Connection::open(appState().DatabasePath);
        learners = learnersOfYear(*connection, year, grade);
    } catch (const StoreError &error) {
        Admin::printError(QStringLiteral("sna-admin learner-file: cannot read the learners: ") + error.description());
        return Admin::ExitFailed;
    }
    QElapsedTimer clock;
    clock.start();
    int written = 0;
    int sheets = 0;
    int failed = 0;
    for (int i = 0; i < learners.size(); ++i) {
        const QString path = QDir(folder).filePath(learners[i].second);
        const QString step = QStringLiteral("[%1/%2] learner %3").arg(i + 1).arg(learners.size()).arg(learners[i].first);
        try {
            const int made = writeFile(learners[i].first, year, path, errorReports);
            sheets += made;
            ++written;
            Admin::printLine(step + QStringLiteral(": %1 pages into %2").arg(made).arg(path));
        } catch (const NumberedError &error) {
            ++failed;
            Admin::printError(step + QStringLiteral(": not written: ") + error.description());
        }
    }
    const double seconds = clock.elapsed() / 1000.0;
    Admin::printLine(QStringLiteral("%1 learner files written, %2 failed, %3 pages in %4 s (%5 pages a second)")
                         .arg(written).arg(failed).arg(sheets).arg(seconds, 0, 'f', 1)
                         .arg(seconds > 0 ? sheets / seconds : 0.0, 0, 'f', 1));
    return failed == 0 ? 0 : Admin::ExitFailed;
}

int runLearnerFile(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("learner"), QString(), QStringLiteral("ID")});
    parser.addOption({QStringLiteral("grade"), QString(), QStringLiteral("G")});
    parser.addOption({QStringLiteral("all"), QString()});
    parser.addOption({QStringLiteral("year"), QString(), QStringLiteral("Y")});
    parser.addOption({QStringLiteral("pdf"), QString(), QStringLiteral("OUT")});
    parser.addOption({QStringLiteral("out"), QString(), QStringLiteral("FOLDER")});
    parser.addOption({QStringLiteral("db"), QString(), QStringLiteral("PATH")});
    if (!Admin::parseArguments(parser, CommandName, args))
        return Admin::ExitUsage;

    const int choices = int(parser.isSet(QStringLiteral("learner"))) + int(parser.isSet(QStringLiteral("grade")))
        + int(parser.isSet(QStringLiteral("all")));
    if (choices != 1)
        return Admin::usageError(CommandName, QStringLiteral("give one of --learner, --grade and --all"));
    const bool one = parser.isSet(QStringLiteral("learner"));
    if (one && !parser.isSet(QStringLiteral("pdf")))
        return Admin::usageError(CommandName, QStringLiteral("--learner needs --pdf OUT"));
    if (!one && !parser.isSet(QStringLiteral("out")))
        return Admin::usageError(CommandName, QStringLiteral("--grade and --all need --out FOLDER"));
    if (!parser.isSet(QStringLiteral("year")))
        return Admin::usageError(CommandName, QStringLiteral("--year is required"));
    bool yearOk = false;
    const qint32 year = parser.value(QStringLiteral("year")).toInt(&yearOk);
    if (!yearOk || year < 2008 || year > 9999)
        return Admin::usageError(CommandName, QStringLiteral("--year takes a year from 2008 on"));
    bool learnerOk = !one;
    const qint32 learnerId = one ? parser.value(QStringLiteral("learner")).toInt(&learnerOk) : 0;
    if (!learnerOk)
        return Admin::usageError(CommandName, QStringLiteral("--learner takes a learner's ID (a whole number)"));

    const QString database = Admin::databaseArgument(parser);
    if (database.isEmpty()) {
        Admin::printError(QStringLiteral("sna-admin learner-file: no database: give --db PATH or register one"));
        return Admin::ExitFailed;
    }
    appState().DatabasePath = database;
    try {
        std::unique_ptr<Connection> connection = Connection::open(database);
        ReportUpgradeFailures(CheckTables(*connection));
        LoadSchoolDetails(*connection);
    } catch (const StoreError &error) {
        Admin::printError(QStringLiteral("sna-admin learner-file: cannot read %1: %2").arg(database, error.description()));
        return Admin::ExitFailed;
    }
    registerEveryScreen(ScreenRegistry::instance());
    // An error report fails the learner it came with.
    const int &errorReports = AdminScreens::countErrorReports();

    if (!one) {
        const QString grade = parser.isSet(QStringLiteral("grade")) ? parser.value(QStringLiteral("grade")) : QString();
        return runMany(year, grade, QFileInfo(parser.value(QStringLiteral("out"))).absoluteFilePath(), errorReports);
    }
    const QString pdf = QFileInfo(parser.value(QStringLiteral("pdf"))).absoluteFilePath();
    try {
        QElapsedTimer clock;
        clock.start();
        const int sheets = writeFile(learnerId, year, pdf, errorReports);
        Admin::printLine(QStringLiteral("learner %1, %2: %3 pages into %4 in %5 s")
                             .arg(learnerId).arg(year).arg(sheets).arg(pdf).arg(clock.elapsed() / 1000.0, 0, 'f', 2));
    } catch (const NumberedError &error) {
        Admin::printError(QStringLiteral("sna-admin learner-file: learner %1, %2: no file written: %3")
                              .arg(learnerId).arg(year).arg(error.description()));
        return Admin::ExitFailed;
    }
    return 0;
}

const AdminCommandRegistration registration(AdminCommand{
    .name = CommandName,
    .summary = QStringLiteral("prints a learner's whole file for a year (cover and every section) into a PDF"),
    .usage = QStringLiteral("(--learner ID --pdf OUT | --grade G --out FOLDER | --all --out FOLDER) --year Y [--db PATH]"),
    .details = QStringLiteral("--grade and --all write one PDF per learner with anything stored for the year, "
                              "named from the accession number and the name; G is a grade's ID or name"),
    .example = QStringLiteral("sna-admin learner-file --learner 40001 --year 2026 --pdf /tmp/file.pdf"),
    .run = &runLearnerFile,
});

} // namespace
