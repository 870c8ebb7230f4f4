#include "SpreadGrid.h"

#include "GridMetrics.h"
#include "GridPagePainter.h"
#include "SpreadDelegate.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollArea>
#include <QTimer>

#include <cmath>

namespace grid {

namespace {

// Keys that would type into a cell or open its editor; navigation keys are not
// among them, so a list the user only picks from can still be walked.
bool typesIntoCell(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return false;
    case Qt::Key_F2:
        return true;
    default:
        return !event->text().isEmpty();
    }
}

// Enter and Space on a cell of a pick-only list pick it, as a click does.
bool picksCell(const QKeyEvent *event)
{
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Select:
        return true;
    default:
        return false;
    }
}

} // namespace

namespace {

QFont screenFont()
{
    // The desktop's family, as every other control of the screens, at the
    // page's size: paper keeps the page's own font (GridPagePainter).
    QFont font = QApplication::font();
    font.setPointSizeF(GridPagePainter::defaultFont().pointSizeF());
    return font;
}

} // namespace

SpreadGrid::SpreadGrid(int maxCols, int maxRows, QWidget *parent)
    : QTableView(parent)
    , m_model(new SpreadModel(maxCols, maxRows, this))
{
    setModel(m_model);
    auto *delegate = new SpreadDelegate(*m_model, this);
    setItemDelegate(delegate);

    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    setFont(screenFont());
    setWordWrap(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
                    | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    setPalette(pal);

    connect(m_model, &SpreadModel::cellEdited, this, &SpreadGrid::cellChanged);
    connect(m_model, &SpreadModel::cellDisabled, this, &SpreadGrid::closeEditorOn);
    connect(m_model, &SpreadModel::layoutInvalidated, this, [this] {
        applyColumnsAndSpans();
        scheduleFit(1, m_model->maxRows());
    });
    connect(m_model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                scheduleFit(topLeft.row() + 1, bottomRight.row() + 1);
            });
    connect(m_model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) { followRowsInserted(first + 1, last + 1); });
    connect(m_model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex &, int first, int last) { followRowsRemoved(first + 1, last + 1); });
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { m_mark = RowMark(); });
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        Q_EMIT cellClicked(index.column() + 1, index.row() + 1);
        if (!isEditing())
            openList(index.column() + 1, index.row() + 1);
    });
    connect(delegate, &SpreadDelegate::buttonPressed, this, [this](const QModelIndex &index) {
        Q_EMIT buttonClicked(index.column() + 1, index.row() + 1);
    });

    applyLayout();
}

int SpreadGrid::activeCol() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() + 1 : 0;
}

int SpreadGrid::activeRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() + 1 : 0;
}

void SpreadGrid::setActiveCell(int col, int row)
{
    const QModelIndex i = m_model->index(row - 1, col - 1);
    if (!i.isValid())
        return;
    setCurrentIndex(i);
    scrollTo(i);
}

void SpreadGrid::setRowMark(const RowMark &mark)
{
    const int before = m_mark.row;
    m_mark = mark;
    // A bold row may need another line: both rows are measured again.
    if (before > 0)
        scheduleFit(before, before);
    if (m_mark.isSet())
        scheduleFit(m_mark.row, m_mark.row);
    viewport()->update();
}

void SpreadGrid::followRowsInserted(int first, int last)
{
    if (m_mark.isSet() && first <= m_mark.row)
        m_mark.row += last - first + 1;
}

void SpreadGrid::followRowsRemoved(int first, int last)
{
    if (!m_mark.isSet() || first > m_mark.row)
        return;
    if (last >= m_mark.row)
        m_mark = RowMark();
    else
        m_mark.row -= last - first + 1;
}

void SpreadGrid::setColumnHeaderVisible(bool visible)
{
    horizontalHeader()->setVisible(visible);
}

double SpreadGrid::unitWidth() const
{
    return GridPagePainter::unitTwips() * logicalDpiX() / 1440.0;
}

void SpreadGrid::applyLayout()
{
    applyColumnsAndSpans();
    m_fitFirst = m_fitLast = 0;
    fitRows(1, m_model->maxRows());
}

void SpreadGrid::setFitToContents(bool fit)
{
    m_fitToContents = fit;
    const Qt::ScrollBarPolicy bars = fit ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    setHorizontalScrollBarPolicy(bars);
    setVerticalScrollBarPolicy(bars);
    setSizePolicy(fit ? QSizePolicy::Fixed : QSizePolicy::Expanding,
                  fit ? QSizePolicy::Fixed : QSizePolicy::Expanding);
    updateGeometry();
}

QSize SpreadGrid::sizeHint() const
{
    if (!m_fitToContents)
        return QTableView::sizeHint();
    int width = 2 * frameWidth() + horizontalHeader()->length();
    int height = 2 * frameWidth() + verticalHeader()->length();
    if (!verticalHeader()->isHidden())
        width += verticalHeader()->sizeHint().width();
    if (!horizontalHeader()->isHidden())
        height += horizontalHeader()->sizeHint().height();
    return QSize(width, height);
}

QSize SpreadGrid::minimumSizeHint() const
{
    return m_fitToContents ? sizeHint() : QTableView::minimumSizeHint();
}

void SpreadGrid::applyColumnsAndSpans()
{
    const double unit = unitWidth();
    for (int c = 1; c <= m_model->maxCols(); ++c) {
        const bool hidden = m_model->isColHidden(c);
        setColumnHidden(c - 1, hidden);
        if (!hidden)
            setColumnWidth(c - 1, qMax(1, int(std::lround(m_model->colWidth(c) * unit))));
    }
    clearSpans();
    for (const QRect &s : m_model->spans())
        setSpan(s.top() - 1, s.left() - 1, s.height(), s.width());
    if (m_fitToContents)
        updateGeometry();
}

void SpreadGrid::scheduleFit(int firstRow, int lastRow)
{
    if (lastRow < firstRow)
        return;
    if (m_fitFirst == 0) {
        m_fitFirst = firstRow;
        m_fitLast = lastRow;
    } else {
        m_fitFirst = qMin(m_fitFirst, firstRow);
        m_fitLast = qMax(m_fitLast, lastRow);
    }
    if (!m_fitScheduled) {
        m_fitScheduled = true;
        QTimer::singleShot(0, this, &SpreadGrid::fitPendingRows);
    }
}

void SpreadGrid::fitPendingRows()
{
    m_fitScheduled = false;
    const int first = m_fitFirst;
    const int last = m_fitLast;
    m_fitFirst = m_fitLast = 0;
    if (first > 0)
        fitRows(first, last);
}

void SpreadGrid::fitRows(int firstRow, int lastRow)
{
    const int rows = m_model->maxRows();
    firstRow = qMax(1, firstRow);
    lastRow = qMin(rows, lastRow);
    if (lastRow < firstRow)
        return;
    firstRow = GridMetrics::group(*m_model, firstRow).first;
    lastRow = GridMetrics::group(*m_model, lastRow).second;

    QVector<double> widths(m_model->maxCols());
    for (int c = 0; c < widths.size(); ++c)
        widths[c] = isColumnHidden(c) ? 0.0 : columnWidth(c);
    GridMetrics::Frame frame;
    frame.padH = SpreadDelegate::TextPadH;
    frame.padV = SpreadDelegate::TextPadV;
    frame.pointsToUnits = viewport()->logicalDpiY() / 72.0;
    frame.gridLine = showGrid() ? 1.0 : 0.0;
    frame.mark = m_mark;
    const QVector<double> heights = GridMetrics::rowHeights(*m_model, widths, font(), viewport(),
                                                            frame, firstRow, lastRow);
    applyRowHeights(firstRow, heights);
    if (m_fitToContents)
        updateGeometry();
}

void SpreadGrid::applyRowHeights(int firstRow, const QVector<double> &heights)
{
    QHeaderView *rows = verticalHeader();
    const auto pixels = [&heights](int i) { return int(std::ceil(heights[i])); };
    // A long list of one-line rows is set in one pass over the rows: the most
    // common height becomes every row's, and only the others are set one by one.
    const bool wholeGrid = firstRow == 1 && heights.size() == m_model->maxRows();
    if (wholeGrid && heights.size() > ManyRows) {
        QHash<int, int> counts;
        int common = pixels(0);
        for (int i = 0; i < heights.size(); ++i) {
            const int n = ++counts[pixels(i)];
            if (n > counts.value(common))
                common = pixels(i);
        }
        rows->setDefaultSectionSize(common);
        for (int i = 0; i < heights.size(); ++i) {
            if (pixels(i) != common)
                rows->resizeSection(i, pixels(i));
        }
        return;
    }
    for (int i = 0; i < heights.size(); ++i)
        setRowHeight(firstRow - 1 + i, pixels(i));
}

void SpreadGrid::closeEditorOn(int col, int row)
{
    const QModelIndex current = currentIndex();
    if (!isEditing() || !current.isValid() || !m_model->spanAt(col, row).contains(current.column() + 1, current.row() + 1))
        return;
    // Leaving the cell closes its editor; the locked cell refuses what the
    // editor hands over, so the typing is dropped.
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
}

void SpreadGrid::keyboardSearch(const QString &)
{
}

void SpreadGrid::commitEditor()
{
    if (state() != EditingState)
        return;
    QWidget *editor = indexWidget(currentIndex());
    if (!editor)
        return;
    commitData(editor);
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool SpreadGrid::isTabStop(int col, int row) const
{
    if (col < 1 || col > m_model->maxCols() || row < 1 || row > m_model->maxRows())
        return false;
    if (isColumnHidden(col - 1) || isRowHidden(row - 1))
        return false;
    const QRect span = m_model->spanAt(col, row);
    if (span.left() != col || span.top() != row)
        return false;   // covered by the span of another cell
    const CellSpec &cell = m_model->cell(col, row);
    return !cell.locked && cell.type != CellType::Static;
}

QModelIndex SpreadGrid::nextTabStop(const QModelIndex &from, bool forward) const
{
    const int cols = m_model->maxCols();
    const int count = cols * m_model->maxRows();
    // Cells in reading order, 0-based; -1 / count stand before / after the grid.
    int at = from.isValid() ? from.row() * cols + from.column() : (forward ? -1 : count);
    for (at += forward ? 1 : -1; at >= 0 && at < count; at += forward ? 1 : -1) {
        const int col = at % cols + 1;
        const int row = at / cols + 1;
        if (isTabStop(col, row))
            return m_model->index(row - 1, col - 1);
    }
    return QModelIndex();
}

void SpreadGrid::leaveGrid(bool forward)
{
    QAbstractScrollArea::focusNextPrevChild(forward);
}

QModelIndex SpreadGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    if (cursorAction == MoveNext || cursorAction == MovePrevious)
        return nextTabStop(currentIndex(), cursorAction == MoveNext);
    return QTableView::moveCursor(cursorAction, modifiers);
}

bool SpreadGrid::focusNextPrevChild(bool next)
{
    const QModelIndex target = nextTabStop(currentIndex(), next);
    if (!target.isValid())
        return QAbstractScrollArea::focusNextPrevChild(next);
    setCurrentIndex(target);
    return true;
}

void SpreadGrid::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason)
        return;
    const bool forward = reason == Qt::TabFocusReason;
    // Tabbing in starts at the first (or, going back, the last) cell the user
    // can change; a form of fixed texts only is passed by.
    const QModelIndex target = nextTabStop(QModelIndex(), forward);
    if (target.isValid())
        setCurrentIndex(target);
    else if (!m_keysDiscarded)
        leaveGrid(forward);
    else if (!currentIndex().isValid())
        setCurrentIndex(QTableView::moveCursor(MoveHome, Qt::NoModifier));
}

void SpreadGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    const bool onward = hint == QAbstractItemDelegate::EditNextItem;
    if ((onward || hint == QAbstractItemDelegate::EditPreviousItem)
        && !nextTabStop(currentIndex(), onward).isValid()) {
        // Tab out of the last cell goes on to the next control, not round again.
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        leaveGrid(onward);
        return;
    }
    QTableView::closeEditor(editor, hint);
}

void SpreadGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (m_fitToContents && current.isValid())
        showCurrentInPage();
}

void SpreadGrid::showCurrentInPage()
{
    for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
        auto *area = qobject_cast<QScrollArea *>(w);
        if (!area)
            continue;
        if (!area->widget() || !area->widget()->isAncestorOf(this))
            return;
        const QRect cell = visualRect(currentIndex());
        const QPoint center = viewport()->mapTo(area->widget(), cell.center());
        area->ensureVisible(center.x(), center.y(), cell.width() / 2 + 4, cell.height() / 2 + 4);
        return;
    }
}

bool SpreadGrid::isListCell(const QModelIndex &index) const
{
    return index.isValid() && isTabStop(index.column() + 1, index.row() + 1)
            && m_model->cell(index.column() + 1, index.row() + 1).type == CellType::ComboBox;
}

bool SpreadGrid::openList(int col, int row)
{
    const QModelIndex index = m_model->index(row - 1, col - 1);
    if (!isListCell(index))
        return false;
    setCurrentIndex(index);
    auto *delegate = static_cast<SpreadDelegate *>(itemDelegate());
    delegate->openListOnNextEditor(true);
    const bool opened = QAbstractItemView::edit(index, AllEditTriggers, nullptr);
    delegate->openListOnNextEditor(false);
    return opened;
}

void SpreadGrid::keyPressEvent(QKeyEvent *event)
{
    Q_EMIT keyPressed(event->key());
    // Ctrl+Tab and Ctrl+Shift+Tab belong to the tab control around the grid.
    if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        && (event->modifiers() & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    const bool listKey = event->key() == Qt::Key_F4
            || (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier));
    if (listKey && isListCell(currentIndex())) {
        openList(activeCol(), activeRow());
        event->accept();
        return;
    }
    if (m_keysDiscarded && picksCell(event) && currentIndex().isValid()) {
        Q_EMIT cellClicked(activeCol(), activeRow());
        event->accept();
        return;
    }
    if (m_keysDiscarded && typesIntoCell(event)) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

bool SpreadGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    if (m_keysDiscarded && (trigger == AnyKeyPressed || trigger == EditKeyPressed))
        return false;
    // The click itself opened the list (see the constructor); the view's own
    // delayed edit after a click would only take the focus from its popup.
    if ((trigger == SelectedClicked || trigger == DoubleClicked) && isListCell(index))
        return false;
    return QTableView::edit(index, trigger, event);
}

void SpreadGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        applyLayout();
}

} // namespace grid
