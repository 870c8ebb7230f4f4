#include "DatabaseConnection.h"

#include "AppState.h"
#include "Settings.h"

void ReadDatabaseSetting()
{
    appState().DatabasePath = Settings::databasePath();
}

void LoadSchoolDetails(Connection &connection)
{
    Recordset rs = connection.query(
        QStringLiteral("SELECT SchoolName, District, Circuit, EmisCode FROM General_Info"));
    if (rs.recordCount() > 0) {
        AppState &state = appState();
        state.SchoolName = rs.text(QStringLiteral("SchoolName"));
        state.Circuit = rs.text(QStringLiteral("Circuit"));
        state.District = rs.text(QStringLiteral("District"));
        state.EmisCode = rs.text(QStringLiteral("EmisCode"));
    }
}
