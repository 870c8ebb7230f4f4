#pragma once

#include "StoreError.h"

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

// "<kind> <description>" of the StoreError work throws; "no failure" otherwise.
template <typename Work>
QString failureOf(Work &&work)
{
    try {
        work();
    } catch (const StoreError &error) {
        return QString::number(int(error.kind())) + QLatin1Char(' ') + error.description();
    }
    return QStringLiteral("no failure");
}
// A failure as failureOf tells it.
inline QString failure(StoreError::Kind kind, const QString &words)
{
    return QString::number(int(kind)) + QLatin1Char(' ') + words;
}
