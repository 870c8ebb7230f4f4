#pragma once

#include <QPointer>
#include <QRect>

class QScrollArea;
class QWidget;
namespace grid { class SpreadGrid; }

// Keeps the control the user works with (an Add or Remove button) at its place
// in the window while a list above it on the scrolling page grows or shrinks,
// then brings what changed into view: buttons never move under the mouse, and
// an added entry is seen. Made before the change, settled after it.
class PagePlace
{
public:
    explicit PagePlace(QWidget *anchor);

    // Lays the changed page out now, scrolls it back so the anchor is where
    // it was, and then, if `row` (1-based) of `grid` is out of view, scrolls
    // just enough to show it.
    void settle(const grid::SpreadGrid *grid = nullptr, int row = 0);

private:
    QPointer<QWidget> m_anchor;
    QPointer<QScrollArea> m_area;
    int m_top = 0;   // the anchor's top in the page's viewport
};
