#include "FocusMarker.h"

#include "SpreadGrid.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {

// A control inside a grid (the grid, its cell editors) marks the cell instead.
bool markedByItsGrid(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget())
        if (qobject_cast<const grid::SpreadGrid *>(w))
            return true;
    return false;
}

class FocusFrame : public QWidget
{
public:
    explicit FocusFrame(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("focusMarker"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        QPen pen(palette().color(QPalette::Active, QPalette::Highlight), FocusMarker::Width);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        const qreal half = FocusMarker::Width / 2.0;
        painter.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
    }
};

} // namespace

void FocusMarker::install()
{
    static FocusMarker *marker = nullptr;
    if (marker)
        return;
    marker = new FocusMarker;
    marker->setParent(qApp);
    connect(qApp, &QApplication::focusChanged, marker, [](QWidget *, QWidget *now) { marker->follow(now); });
}

void FocusMarker::follow(QWidget *focused)
{
    if (m_target)
        m_target->removeEventFilter(this);
    m_target = nullptr;
    if (!focused || markedByItsGrid(focused) || focused->isWindow()) {
        if (m_frame)
            m_frame->hide();
        return;
    }
    m_target = focused;
    m_target->installEventFilter(this);
    if (!m_frame || m_frame->parentWidget() != focused->parentWidget()) {
        delete m_frame.data();
        m_frame = new FocusFrame(focused->parentWidget());
    }
    place();
}

void FocusMarker::place()
{
    if (!m_frame)
        return;
    if (!m_target || !m_target->isVisible()) {
        m_frame->hide();
        return;
    }
    m_frame->setGeometry(m_target->geometry().adjusted(-Width, -Width, Width, Width));
    m_frame->show();
    m_frame->raise();
}

bool FocusMarker::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_target) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            place();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}
