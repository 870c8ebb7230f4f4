#pragma once

#include <QtGlobal>

class Connection;

// Plausible assessments for the demo school, so its reports and the append
// have real content: every section's table, with varied values.
namespace DemoAssessments {

struct Counts
{
    int learners = 0;       // learners assessed last year
    int thisYear = 0;       // of them, also assessed this year
    qint64 rows = 0;        // rows written
};

// The first `assessed` qualifying learners (current and archived) get a full
// assessment for year - 1; every third current one of them also for year.
// The program's tables must exist. Runs in one transaction.
Counts fill(Connection &connection, int assessed, qint32 year);

} // namespace DemoAssessments
