#pragma once

#include "SpreadGrid.h"

#include <QWidget>

// Calls visit(grid, col, row, cell) for every cell of every grid of a screen
// the user could change: unlocked, in a column that shows, and the first
// cell of its span. Each cell is read afresh, so an edit that locks or
// unlocks later cells is seen as the user would see it.
template <class Visit>
void forEachEditableCell(QWidget &screen, Visit &&visit)
{
    for (grid::SpreadGrid *grid : screen.findChildren<grid::SpreadGrid *>()) {
        const grid::SpreadModel &cells = grid->cells();
        for (int row = 1; row <= cells.maxRows(); ++row)
            for (int col = 1; col <= cells.maxCols(); ++col) {
                const grid::CellSpec &cell = cells.cell(col, row);
                if (!cell.locked && !cells.isColHidden(col) && cells.spanAt(col, row).topLeft() == QPoint(col, row))
                    visit(grid, col, row, cell);
            }
    }
}

// Types text into every text cell of a screen the user could type into, as
// the cell editor stores it (cut to the cell's length). Returns how many
// cells took it.
inline int typeIntoEveryTextCell(QWidget &screen, const QString &text)
{
    int typed = 0;
    forEachEditableCell(screen, [&](grid::SpreadGrid *grid, int col, int row, const grid::CellSpec &cell) {
        if (cell.type == grid::CellType::Edit)
            typed += grid->model()->setData(grid->model()->index(row - 1, col - 1),
                                            cell.maxLength > 0 ? text.left(cell.maxLength) : text, Qt::EditRole);
    });
    return typed;
}
