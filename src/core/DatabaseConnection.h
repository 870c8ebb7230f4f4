#pragma once

#include "Connection.h"
#include "Recordset.h"

// Where the store is, and the school's details read once at start-up. There is
// no connection shared across operations: every operation opens its own
// (Connection::open) and hands it down by reference, so no nested scope can
// close a connection its caller is still using, and a failed open is one
// failure with its real reason.

// Reads the store's path from the per-user settings ("VantorEmis", section
// "Startup", key "Database") into appState().DatabasePath; absent reads as "".
void ReadDatabaseSetting();

// Reads the school's details from General_Info (first row only). Throws on failure.
void LoadSchoolDetails(Connection &connection);
