#pragma once

#include <QString>
#include <QtGlobal>

class Connection;

// What more than one section shows of the learner, read and written out one
// way wherever it shows: below the sections, so none reaches into another.
namespace LearnerDetails {

// The additional disabilities of learner LID as "name, name" ("" if none).
QString loadDis(Connection &db, qint32 LID);

// The host's date of birth as the pages show it: day from the end, month from
// characters 5 and 6, year from the start; the pieces a short text lacks stay
// empty, and no date shows nothing.
QString shownBirthDate(const QString &hostDate);

} // namespace LearnerDetails
