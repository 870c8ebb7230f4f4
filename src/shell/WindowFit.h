#pragma once

#include <QPoint>
#include <QSize>

class QScreen;
class QScrollArea;
class QWidget;

// The size at which a window shows the whole of its scrolling page (the
// section screens' grids) without scrolling, as far as the room on the screen
// allows; a page taller than the room scrolls, with room for its scroll bar.
namespace WindowFit {

QSize showingWholePage(const QWidget &window, const QScrollArea &page, const QSize &room);

// The screen a new window opens on: the one the user's last window is on.
QScreen *screenFor(const QWidget &window);

// The room a window has on its screen (screenFor), less its frame and title bar.
QSize roomOnScreen(const QWidget &window);

// Where a window of size goes to stand in the middle of its screen's room.
QPoint centredPlace(const QWidget &window, const QSize &size);

} // namespace WindowFit
