#include "LimitNotice.h"

#include <QEvent>
#include <QLabel>
#include <QWidget>

namespace grid {

namespace {

// Near the limit: the last tenth of it, and never fewer than ten characters.
bool nearLimit(int used, int limit)
{
    return limit > 0 && limit - used <= qMax(10, limit / 10);
}

} // namespace

QString LimitNotice::text(int used, int limit, int leftOut)
{
    if (limit <= 0 || (leftOut <= 0 && !nearLimit(used, limit)))
        return QString();
    QString words = QStringLiteral("%1 / %2").arg(used).arg(limit);
    if (leftOut == 1)
        words += QStringLiteral(" \u2014 1 character did not fit and was left out");
    else if (leftOut > 1)
        words += QStringLiteral(" \u2014 %1 characters did not fit and were left out").arg(leftOut);
    return words;
}

LimitNotice::LimitNotice(QWidget *editor)
    : QObject(editor)
    , m_editor(editor)
{
    editor->installEventFilter(this);
}

LimitNotice::~LimitNotice()
{
    delete m_label.data();
}

QLabel *LimitNotice::label() const
{
    return m_label.data();
}

void LimitNotice::report(int used, int limit, int leftOut)
{
    m_text = text(used, limit, leftOut);
    showOrHide();
}

void LimitNotice::showOrHide()
{
    const bool wanted = !m_text.isEmpty() && m_editor->hasFocus() && m_editor->isVisible()
            && m_editor->parentWidget();
    if (!wanted) {
        if (m_label)
            m_label->hide();
        return;
    }
    if (!m_label || m_label->parentWidget() != m_editor->parentWidget()) {
        delete m_label.data();
        m_label = new QLabel(m_editor->parentWidget());
        m_label->setObjectName(QStringLiteral("limitNotice"));
        m_label->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_label->setFocusPolicy(Qt::NoFocus);
        m_label->setForegroundRole(QPalette::ToolTipText);
        m_label->setBackgroundRole(QPalette::ToolTipBase);
        m_label->setAutoFillBackground(true);
        m_label->setFrameShape(QFrame::Box);
        m_label->setMargin(2);
    }
    m_label->setText(m_text);
    m_label->adjustSize();
    place();
    m_label->show();
    m_label->raise();
}

void LimitNotice::place()
{
    if (!m_label)
        return;
    const QRect box = m_editor->geometry();
    const QSize room = m_editor->parentWidget()->size();
    const QSize size = m_label->size();
    const int x = qBound(0, box.right() + 1 - size.width(), qMax(0, room.width() - size.width()));
    int y = box.bottom() + 1;
    if (y + size.height() > room.height() && box.top() >= size.height())
        y = box.top() - size.height();
    m_label->move(x, y);
}

bool LimitNotice::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editor) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
            place();
            break;
        case QEvent::FocusIn:
        case QEvent::FocusOut:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::ParentChange:
            showOrHide();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace grid
