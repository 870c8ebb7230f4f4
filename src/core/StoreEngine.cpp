#include "StoreEngine.h"

#include "Connection.h"
#include "StoreError.h"

// Another program (the host system, another office computer) may hold the
// store for a moment; wait for it rather than failing at once.
int &LockWait::timeoutMs()
{
    static int ms = Connection::DefaultBusyTimeoutMs;
    return ms;
}

std::function<void(int)> &LockWait::watcher()
{
    static std::function<void(int)> watcher;
    return watcher;
}

void LockWait::tell(int waitedMs)
{
    if (const auto &watch = watcher()) {
        try {
            watch(waitedMs);
        } catch (...) {
            // Nothing may unwind through the engine; the wait goes on untold.
        }
    }
}

long hostNumberForMessage(const QString &message, long otherwise)
{
    if (message == QLatin1String("Invalid procedure call or argument"))
        return StoreError::FunctionArgument;
    if (message == QLatin1String("Overflow"))
        return StoreError::Overflow;
    if (message == QLatin1String("Type mismatch"))
        return StoreError::TypeMismatch;
    if (message == QLatin1String("Invalid use of Null"))
        return StoreError::InvalidUseOfNull;
    return otherwise;
}

QString textFromUtf8(const char *text, int bytes)
{
    QString decoded = QString::fromUtf8(text, bytes);
    static const char bom[] = "\xEF\xBB\xBF";
    if (bytes >= 3 && qstrncmp(text, bom, 3) == 0 && !decoded.startsWith(QChar(0xFEFF)))
        decoded.prepend(QChar(0xFEFF));
    return decoded;
}
