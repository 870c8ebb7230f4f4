#pragma once

#include "SpreadModel.h"

// Rows of a paper form that run across the whole grid: a fixed text (a
// heading or a question) and an answer text cell.
namespace FormRows {

inline void label(grid::SpreadModel &cells, int row, const QString &text, bool bold = false)
{
    cells.setLabel(1, row, text);
    cells.setBold(1, row, bold);
    cells.addSpan(1, row, cells.maxCols(), 1);
}

// An empty answer still shows room for a few lines; its text makes it grow.
inline void answer(grid::SpreadModel &cells, int row, int maxLength)
{
    cells.setEdit(1, row, maxLength);
    cells.addSpan(1, row, cells.maxCols(), 1);
    cells.setMinRowHeight(row, 36);
}

} // namespace FormRows
