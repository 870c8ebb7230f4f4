#pragma once

#include <QList>
#include <QString>

class PagePrinter;
namespace grid { class SpreadModel; }

// The printed page of the two Section 3b screens: a 12-point header with the
// screen's caption, the learner line, the name of the tab showing (the
// support area or action the sheet is about), and that tab's grid from x 300
// below it. A grid longer than the sheet runs on to further sheets, each
// headed again, so no line of it is left off the paper.
namespace Section3bPage {

// headingRows: the grid's column headings, repeated on a sheet it continues on.
void print(PagePrinter &printer, const QString &caption, const QString &tab, const grid::SpreadModel &showing,
           const QList<int> &headingRows);

} // namespace Section3bPage
