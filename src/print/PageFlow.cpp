#include "PageFlow.h"

#include "GridMetrics.h"
#include "PagePrinter.h"

#include <QRectF>

namespace {
constexpr double Tolerance = 0.01;   // twips; rounding must not push a fitting row over
}

PageFlow::PageFlow(PagePrinter &printer, PageHead head, double gap)
    : m_printer(printer)
    , m_head(std::move(head))
    , m_gap(gap)
    , m_bottom(printer.pageHeight())
{
    m_contentTop = m_head ? m_head(m_printer) : 0.0;
    m_end = m_contentTop;
}

double PageFlow::startAt(double top) const
{
    return qMax(top, m_placedOnSheet ? m_end + m_gap : m_end);
}

void PageFlow::newSheet()
{
    m_printer.newPage();
    ++m_sheet;
    m_contentTop = m_head ? m_head(m_printer) : 0.0;
    m_end = m_contentTop;
    m_placedOnSheet = false;
}

double PageFlow::groupHeight(const QVector<double> &heights, int first, int last) const
{
    double h = 0.0;
    for (int r = first; r <= last; ++r)
        h += heights.value(r - 1);
    return h;
}

double PageFlow::reserve(double top, double height)
{
    double y = startAt(top);
    if (y + height > m_bottom + Tolerance && y > m_contentTop + Tolerance) {
        newSheet();
        y = m_contentTop;
    }
    m_end = y + height;
    m_placedOnSheet = true;
    return y;
}

void PageFlow::placeGrid(const grid::SpreadModel &grid, double top, double left)
{
    const QVector<double> heights = m_printer.gridRowHeights(grid);
    const int rows = grid.maxRows();
    const double right = m_printer.pageWidth();
    double y = startAt(top);
    int row = 1;
    while (row <= rows) {
        // As many whole groups as fit between y and the bottom of the sheet.
        int last = row - 1;
        double used = 0.0;
        while (last < rows) {
            const QPair<int, int> g = grid::GridMetrics::group(grid, last + 1);
            const double h = groupHeight(heights, g.first, g.second);
            if (used + h > m_bottom - y + Tolerance)
                break;
            used += h;
            last = g.second;
        }
        if (last < row) {
            if (y > m_contentTop + Tolerance) {   // a fresh sheet has more room
                newSheet();
                y = m_contentTop;
                continue;
            }
            last = grid::GridMetrics::group(grid, row).second;
            used = m_bottom - y;
        }
        m_printer.drawGridRows(grid, QRectF(QPointF(left, y), QPointF(right, m_bottom)), row, last);
        y += used;
        row = last + 1;
        if (row <= rows) {
            newSheet();
            y = m_contentTop;
        }
    }
    m_end = y;
    m_placedOnSheet = true;
}
