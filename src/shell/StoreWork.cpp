#include "StoreWork.h"

#include "AppState.h"
#include "CentralRoutines.h"
#include "Connection.h"
#include "StoreError.h"

#include <memory>

namespace {

std::unique_ptr<Connection> openReported()
{
    try {
        return Connection::open(appState().DatabasePath);
    } catch (const StoreError &error) {
        ReportError(QStringLiteral("modDatabaseConnection"), error.description(),
                    QStringLiteral("Database Access Error"), double(error.number()));
    }
    return nullptr;
}

bool runAll(const QString &location, const QVector<StoreRoutine> &routines, bool ownTransactions)
{
    std::unique_ptr<Connection> connection = openReported();
    if (!connection)
        return false;
    bool allCompleted = true;
    for (const StoreRoutine &routine : routines) {
        const bool completed = trapped(location, routine.procedure, [&] {
            if (!ownTransactions) {
                routine.body(*connection);
                return;
            }
            Transaction transaction(*connection);
            routine.body(*connection);
            transaction.commit();
        });
        allCompleted = allCompleted && completed;
    }
    return allCompleted;
}

} // namespace

namespace StoreWork {

bool load(const QString &location, const QVector<StoreRoutine> &routines)
{
    return runAll(location, routines, false);
}

bool save(const QString &location, const QVector<StoreRoutine> &routines)
{
    return runAll(location, routines, true);
}

bool run(const QString &location, const QString &procedure, const std::function<void(Connection &)> &body)
{
    return runAll(location, {StoreRoutine{procedure, body}}, false);
}

} // namespace StoreWork
