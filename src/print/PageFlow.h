#pragma once

#include "SheetFlow.h"

#include <QList>
#include <QString>
#include <QVector>
#include <functional>

class PagePrinter;
namespace grid { class SpreadModel; }

// Places the grids of a section page down its sheets so that none hides
// another: a block starts at its own top or just below the block placed
// before it, whichever is lower, and what no longer fits continues on a new
// sheet that starts with the page head again, then "(continued)" and the
// grid's column headings. When everything fits, every block sits exactly at
// its own top. The cursor is a SheetFlow in twips, as the reports' is in
// device units.
class PageFlow
{
public:
    // Prints the head of a sheet (its header lines) and returns the y, in
    // twips, where the sheet's content may begin.
    using HeadPrinter = std::function<double(PagePrinter &)>;

    // Prints the head of the first sheet. gap: the space left between a block
    // and one pushed down below it.
    PageFlow(PagePrinter &printer, HeadPrinter head, double gap);

    // The grid's rows from x = left, at top or below the last block; the rows
    // that do not fit continue on new sheets, every row printed once. Rows
    // joined by a row span stay on one sheet; a group taller than a whole
    // sheet is cut between two lines of text and continues on the next sheet.
    // headingRows are the grid's column headings (1-based, in order): a sheet
    // it continues on repeats them under the continued mark, so the sheet can
    // be read alone.
    void placeGrid(const grid::SpreadModel &grid, double top, double left, const QList<int> &headingRows = {});

    // The rows from fromRow on of a grid whose first rows another layout has
    // printed: on a new sheet, under the continued mark and the heading rows,
    // then flowing on as placeGrid does.
    void continueGrid(const grid::SpreadModel &grid, int fromRow, double left, const QList<int> &headingRows);

    // Grids side by side on this sheet from top, each from its left to the
    // sheet's right edge plus overhang, as much of each as the sheet holds;
    // the rest of each continues on sheets of its own, one grid after the
    // other, as continueGrid does. Returns whether every grid ended above
    // endAbove on this sheet, so that what follows may share it.
    struct Column
    {
        const grid::SpreadModel *grid = nullptr;
        double left = 0;
        QList<int> headingRows = {};
    };
    bool placeBeside(const QVector<Column> &columns, double top, double overhang, double endAbove);

    // Ends the current sheet: what is placed next starts a sheet of its own.
    void breakSheet() { m_flow.newSheet(); }

    // A bold line of text at top or below the last block, kept on one sheet.
    void placeLine(const QString &text, double top, double left);

    // Room for height twips of the caller's own drawing at top or below the
    // last block: the y where it goes, on a new sheet when it does not fit on
    // this one.
    double reserve(double top, double height) { return m_flow.reserve(top, height); }

    // The line a sheet a grid continues on opens with; "(continued)" unless set.
    void setContinuedMark(const QString &mark) { m_continuedMark = mark; }

    double end() const { return m_flow.end(); }   // below the last block, on the current sheet
    int sheet() const { return m_flow.sheet(); }  // 1-based
    double contentTop() const { return m_flow.contentTop(); }

private:
    // Opens a new sheet for the rest of a grid: the continued mark and the
    // grid's heading rows; returns the y below them.
    double openContinuation(const grid::SpreadModel &grid, double left, const QList<int> &headingRows);
    // Places rows from row on at y; sheetTop is where the grid's rows may
    // begin on the current sheet.
    void placeRows(const grid::SpreadModel &grid, int row, double y, double sheetTop, double left,
                   const QList<int> &headingRows);
    double groupHeight(const QVector<double> &heights, int first, int last) const;
    // Rows first..last, taller than a sheet, cut into slices between lines of
    // text, one slice per sheet from y on, each later slice under the
    // continued mark; returns the y below the last slice.
    double placeSlices(const grid::SpreadModel &grid, int first, int last, double height, double y, double left,
                       const QList<int> &headingRows);

    PagePrinter &m_printer;
    QString m_continuedMark = QStringLiteral("(continued)");
    SheetFlow m_flow;
};
