#pragma once

#include "CellSpec.h"

#include <QAbstractTableModel>
#include <QPair>
#include <QPoint>
#include <QRect>
#include <QVector>
#include <initializer_list>

#include <functional>

namespace grid {

// The cells of one spread grid, addressed 1-based as (column, row), as the
// screens speak of them. Holds texts, cell types, locks, spans, colours, column
// widths and row heights; the view (SpreadGrid) and the page painter
// (GridPagePainter) both read it.
//
// Programmatic changes (setText and friends) emit no cellEdited: only a change
// the user makes through the view does, so loading a grid never marks a screen
// as changed.
class SpreadModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit SpreadModel(int maxCols, int maxRows, QObject *parent = nullptr);

    int maxCols() const { return m_cols; }
    int maxRows() const { return m_rows; }
    void setMaxCols(int cols);
    void setMaxRows(int rows);          // grows with empty default cells or drops rows

    // Cells ---------------------------------------------------------------
    const CellSpec &cell(int col, int row) const;
    void setCell(int col, int row, const CellSpec &spec);

    QString text(int col, int row) const;
    void setText(int col, int row, const QString &text);  // kept whole: limits bind typing

    // Convenience setters of a cell's type; they keep the cell's text and colours.
    void setStatic(int col, int row, const QString &text);
    // A form's fixed text: static, locked, on the label grey.
    void setLabel(int col, int row, const QString &text);
    // Locks a block of cells and greys it, as label cells are.
    void setLabelBlock(int col1, int row1, int col2, int row2);
    void setEdit(int col, int row, int maxLength, bool wordWrap = true);
    // A check box, unticked ("0"), with an optional caption shown beside it.
    void setCheckBox(int col, int row, const QString &caption = QString());
    void setComboBox(int col, int row, const QStringList &items);
    void setComboBoxTabText(int col, int row, const QString &tabSeparatedItems);
    void setDate(int col, int row, const QDate &min, const QDate &max);
    void setInteger(int col, int row, int min, int max);
    void setButton(int col, int row, const QString &caption);

    // Applies to the block of cells (col1,row1)-(col2,row2), inclusive.
    void setLocked(int col, int row, bool locked);
    void setBlockLocked(int col1, int row1, int col2, int row2, bool locked);
    bool isLocked(int col, int row) const;
    void setBackColor(int col, int row, const QColor &color);
    void setBlockBackColor(int col1, int row1, int col2, int row2, const QColor &color);
    void setForeColor(int col, int row, const QColor &color);
    void setBlockForeColor(int col1, int row1, int col2, int row2, const QColor &color);
    void setBold(int col, int row, bool bold);
    void setBlockBold(int col1, int row1, int col2, int row2, bool bold);
    void setAlignment(int col, int row, Qt::Alignment alignment);

    // Empties the texts of the block (types, locks and colours stay).
    void clearText(int col1, int row1, int col2, int row2);

    // Spans ---------------------------------------------------------------
    void addSpan(int col, int row, int numCols, int numRows);
    void removeSpan(int col, int row);
    // The span holding (col,row) as QRect(col, row, numCols, numRows); a single
    // cell's own rectangle when it is in none.
    QRect spanAt(int col, int row) const;
    const QVector<QRect> &spans() const { return m_spans; }

    // Sizes ---------------------------------------------------------------
    // Column widths are in the grid's character units (one unit is the width of
    // an average character of a grid control's standard font, 100 twips); 0 hides the column.
    void setColWidth(int col, double units);
    // Widths of the columns from the first on, in order.
    void setColWidths(std::initializer_list<double> units);
    double colWidth(int col) const;
    bool isColHidden(int col) const { return colWidth(col) <= 0.0; }
    // Row heights in points; 0 (the default) means "fit the wrapped contents".
    void setRowHeight(int row, double points);
    double rowHeight(int row) const;
    // A row fitted to its contents is at least this tall (points), so an
    // empty answer still shows room for several lines; text makes it grow.
    void setMinRowHeight(int row, double points);
    double minRowHeight(int row) const;

    // Column titles, shown only by a grid whose header band is visible.
    void setHeaderText(int col, const QString &text);
    QString headerText(int col) const;

    // Rows ----------------------------------------------------------------
    void insertRow(int beforeRow);   // an empty row of template cells
    void deleteRow(int row);         // rows below move up
    // The cell a row added at run time (insertRow, setMaxRows growing) gets in
    // a column: type, lock, limit and colours, without text. Columns without a
    // template get default cells.
    void setNewRowTemplate(int col, const CellSpec &spec);
    CellSpec newRowCell(int col) const;

    // Search: the first column in [colFirst, colLast] of row whose text matches
    // (partial: contains, ignoring case; otherwise equal ignoring case); -1 if none.
    int searchRow(int row, int colFirst, int colLast, const QString &text, bool partial) const;

    // Qt model interface (0-based) -----------------------------------------
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Choices -------------------------------------------------------------
    // Check box cells that exclude each other (a yes/no pair, a three-way
    // choice): the user ticking one unticks the others, and the tick is a change
    // of the grid like any other. Unticking leaves the others as they are, so a
    // choice can be left open. Setting texts from code (a load) is not policed:
    // the store says which box is ticked. Groups stay where they were declared;
    // they belong to fixed form rows.
    void addChoiceGroup(const QVector<QPoint> &cells);
    // Two captioned check boxes, "Yes" in yesCol and "No" in noCol, as one choice.
    void setYesNoPair(int row, int yesCol, int noCol);
    // A choice of captioned check boxes along one row, each unticked.
    void setChoiceRow(int row, const QVector<QPair<int, QString>> &boxes);
    // The cells the user's tick of (col,row) unticks; empty when it is in no group.
    QVector<QPoint> choicePartners(int col, int row) const;

    // An answer cell switched on or off in one step: off locks it and shows it
    // grey, on unlocks it and shows it white; the text stays black either way.
    // Views close an editor open on the cell when it is switched off.
    void setCellEnabled(int col, int row, bool enabled);
    bool isCellEnabled(int col, int row) const { return !isLocked(col, row); }

    static constexpr QRgb LabelGrey = 0xFFE9E9E9;   // RGB 233,233,233

    // Gathers the cell changes made while it lives into one notice to the
    // views, sent when the outermost guard ends: a fill of thousands of rows
    // is then measured and drawn once, not cell by cell.
    class BulkChange
    {
    public:
        explicit BulkChange(SpreadModel &model);
        ~BulkChange();
        BulkChange(const BulkChange &) = delete;
        BulkChange &operator=(const BulkChange &) = delete;

    private:
        SpreadModel &m_model;
    };

Q_SIGNALS:
    // The user changed a cell's value through the view.
    void cellEdited(int col, int row);
    // The layout changed (sizes, spans, row count): views re-apply it.
    void layoutInvalidated();
    // setCellEnabled switched the cell off: an editor open on it must close.
    void cellDisabled(int col, int row);

private:
    CellSpec &mutableCell(int col, int row);
    void untickPartners(int col, int row);
    bool valid(int col, int row) const;
    void emitCellChanged(int col, int row);
    // Tells the views that the cells of block (1-based) changed, or gathers
    // it while a BulkChange lives.
    void notifyChanged(const QRect &block);
    // Applies change to every cell of the block that lies inside the grid.
    void changeBlock(int col1, int row1, int col2, int row2,
                     const std::function<void(CellSpec &)> &change);

    int m_cols;
    int m_rows;
    QVector<CellSpec> m_cells;     // row-major
    QVector<QRect> m_spans;
    int m_bulkDepth = 0;
    QRect m_bulkChanged;
    QVector<double> m_colWidths;
    QVector<double> m_rowHeights;
    QVector<double> m_minRowHeights;
    QStringList m_headers;
    QVector<QVector<QPoint>> m_choiceGroups;   // (col,row) cells of each exclusive choice
    QVector<CellSpec> m_newRowTemplate;   // per column; empty when none was set
};

} // namespace grid
