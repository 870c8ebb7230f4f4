#include "SharedDocument.h"

#include "PrintError.h"

#include <QFontMetricsF>
#include <QPrinter>

SharedDocument::SharedDocument(QPrinter &printer, const QString &footText, int totalSheets)
    : m_printer(printer), m_footText(footText), m_total(totalSheets)
{
}

SharedDocument::~SharedDocument()
{
    if (m_painter.isActive() && !m_finished) {
        m_printer.abort();
        m_painter.end();
    }
}

QPainter &SharedDocument::painter()
{
    if (!m_painter.isActive()) {
        if (m_finished || !m_painter.begin(&m_printer))
            throw PrintError(PrintError::PrinterFailed, QStringLiteral("Printer error."));
        if (m_sheet == 0)
            m_sheet = 1;
        m_painter.save();   // the state every page begins with
    }
    return m_painter;
}

void SharedDocument::startSheet(QPageLayout::Orientation orientation)
{
    if (m_sheet == 0) {
        // The first sheet takes its orientation before the job begins.
        m_printer.setPageOrientation(orientation);
        painter();
        return;
    }
    drawFoot();
    // A new orientation applies from the next sheet on, once this sheet's
    // foot is down.
    if (m_printer.pageLayout().orientation() != orientation)
        m_printer.setPageOrientation(orientation);
    nextSheet();
    // A page begins with a fresh painter, as on a job of its own: no clip,
    // pen or font left by the page before.
    m_painter.restore();
    m_painter.save();
}

void SharedDocument::continueSheet()
{
    drawFoot();
    nextSheet();
}

void SharedDocument::nextSheet()
{
    if (!m_printer.newPage())
        throw PrintError(PrintError::PrinterFailed, QStringLiteral("Printer error."));
    ++m_sheet;
}

void SharedDocument::finish()
{
    painter();   // an empty document still makes one sheet
    drawFoot();
    m_painter.restore();
    m_painter.end();
    m_finished = true;
}

void SharedDocument::drawFoot()
{
    QPainter &p = painter();
    p.save();
    p.setClipping(false);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(9);
    p.setFont(font);
    p.setPen(Qt::black);
    const double dpi = m_printer.logicalDpiY();
    const double height = FootHeight * dpi / 1440.0;
    const QRectF band(0, m_printer.height() - height, m_printer.width(), height);
    const QString number = m_total > 0 ? QStringLiteral("page %1 of %2").arg(m_sheet).arg(m_total)
                                       : QStringLiteral("page %1").arg(m_sheet);
    const double inset = 500 * m_printer.logicalDpiX() / 1440.0;
    const QRectF text = band.adjusted(inset, 0, -inset, 0);
    p.drawText(text, Qt::AlignLeft | Qt::AlignBottom, m_footText);
    p.drawText(text, Qt::AlignRight | Qt::AlignBottom, number);
    p.restore();
}
