#pragma once

#include <QString>
#include <QStringList>

class Connection;

// Every row of a query, its fields joined by '|' (NULL as "NULL"): rows read
// back from the store, to compare with literal expected lines.
QStringList storeRows(Connection &connection, const QString &sql);
