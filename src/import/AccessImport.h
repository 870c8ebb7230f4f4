#pragma once

#include "CheckTables.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

// What the import did with one table of the Access file.
struct TableImport
{
    QString table;
    qint64 rowsRead = 0;
    qint64 rowsWritten = 0;
    QStringList skippedColumns;     // "Picture (OLE Object): ..." one line each
    QStringList rowFailures;        // the first rows that could not be written, with the reason
    qint64 failedRows = 0;
    bool created = true;            // false: every column holds binary data, so no table was made
};

struct AccessImportResult
{
    enum class Outcome {
        Imported,       // every row written; the target holds the import
        Refused,        // bad input or a target that may not be replaced; nothing written
        RowsFailed,     // some row could not be written; the target is as it was
        Cancelled,      // stopped by the user; the target is as it was
        Failed,         // the store failed; the target is as it was
    };
    Outcome outcome = Outcome::Failed;
    QString message;                    // why, for every outcome but Imported
    bool targetHoldsSchool = false;     // refused: the target already holds a school's rows
    QVector<TableImport> tables;
    TableCheckResult check;             // the start-up table check on the import
    QString notASchoolDatabase;         // plain words when the import holds none of the host's tables
    qint64 rows = 0;
    qint64 elapsedMs = 0;

    bool imported() const { return outcome == Outcome::Imported; }
};

class Connection;

// The program's start-up table check on a freshly imported store, as on any
// school's database: tables of an old layout are upgraded, missing ones made
// (into result.check). A store without the host's tables is no school's
// database: it is left as imported and result.notASchoolDatabase says so in
// plain words. Throws StoreError when the check fails.
void CheckImportedTables(Connection &connection, AccessImportResult &result);

// Copies every user table of an Access-format file into a store, keeping the
// names of tables and columns, then runs the start-up table check on it.
//
// The source is only read. The import is built in a new file beside the
// target and put in the target's place only when every row was written and
// the check ran; any failure or a cancel leaves the target exactly as it was
// (or absent). A target that already holds a school's rows is refused unless
// replace is set; then the import takes its place whole.
class AccessImport
{
public:
    struct Progress
    {
        QString table;
        int tableIndex = 0;     // 0-based
        int tableCount = 0;
        qint64 rowsDone = 0;    // of this table
        qint64 rowsTotal = 0;   // of this table
    };
    // Called as rows are copied; returns false to cancel.
    using ProgressFunction = std::function<bool(const Progress &)>;

    AccessImport(QString source, QString target);
    void setReplace(bool replace) { m_replace = replace; }
    void setProgress(ProgressFunction progress) { m_progress = std::move(progress); }

    AccessImportResult run();

private:
    QString m_source;
    QString m_target;
    bool m_replace = false;
    ProgressFunction m_progress;
};
