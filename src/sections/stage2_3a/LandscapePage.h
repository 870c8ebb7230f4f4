#pragma once

#include "PageFlow.h"

#include <QString>

class PagePrinter;

// The head of the landscape Stage 2 pages: the 12-point header line with the
// screen's title and the learner line, on the first sheet only (a list that
// runs on continues at the top of the next sheets with nothing repeated).
namespace LandscapePage {

constexpr double ContinuedTop = 800;   // twips: where a continuation sheet's content starts

void printHead(PagePrinter &printer, const QString &title);

// A page head for PageFlow: the head on the first sheet, firstTop its content
// top there; continuation sheets start bare at ContinuedTop.
PageFlow::PageHead firstSheetOnly(const QString &title, double firstTop);

} // namespace LandscapePage
