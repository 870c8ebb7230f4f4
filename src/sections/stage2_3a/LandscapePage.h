#pragma once

#include "PageFlow.h"

#include <QString>

class PagePrinter;

// The head of the landscape Stage 2 pages: the 12-point header line with the
// screen's title and the learner line, on every sheet, so a sheet a list runs
// onto reads alone.
namespace LandscapePage {

constexpr double ContinuedTop = 800;   // twips: where a continuation sheet's content starts

void printHead(PagePrinter &printer, const QString &title);

// Whether the first sheet's head is still to be printed by the flow, or the
// screen printed it before placing blocks of its own.
enum class FirstHead { Print, AlreadyPrinted };

// A page head for PageFlow: the head on every sheet; firstTop is the content
// top on the first sheet, ContinuedTop (or below a wrapped head) on the others.
PageFlow::PageHead everySheet(const QString &title, double firstTop, FirstHead first);

} // namespace LandscapePage
