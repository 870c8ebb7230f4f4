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

double PageFlow::continueGrid(const grid::SpreadModel &grid, double left, int headingRows)
{
    newSheet();
    m_printer.setFont(QStringLiteral("Times New Roman"), 9, true);
    m_printer.setPosition(left, m_contentTop);
    m_printer.printLine(m_continuedMark);
    m_printer.setBold(false);
    double y = m_printer.positionY();
    headingRows = qMin(headingRows, grid.maxRows());
    if (headingRows > 0) {
        m_printer.drawGridRows(grid, QRectF(QPointF(left, y), QPointF(m_printer.pageWidth(), m_bottom)), 1, headingRows);
        y += groupHeight(m_printer.gridRowHeights(grid), 1, headingRows);
    }
    return y;
}

void PageFlow::placeLine(const QString &text, double top, double left)
{
    m_printer.setFont(QStringLiteral("Times New Roman"), 9, true);
    const double y = reserve(top, 240);
    m_printer.setPosition(left, y);
    m_printer.printLine(text);
    m_printer.setBold(false);
    m_end = m_printer.positionY();
}

void PageFlow::placeGrid(const grid::SpreadModel &grid, double top, double left, int headingRows)
{
    const QVector<double> heights = m_printer.gridRowHeights(grid);
    const int rows = grid.maxRows();
    const double right = m_printer.pageWidth();
    double y = startAt(top);
    double sheetTop = m_contentTop;   // where this grid's rows may begin on the sheet
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
            if (y > sheetTop + Tolerance) {   // a fresh sheet has more room
                // A group taller than a whole sheet is cut into slices from
                // the sheet's top, where its cuts fall between lines of text.
                const QPair<int, int> g = grid::GridMetrics::group(grid, row);
                const bool sliced = groupHeight(heights, g.first, g.second) > m_bottom - m_contentTop + Tolerance;
                if (row > qMax(1, headingRows + 1) && !sliced) {
                    y = continueGrid(grid, left, headingRows);
                } else {
                    newSheet();
                    y = m_contentTop;
                }
                sheetTop = y;
                continue;
            }
            // Taller than a whole sheet: its slices go on sheets of their own.
            last = grid::GridMetrics::group(grid, row).second;
            y = placeSlices(grid, row, last, groupHeight(heights, row, last), y, left);
            row = last + 1;
            if (row <= rows) {
                y = continueGrid(grid, left, headingRows);
                sheetTop = y;
            }
            continue;
        }
        m_printer.drawGridRows(grid, QRectF(QPointF(left, y), QPointF(right, m_bottom)), row, last);
        y += used;
        row = last + 1;
        if (row <= rows) {
            y = continueGrid(grid, left, headingRows);
            sheetTop = y;
        }
    }
    m_end = y;
    m_placedOnSheet = true;
}

double PageFlow::placeSlices(const grid::SpreadModel &grid, int first, int last, double height, double y,
                             double left)
{
    const double right = m_printer.pageWidth();
    // Lines of text are spaced from the top of the row that holds them: the
    // tallest row of the group, which starts below the rows above it.
    const QVector<double> heights = m_printer.gridRowHeights(grid);
    int tallest = first;
    for (int r = first; r <= last; ++r) {
        if (heights.value(r - 1) > heights.value(tallest - 1))
            tallest = r;
    }
    const double tallTop = groupHeight(heights, first, tallest - 1);
    double done = 0.0;   // how much of the rows' height is on paper
    for (;;) {
        const double room = m_bottom - y;
        double upTo = done + room;
        if (upTo < height) {
            // Cut between two lines of text, never through one.
            const double lineBreak = upTo > tallTop ? tallTop + m_printer.gridLineBreak(grid, upTo - tallTop) : 0.0;
            if (lineBreak > done)
                upTo = lineBreak;
        }
        upTo = qMin(upTo, height);
        m_printer.drawGridRowsSlice(grid, QRectF(QPointF(left, y - done), QPointF(right, y - done + height)), first,
                                    last, y, y + (upTo - done));
        y += upTo - done;
        done = upTo;
        if (done >= height - Tolerance)
            return y;
        newSheet();
        y = m_contentTop;
    }
}
