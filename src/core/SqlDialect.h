#pragma once

#include <QString>

struct sqlite3;

// Translation of the host engine's SQL dialect into the dialect of the engine
// that holds the store, and the functions and collation the translated
// statements rely on.
namespace SqlDialect {

enum class Target { SQLite, PostgreSQL };

// The deepest nesting of parentheses a statement may have: SQLite's own
// limit on expression depth. The translation's work per level is bounded by it.
inline constexpr int MaxNesting = 1000;

// Rewrites one statement of the host dialect into the target's. Statements
// the target already reads the same way come back unchanged. Takes time
// linear in the statement's length. Throws StoreError: 3075 for a #date#
// literal that names no date or a literal left open, as the host refuses
// them; TooComplex for nesting deeper than MaxNesting.
//
// On PostgreSQL names are folded to lower case, bracketed ones too, so a
// name finds its table or column however a statement spells it; the texts of
// the program's columns compare without regard to case through the collation
// nocase, and the host's functions are SQL functions of the same names
// (postgresSetup()).
QString translate(const QString &accessSql, Target target = Target::SQLite);

// The statements that give a PostgreSQL database what translated statements
// rely on: the collation nocase and the host's functions. Each can run again
// on a database that has them already.
QStringList postgresSetup();

// Registers jet_concat, jet_isnull, jet_left, Len, Mid, CInt and the Unicode
// case-insensitive NOCASE collation on a connection.
void registerFunctions(sqlite3 *db);

} // namespace SqlDialect
