#include "SpreadModel.h"

#include "TextLimit.h"
#include "TextRoutines.h"

#include <QBrush>
#include <QFont>

namespace grid {

namespace {

constexpr double DefaultColWidth = 9.0;   // character units

const QString DateFormat = QStringLiteral("dd/MM/yyyy");

// A user's value for a cell, as the cell would hold it; false when the cell
// refuses it (out of range, not in the list, not a date).
bool acceptedValue(const CellSpec &cell, const QVariant &value, QString &result)
{
    const QString s = value.toString();
    switch (cell.type) {
    case CellType::Static:
    case CellType::Button:
        return false;
    case CellType::Edit:
        // The limit binds what the user types; a longer loaded text may be
        // shortened by an edit, never lengthened.
        result = TextLimit::accepted(s, cell.maxLength, cell.text);
        return true;
    case CellType::CheckBox:
        if (s != QLatin1String("1") && s != QLatin1String("0"))
            return false;
        result = s;
        return true;
    case CellType::ComboBox:
        if (!s.isEmpty() && !cell.items.contains(s))
            return false;
        result = s;
        return true;
    case CellType::Date: {
        if (s.trimmed().isEmpty()) {
            result.clear();
            return true;
        }
        const QDate date = value.typeId() == QMetaType::QDate
                ? value.toDate()
                : QDate::fromString(s.trimmed(), DateFormat);
        if (!date.isValid())
            return false;
        if ((cell.minDate.isValid() && date < cell.minDate)
            || (cell.maxDate.isValid() && date > cell.maxDate))
            return false;
        result = date.toString(DateFormat);
        return true;
    }
    case CellType::Integer: {
        const QString t = s.trimmed();
        if (t.isEmpty()) {
            result.clear();
            return true;
        }
        bool ok = false;
        const int n = t.toInt(&ok);
        if (!ok || n < cell.minValue || n > cell.maxValue)
            return false;
        result = QString::number(n);
        return true;
    }
    }
    return false;
}

// The text a view shows: line breaks as the layout expects them.
QString displayed(const QString &text)
{
    return plainLineBreaks(text);
}

} // namespace

SpreadModel::SpreadModel(int maxCols, int maxRows, QObject *parent)
    : QAbstractTableModel(parent)
    , m_cols(qMax(0, maxCols))
    , m_rows(qMax(0, maxRows))
    , m_cells(m_cols * m_rows)
    , m_colWidths(m_cols, DefaultColWidth)
    , m_rowHeights(m_rows, 0.0)
    , m_minRowHeights(m_rows, 0.0)
{
}

// Sizes --------------------------------------------------------------------

void SpreadModel::setMaxCols(int cols)
{
    cols = qMax(0, cols);
    if (cols == m_cols)
        return;
    QVector<CellSpec> cells(cols * m_rows);
    const int kept = qMin(cols, m_cols);
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; c < kept; ++c)
            cells[r * cols + c] = m_cells[r * m_cols + c];

    if (cols > m_cols)
        beginInsertColumns(QModelIndex(), m_cols, cols - 1);
    else
        beginRemoveColumns(QModelIndex(), cols, m_cols - 1);
    const bool grew = cols > m_cols;
    m_cells = cells;
    m_cols = cols;
    m_colWidths.resize(cols);
    if (m_headers.size() > cols)
        m_headers.resize(cols);
    for (int c = kept; c < cols; ++c)
        m_colWidths[c] = DefaultColWidth;
    // Spans are cut back to the columns that remain.
    QVector<QRect> spans;
    for (QRect s : std::as_const(m_spans)) {
        if (s.left() > cols)
            continue;
        if (s.right() > cols)
            s.setRight(cols);
        if (s.width() * s.height() > 1)
            spans.append(s);
    }
    m_spans = spans;
    if (grew)
        endInsertColumns();
    else
        endRemoveColumns();
    Q_EMIT layoutInvalidated();
}

void SpreadModel::setMaxRows(int rows)
{
    rows = qMax(0, rows);
    if (rows == m_rows)
        return;
    if (rows > m_rows) {
        beginInsertRows(QModelIndex(), m_rows, rows - 1);
        m_cells.reserve(rows * m_cols);
        for (int r = m_rows; r < rows; ++r)
            for (int c = 1; c <= m_cols; ++c)
                m_cells.append(newRowCell(c));
        m_rowHeights.resize(rows);
        m_minRowHeights.resize(rows);
        m_rows = rows;
        endInsertRows();
    } else {
        beginRemoveRows(QModelIndex(), rows, m_rows - 1);
        m_cells.resize(rows * m_cols);
        m_rowHeights.resize(rows);
        m_minRowHeights.resize(rows);
        m_rows = rows;
        QVector<QRect> spans;
        for (QRect s : std::as_const(m_spans)) {
            if (s.top() > rows)
                continue;
            if (s.bottom() > rows)
                s.setBottom(rows);
            if (s.width() * s.height() > 1)
                spans.append(s);
        }
        m_spans = spans;
        endRemoveRows();
    }
    Q_EMIT layoutInvalidated();
}

// Cells --------------------------------------------------------------------

bool SpreadModel::valid(int col, int row) const
{
    return col >= 1 && col <= m_cols && row >= 1 && row <= m_rows;
}

const CellSpec &SpreadModel::cell(int col, int row) const
{
    static const CellSpec none;
    return valid(col, row) ? m_cells[(row - 1) * m_cols + (col - 1)] : none;
}

CellSpec &SpreadModel::mutableCell(int col, int row)
{
    Q_ASSERT(valid(col, row));
    return m_cells[(row - 1) * m_cols + (col - 1)];
}

void SpreadModel::emitCellChanged(int col, int row)
{
    notifyChanged(QRect(col, row, 1, 1));
}

void SpreadModel::notifyChanged(const QRect &block)
{
    if (m_bulkDepth > 0) {
        m_bulkChanged = m_bulkChanged.isNull() ? block : m_bulkChanged.united(block);
        return;
    }
    Q_EMIT dataChanged(index(block.top() - 1, block.left() - 1), index(block.bottom() - 1, block.right() - 1));
}

SpreadModel::BulkChange::BulkChange(SpreadModel &model)
    : m_model(model)
{
    ++m_model.m_bulkDepth;
}

SpreadModel::BulkChange::~BulkChange()
{
    if (--m_model.m_bulkDepth > 0 || m_model.m_bulkChanged.isNull())
        return;
    // Rows removed meanwhile are no longer there to be told of.
    const QRect block = m_model.m_bulkChanged.intersected(QRect(1, 1, m_model.m_cols, m_model.m_rows));
    m_model.m_bulkChanged = QRect();
    if (!block.isEmpty())
        m_model.notifyChanged(block);
}

void SpreadModel::setCell(int col, int row, const CellSpec &spec)
{
    if (!valid(col, row))
        return;
    CellSpec &c = mutableCell(col, row);
    c = spec;
    emitCellChanged(col, row);
}

QString SpreadModel::text(int col, int row) const
{
    return cell(col, row).text;
}

void SpreadModel::setText(int col, int row, const QString &text)
{
    if (!valid(col, row))
        return;
    CellSpec &c = mutableCell(col, row);
    // What the program puts into a cell (a loaded text) is kept whole: limits
    // bind typing only.
    if (c.text == text)
        return;
    c.text = text;
    emitCellChanged(col, row);
}

void SpreadModel::setStatic(int col, int row, const QString &text)
{
    if (!valid(col, row))
        return;
    CellSpec &c = mutableCell(col, row);
    c.type = CellType::Static;
    c.text = text;
    emitCellChanged(col, row);
}

void SpreadModel::setLabel(int col, int row, const QString &text)
{
    setStatic(col, row, text);
    setLabelBlock(col, row, col, row);
}

void SpreadModel::setLabelBlock(int col1, int row1, int col2, int row2)
{
    setBlockLocked(col1, row1, col2, row2, true);
    setBlockBackColor(col1, row1, col2, row2, QColor::fromRgb(LabelGrey));
}

void SpreadModel::setEdit(int col, int row, int maxLength, bool wordWrap)
{
    if (!valid(col, row))
        return;
    CellSpec &c = mutableCell(col, row);
    c.type = CellType::Edit;
    c.maxLength = qMax(0, maxLength);
    c.wordWrap = wordWrap;
    emitCellChanged(col, row);
}

void SpreadModel::setCheckBox(int col, int row, const QString &caption)
{
    if (!valid(col, row))
        return;
    CellSpec &c = mutableCell(col, row);
    c.type = CellType::CheckBox;
    c.buttonText = caption;
    if (c.text != QLatin1String("1"))
        c.text = QStringLiteral("0");
    emitCellChanged(col, row);
}

void SpreadModel::setComboBox(int col, int row, const QStringList &items)
{
    if (!valid(col, row))
        return;
    CellSpec &c = mutableCell(col, row);
    c.type = CellType::ComboBox;
    c.items = items;
    emitCellChanged(col, row);
}

void SpreadModel::setComboBoxTabText(int col, int row, const QString &tabSeparatedItems)
{
    // The list texts are built as "item<TAB>item<TAB>", so the last piece is empty.
    setComboBox(col, row, tabSeparatedItems.split(QLatin1Char('\t'), Qt::SkipEmptyParts));
}

void SpreadModel::setDate(int col, int row, const QDate &min, const QDate &max)
{
    if (!valid(col, row))
        return;
    CellSpec &c = mutableCell(col, row);
    c.type = CellType::Date;
    c.minDate = min;
    c.maxDate = max;
    emitCellChanged(col, row);
}

void SpreadModel::setInteger(int col, int row, int min, int max)
{
    if (!valid(col, row))
        return;
    CellSpec &c = mutableCell(col, row);
    c.type = CellType::Integer;
    c.minValue = min;
    c.maxValue = max;
    emitCellChanged(col, row);
}

void SpreadModel::setButton(int col, int row, const QString &caption)
{
    if (!valid(col, row))
        return;
    CellSpec &c = mutableCell(col, row);
    c.type = CellType::Button;
    c.buttonText = caption;
    emitCellChanged(col, row);
}

// Attributes of blocks -------------------------------------------------------

void SpreadModel::changeBlock(int col1, int row1, int col2, int row2,
                              const std::function<void(CellSpec &)> &change)
{
    const QRect block = QRect(QPoint(qMin(col1, col2), qMin(row1, row2)),
                              QPoint(qMax(col1, col2), qMax(row1, row2)))
                                .intersected(QRect(1, 1, m_cols, m_rows));
    if (block.isEmpty())
        return;
    for (int r = block.top(); r <= block.bottom(); ++r)
        for (int c = block.left(); c <= block.right(); ++c)
            change(mutableCell(c, r));
    notifyChanged(block);
}

void SpreadModel::setLocked(int col, int row, bool locked)
{
    setBlockLocked(col, row, col, row, locked);
}

void SpreadModel::setBlockLocked(int col1, int row1, int col2, int row2, bool locked)
{
    changeBlock(col1, row1, col2, row2, [locked](CellSpec &c) { c.locked = locked; });
}

bool SpreadModel::isLocked(int col, int row) const
{
    return cell(col, row).locked;
}

void SpreadModel::setBackColor(int col, int row, const QColor &color)
{
    setBlockBackColor(col, row, col, row, color);
}

void SpreadModel::setBlockBackColor(int col1, int row1, int col2, int row2, const QColor &color)
{
    changeBlock(col1, row1, col2, row2, [&color](CellSpec &c) { c.backColor = color; });
}

void SpreadModel::setForeColor(int col, int row, const QColor &color)
{
    setBlockForeColor(col, row, col, row, color);
}

void SpreadModel::setBlockForeColor(int col1, int row1, int col2, int row2, const QColor &color)
{
    changeBlock(col1, row1, col2, row2, [&color](CellSpec &c) { c.foreColor = color; });
}

void SpreadModel::setBold(int col, int row, bool bold)
{
    setBlockBold(col, row, col, row, bold);
}

void SpreadModel::setBlockBold(int col1, int row1, int col2, int row2, bool bold)
{
    changeBlock(col1, row1, col2, row2, [bold](CellSpec &c) { c.bold = bold; });
}

void SpreadModel::setAlignment(int col, int row, Qt::Alignment alignment)
{
    changeBlock(col, row, col, row, [alignment](CellSpec &c) { c.alignment = alignment; });
}

void SpreadModel::clearText(int col1, int row1, int col2, int row2)
{
    changeBlock(col1, row1, col2, row2, [](CellSpec &c) { c.text.clear(); });
}

// Spans --------------------------------------------------------------------

void SpreadModel::addSpan(int col, int row, int numCols, int numRows)
{
    if (!valid(col, row) || numCols < 1 || numRows < 1)
        return;
    const QRect span = QRect(col, row, numCols, numRows).intersected(QRect(1, 1, m_cols, m_rows));
    // A cell belongs to one span at most: a new span replaces those it overlaps.
    m_spans.removeIf([&](const QRect &s) { return s.intersects(span); });
    if (span.width() * span.height() > 1)
        m_spans.append(span);
    Q_EMIT layoutInvalidated();
}

void SpreadModel::removeSpan(int col, int row)
{
    const auto removed = m_spans.removeIf([&](const QRect &s) { return s.contains(col, row); });
    if (removed > 0)
        Q_EMIT layoutInvalidated();
}

QRect SpreadModel::spanAt(int col, int row) const
{
    for (const QRect &s : m_spans)
        if (s.contains(col, row))
            return s;
    return QRect(col, row, 1, 1);
}

// Column widths and row heights ----------------------------------------------

void SpreadModel::setColWidths(std::initializer_list<double> units)
{
    int col = 1;
    for (double width : units)
        setColWidth(col++, width);
}

void SpreadModel::setColWidth(int col, double units)
{
    if (col < 1 || col > m_cols)
        return;
    m_colWidths[col - 1] = qMax(0.0, units);
    Q_EMIT layoutInvalidated();
}

double SpreadModel::colWidth(int col) const
{
    return (col >= 1 && col <= m_cols) ? m_colWidths[col - 1] : 0.0;
}

void SpreadModel::setRowHeight(int row, double points)
{
    if (row < 1 || row > m_rows)
        return;
    m_rowHeights[row - 1] = qMax(0.0, points);
    Q_EMIT layoutInvalidated();
}

double SpreadModel::rowHeight(int row) const
{
    return (row >= 1 && row <= m_rows) ? m_rowHeights[row - 1] : 0.0;
}

void SpreadModel::setMinRowHeight(int row, double points)
{
    if (row < 1 || row > m_rows)
        return;
    m_minRowHeights[row - 1] = qMax(0.0, points);
    Q_EMIT layoutInvalidated();
}

double SpreadModel::minRowHeight(int row) const
{
    return (row >= 1 && row <= m_rows) ? m_minRowHeights[row - 1] : 0.0;
}

// Column titles --------------------------------------------------------------

void SpreadModel::setHeaderText(int col, const QString &text)
{
    if (col < 1 || col > m_cols)
        return;
    if (m_headers.size() < m_cols)
        m_headers.resize(m_cols);
    m_headers[col - 1] = text;
    Q_EMIT headerDataChanged(Qt::Horizontal, col - 1, col - 1);
}

QString SpreadModel::headerText(int col) const
{
    return m_headers.value(col - 1);
}

QVariant SpreadModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return headerText(section + 1);
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return section + 1;
    return {};
}

// Rows ---------------------------------------------------------------------

void SpreadModel::insertRow(int beforeRow)
{
    if (beforeRow < 1 || beforeRow > m_rows + 1)
        return;
    beginInsertRows(QModelIndex(), beforeRow - 1, beforeRow - 1);
    for (int c = m_cols; c >= 1; --c)
        m_cells.insert((beforeRow - 1) * m_cols, newRowCell(c));
    m_rowHeights.insert(beforeRow - 1, 0.0);
    m_minRowHeights.insert(beforeRow - 1, 0.0);
    ++m_rows;
    for (QRect &s : m_spans) {
        if (s.top() >= beforeRow)
            s.translate(0, 1);
        else if (s.bottom() >= beforeRow)
            s.setBottom(s.bottom() + 1);   // the new row opens inside the span
    }
    endInsertRows();
    Q_EMIT layoutInvalidated();
}

void SpreadModel::deleteRow(int row)
{
    if (row < 1 || row > m_rows)
        return;
    beginRemoveRows(QModelIndex(), row - 1, row - 1);
    m_cells.remove((row - 1) * m_cols, m_cols);
    m_rowHeights.remove(row - 1);
    m_minRowHeights.remove(row - 1);
    --m_rows;
    QVector<QRect> spans;
    for (QRect s : std::as_const(m_spans)) {
        if (s.top() > row)
            s.translate(0, -1);
        else if (s.bottom() >= row)
            s.setBottom(s.bottom() - 1);
        if (s.height() > 0 && s.width() * s.height() > 1)
            spans.append(s);
    }
    m_spans = spans;
    endRemoveRows();
    Q_EMIT layoutInvalidated();
}

void SpreadModel::setNewRowTemplate(int col, const CellSpec &spec)
{
    if (col < 1 || col > m_cols)
        return;
    if (m_newRowTemplate.size() < m_cols)
        m_newRowTemplate.resize(m_cols);
    m_newRowTemplate[col - 1] = spec;
    m_newRowTemplate[col - 1].text.clear();
}

CellSpec SpreadModel::newRowCell(int col) const
{
    return col >= 1 && col <= m_newRowTemplate.size() ? m_newRowTemplate[col - 1] : CellSpec();
}

int SpreadModel::searchRow(int row, int colFirst, int colLast, const QString &text, bool partial) const
{
    if (row < 1 || row > m_rows)
        return -1;
    const int first = qMax(1, colFirst);
    const int last = qMin(m_cols, colLast);
    for (int c = first; c <= last; ++c) {
        const QString &t = cell(c, row).text;
        const bool hit = partial ? t.contains(text, Qt::CaseInsensitive)
                                 : t.compare(text, Qt::CaseInsensitive) == 0;
        if (hit)
            return c;
    }
    return -1;
}

// Qt model interface ----------------------------------------------------------

int SpreadModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int SpreadModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

QVariant SpreadModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const CellSpec &c = cell(index.column() + 1, index.row() + 1);
    switch (role) {
    case Qt::DisplayRole:
        if (c.type == CellType::CheckBox)
            return {};
        return displayed(c.type == CellType::Button ? c.buttonText : c.text);
    case Qt::EditRole:
        return c.text;
    case Qt::CheckStateRole:
        if (c.type != CellType::CheckBox)
            return {};
        return c.text == QLatin1String("1") ? Qt::Checked : Qt::Unchecked;
    case Qt::BackgroundRole:
        return c.backColor.isValid() ? QVariant(QBrush(c.backColor)) : QVariant();
    case Qt::ForegroundRole:
        return c.foreColor.isValid() ? QVariant(QBrush(c.foreColor)) : QVariant();
    case Qt::FontRole:
        if (c.bold) {
            // Only the weight is set: views resolve the rest from their own font.
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(int(c.alignment));
    default:
        return {};
    }
}

bool SpreadModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid())
        return false;
    const int col = index.column() + 1;
    const int row = index.row() + 1;
    CellSpec &c = mutableCell(col, row);
    if (c.locked)
        return false;

    QString newText;
    if (role == Qt::CheckStateRole) {
        if (c.type != CellType::CheckBox)
            return false;
        newText = value.toInt() == Qt::Checked ? QStringLiteral("1") : QStringLiteral("0");
    } else if (role == Qt::EditRole) {
        if (!acceptedValue(c, value, newText))
            return false;
    } else {
        return false;
    }

    if (newText == c.text)
        return true;
    c.text = newText;
    emitCellChanged(col, row);
    if (c.type == CellType::CheckBox && newText == QLatin1String("1"))
        untickPartners(col, row);
    Q_EMIT cellEdited(col, row);
    return true;
}

Qt::ItemFlags SpreadModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const CellSpec &c = cell(index.column() + 1, index.row() + 1);
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (c.locked)
        return f;
    switch (c.type) {
    case CellType::Edit:
    case CellType::ComboBox:
    case CellType::Date:
    case CellType::Integer:
        f |= Qt::ItemIsEditable;
        break;
    case CellType::CheckBox:
        f |= Qt::ItemIsUserCheckable;
        break;
    case CellType::Static:
    case CellType::Button:
        break;
    }
    return f;
}

// Choices -------------------------------------------------------------------

void SpreadModel::addChoiceGroup(const QVector<QPoint> &cells)
{
    if (cells.size() > 1)
        m_choiceGroups.append(cells);
}

void SpreadModel::setYesNoPair(int row, int yesCol, int noCol)
{
    setChoiceRow(row, {{yesCol, QStringLiteral("Yes")}, {noCol, QStringLiteral("No")}});
}

void SpreadModel::setChoiceRow(int row, const QVector<QPair<int, QString>> &boxes)
{
    QVector<QPoint> cells;
    for (const auto &box : boxes) {
        if (!valid(box.first, row))
            continue;
        mutableCell(box.first, row).text.clear();
        setCheckBox(box.first, row, box.second);
        cells.append(QPoint(box.first, row));
    }
    addChoiceGroup(cells);
}

QVector<QPoint> SpreadModel::choicePartners(int col, int row) const
{
    const QPoint ticked(col, row);
    for (const QVector<QPoint> &group : m_choiceGroups) {
        if (!group.contains(ticked))
            continue;
        QVector<QPoint> partners = group;
        partners.removeAll(ticked);
        return partners;
    }
    return {};
}

void SpreadModel::untickPartners(int col, int row)
{
    for (const QPoint &partner : choicePartners(col, row)) {
        if (!valid(partner.x(), partner.y()))
            continue;
        CellSpec &c = mutableCell(partner.x(), partner.y());
        if (c.type != CellType::CheckBox || c.text == QLatin1String("0"))
            continue;
        c.text = QStringLiteral("0");
        emitCellChanged(partner.x(), partner.y());
    }
}

void SpreadModel::setCellEnabled(int col, int row, bool enabled)
{
    if (!valid(col, row))
        return;
    changeBlock(col, row, col, row, [enabled](CellSpec &c) {
        c.locked = !enabled;
        c.foreColor = QColor(Qt::black);
        c.backColor = enabled ? QColor(Qt::white) : QColor::fromRgb(LabelGrey);
    });
    if (!enabled)
        Q_EMIT cellDisabled(col, row);
}

} // namespace grid
