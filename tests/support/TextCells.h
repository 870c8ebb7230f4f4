#pragma once

#include "SpreadGrid.h"

#include <QWidget>

// Types text into every text cell of a screen the user could type into, as
// the cell editor stores it (cut to the cell's length). Returns how many
// cells took it.
inline int typeIntoEveryTextCell(QWidget &screen, const QString &text)
{
    int typed = 0;
    for (grid::SpreadGrid *grid : screen.findChildren<grid::SpreadGrid *>()) {
        grid::SpreadModel &cells = grid->cells();
        for (int row = 1; row <= cells.maxRows(); ++row) {
            for (int col = 1; col <= cells.maxCols(); ++col) {
                const grid::CellSpec &cell = cells.cell(col, row);
                if (cell.type != grid::CellType::Edit || cell.locked || cells.isColHidden(col)
                    || cells.spanAt(col, row).topLeft() != QPoint(col, row))
                    continue;
                const QString cut = cell.maxLength > 0 ? text.left(cell.maxLength) : text;
                typed += grid->model()->setData(grid->model()->index(row - 1, col - 1), cut, Qt::EditRole);
            }
        }
    }
    return typed;
}
