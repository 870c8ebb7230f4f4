#pragma once

#include "Connection.h"
#include "Recordset.h"

// The shared connection every database operation opens at its start and
// closes at its end.

// Reads the store's path from the per-user settings ("VantorEmis", section
// "Startup", key "Database") into appState().DatabasePath; absent reads as "".
void ReadDatabaseSetting();
// Opens a new shared connection to appState().DatabasePath. A failure is shown
// as the "Database Access Error" report and the shared connection stays closed.
void OpenConnection();
// Closes the shared connection; never reports anything.
void CloseConnection();
bool IsConnectionOpen();
// The open shared connection; throws StoreError (ConnectionClosed) when none.
Connection &SharedConnection();

// Runs a SELECT on the shared connection (opening it when closed) into the
// shared recordset and returns its row count.
int RunCountQuery(const QString &sql);
Recordset &SharedRecordset();

// Reads the school's details from General_Info (first row only). Throws on failure.
void LoadSchoolDetails();

// Opens the shared connection for one operation and closes it when the scope
// ends, whatever happens inside.
class ConnectionScope
{
public:
    ConnectionScope() { OpenConnection(); }
    ~ConnectionScope() { CloseConnection(); }
    ConnectionScope(const ConnectionScope &) = delete;
    ConnectionScope &operator=(const ConnectionScope &) = delete;
};
