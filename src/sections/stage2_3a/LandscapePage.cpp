#include "LandscapePage.h"

#include "PagePrinter.h"
#include "SectionPage.h"

#include <memory>

namespace LandscapePage {

void printHead(PagePrinter &printer, const QString &title)
{
    printer.setFont(QStringLiteral("Times New Roman"), 12, true);
    printer.setPosition(140, 130);
    printer.printLine(QString());
    SectionPage::printHeader(printer, title, 12);
    SectionPage::printLearnerLine(printer);
    printer.setBold(false);
}

PageFlow::PageHead everySheet(const QString &title, double firstTop, FirstHead first)
{
    auto onFirst = std::make_shared<bool>(true);
    return [onFirst, title, firstTop, first](PagePrinter &printer) {
        if (*onFirst) {
            *onFirst = false;
            if (first == FirstHead::Print)
                printHead(printer, title);
            return firstTop;
        }
        printHead(printer, title);
        return qMax(ContinuedTop, printer.positionY() + SectionPage::BlockGap);
    };
}

} // namespace LandscapePage
