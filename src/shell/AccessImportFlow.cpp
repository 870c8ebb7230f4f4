#include "AccessImportFlow.h"

#include "AccessImport.h"
#include "MessageBoxes.h"
#include "Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>
#include <QStandardPaths>

namespace {

QString summary(const AccessImportResult &result)
{
    QStringList lines;
    for (const TableImport &table : result.tables) {
        lines << QStringLiteral("%1: %2 of %3 rows").arg(table.table).arg(table.rowsWritten).arg(table.rowsRead);
        for (const QString &column : table.skippedColumns)
            lines << QStringLiteral("    not copied: ") + column;
        if (!table.created)
            lines << QStringLiteral("    table not made: every column holds binary data");
        for (const QString &failure : table.rowFailures)
            lines << QStringLiteral("    not written: ") + failure;
    }
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

void AccessImportFlow::start()
{
    const QString source = QFileDialog::getOpenFileName(
        m_parent, QStringLiteral("Import from Access database"),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
        QStringLiteral("Access databases (*.mdb *.accdb)"));
    if (source.isEmpty())
        return;
    const QFileInfo picked(source);
    const QString target = QFileDialog::getSaveFileName(
        m_parent, QStringLiteral("Save the imported database as"),
        picked.absoluteDir().filePath(picked.completeBaseName() + QStringLiteral(".db")),
        QStringLiteral("Databases (*.db)"));
    if (target.isEmpty())
        return;
    import(source, target);
}

bool AccessImportFlow::import(const QString &source, const QString &target)
{
    bool askReplace = false;
    if (importOnce(source, target, false, askReplace))
        return true;
    if (!askReplace)
        return false;
    const QString question = QStringLiteral("The database %1 already holds a school's data.\r\n\r\n"
                                            "Replace it with the contents of the Access file?")
                                 .arg(QDir::toNativeSeparators(target));
    if (ShowMessageBoxEx(question, MsgCode::YesNo | MsgCode::DefaultButton2, QStringLiteral("Import"), Picture::Stop)
        != MsgCode::AnswerYes)
        return false;
    return importOnce(source, target, true, askReplace);
}

bool AccessImportFlow::importOnce(const QString &source, const QString &target, bool replace, bool &askReplace)
{
    QProgressDialog progress(QStringLiteral("Reading the Access file…"), QStringLiteral("Cancel"), 0, 100, m_parent);
    progress.setWindowTitle(QStringLiteral("Import from Access database"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.show();

    AccessImport import(source, target);
    import.setReplace(replace);
    import.setProgress([&progress](const AccessImport::Progress &step) {
        progress.setLabelText(QStringLiteral("Table %1 of %2: %3")
                                  .arg(step.tableIndex + 1).arg(step.tableCount).arg(step.table));
        progress.setMaximum(int(std::max<qint64>(step.rowsTotal, 1)));
        progress.setValue(int(std::min(step.rowsDone, std::max<qint64>(step.rowsTotal, 1))));
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    });
    const AccessImportResult result = import.run();
    progress.close();

    using Outcome = AccessImportResult::Outcome;
    const QString title = QStringLiteral("Import");
    switch (result.outcome) {
    case Outcome::Imported:
        offerAsCurrent(result, target);
        return true;
    case Outcome::Refused:
        // Only a target holding a school's data may be replaced; every other
        // refusal is final.
        askReplace = !replace && result.targetHoldsSchool;
        if (!askReplace)
            ShowMessageBoxEx(result.message, MsgCode::OkOnly, title, Picture::Stop);
        return false;
    case Outcome::Cancelled:
        ShowMessageBoxEx(result.message, MsgCode::OkOnly, title, Picture::Message);
        return false;
    case Outcome::RowsFailed:
    case Outcome::Failed:
        ShowMessageBoxEx(result.message + QStringLiteral("\r\n\r\n") + summary(result), MsgCode::OkOnly, title,
                         Picture::Error);
        return false;
    }
    return false;
}

void AccessImportFlow::offerAsCurrent(const AccessImportResult &result, const QString &target)
{
    QString text = QStringLiteral("The Access database was imported into %1.\r\n\r\n%2")
                       .arg(QDir::toNativeSeparators(target), summary(result));
    if (!result.notASchoolDatabase.isEmpty()) {
        ShowMessageBoxEx(text + QStringLiteral("\r\n\r\n") + result.notASchoolDatabase, MsgCode::OkOnly,
                         QStringLiteral("Import"), Picture::Stop);
        return;
    }
    text += QStringLiteral("\r\n\r\nMake it the database this computer uses?");
    if (ShowMessageBoxEx(text, MsgCode::YesNo, QStringLiteral("Import"), Picture::Question) == MsgCode::AnswerYes)
        Settings::setDatabasePath(QFileInfo(target).absoluteFilePath());
}
