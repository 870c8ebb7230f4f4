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
    auto isAuto = [&](int row) { return model.rowHeight(row) <= 0.0; };
    for (int r = first; r <= last; ++r)
        heights[r - first] = isAuto(r) ? qMax(oneLine, model.minRowHeight(r) * frame.pointsToUnits)
                                       : model.rowHeight(r) * frame.pointsToUnits;

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
            const double need = CellText::height(cell, CellText::font(font, cell), device,
                                                 width - 2.0 * frame.padH)
                    + 2.0 * frame.padV;
            if (span.height() == 1) {
                if (isAuto(r))
                    heights[r - first] = qMax(heights[r - first], need);
            } else {
                tall.append({span, need});
            }
        }
    }
    for (const Tall &t : std::as_const(tall)) {
        const int bottom = qMin(t.span.bottom(), last);
        double have = 0.0;
        for (int r = t.span.top(); r <= bottom; ++r)
            have += heights[r - first];
        if (t.need <= have)
            continue;
        for (int r = bottom; r >= t.span.top(); --r) {
            if (isAuto(r)) {
                heights[r - first] += t.need - have;
                break;
            }
        }
    }
    for (double &h : heights)
        h += frame.gridLine;
    return heights;
}

} // namespace grid::GridMetrics
