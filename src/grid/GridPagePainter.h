#pragma once

#include "SpreadModel.h"

#include <QFont>
#include <QRectF>
#include <QVector>

class QPainter;
class QPaintDevice;

namespace grid {

// Draws a spread grid onto paper. Rectangles are in twips (1/1440 inch) from
// the device's origin; the grid paginates itself by rows inside the rectangle
// (a row, and a group of rows joined by a row span, is never split across two
// pages; a single row taller than the rectangle is clipped on a page of its
// own). Columns keep their own widths; what lies past the rectangle's right
// edge is cut off. Cells are drawn with their texts (wrapped as on screen),
// thin grey borders and their background colours; hidden columns are skipped.
class GridPagePainter
{
public:
    explicit GridPagePainter(const SpreadModel &model, const QFont &font = defaultFont());

    static QFont defaultFont();          // the grid's font on screen and paper

    int pageCount(QPaintDevice *device, const QRectF &twips) const;
    // The first and last row (1-based) drawn on page; (1, 0) past the last page.
    QPair<int, int> pageRows(QPaintDevice *device, const QRectF &twips, int page) const;
    // Draws page (1-based) into the rectangle; a page past the last draws nothing.
    void drawPage(QPainter &painter, const QRectF &twips, int page) const;

    // Height in twips of every row as drawn on the device, for callers that
    // place the rows themselves (a page flow that continues a grid on new sheets).
    QVector<double> rowHeights(QPaintDevice *device) const;
    // Draws rows first..last (1-based) from the rectangle's top left corner,
    // clipped to the rectangle.
    void drawRows(QPainter &painter, const QRectF &twips, int first, int last) const;

    // Where a row taller than a sheet may be cut between sheets without
    // cutting a line of its texts: the largest line start (measured from the
    // row's top, in twips) at or above limit; 0 when there is none.
    double lineBreakAtOrAbove(QPaintDevice *device, double limit) const;

    // Width of one column unit in twips.
    static double unitTwips();

private:
    struct Layout {
        QVector<double> colWidths;        // twips
        QVector<double> rowHeights;       // twips
        QVector<QPair<int, int>> pages;   // first and last row (1-based) of each page
    };
    Layout layout(QPaintDevice *device, const QRectF &twips) const;
    void drawRows(QPainter &painter, const QRectF &twips, const Layout &l, int first, int last) const;

    const SpreadModel &m_model;
    QFont m_font;
};

} // namespace grid
