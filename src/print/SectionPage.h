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
    double left = 500;
};

void printHeader(PagePrinter &printer, const QString &title, double pointSize = 11);
void printLearnerLine(PagePrinter &printer);
void printBlocks(PagePrinter &printer, const QVector<Block> &blocks);
// Page 1 of every block on the current sheet, each in the rectangle from its
// left and top to the right edge (page width + rightOverhang) and the bottom.
void printFirstPages(PagePrinter &printer, const QVector<Block> &blocks, double rightOverhang = 0);
// The further pages of each of those blocks that runs on, on sheets of their
// own at the same left and top, so no text of a long grid is left off paper.
void printFurtherPages(PagePrinter &printer, const QVector<Block> &blocks, double rightOverhang = 0);

// Header, learner line when asked, bold off, then the blocks.
void print(PagePrinter &printer, const QString &title, bool learnerLine, const QVector<Block> &blocks);

QString headerText(const QString &title);
QString learnerLineText();

} // namespace SectionPage
