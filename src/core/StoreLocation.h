#pragma once

#include <QString>

// Where a store is, as the setting and --db name it: the path of an SQLite
// file, or the connection address of a database server (postgresql://...).
namespace StoreLocation {

bool isServer(const QString &location);
// A file's path made absolute; a server's address as it stands.
QString absolute(const QString &location);

} // namespace StoreLocation
