#pragma once

#include "RowMark.h"
#include "SpreadModel.h"

#include <QTableView>

namespace grid {

// The on-screen spread grid: a table view over a SpreadModel that edits each
// cell with the editor of its type, hides its header bands, sizes columns in
// the model's character units and grows rows to their wrapped texts.
class SpreadGrid : public QTableView
{
    Q_OBJECT
public:
    explicit SpreadGrid(int maxCols, int maxRows, QWidget *parent = nullptr);

    SpreadModel *spreadModel() const { return m_model; }
    SpreadModel &cells() const { return *m_model; }

    // The active cell, 1-based; (0,0) when none.
    int activeCol() const;
    int activeRow() const;
    void setActiveCell(int col, int row);   // also scrolls to it

    // When set, every key typed into the grid is discarded (lists the user only
    // picks from or clicks in); Enter and Space on a cell then pick it as a
    // click does (cellClicked).
    void setKeysDiscarded(bool discarded) { m_keysDiscarded = discarded; }
    bool keysDiscarded() const { return m_keysDiscarded; }

    // The row shown as picked (blue and bold) on screen only: the cells keep
    // their own look, so printing never shows it. The mark follows its row as
    // rows are inserted above it and goes when its row is removed.
    void setRowMark(const RowMark &mark);
    void clearRowMark() { setRowMark(RowMark()); }
    const RowMark &rowMark() const { return m_mark; }

    // Width in pixels of one column unit on this screen.
    double unitWidth() const;

    // Re-applies spans, column widths and row heights from the model.
    void applyLayout();

    // A grid fitted to its contents asks its layout for exactly the size of
    // its cells and never scrolls: a form of fixed rows reads like paper, and
    // the screen around it scrolls instead.
    void setFitToContents(bool fit);
    bool fitsToContents() const { return m_fitToContents; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Shows the band of column titles (SpreadModel::setHeaderText); hidden by default.
    void setColumnHeaderVisible(bool visible);

    // Switches an answer cell on or off (SpreadModel::setCellEnabled); an
    // editor open on a cell switched off closes and its typing is dropped.
    void setCellEnabled(int col, int row, bool enabled) { m_model->setCellEnabled(col, row, enabled); }

    // Whether a cell's editor is open.
    bool isEditing() const { return state() == EditingState; }
    // Hands an open editor's text to its cell (reported as the user's change)
    // and closes the editor; nothing happens when none is open. Screens call
    // it before they save, print or close, so no typed text is lost.
    void commitEditor();

    // Fits the rows whose texts changed now instead of when the event loop
    // next runs (a window measuring its grids before it is shown).
    void fitPendingRowsNow() { fitPendingRows(); }

    // A cell Tab stops at: visible, not locked, and one the user changes
    // (text, number, list, date, check box or button).
    bool isTabStop(int col, int row) const;

    // Opening a cell's editor from code stays public beside the override below.
    using QAbstractItemView::edit;

    // Opens the editor of a list cell (a level) with its list shown, also in
    // a grid that takes no typing; false when the cell is no list the user
    // may change. A click on the cell, F4 and Alt+Down do it.
    bool openList(int col, int row);

    // Typing a letter never jumps to a cell that starts with it.
    void keyboardSearch(const QString &search) override;

Q_SIGNALS:
    void cellClicked(int col, int row);
    // A Button cell was pressed or a CheckBox cell toggled by the user.
    void buttonClicked(int col, int row);
    // Any user change of a cell's value (edit, list, date, number, check box).
    void cellChanged(int col, int row);
    // A key press reached the grid (before it is discarded, if it is).
    void keyPressed(int key);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    // Tab and Shift+Tab walk the tab-stop cells, then leave the grid.
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent *event) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    // The next tab stop after (or before) index in reading order; invalid when none.
    QModelIndex nextTabStop(const QModelIndex &from, bool forward) const;
    // Moves focus on to the widget after (or before) the grid.
    void leaveGrid(bool forward);
    // A fitted grid lives in a scrolling page: keep the active cell in view.
    void showCurrentInPage();

    void applyColumnsAndSpans();
    void closeEditorOn(int col, int row);
    bool isListCell(const QModelIndex &index) const;
    // Row heights follow the texts; changes are gathered and fitted once the
    // event loop runs, so loading a grid cell by cell measures each row once.
    void scheduleFit(int firstRow, int lastRow);
    void fitPendingRows();
    void fitRows(int firstRow, int lastRow);
    // Sets the heights of rows firstRow on, in pixels rounded up.
    void applyRowHeights(int firstRow, const QVector<double> &heights);
    static constexpr int ManyRows = 200;

    // Keeps the mark on its row while rows come and go.
    void followRowsInserted(int first, int last);
    void followRowsRemoved(int first, int last);

    SpreadModel *m_model;
    RowMark m_mark;
    bool m_keysDiscarded = false;
    bool m_fitToContents = false;
    bool m_fitScheduled = false;
    int m_fitFirst = 0;     // pending rows, 1-based; 0 when none
    int m_fitLast = 0;
};

} // namespace grid
