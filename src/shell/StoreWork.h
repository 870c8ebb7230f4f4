#pragma once

#include <QString>
#include <QVector>
#include <functional>

class Connection;

// A piece of store work a screen declares: the procedure name its failure is
// reported under, and a body that works on the connection the runner opened
// for it. Bodies never open a connection or trap failures themselves.
struct StoreRoutine
{
    QString procedure;
    std::function<void(Connection &)> body;
    // For a save routine: runs once its transaction has committed, so the
    // screen takes what it wrote as stored only when it really is.
    std::function<void()> committed = {};
};

// Runs store work on one connection opened for it and closed after it. Every
// failure is reported exactly once, with its real reason: a failed open as the
// "Database Access Error" report (and no routine runs), a failing routine under
// the location and its own procedure name.
namespace StoreWork {

// Runs the routines in order, stopping at the first that fails (its report is
// the load's one report). True when the connection opened and every routine
// completed.
bool load(const QString &location, const QVector<StoreRoutine> &routines);

// Each routine in a transaction of its own: a failing routine leaves the
// store as it was before it, the routines before it stand, and the ones after
// it still run, unless the store itself is out of reach (locked, gone,
// damaged): then the one report stands for all.
bool save(const QString &location, const QVector<StoreRoutine> &routines);

// One-off store work (a button that looks something up, a tick saved at once).
bool run(const QString &location, const QString &procedure, const std::function<void(Connection &)> &body);

} // namespace StoreWork
