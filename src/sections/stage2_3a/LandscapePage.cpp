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

PageFlow::PageHead firstSheetOnly(const QString &title, double firstTop)
{
    auto first = std::make_shared<bool>(true);
    return [first, title, firstTop](PagePrinter &printer) {
        if (!*first)
            return ContinuedTop;
        *first = false;
        if (!title.isNull())
            printHead(printer, title);
        return firstTop;
    };
}

} // namespace LandscapePage
