#pragma once

#include "PrintPreview.h"
#include "ReviewsDue.h"

#include <QString>

class QPrinter;

// The Reviews Due list on paper, landscape: on every sheet the school header,
// the title with the year, the day it was made and any filter, and the page
// number; on the first the counts per group; then each group under its
// heading with its count, its column heads repeated where it continues on a
// new sheet. Long texts wrap inside their column: nothing is cut off.
namespace ReviewsDuePage {

struct Header
{
    QString schoolName;
    QString emisCode;
    QString filter;   // "Grade: Grade 4", empty when the list is whole
};

void paint(QPrinter &printer, const ReviewsDueList &list, const Header &header);
PrintJob job(const ReviewsDueList &list, const Header &header);

QString title(const ReviewsDueList &list);

} // namespace ReviewsDuePage
