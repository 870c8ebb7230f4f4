#pragma once

#include <QString>

class PagePrinter;
namespace grid { class SpreadModel; }

// The printed page of the two Section 3b screens: a 12-point header with the
// screen's caption, the learner line, and the grid of the tab showing, from
// x 300 at y 800. A grid longer than the sheet runs on to further sheets,
// each headed again, so no line of it is left off the paper.
namespace Section3bPage {

void print(PagePrinter &printer, const QString &caption, const grid::SpreadModel &showing);

} // namespace Section3bPage
