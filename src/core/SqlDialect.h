#pragma once

#include <QString>

struct sqlite3;

// Translation of the host engine's SQL dialect into SQLite, and the functions
// and collation the translated statements rely on.
namespace SqlDialect {

// The deepest nesting of parentheses a statement may have: SQLite's own
// limit on expression depth. The translation's work per level is bounded by it.
inline constexpr int MaxNesting = 1000;

// Rewrites one statement of the host dialect into SQLite's. Statements SQLite
// already reads the same way come back unchanged. Takes time linear in the
// statement's length. Throws StoreError: 3075 for a #date# literal that names
// no date or a literal left open, as the host refuses them; TooComplex for
// nesting deeper than MaxNesting.
QString translate(const QString &accessSql);

// Registers jet_concat, jet_isnull, jet_left, Len, Mid, CInt and the Unicode
// case-insensitive NOCASE collation on a connection.
void registerFunctions(sqlite3 *db);

} // namespace SqlDialect
