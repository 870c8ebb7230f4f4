#include "StoreWork.h"

#include "AppState.h"
#include "CentralRoutines.h"
#include "Connection.h"
#include "StoreError.h"
#include "StoreLocks.h"

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

enum class Mode { Load, Save };

bool runAll(const QString &location, const QVector<StoreRoutine> &routines, Mode mode)
{
    std::unique_ptr<Connection> connection = openReported();
    if (!connection)
        return false;
    bool allCompleted = true;
    for (const StoreRoutine &routine : routines) {
        bool unavailable = false;
        try {
            if (mode == Mode::Load) {
                routine.body(*connection);
            } else {
                Transaction transaction(*connection);
                // Another computer saving this learner's year waits until
                // this save is whole, and then replaces it whole.
                LockLearnerYear(*connection, appState().CurrentLearnerID, appState().CurrentDataYear);
                routine.body(*connection);
                transaction.commit();
                if (routine.committed)
                    routine.committed();
            }
            continue;
        } catch (const StoreError &error) {
            ReportError(location, error.description(), routine.procedure, double(error.number()));
            unavailable = error.storeOutOfReach();
        } catch (const std::exception &error) {
            ReportError(location, QString::fromUtf8(error.what()), routine.procedure, 0);
        }
        allCompleted = false;
        // A load that failed once has failed: the routines after it would only
        // report the same cause again. A save goes on with its other routines
        // unless the store itself is out of reach (locked, gone, damaged):
        // every routine after it would fail the same way.
        if (mode == Mode::Load || unavailable)
            break;
    }
    return allCompleted;
}

} // namespace

namespace StoreWork {

bool load(const QString &location, const QVector<StoreRoutine> &routines)
{
    return runAll(location, routines, Mode::Load);
}

bool save(const QString &location, const QVector<StoreRoutine> &routines)
{
    return runAll(location, routines, Mode::Save);
}

bool run(const QString &location, const QString &procedure, const std::function<void(Connection &)> &body)
{
    return runAll(location, {StoreRoutine{procedure, body}}, Mode::Load);
}

} // namespace StoreWork
