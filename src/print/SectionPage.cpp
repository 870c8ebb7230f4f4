#include "SectionPage.h"

#include "AppState.h"
#include "PagePrinter.h"

namespace SectionPage {

namespace {
const QString PageFont = QStringLiteral("Times New Roman");
}

QString headerText(const QString &title)
{
    return QStringLiteral(" EMIS NUMBER: ") + appState().EmisCode + title;
}

QString learnerLineText()
{
    return QStringLiteral(" LEARNER NAME : ") + appState().CurrentLearnerName
        + QStringLiteral("  ASSESION NUMBER: ") + appState().CurrentAccessionNo;
}

void printHeader(PagePrinter &printer, const QString &title, double pointSize)
{
    printer.setFont(PageFont, pointSize, true);
    printer.setPosition(500, 130);
    printer.printLine(headerText(title));
}

void printLearnerLine(PagePrinter &printer)
{
    printer.setFont(PageFont, 9, true);
    printer.setPosition(500, 360);
    printer.printLine(learnerLineText());
}

void printBlocks(PagePrinter &printer, const QVector<Block> &blocks)
{
    for (const Block &block : blocks) {
        const QRectF rect(QPointF(block.left, block.top), QPointF(printer.pageWidth(), printer.pageHeight()));
        printer.drawGrid(*block.grid, rect, 1);
    }
}

namespace {
QRectF blockRect(PagePrinter &printer, const Block &block, double rightOverhang)
{
    return QRectF(QPointF(block.left, block.top), QPointF(printer.pageWidth() + rightOverhang, printer.pageHeight()));
}
} // namespace

void printFirstPages(PagePrinter &printer, const QVector<Block> &blocks, double rightOverhang)
{
    for (const Block &block : blocks)
        printer.drawGrid(*block.grid, blockRect(printer, block, rightOverhang), 1);
}

void printFurtherPages(PagePrinter &printer, const QVector<Block> &blocks, double rightOverhang)
{
    for (const Block &block : blocks) {
        const QRectF rect = blockRect(printer, block, rightOverhang);
        const int pages = printer.gridPageCount(*block.grid, rect);
        for (int page = 2; page <= pages; ++page) {
            printer.newPage();
            printer.drawGrid(*block.grid, rect, page);
        }
    }
}

void print(PagePrinter &printer, const QString &title, bool learnerLine, const QVector<Block> &blocks)
{
    printHeader(printer, title);
    if (learnerLine)
        printLearnerLine(printer);
    printer.setBold(false);
    printBlocks(printer, blocks);
}

} // namespace SectionPage
