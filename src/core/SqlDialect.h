#pragma once

#include <QString>

struct sqlite3;

// Translation of the host engine's SQL dialect into SQLite, and the functions
// and collation the translated statements rely on.
namespace SqlDialect {

// Rewrites one statement of the host dialect into SQLite's. Statements SQLite
// already reads the same way come back unchanged. A #date# literal that names
// no date throws StoreError (3075), as the host refuses it.
QString translate(const QString &accessSql);

// Registers jet_concat, jet_isnull, jet_left, Len, Mid, CInt and the Unicode
// case-insensitive NOCASE collation on a connection.
void registerFunctions(sqlite3 *db);

} // namespace SqlDialect
