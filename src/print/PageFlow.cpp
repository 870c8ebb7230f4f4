#include "PageFlow.h"

#include "GridMetrics.h"
#include "PagePrinter.h"

#include <QRectF>

namespace {
constexpr double Tolerance = 0.01;   // twips; rounding must not push a fitting row over
}

PageFlow::PageFlow(PagePrinter &printer, HeadPrinter head, double gap)
    : m_printer(printer)
    , m_flow({printer.pageHeight(), gap, Tolerance, 1},
             [this, head = std::move(head)](int sheet) {
                 if (sheet > 1)
                     m_printer.newPage();
                 return head ? head(m_printer) : 0.0;
             })
{
}

double PageFlow::groupHeight(const QVector<double> &heights, int first, int last) const
{
    double h = 0.0;
    for (int r = first; r <= last; ++r)
        h += heights.value(r - 1);
    return h;
}

double PageFlow::openContinuation(const grid::SpreadModel &grid, double left, const QList<int> &headingRows)
{
    m_flow.newSheet();
    m_printer.setFont(QStringLiteral("Times New Roman"), 9, true);
    m_printer.setPosition(left, m_flow.contentTop());
    m_printer.printLine(m_continuedMark);
    m_printer.setBold(false);
    double y = m_printer.positionY();
    const QVector<double> heights = m_printer.gridRowHeights(grid);
    double headingsHeight = 0.0;
    for (const int row : headingRows)
        headingsHeight += heights.value(row - 1);
    // Headings that would take half the sheet would starve the rows they head.
    if (headingsHeight > (m_flow.bottom() - y) / 2.0)
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
            m_printer.drawGridRows(grid, QRectF(QPointF(left, y), QPointF(m_printer.pageWidth(), m_flow.bottom())), first, to);
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
    m_flow.placeTo(m_printer.positionY());
}

void PageFlow::placeGrid(const grid::SpreadModel &grid, double top, double left, const QList<int> &headingRows)
{
    placeRows(grid, 1, m_flow.startAt(top), m_flow.contentTop(), left, headingRows);
}

bool PageFlow::placeBeside(const QVector<Column> &columns, double top, double overhang, double endAbove)
{
    const double right = m_printer.pageWidth() + overhang;
    bool endedAbove = endAbove > top;
    QVector<int> lastOnSheet;
    for (const Column &column : columns) {
        const QRectF sheetRect(QPointF(column.left, top), QPointF(right, m_flow.bottom()));
        m_printer.drawGrid(*column.grid, sheetRect, 1);
        lastOnSheet << m_printer.gridPageRows(*column.grid, sheetRect, 1).second;
        endedAbove = endedAbove
            && m_printer.gridPageCount(*column.grid, QRectF(QPointF(column.left, top), QPointF(right, endAbove))) <= 1;
    }
    if (endedAbove) {
        m_flow.placeTo(endAbove);
        return true;
    }
    m_flow.placeTo(m_flow.bottom());
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
            if (!m_flow.fits(y, used + h))
                break;
            used += h;
            last = g.second;
        }
        if (last < row) {
            if (y > sheetTop + Tolerance) {   // a fresh sheet has more room
                if (row > lastHeading + 1) {
                    y = openContinuation(grid, left, headingRows);
                } else {
                    m_flow.newSheet();
                    y = m_flow.contentTop();
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
        m_printer.drawGridRows(grid, QRectF(QPointF(left, y), QPointF(right, m_flow.bottom())), row, last);
        y += used;
        row = last + 1;
        if (row <= rows) {
            y = openContinuation(grid, left, headingRows);
            sheetTop = y;
        }
    }
    m_flow.placeTo(y);
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
        const double room = m_flow.bottom() - y;
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
