#pragma once

#include <QString>
#include <QStringList>

class Connection;

// Every row of a query, its fields joined by '|' (NULL as "NULL"): rows read
// back from the store, to compare with literal expected lines.
QStringList storeRows(Connection &connection, const QString &sql);

// A table's rows, each value with its kind (NULL, whole number, number,
// text), sorted: equal lists are the same rows, whatever engine holds them
// and in whatever order.
QStringList typedRows(Connection &connection, const QString &table);
