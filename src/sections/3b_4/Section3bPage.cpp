#include "Section3bPage.h"

#include "PageFlow.h"
#include "PagePrinter.h"
#include "SectionPage.h"

namespace Section3bPage {

void print(PagePrinter &printer, const QString &caption, const QString &tab, const grid::SpreadModel &showing,
           const QList<int> &headingRows)
{
    PageFlow flow(printer, SectionPage::everySheet({QStringLiteral(" ") + caption, 12}), SectionPage::BlockGap);
    flow.placeLine(tab, 800, 300);
    flow.placeGrid(showing, 800, 300, headingRows);
}

} // namespace Section3bPage
