#include "TableCheckReport.h"

#include "CentralRoutines.h"
#include "CheckTables.h"

void ReportUpgradeFailures(const TableCheckResult &result)
{
    for (const StoreError &error : result.upgradeErrors) {
        if (!error.description().isEmpty())
            ReportError(QStringLiteral("Alter/Update IDs"), error.description(), QStringLiteral("addID"),
                        double(error.number()));
    }
}
