#include "DatabaseConnection.h"

#include "AppState.h"
#include "CentralRoutines.h"
#include "Settings.h"
#include "StoreError.h"

#include <memory>

namespace {

std::unique_ptr<Connection> &sharedConnectionSlot()
{
    static std::unique_ptr<Connection> connection;
    return connection;
}

Recordset &sharedRecordsetSlot()
{
    static Recordset recordset;
    return recordset;
}

} // namespace

void ReadDatabaseSetting()
{
    appState().DatabasePath = Settings::databasePath();
}

void OpenConnection()
{
    // A connection still held (a routine that failed half way) is replaced.
    sharedConnectionSlot().reset();
    try {
        sharedConnectionSlot() = Connection::open(appState().DatabasePath);
    } catch (const StoreError &error) {
        ReportError(QStringLiteral("modDatabaseConnection"), error.description(),
                    QStringLiteral("Database Access Error"), double(error.number()));
    }
}

void CloseConnection()
{
    sharedConnectionSlot().reset();
}

bool IsConnectionOpen()
{
    return sharedConnectionSlot() != nullptr;
}

Connection &SharedConnection()
{
    if (!sharedConnectionSlot())
        throw StoreError(StoreError::ConnectionClosed,
                         QStringLiteral("Operation is not allowed when the object is closed."));
    return *sharedConnectionSlot();
}

int RunCountQuery(const QString &sql)
{
    if (!IsConnectionOpen())
        OpenConnection();
    sharedRecordsetSlot() = Recordset();
    sharedRecordsetSlot() = SharedConnection().query(sql);
    return sharedRecordsetSlot().recordCount();
}

Recordset &SharedRecordset()
{
    return sharedRecordsetSlot();
}

void LoadSchoolDetails()
{
    ConnectionScope scope;
    Recordset rs = SharedConnection().query(
        QStringLiteral("SELECT SchoolName, District, Circuit, EmisCode FROM General_Info"));
    if (rs.recordCount() > 0) {
        AppState &state = appState();
        state.SchoolName = rs.text(QStringLiteral("SchoolName"));
        state.Circuit = rs.text(QStringLiteral("Circuit"));
        state.District = rs.text(QStringLiteral("District"));
        state.EmisCode = rs.text(QStringLiteral("EmisCode"));
    }
}
