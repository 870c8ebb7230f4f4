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

} // namespace SchemaTables
