#pragma once

#include "CellSpec.h"

#include <QColor>

namespace grid {

// A row the screen shows as picked: its cells from firstCol to lastCol drawn
// in the mark's colour and bold. It belongs to the view, never to the cells,
// so the page painter (which reads only the cells) prints the row as it is.
struct RowMark
{
    int row = 0;        // 1-based; 0 when no row is marked
    int firstCol = 0;
    int lastCol = 0;
    QColor color = QColor(0, 0, 255);

    bool isSet() const { return row > 0; }
    bool covers(int col, int r) const { return isSet() && r == row && col >= firstCol && col <= lastCol; }

    // The cell as the screen shows it at (col, r).
    CellSpec shown(const CellSpec &cell, int col, int r) const
    {
        if (!covers(col, r))
            return cell;
        CellSpec marked = cell;
        marked.foreColor = color;
        marked.bold = true;
        return marked;
    }
};

} // namespace grid
