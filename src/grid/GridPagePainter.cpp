#include "GridPagePainter.h"

#include "CellText.h"
#include "GridMetrics.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>

#include <cmath>

namespace grid {

namespace {

constexpr double PadH = 40.0;          // twips between a cell's edge and its text
constexpr double PadV = 20.0;
constexpr double BorderWidth = 10.0;   // half a point
constexpr double CheckSide = 160.0;
const QColor BorderGrey(160, 160, 160);



// A check box with a caption sits at the cell's left with its caption beside
// it; one without is centred.
void drawCheckBox(QPainter &painter, const CellSpec &cell, const QFont &font, const QRectF &r,
                  double sx, double sy)
{
    const double side = qMin(CheckSide * sx, r.height() - 2.0 * PadV * sy);
    if (side <= 0.0)
        return;
    const bool captioned = !cell.buttonText.isEmpty();
    const double left = captioned ? r.left() + PadH * sx : r.center().x() - side / 2.0;
    const QRectF box(left, r.center().y() - side / 2.0, side, side);
    if (captioned) {
        CellSpec caption = cell;
        caption.alignment = Qt::AlignLeft | Qt::AlignVCenter;
        CellText::draw(painter, caption, font,
                       QRectF(QPointF(box.right() + PadH * sx, r.top() + PadV * sy),
                              QPointF(r.right() - PadH * sx, r.bottom() - PadV * sy)),
                       Qt::black, CellText::Fit::ShrinkWords);
    }
    painter.setBrush(Qt::white);
    painter.setPen(QPen(Qt::black, BorderWidth * sx));
    painter.drawRect(box);
    if (cell.text == QLatin1String("1")) {
        QPen tick(Qt::black, 2.0 * BorderWidth * sx);
        tick.setCapStyle(Qt::RoundCap);
        tick.setJoinStyle(Qt::RoundJoin);
        painter.setPen(tick);
        const QPointF points[] = {
            {box.left() + side * 0.2, box.top() + side * 0.5},
            {box.left() + side * 0.42, box.top() + side * 0.75},
            {box.left() + side * 0.8, box.top() + side * 0.25},
        };
        painter.drawPolyline(points, 3);
    }
}

} // namespace

GridPagePainter::GridPagePainter(const SpreadModel &model, const QFont &font)
    : m_model(model)
    , m_font(font)
{
}

QFont GridPagePainter::defaultFont()
{
    // The printed page headers are in Times New Roman; the grids match them.
    return QFont(QStringLiteral("Times New Roman"), 9);
}

double GridPagePainter::unitTwips()
{
    // A column unit is one average character of a grid control's standard
    // font: a fixed width, so a column is as wide on every screen and sheet
    // whatever font its cells are drawn in.
    return 100.0;
}

GridPagePainter::Layout GridPagePainter::layout(QPaintDevice *device, const QRectF &twips) const
{
    Layout out;
    const double sx = device->logicalDpiX() / 1440.0;
    const double sy = device->logicalDpiY() / 1440.0;
    const double unit = unitTwips();

    const int cols = m_model.maxCols();
    const int rows = m_model.maxRows();
    out.colWidths.resize(cols);
    QVector<double> deviceWidths(cols);
    for (int c = 1; c <= cols; ++c) {
        out.colWidths[c - 1] = m_model.colWidth(c) * unit;
        deviceWidths[c - 1] = out.colWidths[c - 1] * sx;
    }

    GridMetrics::Frame frame;
    frame.padH = PadH * sx;
    frame.padV = PadV * sy;
    frame.pointsToUnits = 20.0 * sy;
    frame.fit = CellText::Fit::ShrinkWords;
    const QVector<double> heights =
            GridMetrics::rowHeights(m_model, deviceWidths, m_font, device, frame, 1, rows);
    out.rowHeights.resize(rows);
    for (int r = 0; r < rows; ++r)
        out.rowHeights[r] = heights[r] / sy;

    if (rows == 0) {
        out.pages.append({1, 0});   // one empty page, so a block always has a page 1
        return out;
    }
    // Whole groups fill a page; a group that does not fit starts the next one,
    // and a group taller than the rectangle stands alone and is cut off.
    const double room = twips.height();
    int pageFirst = 1;
    double used = 0.0;
    for (int r = 1; r <= rows;) {
        const QPair<int, int> g = GridMetrics::group(m_model, r);
        double h = 0.0;
        for (int i = g.first; i <= g.second; ++i)
            h += out.rowHeights[i - 1];
        if (used > 0.0 && used + h > room + 0.01) {
            out.pages.append({pageFirst, g.first - 1});
            pageFirst = g.first;
            used = 0.0;
        }
        used += h;
        r = g.second + 1;
    }
    out.pages.append({pageFirst, rows});
    return out;
}

int GridPagePainter::pageCount(QPaintDevice *device, const QRectF &twips) const
{
    return int(layout(device, twips).pages.size());
}

QPair<int, int> GridPagePainter::pageRows(QPaintDevice *device, const QRectF &twips, int page) const
{
    const Layout l = layout(device, twips);
    return page >= 1 && page <= l.pages.size() ? l.pages[page - 1] : QPair<int, int>(1, 0);
}

void GridPagePainter::drawPage(QPainter &painter, const QRectF &twips, int page) const
{
    QPaintDevice *device = painter.device();
    if (!device)
        return;
    const Layout l = layout(device, twips);
    if (page < 1 || page > l.pages.size())
        return;
    drawRows(painter, twips, l, l.pages[page - 1].first, l.pages[page - 1].second);
}

QVector<double> GridPagePainter::rowHeights(QPaintDevice *device) const
{
    return layout(device, QRectF()).rowHeights;
}

double GridPagePainter::lineBreakAtOrAbove(QPaintDevice *device, double limit) const
{
    // Texts are laid out from the cell's top padding, a line and the font's
    // leading apart.
    const double pitch = CellText::lineStep(m_font, device) * 1440.0 / device->logicalDpiY();
    if (pitch <= 0.0 || limit < PadV + pitch)
        return 0.0;
    return PadV + std::floor((limit - PadV) / pitch) * pitch;
}

void GridPagePainter::drawRows(QPainter &painter, const QRectF &twips, int first, int last) const
{
    QPaintDevice *device = painter.device();
    if (!device)
        return;
    drawRows(painter, twips, layout(device, QRectF()), qMax(1, first), qMin(m_model.maxRows(), last));
}

void GridPagePainter::drawRows(QPainter &painter, const QRectF &twips, const Layout &l, int first, int last) const
{
    QPaintDevice *device = painter.device();
    if (last < first)
        return;
    const double sx = device->logicalDpiX() / 1440.0;
    const double sy = device->logicalDpiY() / 1440.0;

    const int cols = m_model.maxCols();
    QVector<double> colX(cols + 1);   // twips from the rectangle's left edge
    for (int c = 1; c <= cols; ++c)
        colX[c] = colX[c - 1] + l.colWidths[c - 1];
    QVector<double> rowY(last - first + 2);
    for (int r = first; r <= last; ++r)
        rowY[r - first + 1] = rowY[r - first] + l.rowHeights[r - 1];

    const QRectF area(twips.left() * sx, twips.top() * sy, twips.width() * sx, twips.height() * sy);
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, false);

    for (int r = first; r <= last; ++r) {
        for (int c = 1; c <= cols; ++c) {
            const QRect span = m_model.spanAt(c, r);
            if (span.left() != c || span.top() != r)
                continue;
            const double w = GridMetrics::spanWidth(span, l.colWidths);
            if (w <= 0.0)
                continue;
            const int bottom = qMin(span.bottom(), last);
            const double h = rowY[bottom - first + 1] - rowY[r - first];
            const QRectF cellRect((twips.left() + colX[c - 1]) * sx, (twips.top() + rowY[r - first]) * sy,
                                  w * sx, h * sy);
            if (cellRect.left() >= area.right())
                continue;

            const CellSpec &cell = m_model.cell(c, r);
            const QFont font = CellText::font(m_font, cell);
            if (cell.backColor.isValid())
                painter.fillRect(cellRect, cell.backColor);
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(BorderGrey, BorderWidth * sx));
            painter.drawRect(cellRect);

            switch (cell.type) {
            case CellType::CheckBox:
                drawCheckBox(painter, cell, font, cellRect, sx, sy);
                break;
            case CellType::Button:
                // A button is for working on screen: paper shows its cell empty.
                break;
            default:
                CellText::draw(painter, cell, font,
                               cellRect.adjusted(PadH * sx, PadV * sy, -PadH * sx, -PadV * sy),
                               Qt::black, CellText::Fit::ShrinkWords);
                break;
            }
        }
    }
    painter.restore();
}

} // namespace grid
