#include "LockWaitNotice.h"

#include "Connection.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

LockWaitNotice &LockWaitNotice::install()
{
    Connection::setLockWaitWatcher({});   // made first, so it outlives the notice
    static LockWaitNotice notice;
    Connection::setLockWaitWatcher([](int waitedMs) { notice.waiting(waitedMs); });
    return notice;
}

LockWaitNotice::~LockWaitNotice()
{
    Connection::setLockWaitWatcher({});
}

QString LockWaitNotice::lineText()
{
    return QStringLiteral("The database is in use by another program. Waiting for it\u2026");
}

void LockWaitNotice::waiting(int waitedMs)
{
    if (!m_waiting) {
        m_waiting = true;
        QApplication::setOverrideCursor(Qt::BusyCursor);
        // Runs as soon as control is back in an event loop: the wait is over.
        QTimer::singleShot(0, this, &LockWaitNotice::finish);
    }
    if (waitedMs >= LineAfterMs && !m_line)
        showLine();
}

void LockWaitNotice::showLine()
{
    QWidget *window = QApplication::activeModalWidget();
    if (!window)
        window = QApplication::activeWindow();
    if (!window)
        return;
    m_line = new QLabel(lineText(), window);
    m_line->setObjectName(QStringLiteral("lockWaitLine"));
    m_line->setAutoFillBackground(true);
    m_line->setBackgroundRole(QPalette::ToolTipBase);
    m_line->setForegroundRole(QPalette::ToolTipText);
    m_line->setMargin(4);
    m_line->adjustSize();
    m_line->setGeometry(0, window->height() - m_line->height(), window->width(), m_line->height());
    m_line->show();
    // No event loop runs while the statement waits: paint it now.
    m_line->repaint();
    Q_EMIT lineShown(window);
}

void LockWaitNotice::finish()
{
    if (!m_waiting)
        return;
    m_waiting = false;
    QApplication::restoreOverrideCursor();
    delete m_line.data();
}
