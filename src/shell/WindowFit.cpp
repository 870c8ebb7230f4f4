#include "WindowFit.h"

#include <QApplication>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>

namespace WindowFit {

namespace {
// What a window manager typically adds around a window (borders, title bar).
const QSize FrameAllowance(16, 48);
}

QSize showingWholePage(const QWidget &window, const QScrollArea &page, const QSize &room)
{
    const QWidget *content = page.widget();
    QSize wanted = window.sizeHint();
    if (content) {
        // The window's hint holds the page at its capped scroll-area hint:
        // put the whole content in its place.
        const int frame = 2 * page.frameWidth();
        const QSize whole = content->sizeHint() + QSize(frame, frame);
        const QSize pageHint = page.sizeHint();
        wanted.setHeight(wanted.height() - pageHint.height() + whole.height());
        wanted.setWidth(qMax(wanted.width(), wanted.width() - pageHint.width() + whole.width()));
        if (wanted.height() > room.height())
            wanted.rwidth() += page.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &page);
    }
    return wanted.boundedTo(room).expandedTo(window.minimumSizeHint());
}

QScreen *screenFor(const QWidget &window)
{
    const QWidget *last = QApplication::activeWindow();
    if (last && last != &window && last->screen())
        return last->screen();
    return window.screen();
}

QSize roomOnScreen(const QWidget &window)
{
    const QScreen *screen = screenFor(window);
    if (!screen)
        return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    return screen->availableGeometry().size() - FrameAllowance;
}

QPoint centredPlace(const QWidget &window, const QSize &size)
{
    const QScreen *screen = screenFor(window);
    if (!screen)
        return window.pos();
    const QRect room = screen->availableGeometry();
    const QSize outer = size + FrameAllowance;
    return QPoint(room.left() + qMax(0, (room.width() - outer.width()) / 2),
                  room.top() + qMax(0, (room.height() - outer.height()) / 2));
}

} // namespace WindowFit
