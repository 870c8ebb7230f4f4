#pragma once

#include <QString>
#include <QStringList>

// The program's own tables inside the host database: 18 data tables, each row
// belonging to one learner (LearnerID = Learner_Info.ID) and one Data_Year,
// and 4 lookup tables. Lists are in the order the start-up check probes them.
namespace SchemaTables {

const QStringList &dataTables();
const QStringList &lookupTables();
bool isLookupTable(const QString &table);

// The create statement of one of the 22 tables, in the host dialect (the
// connection translates it); empty for any other name.
QString createStatement(const QString &table);

// Every data table is read and written a learner and a year at a time; its
// index on (LearnerID, Data_Year) keeps that a look-up rather than a scan of
// the whole school. The index's name, and its create statement (host dialect,
// made only where it is missing).
QString indexName(const QString &table);
QString indexStatement(const QString &table);

} // namespace SchemaTables
