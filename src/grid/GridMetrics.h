#pragma once

#include "CellText.h"
#include "RowMark.h"
#include "SpreadModel.h"

#include <QFont>
#include <QPair>
#include <QVector>

class QPaintDevice;

namespace grid {

// Row heights of a spread grid, worked out the same way for the screen and for
// paper; all lengths are in the units of the paint device measured on.
namespace GridMetrics {

struct Frame
{
    double padH = 0.0;            // text inset from a cell's left and right edges
    double padV = 0.0;            // text inset from a cell's top and bottom edges
    double pointsToUnits = 1.0;   // converts the model's fixed row heights
    double gridLine = 0.0;        // the line right of and below every cell, taken from its room
    RowMark mark;                 // the screen's picked row: measured bold, as it is drawn
    CellText::Fit fit = CellText::Fit::BreakWords;   // paper shrinks a word too wide for its cell
};

// The rows first..last (1-based) of the group that holds row: rows joined by
// a row span belong together.
QPair<int, int> group(const SpreadModel &model, int row);

// Heights of rows first..last, which must be whole groups. colWidths holds the
// width of every column (0 when hidden). Every row grows to its wrapped texts;
// a height set in the model is the least a row gets. A row span's missing
// height goes to its last row without a height of its own.
QVector<double> rowHeights(const SpreadModel &model, const QVector<double> &colWidths,
                           const QFont &font, const QPaintDevice *device, const Frame &frame,
                           int first, int last);

// Width of the visible columns of span, from colWidths.
double spanWidth(const QRect &span, const QVector<double> &colWidths);

} // namespace GridMetrics
} // namespace grid
