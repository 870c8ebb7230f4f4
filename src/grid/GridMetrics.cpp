#include "GridMetrics.h"

#include "CellText.h"

#include <QFontMetricsF>

namespace grid::GridMetrics {

QPair<int, int> group(const SpreadModel &model, int row)
{
    int first = row;
    int last = row;
    // Spans may chain (one starting inside another's rows), so widen until stable.
    for (bool grown = true; grown;) {
        grown = false;
        for (const QRect &s : model.spans()) {
            if (s.height() < 2 || s.bottom() < first || s.top() > last)
                continue;
            if (s.top() < first) {
                first = s.top();
                grown = true;
            }
            if (s.bottom() > last) {
                last = s.bottom();
                grown = true;
            }
        }
    }
    return {qMax(1, first), qMin(model.maxRows(), last)};
}

double spanWidth(const QRect &span, const QVector<double> &colWidths)
{
    double w = 0.0;
    for (int c = span.left(); c <= span.right(); ++c)
        if (c >= 1 && c <= colWidths.size())
            w += colWidths[c - 1];
    return w;
}

QVector<double> rowHeights(const SpreadModel &model, const QVector<double> &colWidths,
                           const QFont &font, const QPaintDevice *device, const Frame &frame,
                           int first, int last)
{
    QVector<double> heights;
    if (last < first)
        return heights;
    const double oneLine = QFontMetricsF(font, device).height() + 2.0 * frame.padV;
    heights.resize(last - first + 1);
    // A row's own height is a least height: a text taller than it grows the
    // row, so nothing typed or stored is ever cut off on screen or paper.
    auto isFixed = [&](int row) { return model.rowHeight(row) > 0.0; };
    for (int r = first; r <= last; ++r)
        heights[r - first] = isFixed(r) ? model.rowHeight(r) * frame.pointsToUnits
                                        : qMax(oneLine, model.minRowHeight(r) * frame.pointsToUnits);

    // Most cells of a long list hold a short text: judged without a layout.
    const CellText::OneLine plain(font, device);
    QFont boldFont(font);
    boldFont.setBold(true);
    const CellText::OneLine bold(boldFont, device);

    struct Tall { QRect span; double need; };
    QVector<Tall> tall;
    for (int r = first; r <= last; ++r) {
        for (int c = 1; c <= model.maxCols(); ++c) {
            const QRect span = model.spanAt(c, r);
            if (span.left() != c || span.top() != r)
                continue;
            const double width = spanWidth(span, colWidths);
            if (width <= 0.0)
                continue;
            const CellSpec &cell = model.cell(c, r);
            // An empty cell leaves a fixed row as it is (thin separator rows).
            if (isFixed(r) && CellText::shown(cell).isEmpty())
                continue;
            // The text is drawn inside the padding and left of the grid line.
            const double textWidth = width - 2.0 * frame.padH - frame.gridLine;
            QFont cellFont = CellText::font(font, cell);
            const bool marked = frame.mark.covers(c, r);
            if (marked)
                cellFont.setBold(true);
            const CellText::OneLine &quick = (cell.bold || marked) ? bold : plain;
            const QString &text = CellText::shown(cell);
            const double textHeight = quick.certain(cell, text, textWidth)
                    ? quick.lineHeight()
                    : CellText::height(cell, cellFont, device, textWidth, frame.fit);
            const double need = textHeight + 2.0 * frame.padV;
            if (span.height() == 1)
                heights[r - first] = qMax(heights[r - first], need);
            else
                tall.append({span, need});
        }
    }
    // A row span's missing height goes to its last row that fits its contents
    // (or its last row, when all of them have heights of their own).
    for (const Tall &t : std::as_const(tall)) {
        const int bottom = qMin(t.span.bottom(), last);
        double have = 0.0;
        for (int r = t.span.top(); r <= bottom; ++r)
            have += heights[r - first];
        if (t.need <= have)
            continue;
        int grow = bottom;
        while (grow > t.span.top() && isFixed(grow))
            --grow;
        if (isFixed(grow))
            grow = bottom;
        heights[grow - first] += t.need - have;
    }
    for (double &h : heights)
        h += frame.gridLine;
    return heights;
}

} // namespace grid::GridMetrics
