#pragma once

#include "SpreadGrid.h"

// The headings and fixed-text grids the Stage 2 screens are built from.
namespace FixedTextGrids {

// A grid of one column holding fixed text (headings, read-only lists).
inline grid::SpreadGrid *oneColumn(const char *name, int rows, double width, QWidget *parent)
{
    auto *grid = new grid::SpreadGrid(1, rows, parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->cells().setColWidth(1, width);
    return grid;
}

// A bold fixed text on the label grey, spanning spanCols columns from col.
inline void boldLabel(grid::SpreadModel &cells, int col, int row, const QString &text, int spanCols = 1)
{
    cells.setLabel(col, row, text);
    cells.setBold(col, row, true);
    if (spanCols > 1)
        cells.addSpan(col, row, spanCols, 1);
}

} // namespace FixedTextGrids
