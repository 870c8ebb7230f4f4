#pragma once

#include "SheetFlow.h"
#include "TextMeasures.h"

#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

class QPaintDevice;
class QPainter;

// Where laid-out pages go as they are finished, one at a time: each page is
// asked for as it begins; the answer is the painter to draw it with, or none
// to lay the page out without drawing it.
class PageSink
{
public:
    virtual ~PageSink() = default;
    virtual QPainter *beginPage(int page) = 0;   // 0-based
};

// Lays a report out as a flow of blocks over pages the size of one paint
// device (the viewer's page, a printer or a PDF): every page carries the
// school name, the title and "Page i of n"; a table's column headings repeat
// on each page it runs onto, under its group heading marked as continued; a
// group heading is never left alone at the foot of a page. Sizes are in
// points. Each block is drawn as it is placed and nothing of a page is kept
// once it is full, so a report of any length takes the memory of one page;
// the page count is known from a first pass without a sink.
class ReportLayout
{
public:
    struct Output
    {
        PageSink *sink = nullptr;   // none: pages are only counted
        int firstPage = 0;          // the number the flow starts on (0-based)
        int pageCount = 0;          // the n of "Page i of n"
    };

    struct Column
    {
        QString heading;
        double weight = 1;      // share of the page width
        QString widest = {};    // the widest text its cells hold, when known: no word of it is broken
    };

    // device gives the page's size and the text's measures; it is never painted on.
    ReportLayout(const QPaintDevice &device, const QString &schoolName, const QString &title, Output output);
    ReportLayout(const QPaintDevice &device, const QString &schoolName, const QString &title);
    ~ReportLayout();

    double pageWidth() const;   // device units, inside the margins

    // Starts a table: headings now and at the top of every further page it fills.
    void beginTable(const QVector<Column> &columns);
    void endTable();
    // A heading of a group of rows (level 0 outermost).
    void addGroupHeading(const QString &text, int level = 0);
    void addRow(const QStringList &cells, bool bold = false);

    // Free text: a heading line, a paragraph (wrapped), a label with its value.
    void addHeading(const QString &text);
    void addParagraph(const QString &text, bool bold = false);
    void addField(const QString &label, const QString &value);
    void addSpace(double points);
    void newPage();
    // Whom the pages from here on are about (a learner's name): a page the
    // flow runs onto opens with it, marked as continued. Empty for none.
    void setSubject(const QString &text);

    // Said on the page of a report whose dataset has no rows.
    void addNoRowsNotice(const QString &text = QStringLiteral("There are no learners to report for this selection."));

    // The page the flow is on (0-based); the pages so far are one more.
    int currentPage() const { return m_flow.sheet(); }
    int pageCount() const { return m_flow.sheet() + 1; }

private:
    using Drawing = std::function<void(QPainter &)>;

    double points(double pt) const;
    // Device units: the area between the page's header and its footer.
    QRectF bodyArea() const;
    // A cell's text as drawn: the font (shrunk when a word would not fit)
    // and the wrap.
    struct CellText
    {
        QFont font;
        int flags = 0;
    };
    CellText fitCell(const QFont &font, const QString &text, double width) const;
    // A text wrapped to a width: how it wraps, and its height.
    struct TextBlock
    {
        int flags = 0;
        double height = 0;
    };
    TextBlock measureText(const QFont &font, const QString &text, double width) const;
    double textHeight(const QFont &font, const QString &text, double width) const;
    // A cell's text fitted to its width, and its height.
    struct FittedCell
    {
        CellText text;
        double height = 0;
    };
    FittedCell measureCell(const QFont &font, const QString &text, double width) const;
    // A row's cells fitted to their columns, and its height.
    struct FittedRow
    {
        QVector<CellText> cells;
        double height = 0;
    };
    FittedRow fitRow(const QStringList &cells, const QFont &font) const;
    void sizeColumns();
    QStringList tableHeadings() const;
    // The flow's head of a page: begins it in the sink and draws its frame;
    // returns the top of the body.
    double openPage(int page);
    // What a page the flow runs onto repeats: whom the report is about, the
    // open group and the table's headings, in the order the first page gave them.
    void placeRunOn();
    void place(double height, Drawing drawing);
    void placeTableHeadings();
    void placeContinuedHeading(const QString &text, int level);
    void placeRow(const QStringList &cells, const FittedRow &row, bool shaded);
    void placeTableRow(const QStringList &cells, const QFont &font, bool shaded);
    void drawPageFrame(QPainter &painter, int page) const;

    const QPaintDevice &m_device;
    Output m_output;
    // What texts measured on this layout: a report repeats the same
    // descriptions, labels and scores on every learner's pages.
    mutable TextMeasures m_measures;
    QPainter *m_painter = nullptr;   // the current page's, when it is drawn
    QString m_school;
    QString m_title;
    QFont m_bodyFont;
    QFont m_boldFont;
    QFont m_headingFont;
    QFont m_titleFont;
    QRectF m_body;              // device units: the area between header and footer
    QVector<Column> m_columns;
    QVector<double> m_widths;   // device units, set when a table begins
    double m_tableScale = 1;    // the table's text size, as a share of the body's
    bool m_inTable = false;
    QString m_subject;          // repeated as continued at the top of a page the flow runs onto
    QString m_groupHeading;     // the innermost open group, repeated as continued
    int m_groupLevel = 0;
    // Last: its first page is opened and drawn as it is made. Pages are
    // numbered from 0.
    SheetFlow m_flow;
};
