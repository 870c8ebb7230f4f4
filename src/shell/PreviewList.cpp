#include "PreviewList.h"

#include "SpreadGrid.h"

#include <QItemSelectionModel>

using grid::SpreadModel;

PreviewList::PreviewList(grid::SpreadGrid *grid, int firstEntryRow, int firstCol, int lastCol, End end,
                         QObject *parent)
    : QObject(parent)
    , m_grid(grid)
    , m_firstRow(firstEntryRow)
    , m_firstCol(firstCol)
    , m_lastCol(lastCol)
    , m_end(end)
{
    m_grid->setKeysDiscarded(true);
    connect(m_grid, &grid::SpreadGrid::cellClicked, this, [this](int, int row) { selectRow(row); });
    // The keyboard moves the active cell; the highlight follows it, so Remove
    // takes out the row the user sees marked.
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    selectRow(current.row() + 1);
            });
}

int PreviewList::rowCount() const
{
    return m_grid->cells().maxRows();
}

void PreviewList::setEntryCell(int col, const grid::CellSpec &spec)
{
    SpreadModel &cells = m_grid->cells();
    cells.setNewRowTemplate(col, spec);
    for (int row = m_firstRow; row <= rowCount(); ++row) {
        grid::CellSpec cell = spec;
        cell.text = cells.text(col, row);
        cells.setCell(col, row, cell);
    }
}

int PreviewList::checkAvailableRow(int col) const
{
    const SpreadModel &cells = m_grid->cells();
    for (int row = m_firstRow; row <= rowCount(); ++row) {
        if (cells.text(col, row).trimmed().isEmpty())
            return row;
    }
    return 0;
}

bool PreviewList::rowHasText(int row) const
{
    for (int col = m_firstCol; col <= m_lastCol; ++col) {
        if (!m_grid->cells().text(col, row).trimmed().isEmpty())
            return true;
    }
    return false;
}

int PreviewList::lastRowWithText() const
{
    for (int row = rowCount(); row >= m_firstRow; --row) {
        if (rowHasText(row))
            return row;
    }
    return 0;
}

void PreviewList::setRowCount(int rows)
{
    m_grid->cells().setMaxRows(qMax(rows, m_firstRow - 1));
    m_grid->applyLayout();
}

int PreviewList::endingRowCount(int atLeast) const
{
    const int last = qMax(lastRowWithText(), m_firstRow - 1);
    const int kept = m_end == End::EmptyRow ? last + 1 : last;
    return qMax(atLeast, kept);
}

int PreviewList::placeInColumn(int col, const QString &text)
{
    int row = checkAvailableRow(col);
    if (row == 0) {
        row = qMax(rowCount() + 1, m_firstRow);
        setRowCount(row);
    }
    m_grid->cells().setText(col, row, text);

    int wanted = row + 1;
    for (int other = m_firstCol; other <= m_lastCol; ++other) {
        if (other != col && (m_independent.isEmpty() || m_independent.contains(other)))
            wanted = qMax(wanted, checkAvailableRow(other) + 1);
    }
    setRowCount(endingRowCount(wanted));
    Q_EMIT changed();
    return row;
}

int PreviewList::appendEntry(const QStringList &texts)
{
    const int row = qMax(rowCount() + 1, m_firstRow);
    setRowCount(row);
    for (int i = 0; i < texts.size() && m_firstCol + i <= m_lastCol; ++i)
        m_grid->cells().setText(m_firstCol + i, row, texts.at(i));
    Q_EMIT changed();
    return row;
}

bool PreviewList::removeActiveRow()
{
    const int row = m_grid->activeRow();
    if (row < m_firstRow || row > rowCount())
        return false;
    m_grid->cells().deleteRow(row);
    // A list that ends with an empty row keeps one after the removal.
    setRowCount(endingRowCount(rowCount()));
    // Nothing stays picked: the row that moved up into the removed one's place
    // is not what the user chose, and a second Remove must not take it unseen.
    showNoRowSelected();
    m_grid->setCurrentIndex(QModelIndex());
    m_grid->clearSelection();
    Q_EMIT changed();
    return true;
}

void PreviewList::selectRow(int row)
{
    if (row < m_firstRow || row > rowCount())
        return;
    grid::RowMark mark;
    mark.row = row;
    mark.firstCol = m_firstCol;
    mark.lastCol = m_lastCol;
    mark.color = selectedColor();
    m_grid->setRowMark(mark);
}

int PreviewList::selectedRow() const
{
    return m_grid->rowMark().row;
}

void PreviewList::showNoRowSelected()
{
    m_grid->clearRowMark();
}

QVector<QStringList> PreviewList::entries() const
{
    QVector<QStringList> rows;
    for (int row = m_firstRow; row <= rowCount(); ++row) {
        QStringList texts;
        for (int col = m_firstCol; col <= m_lastCol; ++col)
            texts.append(m_grid->cells().text(col, row));
        rows.append(texts);
    }
    return rows;
}

void PreviewList::setEntries(const QVector<QStringList> &rows)
{
    setRowCount(m_firstRow - 1);
    setRowCount(m_firstRow - 1 + int(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList &texts = rows.at(i);
        for (int c = 0; c < texts.size() && m_firstCol + c <= m_lastCol; ++c)
            m_grid->cells().setText(m_firstCol + c, m_firstRow + i, texts.at(c));
    }
    if (m_end == End::EmptyRow)
        setRowCount(rowCount() + 1);
}
