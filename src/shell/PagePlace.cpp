#include "PagePlace.h"

#include "SpreadGrid.h"

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>

namespace {

QScrollArea *scrollingPage(QWidget *widget)
{
    for (QWidget *w = widget ? widget->parentWidget() : nullptr; w; w = w->parentWidget())
        if (auto *area = qobject_cast<QScrollArea *>(w))
            if (area->widget() && area->widget()->isAncestorOf(widget))
                return area;
    return nullptr;
}

int topIn(const QScrollArea &area, const QWidget &widget)
{
    return widget.mapTo(area.viewport(), QPoint(0, 0)).y();
}

} // namespace

PagePlace::PagePlace(QWidget *anchor)
    : m_anchor(anchor)
    , m_area(scrollingPage(anchor))
{
    if (m_area)
        m_top = topIn(*m_area, *anchor);
}

void PagePlace::settle(const grid::SpreadGrid *grid, int row)
{
    if (!m_area || !m_anchor)
        return;
    // Row heights and layouts follow a change once the event loop runs; the
    // places are needed now.
    for (grid::SpreadGrid *each : m_area->widget()->findChildren<grid::SpreadGrid *>())
        each->fitPendingRowsNow();
    // Each layout that takes a new size asks the one around it on the next
    // round: one round for each level of the page.
    for (int pass = 0; pass < 10; ++pass)
        QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);

    QScrollBar *bar = m_area->verticalScrollBar();
    bar->setValue(bar->value() + topIn(*m_area, *m_anchor) - m_top);
    if (grid && row > 0) {
        QRect part = grid->visualRect(grid->model()->index(row - 1, 0));
        part.setLeft(0);
        const QRect inPage(grid->viewport()->mapTo(m_area->widget(), part.topLeft()), part.size());
        // Only up and down: the row's left end is what has to show.
        m_area->ensureVisible(inPage.left(), inPage.top() + inPage.height() / 2, 0, inPage.height() / 2 + 2);
    }
}
