#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class Connection;

// Carries last calendar year's rows of nine sections over into this year for
// every current learner who has no row of that section this year yet. The
// sections that must be assessed afresh (diagnostic profile, support plan,
// Section 3a) are not copied.
namespace PreviousYearAppend {

// The tables copied, in the order they are copied.
const QStringList &tables();

// The copy statement of one table for the year copied into, its column list
// read from the table's own layout. A missing table throws.
QString statement(Connection &connection, const QString &table, qint32 year);

// Copies every table, one statement each, in one transaction, and returns the
// rows inserted. A failure throws and copies nothing; running again then
// copies everything, since only a learner with rows this year is skipped.
// copied, when given, hears each table's count as it is copied (before the
// whole copy commits).
qint32 copyAll(Connection &connection, qint32 year,
               const std::function<void(const QString &table, int rows)> &copied = {});

// The question asked before the copy.
QString warningText(qint32 year);

} // namespace PreviousYearAppend

// The learner list's append: the copy into the clock's year (or the year
// given), under the hourglass, then "Append Complete: N Rows Affected". A
// failure shows the error report and no completion. True when it completed.
bool AppendPreviousYear();
bool AppendPreviousYear(qint32 year);
