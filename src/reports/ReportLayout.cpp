#include "ReportLayout.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QRegularExpression>
#include <numeric>

namespace {

const QString FontFamily = QStringLiteral("Times New Roman");
constexpr double CellPaddingPt = 2.5;
constexpr double HeaderGapPt = 8;
// The smallest share of its size a text is shrunk to before a word breaks.
constexpr double MinimumShrink = 0.6;

QFont font(double pointSize, bool bold)
{
    QFont f(FontFamily);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

// Word wrap, except where a single word is wider than its box: then it breaks
// anywhere, so no text runs past its cell.
int wrapFlags(const QFontMetricsF &metrics, const QString &text, double width)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const QString &word : text.split(blanks, Qt::SkipEmptyParts)) {
        if (metrics.horizontalAdvance(word) > width)
            return Qt::TextWrapAnywhere;
    }
    return Qt::TextWordWrap;
}

// Whether text stands on one line of width as it is: most cells and fields
// do, and are then measured once, not word by word and wrapped.
bool fitsOnOneLine(const QFontMetricsF &metrics, const QString &text, double width)
{
    return !text.contains(QLatin1Char('\n')) && metrics.horizontalAdvance(text) <= width;
}

double oneLineHeight(const QFontMetricsF &metrics)
{
    return std::max(metrics.height(), metrics.lineSpacing());
}

double widestWord(const QFontMetricsF &metrics, const QString &text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    double widest = 0;
    for (const QString &word : text.split(blanks, Qt::SkipEmptyParts))
        widest = std::max(widest, metrics.horizontalAdvance(word));
    return widest;
}

// A block taller than the rest of its page is cut at the page's foot. One
// that fits is drawn unclipped: a PDF would otherwise carry a clip, and the
// painter's state saved and restored, for every block of every page.
class FootClip
{
public:
    FootClip(QPainter &painter, const QRectF &page, double blockBottom)
        : m_painter(painter), m_clipped(blockBottom > page.bottom())
    {
        if (!m_clipped)
            return;
        painter.save();
        painter.setClipRect(page);
    }
    ~FootClip()
    {
        if (m_clipped)
            m_painter.restore();
    }
    FootClip(const FootClip &) = delete;
    FootClip &operator=(const FootClip &) = delete;

private:
    QPainter &m_painter;
    bool m_clipped;
};

QFont scaled(const QFont &f, double factor)
{
    QFont result = f;
    result.setPointSizeF(f.pointSizeF() * factor);
    return result;
}

// Widths that give every column at least its minimum and share the rest of
// the total by weight.
QVector<double> shareWidths(const QVector<double> &weights, const QVector<double> &minimums, double total)
{
    QVector<double> widths(weights.size(), 0);
    QVector<bool> fixed(weights.size(), false);
    for (bool changed = true; changed;) {
        changed = false;
        double free = total;
        double weight = 0;
        for (int i = 0; i < weights.size(); ++i) {
            if (fixed.at(i))
                free -= minimums.at(i);
            else
                weight += weights.at(i);
        }
        for (int i = 0; i < weights.size(); ++i) {
            if (fixed.at(i)) {
                widths[i] = minimums.at(i);
                continue;
            }
            widths[i] = weight > 0 ? free * weights.at(i) / weight : 0;
            if (widths.at(i) < minimums.at(i)) {
                fixed[i] = true;
                changed = true;
            }
        }
    }
    return widths;
}

} // namespace

ReportLayout::ReportLayout(const QPaintDevice &device, const QString &schoolName, const QString &title, Output output)
    : m_device(device), m_output(output), m_school(schoolName), m_title(title),
      m_bodyFont(font(9, false)), m_boldFont(font(9, true)), m_headingFont(font(11, true)), m_titleFont(font(14, true)),
      m_body(bodyArea()), m_flow({m_body.bottom(), 0, 0, output.firstPage}, [this](int page) { return openPage(page); })
{
    m_flow.setRepeat([this] { placeRunOn(); });
}

ReportLayout::ReportLayout(const QPaintDevice &device, const QString &schoolName, const QString &title)
    : ReportLayout(device, schoolName, title, Output())
{
}

ReportLayout::~ReportLayout() = default;

double ReportLayout::points(double pt) const
{
    return pt * m_device.logicalDpiY() / 72.0;
}

QRectF ReportLayout::bodyArea() const
{
    const double headerHeight = QFontMetricsF(m_titleFont, &m_device).lineSpacing()
        + QFontMetricsF(m_headingFont, &m_device).lineSpacing() + points(HeaderGapPt);
    const double footerHeight = QFontMetricsF(m_bodyFont, &m_device).lineSpacing() + points(HeaderGapPt);
    return QRectF(0, headerHeight, m_device.width(), m_device.height() - headerHeight - footerHeight);
}

double ReportLayout::pageWidth() const
{
    return m_body.width();
}

ReportLayout::TextBlock ReportLayout::measureText(const QFont &f, const QString &text, double width) const
{
    const TextMeasures::Measure measure = m_measures.get(TextMeasures::Kind::Text, f, text, width, [&] {
        const QFontMetricsF metrics(f, &m_device);
        if (text.isEmpty())
            return TextMeasures::Measure{f, Qt::TextWordWrap, metrics.lineSpacing()};
        if (fitsOnOneLine(metrics, text, width))
            return TextMeasures::Measure{f, Qt::TextWordWrap, oneLineHeight(metrics)};
        const int flags = wrapFlags(metrics, text, width);
        const QRectF bounds = metrics.boundingRect(QRectF(0, 0, width, 1e9), flags, text);
        return TextMeasures::Measure{f, flags, std::max(bounds.height(), metrics.lineSpacing())};
    });
    return {measure.flags, measure.height};
}

double ReportLayout::textHeight(const QFont &f, const QString &text, double width) const
{
    return measureText(f, text, width).height;
}

ReportLayout::CellText ReportLayout::fitCell(const QFont &f, const QString &text, double width) const
{
    // A word wider than its cell shrinks the cell's text until it fits; only
    // a word too wide even then is broken.
    const QFontMetricsF metrics(f, &m_device);
    if (fitsOnOneLine(metrics, text, width))
        return {f, Qt::TextWordWrap};
    const double widest = widestWord(metrics, text);
    if (widest <= width)
        return {f, Qt::TextWordWrap};
    const double factor = width / widest;
    if (factor >= MinimumShrink)
        return {scaled(f, factor * 0.98), Qt::TextWordWrap};
    return {f, Qt::TextWrapAnywhere};
}

void ReportLayout::sizeColumns()
{
    // Every column at least as wide as its longest word (heading or the
    // widest text it will hold); when the page cannot give all of them that,
    // the table's text shrinks until it can.
    const double pad = 2 * points(CellPaddingPt);
    QVector<double> minimums;
    QVector<double> weights;
    const QFontMetricsF headingMetrics(m_boldFont, &m_device);
    const QFontMetricsF bodyMetrics(m_bodyFont, &m_device);
    for (const Column &column : m_columns) {
        minimums << std::max(widestWord(headingMetrics, column.heading), widestWord(bodyMetrics, column.widest)) + pad;
        weights << column.weight;
    }
    const double needed = std::accumulate(minimums.cbegin(), minimums.cend(), 0.0);
    m_tableScale = needed > m_body.width() ? std::max(MinimumShrink, (m_body.width() - 0.5) / needed) : 1.0;
    for (double &minimum : minimums)
        minimum = (minimum - pad) * m_tableScale + pad;
    m_widths = shareWidths(weights, minimums, m_body.width());
}

ReportLayout::FittedCell ReportLayout::measureCell(const QFont &f, const QString &text, double width) const
{
    const TextMeasures::Measure measure = m_measures.get(TextMeasures::Kind::Cell, f, text, width, [&] {
        const CellText cell = fitCell(f, text, width);
        const QFontMetricsF metrics(cell.font, &m_device);
        const double h = text.isEmpty()            ? metrics.lineSpacing()
            : fitsOnOneLine(metrics, text, width) ? oneLineHeight(metrics)
                                                  : std::max(metrics.boundingRect(QRectF(0, 0, width, 1e9), cell.flags, text).height(),
                                                             metrics.lineSpacing());
        return TextMeasures::Measure{cell.font, cell.flags, h};
    });
    return {{measure.font, measure.flags}, measure.height};
}

ReportLayout::FittedRow ReportLayout::fitRow(const QStringList &cells, const QFont &f) const
{
    const double pad = points(CellPaddingPt);
    FittedRow row;
    double height = 0;
    for (int i = 0; i < m_widths.size(); ++i) {
        const FittedCell cell = measureCell(f, cells.value(i), m_widths.at(i) - 2 * pad);
        height = std::max(height, cell.height);
        row.cells << cell.text;
    }
    row.height = height + 2 * pad;
    return row;
}

double ReportLayout::openPage(int page)
{
    m_painter = m_output.sink ? m_output.sink->beginPage(page) : nullptr;
    if (m_painter)
        drawPageFrame(*m_painter, page);
    return m_body.top();
}

void ReportLayout::placeRunOn()
{
    if (!m_subject.isEmpty())
        placeContinuedHeading(m_subject, 0);
    if (m_inTable) {
        if (!m_groupHeading.isEmpty())
            placeContinuedHeading(m_groupHeading, m_groupLevel);
        placeTableHeadings();
    }
}

void ReportLayout::placeContinuedHeading(const QString &text, int level)
{
    const QString continued = text + QStringLiteral(" (continued)");
    const QFont f = level == 0 ? m_headingFont : m_boldFont;
    const double indent = points(12) * level;
    const double h = textHeight(f, continued, m_body.width() - indent) + points(2);
    const double top = m_flow.end();
    place(h, [=, this](QPainter &painter) {
        painter.setFont(f);
        painter.drawText(QRectF(indent, top, m_body.width() - indent, h), Qt::TextWordWrap, continued);
    });
}

void ReportLayout::place(double height, Drawing drawing)
{
    if (m_painter)
        drawing(*m_painter);
    m_flow.advance(height);
}

void ReportLayout::placeTableHeadings()
{
    placeTableRow(tableHeadings(), scaled(m_boldFont, m_tableScale), true);
}

void ReportLayout::placeTableRow(const QStringList &cells, const QFont &font, bool shaded)
{
    placeRow(cells, fitRow(cells, font), shaded);
}

QStringList ReportLayout::tableHeadings() const
{
    QStringList headings;
    for (const Column &column : m_columns)
        headings << column.heading;
    return headings;
}

void ReportLayout::placeRow(const QStringList &cells, const FittedRow &row, bool shaded)
{
    const double h = row.height;
    const double top = m_flow.end();
    const QVector<double> widths = m_widths;
    const double pad = points(CellPaddingPt);
    const double bottom = m_body.bottom();
    const QVector<CellText> fitted = row.cells;
    place(h, [=](QPainter &painter) {
        // A row taller than a whole page is cut at the page's foot.
        const FootClip clip(painter, QRectF(0, top, std::accumulate(widths.cbegin(), widths.cend(), 0.0), bottom - top),
                            top + h);
        double x = 0;
        for (int i = 0; i < widths.size(); ++i) {
            const QRectF cell(x, top, widths.at(i), h);
            if (shaded)
                painter.fillRect(cell, QColor(225, 225, 225));
            painter.setPen(QColor(150, 150, 150));
            painter.drawRect(cell);
            painter.setPen(Qt::black);
            painter.setFont(fitted.at(i).font);
            painter.drawText(cell.adjusted(pad, pad, -pad, -pad), fitted.at(i).flags, cells.value(i));
            x += widths.at(i);
        }
    });
}

void ReportLayout::beginTable(const QVector<Column> &columns)
{
    m_columns = columns;
    sizeColumns();
    // The headings and at least one row start on the same page.
    m_flow.room(2 * fitRow(tableHeadings(), scaled(m_boldFont, m_tableScale)).height);
    m_inTable = true;
    placeTableHeadings();
}

void ReportLayout::endTable()
{
    m_inTable = false;
    m_groupHeading.clear();
    addSpace(6);
}

void ReportLayout::addGroupHeading(const QString &text, int level)
{
    const QFont f = level == 0 ? m_headingFont : m_boldFont;
    const double indent = points(12) * level;
    const double h = textHeight(f, text, m_body.width() - indent) + points(4);
    // Kept with the headings and the first row of its table.
    const double top = m_flow.room(h + 3 * QFontMetricsF(m_bodyFont, &m_device).lineSpacing() + 4 * points(CellPaddingPt));
    m_groupHeading = text;
    m_groupLevel = level;
    const double width = m_body.width() - indent;
    place(h, [=, this](QPainter &painter) {
        painter.setFont(f);
        painter.drawText(QRectF(indent, top + points(3), width, h), Qt::TextWordWrap, text);
    });
}

void ReportLayout::addRow(const QStringList &cells, bool bold)
{
    const FittedRow row = fitRow(cells, scaled(bold ? m_boldFont : m_bodyFont, m_tableScale));
    m_flow.room(row.height);
    placeRow(cells, row, false);
}

void ReportLayout::addHeading(const QString &text)
{
    const double h = textHeight(m_headingFont, text, m_body.width()) + points(4);
    const double top = m_flow.room(h + QFontMetricsF(m_bodyFont, &m_device).lineSpacing() * 2);
    const QFont f = m_headingFont;
    const double width = m_body.width();
    place(h, [=, this](QPainter &painter) {
        painter.setFont(f);
        painter.drawText(QRectF(0, top + points(3), width, h), Qt::TextWordWrap, text);
    });
}

void ReportLayout::addParagraph(const QString &text, bool bold)
{
    const QFont f = bold ? m_boldFont : m_bodyFont;
    const double width = m_body.width();
    const TextBlock block = measureText(f, text, width);
    const double h = block.height + points(2);
    const double top = m_flow.room(h);
    const double bottom = m_body.bottom();
    place(h, [=](QPainter &painter) {
        const FootClip clip(painter, QRectF(0, top, width, bottom - top), top + h);
        painter.setFont(f);
        painter.drawText(QRectF(0, top, width, h), block.flags, text);
    });
}

void ReportLayout::addField(const QString &label, const QString &value)
{
    const double labelWidth = m_body.width() * 0.3;
    const double valueWidth = m_body.width() - labelWidth;
    const TextBlock valueBlock = measureText(m_bodyFont, value, valueWidth);
    const double h = std::max(textHeight(m_boldFont, label, labelWidth - points(4)), valueBlock.height) + points(2);
    const double top = m_flow.room(h);
    const QFont labelFont = m_boldFont;
    const QFont valueFont = m_bodyFont;
    const double bottom = m_body.bottom();
    place(h, [=, this](QPainter &painter) {
        const FootClip clip(painter, QRectF(0, top, labelWidth + valueWidth, bottom - top), top + h);
        painter.setFont(labelFont);
        painter.drawText(QRectF(0, top, labelWidth - points(4), h), Qt::TextWordWrap, label);
        painter.setFont(valueFont);
        painter.drawText(QRectF(labelWidth, top, valueWidth, h), valueBlock.flags, value);
    });
}

void ReportLayout::addSpace(double pt)
{
    m_flow.placeTo(std::min(m_flow.end() + points(pt), m_flow.bottom()));
}

void ReportLayout::newPage()
{
    if (m_flow.end() > m_flow.contentTop())
        m_flow.newSheet();
}

void ReportLayout::setSubject(const QString &text)
{
    m_subject = text;
}

void ReportLayout::addNoRowsNotice(const QString &text)
{
    addSpace(24);
    addParagraph(text, true);
}

void ReportLayout::drawPageFrame(QPainter &painter, int page) const
{
    const QFontMetricsF titleMetrics(m_titleFont, &m_device);
    const QFontMetricsF headingMetrics(m_headingFont, &m_device);
    const double width = m_device.width();
    painter.setPen(Qt::black);
    painter.setFont(m_headingFont);
    painter.drawText(QRectF(0, 0, width, headingMetrics.lineSpacing()), Qt::AlignLeft | Qt::AlignTop, m_school);
    painter.setFont(m_titleFont);
    painter.drawText(QRectF(0, headingMetrics.lineSpacing(), width, titleMetrics.lineSpacing()),
                     Qt::AlignLeft | Qt::AlignTop, m_title);
    const double ruleY = m_body.top() - points(HeaderGapPt) / 2;
    painter.drawLine(QPointF(0, ruleY), QPointF(width, ruleY));

    painter.setFont(m_bodyFont);
    const QString number = QStringLiteral("Page %1 of %2").arg(page + 1).arg(m_output.pageCount);
    painter.drawText(QRectF(0, m_body.bottom() + points(HeaderGapPt) / 2, width, m_device.height() - m_body.bottom()),
                     Qt::AlignRight | Qt::AlignTop, number);
}
