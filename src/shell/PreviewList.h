#pragma once

#include "CellSpec.h"

#include <QObject>
#include <QStringList>
#include <QVector>

namespace grid { class SpreadGrid; }

// A preview grid: fixed rows at the top, then entry rows the user fills only
// through the screen's Add button and empties with its Remove button. The
// grid refuses typed keys; a click (or moving the active cell) shows the
// active entry row in blue and bold; every addition and removal is reported
// as a change. Entries are never dropped or written into the fixed rows: a
// row is appended when a column has no free row, and the row count never
// falls below the last row holding text (plus one empty row when the list
// keeps one at its end).
class PreviewList : public QObject
{
    Q_OBJECT
public:
    // How the list ends: with one row empty in every entry column (lists
    // filled column by column), or right after its last entry.
    enum class End { EmptyRow, LastEntry };

    // Entry rows start at firstEntryRow; the entry columns are firstCol to lastCol.
    PreviewList(grid::SpreadGrid *grid, int firstEntryRow, int firstCol, int lastCol, End end,
                QObject *parent = nullptr);

    grid::SpreadGrid *grid() const { return m_grid; }
    int firstEntryRow() const { return m_firstRow; }
    int rowCount() const;

    // The cell every entry row has in col (type, lock, limit, colours); rows
    // added later take it too.
    void setEntryCell(int col, const grid::CellSpec &spec);

    // The columns an addition fills independently (all entry columns unless
    // set): placeInColumn sizes the list by their first free rows, so a
    // column the user only chooses from (a level) never adds rows.
    void setIndependentColumns(const QList<int> &columns) { m_independent = columns; }

    // The first entry row whose cell in col is blank; 0 when none is.
    int checkAvailableRow(int col) const;
    // The last entry row with text in any entry column; 0 when none has.
    int lastRowWithText() const;

    // Puts text, untouched, into the first free row of col (appending a row
    // when none is free) and returns that row. The row count becomes one more
    // than the larger of that row and the other independent columns' first
    // free rows, and
    // never less than one more than the last row holding text.
    int placeInColumn(int col, const QString &text);
    // Appends one entry row holding texts (from firstCol on) and returns it.
    int appendEntry(const QStringList &texts);
    // Removes the active row when it is an entry row, then leaves no row
    // active; false (and nothing changes) on a fixed row or with none active.
    bool removeActiveRow();

    // Shows row in blue and bold on screen, and no other; rows above the
    // entries change nothing. The pick is the grid's, not the cells': the
    // printed page shows every entry alike.
    void selectRow(int row);
    // The entry row shown picked; 0 when none is.
    int selectedRow() const;

    // The texts of every entry row, top to bottom (blank rows included).
    QVector<QStringList> entries() const;
    // Replaces the entries by rows (as loaded from the store); the list then
    // ends as its End says.
    void setEntries(const QVector<QStringList> &rows);

    static QColor selectedColor() { return QColor(0, 0, 255); }

Q_SIGNALS:
    // An entry was added or removed.
    void changed();

private:
    int entryColumns() const { return m_lastCol - m_firstCol + 1; }
    bool rowHasText(int row) const;
    void showNoRowSelected();
    void setRowCount(int rows);
    // The row count the list's end asks for, given the rows that must stay.
    int endingRowCount(int atLeast) const;

    grid::SpreadGrid *m_grid;
    int m_firstRow;
    int m_firstCol;
    int m_lastCol;
    End m_end;
    QList<int> m_independent;
};
