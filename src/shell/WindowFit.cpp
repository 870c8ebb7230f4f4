#include "WindowFit.h"

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

QSize roomOnScreen(const QWidget &window)
{
    const QScreen *screen = window.screen();
    if (!screen)
        return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    return screen->availableGeometry().size() - FrameAllowance;
}

} // namespace WindowFit
