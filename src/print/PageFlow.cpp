#include "PageFlow.h"

#include "GridMetrics.h"
#include "PagePrinter.h"

#include <QRectF>

namespace {
constexpr double Tolerance = 0.01;   // twips; rounding must not push a fitting row over
}

PageFlow::PageFlow(PagePrinter &printer, HeadPrinter head, double gap)
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

double PageFlow::openContinuation(const grid::SpreadModel &grid, double left, const QList<int> &headingRows)
{
    newSheet();
    m_printer.setFont(QStringLiteral("Times New Roman"), 9, true);
    m_printer.setPosition(left, m_contentTop);
    m_printer.printLine(m_continuedMark);
    m_printer.setBold(false);
    double y = m_printer.positionY();
    const QVector<double> heights = m_printer.gridRowHeights(grid);
    double headingsHeight = 0.0;
    for (const int row : headingRows)
        headingsHeight += heights.value(row - 1);
    // Headings that would take half the sheet would starve the rows they head.
    if (headingsHeight > (m_bottom - y) / 2.0)
        return y;
    // Adjacent heading rows are drawn together, so a heading spanning two
    // rows prints whole.
    for (int i = 0; i < headingRows.size();) {
        int last = i;
        while (last + 1 < headingRows.size() && headingRows[last + 1] == headingRows[last] + 1)
            ++last;
        const int first = qMax(1, headingRows[i]);
        const int to = qMin(grid.maxRows(), headingRows[last]);
        if (first <= to) {
            m_printer.drawGridRows(grid, QRectF(QPointF(left, y), QPointF(m_printer.pageWidth(), m_bottom)), first, to);
            y += groupHeight(heights, first, to);
        }
        i = last + 1;
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

void PageFlow::placeGrid(const grid::SpreadModel &grid, double top, double left, const QList<int> &headingRows)
{
    placeRows(grid, 1, startAt(top), m_contentTop, left, headingRows);
}

bool PageFlow::placeBeside(const QVector<Column> &columns, double top, double overhang, double endAbove)
{
    const double right = m_printer.pageWidth() + overhang;
    bool endedAbove = endAbove > top;
    QVector<int> lastOnSheet;
    for (const Column &column : columns) {
        const QRectF sheetRect(QPointF(column.left, top), QPointF(right, m_bottom));
        m_printer.drawGrid(*column.grid, sheetRect, 1);
        lastOnSheet << m_printer.gridPageRows(*column.grid, sheetRect, 1).second;
        endedAbove = endedAbove
            && m_printer.gridPageCount(*column.grid, QRectF(QPointF(column.left, top), QPointF(right, endAbove))) <= 1;
    }
    m_placedOnSheet = true;
    if (endedAbove) {
        m_end = endAbove;
        return true;
    }
    m_end = m_bottom;
    for (int i = 0; i < columns.size(); ++i)
        continueGrid(*columns[i].grid, lastOnSheet[i] + 1, columns[i].left, columns[i].headingRows);
    return false;
}

void PageFlow::continueGrid(const grid::SpreadModel &grid, int fromRow, double left, const QList<int> &headingRows)
{
    if (fromRow > grid.maxRows())
        return;
    const double y = openContinuation(grid, left, headingRows);
    placeRows(grid, fromRow, y, y, left, headingRows);
}

void PageFlow::placeRows(const grid::SpreadModel &grid, int row, double y, double sheetTop, double left,
                         const QList<int> &headingRows)
{
    const QVector<double> heights = m_printer.gridRowHeights(grid);
    const int rows = grid.maxRows();
    const double right = m_printer.pageWidth();
    // Until a row below the headings is on paper, a grid that does not fit
    // starts afresh on the next sheet, its own headings included.
    int lastHeading = 0;
    for (const int h : headingRows)
        lastHeading = qMax(lastHeading, h);
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
                if (row > lastHeading + 1) {
                    y = openContinuation(grid, left, headingRows);
                } else {
                    newSheet();
                    y = m_contentTop;
                }
                sheetTop = y;
                continue;
            }
            // Taller than a whole sheet: its slices go on sheets of their own.
            last = grid::GridMetrics::group(grid, row).second;
            y = placeSlices(grid, row, last, groupHeight(heights, row, last), y, left, headingRows);
            row = last + 1;
            if (row <= rows) {
                y = openContinuation(grid, left, headingRows);
                sheetTop = y;
            }
            continue;
        }
        m_printer.drawGridRows(grid, QRectF(QPointF(left, y), QPointF(right, m_bottom)), row, last);
        y += used;
        row = last + 1;
        if (row <= rows) {
            y = openContinuation(grid, left, headingRows);
            sheetTop = y;
        }
    }
    m_end = y;
    m_placedOnSheet = true;
}

double PageFlow::placeSlices(const grid::SpreadModel &grid, int first, int last, double height, double y,
                             double left, const QList<int> &headingRows)
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
        y = openContinuation(grid, left, headingRows);
    }
}
