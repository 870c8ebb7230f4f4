#include "ReviewsDuePage.h"

#include "PrintError.h"
#include "SheetFlow.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <array>

using ReviewDate::Group;

namespace ReviewsDuePage {

namespace {

const QString Family = QStringLiteral("Times New Roman");
// Shares of the width per column: learner, accession, grade, action, target,
// person, review date, last review held.
constexpr std::array<double, 8> Shares = {15, 9, 8, 7, 26, 15, 10, 10};
constexpr int TextFlags = Qt::TextWordWrap | Qt::TextWrapAnywhere;

QFont font(double points, bool bold)
{
    QFont f(Family);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// One piece of a sheet below its header.
struct Item
{
    enum Kind { GroupHeading, ColumnHeads, Line } kind;
    Group group;
    int line = -1;           // into the list, for a Line
    bool continued = false;  // a group heading repeated on a new sheet
    double height = 0;
};

// Lays the list down its sheets through the program's sheet flow, twice: once
// to count the sheets, then drawing them with "Page i of n" on each.
class Layout
{
public:
    Layout(QPrinter &printer, const ReviewsDueList &list, const Header &header)
        : m_printer(printer), m_list(list), m_header(header),
          m_width(printer.width()), m_height(printer.height()),
          m_pad(printer.resolution() / 24.0)
    {
        double x = 0;
        for (double share : Shares) {
            m_left.append(x);
            x += m_width * share / 100.0;
        }
        m_left.append(m_width);
    }

    void paint()
    {
        const int sheets = flow(nullptr, 0);
        QPainter painter;
        // A printer or file that cannot take the pages is a failure, never a
        // list printed.
        if (!painter.begin(&m_printer))
            throw PrintError(PrintError::PrinterFailed, QStringLiteral("Printer error."));
        flow(&painter, sheets);
        if (!painter.end())
            throw PrintError(PrintError::PrinterFailed, QStringLiteral("Printer error."));
    }

private:
    double lineHeight(const QFont &f) const { return QFontMetricsF(f, &m_printer).height(); }

    double cellsHeight(const QStringList &texts, const QFont &f) const
    {
        const QFontMetricsF metrics(f, &m_printer);
        double h = metrics.height();
        for (int c = 0; c < texts.size(); ++c) {
            const QRectF room(0, 0, m_left.at(c + 1) - m_left.at(c) - 2 * m_pad, 1e9);
            h = std::max(h, metrics.boundingRect(room, TextFlags, texts.at(c)).height());
        }
        return h + 2 * m_pad;
    }

    Item heading(Group group, bool continued) const
    {
        return {Item::GroupHeading, group, -1, continued, lineHeight(font(10, true)) + 3 * m_pad};
    }
    Item columnHeads(Group group) const
    {
        return {Item::ColumnHeads, group, -1, false, cellsHeight(ReviewsDue::columnTitles(), font(9, true))};
    }

    // Places every group down the sheets, drawing with painter when there is
    // one; returns the number of sheets.
    int flow(QPainter *painter, int sheets)
    {
        SheetFlow sheet({m_height - footHeight(), 0, 0, 1}, [&](int number) {
            if (painter && number > 1)
                m_printer.newPage();
            return drawHead(painter, number, sheets);
        });
        const auto place = [&](const Item &item) {
            if (painter)
                drawItem(*painter, item, sheet.end());
            sheet.advance(item.height);
        };
        int next = 0;
        for (int g = 0; g < ReviewDate::GroupCount; ++g) {
            const Group group = Group(g);
            const Item head = heading(group, false);
            const Item cols = columnHeads(group);
            double firstLine = 0;
            if (next < m_list.lines.size() && m_list.lines.at(next).group == group)
                firstLine = lineItem(next).height;
            // A heading never stands alone at the foot of a sheet.
            if (!sheet.fits(sheet.end(), head.height + (firstLine > 0 ? cols.height + firstLine : 0))
                && sheet.end() > sheet.contentTop())
                sheet.newSheet();
            place(head);
            if (firstLine == 0)
                continue;
            place(cols);
            // A sheet the group runs onto says so and repeats the column heads.
            sheet.setRepeat([&] {
                place(heading(group, true));
                place(cols);
            });
            for (; next < m_list.lines.size() && m_list.lines.at(next).group == group; ++next) {
                const Item line = lineItem(next);
                if (!sheet.fits(sheet.end(), line.height))
                    sheet.runOn();
                place(line);
            }
            sheet.setRepeat({});
        }
        return sheet.sheet();
    }

    Item lineItem(int index) const
    {
        return {Item::Line, m_list.lines.at(index).group, index, false,
                cellsHeight(ReviewsDue::columns(m_list.lines.at(index)), font(9, false))};
    }

    double footHeight() const { return lineHeight(font(9, false)) + 2 * m_pad; }

    // The sheet's head, drawn when there is a painter; returns where the
    // sheet's content begins.
    double drawHead(QPainter *painter, int sheet, int sheets)
    {
        double y = 0;
        const auto text = [&](const QFont &f, const QString &line) {
            const double h = lineHeight(f);
            if (painter) {
                painter->setFont(f);
                painter->drawText(QRectF(0, y, m_width, h), int(Qt::AlignLeft | Qt::AlignVCenter), line);
            }
            y += h;
        };
        text(font(12, true), m_header.schoolName + QStringLiteral("    EMIS NUMBER: ") + m_header.emisCode);
        text(font(11, true), title(m_list) + (m_header.filter.isEmpty() ? QString()
                                                                        : QStringLiteral("   ") + m_header.filter));
        y += m_pad * 2;
        if (sheet == 1) {
            text(font(9, false), m_list.countsLine());
            y += m_pad * 2;
        }
        if (painter) {
            const double foot = footHeight();
            painter->setFont(font(9, false));
            painter->drawText(QRectF(0, m_height - foot, m_width, foot), Qt::AlignHCenter | Qt::AlignBottom,
                              QStringLiteral("Page %1 of %2").arg(sheet).arg(sheets));
        }
        return y;
    }

    void drawItem(QPainter &painter, const Item &item, double y)
    {
        switch (item.kind) {
        case Item::GroupHeading: {
            painter.setFont(font(10, true));
            const int count = m_list.counts()[std::size_t(item.group)];
            QString text = QStringLiteral("%1 (%2)").arg(ReviewDate::groupTitle(item.group)).arg(count);
            if (item.continued)
                text += QStringLiteral(", continued");
            painter.drawText(QRectF(0, y + 2 * m_pad, m_width, item.height - 2 * m_pad),
                             Qt::AlignLeft | Qt::AlignVCenter, text);
            break;
        }
        case Item::ColumnHeads:
            drawCells(painter, ReviewsDue::columnTitles(), font(9, true), y, item.height, QColor(230, 230, 230));
            break;
        case Item::Line:
            drawCells(painter, ReviewsDue::columns(m_list.lines.at(item.line)), font(9, false), y, item.height,
                      QColor());
            break;
        }
    }

    void drawCells(QPainter &painter, const QStringList &texts, const QFont &f, double y, double height,
                   const QColor &fill)
    {
        painter.setFont(f);
        painter.setPen(QPen(Qt::gray, 0));
        for (int c = 0; c < texts.size(); ++c) {
            const QRectF cell(m_left.at(c), y, m_left.at(c + 1) - m_left.at(c), height);
            if (fill.isValid())
                painter.fillRect(cell, fill);
            painter.drawRect(cell);
        }
        painter.setPen(Qt::black);
        for (int c = 0; c < texts.size(); ++c) {
            const QRectF cell(m_left.at(c), y, m_left.at(c + 1) - m_left.at(c), height);
            painter.drawText(cell.adjusted(m_pad, m_pad, -m_pad, -m_pad), TextFlags, texts.at(c));
        }
    }

    QPrinter &m_printer;
    const ReviewsDueList &m_list;
    const Header &m_header;
    double m_width;
    double m_height;
    double m_pad;
    QVector<double> m_left;
};

} // namespace

QString title(const ReviewsDueList &list)
{
    QString text = QStringLiteral("REVIEWS DUE %1, as at %2").arg(list.year).arg(ReviewDate::shown(list.today));
    if (list.withinDays >= 0)
        text += QStringLiteral(", overdue and due within %1 days").arg(list.withinDays);
    return text;
}

void paint(QPrinter &printer, const ReviewsDueList &list, const Header &header)
{
    Layout(printer, list, header).paint();
}

PrintJob job(const ReviewsDueList &list, const Header &header)
{
    return {QStringLiteral("Reviews Due %1").arg(list.year), QPageLayout::Landscape,
            [list, header](QPrinter &printer) { paint(printer, list, header); }};
}

} // namespace ReviewsDuePage
