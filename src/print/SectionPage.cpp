#include "SectionPage.h"

#include "PageFlow.h"
#include "PagePrinter.h"

namespace SectionPage {

namespace {
const QString PageFont = QStringLiteral("Times New Roman");
}

QString headerText(const PageHead &head, const QString &title)
{
    return QStringLiteral(" EMIS NUMBER: ") + head.emisCode + title;
}

QString learnerLineText(const PageHead &head)
{
    return QStringLiteral(" LEARNER NAME : ") + head.learnerName + QStringLiteral("  ASSESION NUMBER: ") + head.accessionNo;
}

void printHeader(PagePrinter &printer, const QString &title, double pointSize)
{
    printer.setFont(PageFont, pointSize, true);
    printer.setPosition(500, 130);
    printer.printLine(headerText(printer.head(), title));
}

void printLearnerLine(PagePrinter &printer)
{
    printer.setFont(PageFont, 9, true);
    // Lower by what a header too wide for one line needed more.
    printer.setPosition(500, 360 + printer.wrappedHeight());
    printer.printLine(learnerLineText(printer.head()));
}

Head landscapeHead(const QString &title)
{
    return {title, 12, true, LandscapeContentTop};
}

double printHead(PagePrinter &printer, const Head &head)
{
    printHeader(printer, head.title, head.pointSize);
    if (head.learnerLine)
        printLearnerLine(printer);
    printer.setBold(false);
    return qMax(head.contentTop, printer.positionY() + BlockGap);
}

PageFlow::HeadPrinter everySheet(const Head &head)
{
    return [head](PagePrinter &sheet) { return printHead(sheet, head); };
}

namespace {

void flowBlocks(PageFlow &flow, const QVector<Block> &blocks)
{
    for (const Block &block : blocks)
        if (block.grid)
            flow.placeGrid(*block.grid, block.top, block.left, block.headingRows);
}

} // namespace

void print(PagePrinter &printer, const QString &title, bool learnerLine, const QVector<Block> &blocks)
{
    PageFlow flow(printer, everySheet({title, 11, learnerLine}), BlockGap);
    // A sheet a grid continues on names the learner, even where the first
    // sheet's grids do instead of a learner line.
    if (!learnerLine)
        flow.setContinuedMark(learnerLineText(printer.head()) + QStringLiteral("  (continued)"));
    flowBlocks(flow, blocks);
}

} // namespace SectionPage
