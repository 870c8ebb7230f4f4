#pragma once

#include "SpreadModel.h"

#include <QFont>
#include <QPainter>
#include <QPointF>
#include <QRectF>

class QPrinter;
class SharedDocument;

// What the head of a section page names. Whoever starts the page fills it in:
// printing itself knows no learner and no school.
struct PageHead
{
    QString emisCode;
    QString learnerName;
    QString accessionNo;
};

// The printer operations the section pages are written in: fonts, a current
// position in twips, text lines, grids drawn page by page into rectangles,
// new pages and the end of the document. Twips are measured from the top-left
// corner of the printable area; page width and height are the printable area's.
class PagePrinter
{
public:
    explicit PagePrinter(QPrinter &printer);
    // A page drawn into a document shared with other pages: it begins on the
    // document's current sheet, its new pages are the document's next sheets,
    // its end leaves the document open, and its page height stops above the
    // document's foot. Everything else prints exactly as on a job of its own.
    explicit PagePrinter(SharedDocument &document);
    ~PagePrinter();

    double pageWidth() const;    // twips
    double pageHeight() const;   // twips

    void setHead(const PageHead &head) { m_head = head; }
    const PageHead &head() const { return m_head; }

    void setFont(const QString &family, double pointSize, bool bold);
    void setBold(bool bold);
    void setPosition(double xTwips, double yTwips);
    // Prints at the current position and moves to the start of the next line.
    // A text wider than the rest of the sheet wraps at its blanks.
    void printLine(const QString &text);
    // How much lower than one line the last printLine ended, in twips (0
    // unless it wrapped).
    double wrappedHeight() const { return m_wrappedHeight; }
    // Where the next text line would start, in twips from the top.
    double positionY() const { return m_position.y(); }

    int gridPageCount(const grid::SpreadModel &grid, const QRectF &twips);
    // The first and last row drawGrid draws on page; (1, 0) past the last page.
    QPair<int, int> gridPageRows(const grid::SpreadModel &grid, const QRectF &twips, int page);
    void drawGrid(const grid::SpreadModel &grid, const QRectF &twips, int page);

    // Row heights in twips as the grid's rows print, and rows first..last
    // drawn from the rectangle's top (for flows that place rows themselves).
    QVector<double> gridRowHeights(const grid::SpreadModel &grid);
    void drawGridRows(const grid::SpreadModel &grid, const QRectF &twips, int first, int last);
    // The same, showing only what lies between fromY and toY: one sheet's
    // slice of a row taller than a sheet.
    void drawGridRowsSlice(const grid::SpreadModel &grid, const QRectF &twips, int first, int last,
                           double fromY, double toY);
    // The lowest place at or above limit twips below a row's top where that
    // row can be cut without cutting a line of text (0 when none).
    double gridLineBreak(const grid::SpreadModel &grid, double limit);

    void newPage();
    void endDoc();

    QPainter &painter();

private:
    double toDevice(double twips) const;
    void ensureStarted();

    QPrinter &m_printer;
    SharedDocument *m_document = nullptr;
    QPainter m_painter;
    QFont m_font;
    QPointF m_position;     // twips
    PageHead m_head;
    double m_wrappedHeight = 0.0;
    bool m_ended = false;
};
