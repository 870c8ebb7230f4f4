#pragma once

#include <QCursor>
#include <QGuiApplication>

// The hourglass while a long piece of work runs; the normal pointer comes
// back however the work ends, a failure included.
class HourglassCursor
{
public:
    HourglassCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~HourglassCursor() { restore(); }
    // Gives the pointer back early (before a message box, say).
    void restore()
    {
        if (m_active) {
            QGuiApplication::restoreOverrideCursor();
            m_active = false;
        }
    }

    HourglassCursor(const HourglassCursor &) = delete;
    HourglassCursor &operator=(const HourglassCursor &) = delete;

private:
    bool m_active = true;
};
