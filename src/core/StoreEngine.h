#pragma once

#include "Recordset.h"
#include "SqlDialect.h"

#include <QString>
#include <QStringList>
#include <functional>

// One kind of database behind Connection. An engine runs statements already
// in its own dialect, reads whole results, and turns every failure of its own
// into a StoreError whose kind says what failed and whose description keeps
// the engine's own words. Only src/core knows the engines.
class StoreEngine
{
public:
    virtual ~StoreEngine() = default;

    // The dialect statements are translated into before they reach it.
    virtual SqlDialect::Target dialect() const = 0;

    virtual Recordset query(const QString &nativeSql) = 0;
    // Returns the rows a data change affected; 0 for anything else.
    virtual int execute(const QString &nativeSql) = 0;
    // Opens the statement as a forward-only cursor would, up to its first row
    // only: true when it runs, false when it names a table or column the store
    // does not have. Any other failure throws.
    virtual bool probe(const QString &nativeSql) = 0;
    virtual qint64 lastInsertId() = 0;

    // A transaction that takes the write lock at once, so a save waits for
    // another program's save before it reads rather than failing half way.
    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;
    // Whether the engine still holds the transaction open: a failing statement
    // may have ended it on its own.
    virtual bool transactionOpen() = 0;

    // Creates what translated statements rely on and the engine does not
    // carry on every connection by itself.
    virtual void prepare() = 0;

    // Keeps a second program from creating the same tables at the same time
    // until unlockSchema(): it waits, then finds them made. An engine whose
    // table creation is kept apart by its own locks need not do anything.
    virtual void lockSchema() {}
    virtual void unlockSchema() {}

    // Whether a stored text may hold the character U+0000.
    virtual bool holdsNulInText() const { return true; }

    virtual QStringList columnNames(const QString &table) = 0;
    virtual bool tableExists(const QString &table) = 0;
    virtual bool indexExists(const QString &index) = 0;
};

// The host's number for a message its functions raise (the engines raise
// them in the host's words), or otherwise.
long hostNumberForMessage(const QString &message, long otherwise);

// A stored text as an engine hands it over in UTF-8, a leading byte-order
// mark kept: the decoder would take it for a mark of the encoding and drop it.
QString textFromUtf8(const char *text, int bytes);

// How long statements wait for another program's lock, and who is told while
// they wait: set once for the process through Connection.
namespace LockWait {
int &timeoutMs();
std::function<void(int waitedMs)> &watcher();
// Tells the watcher, never letting its failure reach the engine.
void tell(int waitedMs);
} // namespace LockWait
