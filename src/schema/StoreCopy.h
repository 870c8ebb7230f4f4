#pragma once

#include <QMap>
#include <QString>

class Connection;

// Moves a school from one store to another, whatever their engines: the
// host's tables the program reads and the program's 22 tables, row for row
// (every text character, dates, yes/no values and counters as stored). The
// target gets the tables it lacks first; then every row arrives in one
// transaction, or none does. Counters continue after the highest copied value.
namespace StoreCopy {

enum class Existing {
    Refuse,  // a target that holds a school's rows already is refused, untouched
    Replace, // its rows in the copied tables are replaced
};

// Creates the host's tables the program reads where they are missing, as the
// host's own SQL writes them (a school moving to a new store, test stores).
void createHostTables(Connection &to);

// Rows copied per table, in the order copied. Throws StoreError: the source
// not a school's database, a refused target (Kind::Refused), any failure of
// either store (then the target's rows are as they were).
QMap<QString, int> copy(Connection &from, Connection &to, Existing existing);

} // namespace StoreCopy
