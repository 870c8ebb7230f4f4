#pragma once

#include <QSize>

class QScrollArea;
class QWidget;

// The size at which a window shows the whole of its scrolling page (the
// section screens' grids) without scrolling, as far as the room on the screen
// allows; a page taller than the room scrolls, with room for its scroll bar.
namespace WindowFit {

QSize showingWholePage(const QWidget &window, const QScrollArea &page, const QSize &room);

// The room a window has on the screen it is on, less its frame and title bar.
QSize roomOnScreen(const QWidget &window);

} // namespace WindowFit
