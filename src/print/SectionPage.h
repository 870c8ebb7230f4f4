#pragma once

#include <QString>
#include <QVector>

class PagePrinter;
namespace grid { class SpreadModel; }

// The common layout of a printed section page: the bold header line with the
// school's EMIS number and the section's title, the optional learner line, and
// the screen's grids at fixed tops, each drawn as page 1 into the rectangle
// from x 500 to the page's right and bottom edges.
namespace SectionPage {

struct Block
{
    const grid::SpreadModel *grid = nullptr;
    double top = 0;
};

void printHeader(PagePrinter &printer, const QString &title, double pointSize = 11);
void printLearnerLine(PagePrinter &printer);
void printBlocks(PagePrinter &printer, const QVector<Block> &blocks);

// Header, learner line when asked, bold off, then the blocks.
void print(PagePrinter &printer, const QString &title, bool learnerLine, const QVector<Block> &blocks);

QString headerText(const QString &title);
QString learnerLineText();

} // namespace SectionPage
