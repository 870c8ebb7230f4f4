#pragma once

struct TableCheckResult;

// Shows one error report ("Alter/Update IDs", "addID") for each data table the
// table check could not move to the new learner key, with the store's reason.
void ReportUpgradeFailures(const TableCheckResult &result);
