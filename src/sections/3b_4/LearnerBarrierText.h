#pragma once

#include <QString>
#include <QtGlobal>

class Connection;

// The learner's barriers as the Section 4 heading grids show them: the
// primary disability's name, then ", " and the additional disabilities'
// names when the learner has any. The DBST review works it out on every load
// and keeps it in the process-wide appState().LearnerBarrierText.
namespace LearnerBarrierText {

// primaryName may be empty (a code the host cannot name): the additional
// names then follow ", " all the same, as the heading has always shown them.
QString compose(const QString &primaryName, const QString &additionalNames);

// Reads both from the host tables and composes them.
QString read(Connection &db, qint32 learnerId);

// Works the text out for the current learner and keeps it process-wide. Every
// Section 4 page does so on loading, so none shows another learner's barriers
// (a page can be opened without the review before it, from the command line).
QString refresh(Connection &db);

// The same, with the primary disability's name as the caller's own statement
// read it (the DBST review reads it with the review row).
QString keep(Connection &db, const QString &primaryName);
// No learner: no barriers, rather than the last learner's.
void forget();

} // namespace LearnerBarrierText
