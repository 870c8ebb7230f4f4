#include "PagePrinter.h"

#include "GridPagePainter.h"
#include "PrintError.h"
#include "SharedDocument.h"

#include <QFontMetricsF>
#include <QPrinter>

PagePrinter::PagePrinter(QPrinter &printer)
    : m_printer(printer)
    , m_font(QStringLiteral("Times New Roman"), 11)
{
}

PagePrinter::PagePrinter(SharedDocument &document)
    : m_printer(document.printer())
    , m_document(&document)
    , m_font(QStringLiteral("Times New Roman"), 11)
{
}

PagePrinter::~PagePrinter()
{
    // A job that failed half way is abandoned, not sent.
    if (m_painter.isActive() && !m_ended) {
        m_printer.abort();
        m_painter.end();
    }
}

void PagePrinter::ensureStarted()
{
    if (m_painter.isActive())
        return;
    if (m_ended || !m_painter.begin(&m_printer))
        throw PrintError(PrintError::PrinterFailed, QStringLiteral("Printer error."));
}

QPainter &PagePrinter::painter()
{
    if (m_document)
        return m_document->painter();
    ensureStarted();
    return m_painter;
}

double PagePrinter::toDevice(double twips) const
{
    return twips * m_printer.logicalDpiY() / 1440.0;
}

double PagePrinter::pageWidth() const
{
    return m_printer.width() * 1440.0 / m_printer.logicalDpiX();
}

double PagePrinter::pageHeight() const
{
    const double height = m_printer.height() * 1440.0 / m_printer.logicalDpiY();
    return m_document ? height - SharedDocument::FootHeight : height;
}

void PagePrinter::setFont(const QString &family, double pointSize, bool bold)
{
    m_font = QFont(family);
    m_font.setPointSizeF(pointSize);
    m_font.setBold(bold);
}

void PagePrinter::setBold(bool bold)
{
    m_font.setBold(bold);
}

void PagePrinter::setPosition(double xTwips, double yTwips)
{
    m_position = QPointF(xTwips, yTwips);
}

void PagePrinter::printLine(const QString &text)
{
    QPainter &p = painter();
    p.setFont(m_font);
    p.setPen(Qt::black);
    const QFontMetricsF metrics(m_font, &m_printer);
    const double lineTwips = metrics.height() * 1440.0 / m_printer.logicalDpiY();
    const double x = toDevice(m_position.x());
    const double room = toDevice(pageWidth()) - x;
    // A line longer than the sheet is wide wraps at its blanks, each further
    // line at the same x, so no word of a title runs off the paper.
    QStringList lines;
    QString current;
    for (const QString &word : text.split(QLatin1Char(' '))) {
        const QString tried = current.isNull() ? word : current + QLatin1Char(' ') + word;
        if (!current.isNull() && metrics.horizontalAdvance(tried) > room) {
            lines << current;
            current = word;
        } else {
            current = tried;
        }
    }
    lines << current;
    double y = m_position.y();
    for (const QString &line : lines) {
        p.drawText(QPointF(x, toDevice(y) + metrics.ascent()), line);
        y += lineTwips;
    }
    // The next line starts at the left edge, one line lower.
    m_position = QPointF(0, y);
    m_wrappedHeight = (lines.size() - 1) * lineTwips;
}

int PagePrinter::gridPageCount(const grid::SpreadModel &grid, const QRectF &twips)
{
    return grid::GridPagePainter(grid).pageCount(&m_printer, twips);
}

QPair<int, int> PagePrinter::gridPageRows(const grid::SpreadModel &grid, const QRectF &twips, int page)
{
    return grid::GridPagePainter(grid).pageRows(&m_printer, twips, page);
}

void PagePrinter::drawGrid(const grid::SpreadModel &grid, const QRectF &twips, int page)
{
    grid::GridPagePainter(grid).drawPage(painter(), twips, page);
}

QVector<double> PagePrinter::gridRowHeights(const grid::SpreadModel &grid)
{
    return grid::GridPagePainter(grid).rowHeights(&m_printer);
}

void PagePrinter::drawGridRows(const grid::SpreadModel &grid, const QRectF &twips, int first, int last)
{
    grid::GridPagePainter(grid).drawRows(painter(), twips, first, last);
}

void PagePrinter::drawGridRowsSlice(const grid::SpreadModel &grid, const QRectF &twips, int first, int last,
                                    double fromY, double toY)
{
    QPainter &p = painter();
    p.save();
    p.setClipRect(QRectF(QPointF(toDevice(twips.left()), toDevice(fromY)), QPointF(toDevice(twips.right()), toDevice(toY))));
    grid::GridPagePainter(grid).drawRows(p, twips, first, last);
    p.restore();
}

double PagePrinter::gridLineBreak(const grid::SpreadModel &grid, double limit)
{
    return grid::GridPagePainter(grid).lineBreakAtOrAbove(&m_printer, limit);
}

void PagePrinter::newPage()
{
    if (m_document) {
        m_document->continueSheet();
        return;
    }
    ensureStarted();
    if (!m_printer.newPage())
        throw PrintError(PrintError::PrinterFailed, QStringLiteral("Printer error."));
}

void PagePrinter::endDoc()
{
    if (m_document) {
        m_ended = true;   // the document goes on with the next page
        return;
    }
    ensureStarted();     // an empty document still makes one page
    m_painter.end();
    m_ended = true;
}
