#include "CellText.h"

#include "TextRoutines.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRegularExpression>
#include <QTextLayout>

namespace grid::CellText {

namespace {

// Stored texts carry Windows line breaks; the layout wants one separator per break.
QString layoutString(const QString &text)
{
    QString s = plainLineBreaks(text);
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    s.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return s;
}

double leadingOf(const QFont &font, const QPaintDevice *device)
{
    return qMax(0.0, QFontMetricsF(font, device).leading());
}

// Lays out the lines and returns the total height. A word longer than the
// width breaks inside the word instead of running out of the cell.
double layOut(QTextLayout &layout, const CellSpec &cell, double width, double leading, Fit fit = Fit::BreakWords)
{
    QTextOption option(cell.alignment & Qt::AlignHorizontal_Mask);
    option.setWrapMode(wraps(cell) || fit == Fit::ShrinkWords ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                                              : QTextOption::ManualWrap);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    // Lines are spaced as QPainter spaces them (the font's leading between
    // two lines), so a row measured here holds the text however it is drawn.
    double y = 0.0;
    bool first = true;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        if (!first)
            y += leading;
        first = false;
        line.setLineWidth(qMax(width, 1.0));
        line.setPosition(QPointF(0.0, y));
        y += line.height();
    }
    layout.endLayout();
    return y;
}

// The pieces of text that must each stay on one line: the words of a
// wrapping text, the lines of a one-line cell.
QStringList wholePieces(const CellSpec &cell, const QString &text)
{
    static const QRegularExpression lineBreaks(QStringLiteral("[\\r\\n]+"));
    static const QRegularExpression spaces(QStringLiteral("\\s+"));
    return text.split(wraps(cell) ? spaces : lineBreaks, Qt::SkipEmptyParts);
}

double widestPiece(const QStringList &pieces, const QFont &font, const QPaintDevice *device)
{
    const QFontMetricsF metrics(font, device);
    double widest = 0.0;
    for (const QString &piece : pieces)
        widest = qMax(widest, metrics.horizontalAdvance(piece));
    return widest;
}

} // namespace

QFont fitted(const CellSpec &cell, const QFont &font, const QPaintDevice *device, double width, Fit fit)
{
    if (fit != Fit::ShrinkWords || width <= 0.0)
        return font;
    const QStringList pieces = wholePieces(cell, shown(cell));
    const double widest = widestPiece(pieces, font, device);
    if (widest <= width)
        return font;
    // Glyph widths do not scale exactly with the size: step down from the
    // proportional size until the widest piece fits, or the floor is reached.
    const double size = font.pointSizeF();
    if (size <= 0.0)
        return font;
    const double floor = size * PaperFloor;
    QFont smaller = font;
    for (double tried = qMax(floor, size * width / widest);; tried = qMax(floor, tried - 0.1)) {
        smaller.setPointSizeF(tried);
        if (tried <= floor || widestPiece(pieces, smaller, device) <= width)
            return smaller;
    }
}

const QString &shown(const CellSpec &cell)
{
    switch (cell.type) {
    case CellType::CheckBox:   // a check box shows its caption, never its "1"/"0"
    case CellType::Button:
        return cell.buttonText;
    default:
        return cell.text;
    }
}

QFont font(const QFont &base, const CellSpec &cell)
{
    QFont f = base;
    if (cell.bold)
        f.setBold(true);
    return f;
}

bool wraps(const CellSpec &cell)
{
    // A button's caption wraps so that it is read whole in a narrow column.
    return ((cell.type == CellType::Edit || cell.type == CellType::Static) && cell.wordWrap)
        || cell.type == CellType::Button;
}

double height(const CellSpec &cell, const QFont &font, const QPaintDevice *device, double width, Fit fit)
{
    const double oneLine = QFontMetricsF(font, device).height();
    const QString text = shown(cell);
    if (text.isEmpty())
        return oneLine;
    const QFont laidOut = fitted(cell, font, device, width, fit);
    QTextLayout layout(layoutString(text), laidOut, device);
    return qMax(oneLine, layOut(layout, cell, width, leadingOf(laidOut, device), fit));
}

OneLine::OneLine(const QFont &font, const QPaintDevice *device)
    : m_font(font)
    , m_device(device)
    , m_lineHeight(QFontMetricsF(font, device).height())
{
    m_advance.fill(-1.0);
}

bool OneLine::certain(const CellSpec &cell, const QString &text, double width) const
{
    const bool wrapping = wraps(cell);
    double sum = 0.0;
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x20 || u >= Judged)
            return false;
        if (!wrapping)
            continue;
        double &advance = m_advance[u];
        if (advance < 0.0)
            advance = QFontMetricsF(m_font, m_device).horizontalAdvance(ch);
        sum += advance;
    }
    // Shaping only brings letters closer (kerning); the margin covers rounding.
    return !wrapping || sum + 2.0 <= width;
}

double lineStep(const QFont &font, const QPaintDevice *device)
{
    CellSpec twoLines;
    twoLines.wordWrap = false;
    QTextLayout layout(layoutString(QStringLiteral("X\nX")), font, device);
    layOut(layout, twoLines, 1e6, leadingOf(font, device));
    return layout.lineCount() == 2 ? layout.lineAt(1).y() : QFontMetricsF(font, device).lineSpacing();
}

void draw(QPainter &painter, const CellSpec &cell, const QFont &font, const QRectF &box,
          const QColor &defaultColor, Fit fit)
{
    const QString text = shown(cell);
    if (text.isEmpty() || box.width() <= 0 || box.height() <= 0)
        return;
    const QFont laidOut = fitted(cell, font, painter.device(), box.width(), fit);
    QTextLayout layout(layoutString(text), laidOut, painter.device());
    const double h = layOut(layout, cell, box.width(), leadingOf(laidOut, painter.device()), fit);
    double top = box.top();
    if (cell.alignment & Qt::AlignBottom)
        top = box.bottom() - h;
    else if (cell.alignment & Qt::AlignVCenter)
        top = box.top() + (box.height() - h) / 2.0;

    painter.save();
    painter.setClipRect(box, Qt::IntersectClip);
    painter.setPen(cell.foreColor.isValid() ? cell.foreColor : defaultColor);
    painter.setFont(laidOut);
    // A line is drawn where its middle lies: a cell cut between two sheets
    // then puts each line on exactly one sheet, whatever the clip's rounding
    // to device pixels does at the cut.
    const QPointF origin(box.left(), top);
    const QRectF visible = painter.clipBoundingRect();
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        const double middle = line.rect().translated(origin).center().y();
        if (middle >= visible.top() && middle < visible.bottom())
            line.draw(&painter, origin);
    }
    painter.restore();
}

} // namespace grid::CellText
