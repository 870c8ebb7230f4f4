#pragma once

#include "SpreadGrid.h"

#include <QHeaderView>

// A grid of fixed rows above a screen's main grid takes just the height of
// its rows, so the main grid gets the rest of the screen.
inline void fitGridHeightToRows(grid::SpreadGrid *grid)
{
    grid->applyLayout();
    grid->setFixedHeight(grid->verticalHeader()->length() + 2 * grid->frameWidth());
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}
