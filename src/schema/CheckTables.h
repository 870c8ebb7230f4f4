#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <vector>

#include "StoreError.h"

// What one start-up table check did. Every list keeps the order of the check.
struct TableCheckResult
{
    QStringList created;            // tables created (data tables first, then lookup tables)
    QStringList upgraded;           // data tables moved from Learner_ID to LearnerID
    QStringList upgradeFailed;      // upgrades that failed and were rolled back
    std::vector<StoreError> upgradeErrors;   // why each of upgradeFailed failed, in its order
    QStringList filled;             // lookup tables filled right after their creation
    QMap<QString, int> filledRows;  // rows written into each filled table
    QStringList learnerIdDropped;   // tables the left-over Learner_ID column was dropped from
    QStringList indexed;            // data tables given their learner-and-year index

    bool changedNothing() const
    {
        return created.isEmpty() && upgraded.isEmpty() && upgradeFailed.isEmpty()
            && filled.isEmpty() && learnerIdDropped.isEmpty() && indexed.isEmpty();
    }
};

class Connection;

// The start-up check of the program's 22 tables: creates missing tables,
// upgrades data tables of the old layout, fills newly created lookup tables,
// drops a left-over Learner_ID column, and gives every data table its index
// on learner and year. On a database whose tables are all
// present and current only the probes run and nothing is written.
//
// Before anything is created the host's own tables must be there: a file that
// is not a school's database (another program's SQLite file) is refused with
// StoreError NotASchoolDatabase, naming the path, and left untouched.
//
// Throws StoreError when the database cannot be opened, when a table cannot be
// read for any reason other than being absent (a damaged file is reported in
// the store's own words, never as a table to create), and when a create
// statement or a fill fails; the table concerned is then left as it was,
// never half filled. A failed upgrade of one table does not stop the check:
// it is rolled back and listed with its reason in the result. Nothing is
// reported here: the caller shows the failures (ReportUpgradeFailures).
TableCheckResult CheckTables();                      // opens appState().DatabasePath
TableCheckResult CheckTables(Connection &connection);

// The host tables the program reads; all of them must exist in a school's database.
const QStringList &HostTables();

// True when lookupPhase is false and the table has the old learner column
// Learner_ID. Never throws.
bool HasOldLearnerColumn(Connection &connection, const QString &table, bool lookupPhase);

// Moves a data table from the host's older learner number (Learner_ID) to the
// host's learner key (LearnerID = Learner_Info.ID, matched through
// Learner_Info.LearnerID; unmatched rows get NULL). All or nothing: on a
// failure the table stays as it was and the StoreError is thrown.
void UpgradeLearnerColumn(Connection &connection, const QString &table);
