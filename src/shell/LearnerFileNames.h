#pragma once

#include <QString>
#include <QtGlobal>

// File names for learners' files written many at once: the accession number
// and the name, in letters, digits, "-" and "_" of plain ASCII only (accents
// dropped, everything else "_"), so the name is the same and valid on every
// file system and no learner's text can reach another folder.
namespace LearnerFileNames {

// "<accession>_<SURNAME>_<First>.pdf"; the learner's ID stands in for a
// missing accession number.
QString fileName(const QString &accessionNo, const QString &surname, const QString &firstName, qint32 id);
// The same name made unique with the learner's ID.
QString withId(const QString &fileName, qint32 id);

} // namespace LearnerFileNames
