#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// What one start-up table check did. Every list keeps the order of the check.
struct TableCheckResult
{
    QStringList created;            // tables created (data tables first, then lookup tables)
    QStringList upgraded;           // data tables moved from Learner_ID to LearnerID
    QStringList upgradeFailed;      // upgrades that were reported and rolled back
    QStringList filled;             // lookup tables filled right after their creation
    QMap<QString, int> filledRows;  // rows written into each filled table
    QStringList learnerIdDropped;   // tables the left-over Learner_ID column was dropped from

    bool changedNothing() const
    {
        return created.isEmpty() && upgraded.isEmpty() && upgradeFailed.isEmpty()
            && filled.isEmpty() && learnerIdDropped.isEmpty();
    }
};

// The start-up check of the program's 22 tables, on the shared connection to
// appState().DatabasePath: creates missing tables, upgrades data tables of the
// old layout, fills newly created lookup tables, and drops a left-over
// Learner_ID column. On a database whose tables are all present and current
// only the probes run and nothing is written.
//
// Throws StoreError when the database cannot be opened (after the "Database
// Access Error" report) and when a create statement or a fill fails; the table
// concerned is then left as it was, never half filled.
TableCheckResult CheckTables();

// True when lookupPhase is false and the table has the old learner column
// Learner_ID. Needs the shared connection; never throws.
bool HasOldLearnerColumn(const QString &table, bool lookupPhase);

// Moves a data table from the host's older learner number (Learner_ID) to the
// host's learner key (LearnerID = Learner_Info.ID, matched through
// Learner_Info.LearnerID; unmatched rows get NULL). All or nothing: a failure
// is reported as "Alter/Update IDs" / "addID", the table stays as it was, and
// the result is false.
bool UpgradeLearnerColumn(const QString &table);
