#pragma once

#include <QObject>
#include <QPointer>

class QLabel;

// Shows the user that the program is waiting for another program that holds
// the database: a busy pointer at once, and after half a second a line at the
// foot of the active window. Both go when the event loop runs again, that is
// once the statement has its lock or has given up.
class LockWaitNotice : public QObject
{
    Q_OBJECT
public:
    static constexpr int LineAfterMs = 500;

    // The one notice, told by every connection of the program.
    static LockWaitNotice &install();
    ~LockWaitNotice() override;

    static QString lineText();

Q_SIGNALS:
    // The waiting line was put up in window (for the record; nothing in the
    // program needs it).
    void lineShown(QWidget *window);

private:
    LockWaitNotice() = default;
    void waiting(int waitedMs);
    void showLine();
    void finish();

    bool m_waiting = false;
    QPointer<QLabel> m_line;
};
