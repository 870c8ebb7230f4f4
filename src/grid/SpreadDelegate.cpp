#include "SpreadDelegate.h"

#include "CellText.h"
#include "SpreadGrid.h"
#include "SpreadModel.h"
#include "EditLimits.h"
#include "TextLimit.h"
#include "TextRoutines.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QValidator>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QtMath>
#include <QStyle>
#include <QStyleOptionButton>
#include <QSignalBlocker>
#include <QTimer>


namespace grid {

namespace {

const QString DateFormat = QStringLiteral("dd/MM/yyyy");
const char InitialProperty[] = "snaInitial";     // what the editor showed when it opened
const char WasEmptyProperty[] = "snaWasEmpty";
constexpr int ComboArrowWidth = 12;

// Refuses every keystroke after which no number of the range can be reached,
// so a score cell of 1 to 3 takes neither a 4 nor a 0. An empty cell is a valid
// answer ("not scored") and commits with Tab as well as with Return.
class IntCellValidator : public QValidator
{
public:
    IntCellValidator(int min, int max, QObject *parent)
        : QValidator(parent), m_min(min), m_max(max) {}

    State validate(QString &input, int &) const override
    {
        if (input.isEmpty())
            return Acceptable;
        const bool negative = input.startsWith(QLatin1Char('-'));
        const QString digits = negative ? input.mid(1) : input;
        if (digits.isEmpty())
            return m_min < 0 ? Intermediate : Invalid;
        if (digits.size() > 10 || (digits.size() > 1 && digits.startsWith(QLatin1Char('0'))))
            return Invalid;
        for (const QChar ch : digits)
            if (!ch.isDigit() || ch.unicode() > '9')
                return Invalid;
        const qint64 n = digits.toLongLong();
        const qint64 value = negative ? -n : n;
        if (value >= m_min && value <= m_max)
            return Acceptable;
        if (n == 0)
            return Invalid;   // nothing follows a leading zero
        // More digits typed after these give the numbers [low, high].
        qint64 low = n;
        qint64 high = n;
        for (qsizetype length = digits.size(); length < 10; ++length) {
            low = low * 10;
            high = high * 10 + 9;
            const qint64 a = negative ? -high : low;
            const qint64 b = negative ? -low : high;
            if (b >= m_min && a <= m_max)
                return Intermediate;
        }
        return Invalid;
    }

private:
    int m_min;
    int m_max;
};

// The editor works with "\n"; stored texts keep the Windows line breaks the
// rest of the data has, so a break counts as two characters of the limit.
QString storedText(const QString &plain)
{
    return windowsLineBreaks(plain);
}

QString plainText(const QString &stored)
{
    return plainLineBreaks(stored);
}

// A text cell with room for more than a line's worth edits in a box that
// shows the whole text as it wraps, even where the cell itself shows one line.
constexpr int LongTextLimit = 100;
bool editsOnManyLines(const CellSpec &cell)
{
    return cell.wordWrap || cell.maxLength > LongTextLimit;
}

// The multi-line editor grows with its text from three lines to ten, then
// scrolls; it grows downwards from its cell and upwards when the grid has
// no room below.
constexpr int FewestLines = 3;
constexpr int MostLines = 10;
const char CellRectProperty[] = "snaCellRect";
const char OneLineProperty[] = "snaOneLine";   // the cell shows one line: Return finishes

void growWithText(QPlainTextEdit *edit)
{
    const QRect cell = edit->property(CellRectProperty).toRect();
    if (!cell.isValid() || !edit->parentWidget())
        return;
    // One line more than the text takes: room for what is typed next.
    const int textLines = int(edit->document()->documentLayout()->documentSize().height());
    const int shownLines = qBound(FewestLines, textLines + 1, MostLines);
    // The document lays lines out at the font's exact spacing, inside its own
    // margin; rounding the spacing to whole pixels, or guessing the margin, can
    // leave the last line a pixel out of view behind a scroll bar.
    const int frame = 2 * edit->frameWidth() + qCeil(2 * edit->document()->documentMargin());
    const int lines = qCeil(QFontMetricsF(edit->font()).lineSpacing() * shownLines);
    const int height = qMax(cell.height(), lines + frame);
    const int room = edit->parentWidget()->height();
    int top = cell.top();
    if (top + height > room)
        top = qMax(0, room - height);
    edit->setGeometry(cell.left(), top, cell.width(), height);
}


} // namespace

SpreadDelegate::SpreadDelegate(const SpreadModel &model, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_model(model)
{
}

void SpreadDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                           const QModelIndex &index) const
{
    const QWidget *widget = option.widget;
    const auto *view = qobject_cast<const SpreadGrid *>(widget);
    const int col = index.column() + 1;
    const int row = index.row() + 1;
    // The picked row's look is the view's, laid over the cell's own.
    const bool marked = view && view->rowMark().covers(col, row);
    const CellSpec markedCell = marked ? view->rowMark().shown(m_model.cell(col, row), col, row) : CellSpec();
    const CellSpec &cell = marked ? markedCell : m_model.cell(col, row);
    QStyle *style = widget ? widget->style() : QApplication::style();
    const QRect r = option.rect;
    const QFont font = CellText::font(option.font, cell);

    painter->save();
    painter->fillRect(r, cell.backColor.isValid() ? cell.backColor
                                                  : option.palette.color(QPalette::Base));
    switch (cell.type) {
    case CellType::CheckBox: {
        QStyleOptionButton box;
        box.palette = option.palette;
        box.direction = option.direction;
        const QSize size(style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget),
                         style->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, widget));
        const bool captioned = !cell.buttonText.isEmpty();
        box.rect = QStyle::alignedRect(option.direction, captioned ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter,
                                       size, r.adjusted(captioned ? TextPadH : 0, 0, 0, 0));
        box.state = QStyle::State_Enabled
                | (cell.text == QLatin1String("1") ? QStyle::State_On : QStyle::State_Off);
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, widget);
        if (captioned) {
            CellSpec caption = cell;
            caption.alignment = Qt::AlignLeft | Qt::AlignVCenter;
            CellText::draw(*painter, caption, font,
                           QRectF(r).adjusted(box.rect.right() - r.left() + 2 * TextPadH, TextPadV, -TextPadH, -TextPadV),
                           option.palette.color(QPalette::Text));
        }
        break;
    }
    case CellType::Button: {
        QStyleOptionButton button;
        button.palette = option.palette;
        button.direction = option.direction;
        button.fontMetrics = QFontMetrics(font);
        button.rect = r.adjusted(1, 1, -1, -1);
        button.state = QStyle::State_Raised;
        if (!cell.locked)
            button.state |= QStyle::State_Enabled;
        style->drawControl(QStyle::CE_PushButtonBevel, &button, painter, widget);
        CellSpec caption = cell;
        caption.alignment = Qt::AlignCenter;
        CellText::draw(*painter, caption, font, QRectF(r).adjusted(TextPadH, TextPadV, -TextPadH, -TextPadV),
                       option.palette.color(cell.locked ? QPalette::Disabled : QPalette::Active, QPalette::ButtonText));
        break;
    }
    default: {
        QRectF box = QRectF(r).adjusted(TextPadH, TextPadV, -TextPadH, -TextPadV);
        if (cell.type == CellType::ComboBox && !cell.locked) {
            // A small arrow tells a list cell from a text cell.
            QStyleOption arrow;
            arrow.palette = option.palette;
            arrow.state = QStyle::State_Enabled;
            arrow.rect = QRect(r.right() - ComboArrowWidth, r.top(), ComboArrowWidth,
                               qMin(r.height(), QFontMetrics(font).height() + 4));
            style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, painter, widget);
            box.setRight(box.right() - ComboArrowWidth);
        }
        CellText::draw(*painter, cell, font, box, option.palette.color(QPalette::Text));
        break;
    }
    }
    // The active cell keeps its own colours and gets a frame instead of a
    // fill, only in the grid that has the focus, so one frame on the screen
    // shows where typing goes. A pick-only list keeps a grey frame on the
    // picked cell while the focus is elsewhere.
    const bool focused = option.state & QStyle::State_HasFocus;
    const bool picked = !focused && view && view->keysDiscarded() && (option.state & QStyle::State_Selected);
    if (focused || picked) {
        painter->setPen(QPen(option.palette.color(focused ? QPalette::Highlight : QPalette::Mid), 2.0));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(r).adjusted(1.0, 1.0, -1.0, -1.0));
    }
    painter->restore();
}

QWidget *SpreadDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                      const QModelIndex &index) const
{
    const CellSpec &cell = m_model.cell(index.column() + 1, index.row() + 1);
    auto *self = const_cast<SpreadDelegate *>(this);
    QWidget *editor = nullptr;
    switch (cell.type) {
    case CellType::Edit:
        if (editsOnManyLines(cell)) {
            auto *edit = new QPlainTextEdit(parent);
            edit->setProperty(OneLineProperty, !cell.wordWrap);
            connect(edit->document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, edit,
                    [edit] { growWithText(edit); });
            edit->setTabChangesFocus(true);
            edit->setFrameShape(QFrame::NoFrame);
            edit->document()->setDocumentMargin(0);
            edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            // Lines wrap at the editor's width, so nothing is ever off to the
            // side; a horizontal bar only flickers in while the vertical one
            // comes and goes, and hides the last line.
            edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            edit->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            const int limit = TextLimit::editLimit(cell.maxLength, cell.text);
            PlainTextLimit::attach(edit, limit);
            editor = edit;
        } else {
            auto *edit = new QLineEdit(parent);
            edit->setFrame(false);
            LineEditLimit::attach(edit, cell.maxLength);
            editor = edit;
        }
        break;
    case CellType::Integer: {
        auto *edit = new QLineEdit(parent);
        edit->setFrame(false);
        edit->setValidator(new IntCellValidator(cell.minValue, cell.maxValue, edit));
        editor = edit;
        break;
    }
    case CellType::ComboBox: {
        auto *combo = new QComboBox(parent);
        combo->setEditable(false);
        // The empty entry lets the user take a choice back.
        combo->addItem(QString());
        combo->addItems(cell.items);
        connect(combo, &QComboBox::activated, self, [self, combo] { self->commitAndClose(combo); });
        if (m_openList) {
            // Once the view has placed and shown the editor.
            QTimer::singleShot(0, combo, [combo] {
                if (combo->isVisible())
                    combo->showPopup();
            });
        }
        editor = combo;
        break;
    }
    case CellType::Date: {
        auto *date = new QDateEdit(parent);
        date->setDisplayFormat(DateFormat);
        date->setCalendarPopup(true);
        if (cell.minDate.isValid())
            date->setMinimumDate(cell.minDate);
        if (cell.maxDate.isValid())
            date->setMaximumDate(cell.maxDate);
        editor = date;
        break;
    }
    case CellType::Static:
    case CellType::CheckBox:
    case CellType::Button:
        break;
    }
    m_openList = false;
    if (editor)
        editor->setFont(CellText::font(option.font, cell));
    return editor;
}

void SpreadDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    const CellSpec &cell = m_model.cell(index.column() + 1, index.row() + 1);
    if (auto *edit = qobject_cast<QPlainTextEdit *>(editor)) {
        edit->setPlainText(plainText(cell.text));
        edit->moveCursor(QTextCursor::End);   // typing adds to a long text, never replaces it
    } else if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        edit->setText(cell.text);
    } else if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        const int i = cell.text.isEmpty() ? 0 : combo->findText(cell.text, Qt::MatchExactly);
        combo->setCurrentIndex(qMax(0, i));
        combo->setProperty(InitialProperty, combo->currentIndex());
    } else if (auto *date = qobject_cast<QDateEdit *>(editor)) {
        QDate d = QDate::fromString(cell.text.trimmed(), DateFormat);
        date->setProperty(WasEmptyProperty, !d.isValid());
        if (!d.isValid())
            d = QDate::currentDate();
        date->setDate(d);   // clamped into the cell's range by the editor
        date->setProperty(InitialProperty, date->date());
    }
}

void SpreadDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                  const QModelIndex &index) const
{
    const CellSpec &cell = m_model.cell(index.column() + 1, index.row() + 1);
    if (auto *edit = qobject_cast<QPlainTextEdit *>(editor)) {
        const QString plain = edit->toPlainText();
        // Untouched text keeps its own line breaks, whatever they were.
        if (plain != plainText(cell.text))
            model->setData(index, storedText(plain), Qt::EditRole);
    } else if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        model->setData(index, edit->text(), Qt::EditRole);
    } else if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        // A text the list does not hold shows as the empty entry; only a real
        // choice may replace it.
        if (combo->currentIndex() != combo->property(InitialProperty).toInt())
            model->setData(index, combo->currentText(), Qt::EditRole);
    } else if (auto *date = qobject_cast<QDateEdit *>(editor)) {
        // Opening an empty date cell shows today; leaving it unchanged keeps it empty.
        if (date->property(WasEmptyProperty).toBool()
            && date->date() == date->property(InitialProperty).toDate())
            return;
        model->setData(index, date->date().toString(DateFormat), Qt::EditRole);
    }
}

void SpreadDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                          const QModelIndex &) const
{
    if (auto *edit = qobject_cast<QPlainTextEdit *>(editor)) {
        edit->setProperty(CellRectProperty, option.rect);
        growWithText(edit);
        return;
    }
    editor->setGeometry(option.rect);
}

bool SpreadDelegate::editorEvent(QEvent *event, QAbstractItemModel *model,
                                 const QStyleOptionViewItem &option, const QModelIndex &index)
{
    const CellSpec &cell = m_model.cell(index.column() + 1, index.row() + 1);
    const bool isCheck = cell.type == CellType::CheckBox;
    if (!isCheck && cell.type != CellType::Button)
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    if (cell.locked)
        return false;

    switch (event->type()) {
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton || !option.rect.contains(mouse->position().toPoint()))
            return false;
        break;
    }
    case QEvent::MouseButtonDblClick:
        return true;   // the release that follows counts as the second click
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Space && key != Qt::Key_Select)
            return false;
        break;
    }
    default:
        return false;
    }

    if (isCheck) {
        const bool ticked = cell.text == QLatin1String("1");
        model->setData(index, ticked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    }
    Q_EMIT buttonPressed(index);
    return true;
}

bool SpreadDelegate::eventFilter(QObject *object, QEvent *event)
{
    // A long one-line cell edits on several lines to be read, but Return
    // still finishes it, as in every other one-line cell.
    if (event->type() == QEvent::KeyPress && object->property(OneLineProperty).toBool()) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            commitAndClose(static_cast<QWidget *>(object));
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

void SpreadDelegate::commitAndClose(QWidget *editor)
{
    Q_EMIT commitData(editor);
    Q_EMIT closeEditor(editor);
}

} // namespace grid
