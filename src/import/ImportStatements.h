#pragma once

#include "AccessReader.h"

#include <QString>

// The host-dialect statements that make an Access table in the store and fill
// it, with the store's own column types: a counter stays a counter (its
// values kept, the store's counting going on after the highest), yes/no is
// BIT, currency and decimals are exact numbers, dates are DATETIME.
namespace ImportStatements {

bool copied(const AccessColumn &column);
// Why a column is not copied, for the report; empty for a copied one.
QString skipReason(const AccessColumn &column);

QString bracketed(const QString &name);
QString storeType(const AccessColumn &column);
QString createTable(const AccessTable &table);
// "INSERT INTO [t] ([a], [b]) VALUES " — one or more rows' values follow.
QString insertHead(const AccessTable &table);
// A row's values of the copied columns, "(1, 'text', NULL)". Throws
// std::invalid_argument when the store cannot hold one of them exactly.
QString rowValues(const AccessTable &table, const AccessRow &row);

// A value as a literal of the host dialect; throws std::invalid_argument when
// the store cannot hold it exactly.
QString literal(const AccessColumn &column, const QVariant &value);

} // namespace ImportStatements
