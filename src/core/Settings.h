#pragma once

#include <QString>

// The per-user settings entry written by the host system: organisation
// "VantorEmis", group "Startup", key "Database".
namespace Settings {
QString databasePath();
bool hasDatabasePath();
void setDatabasePath(const QString &path);   // for the admin tool only
// The file the entry lives in (on Linux ~/.config/VantorEmis.conf).
QString fileName();
}
