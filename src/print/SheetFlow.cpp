#include "SheetFlow.h"

SheetFlow::SheetFlow(const Rules &rules, OpenSheet open)
    : m_open(std::move(open))
    , m_bottom(rules.bottom)
    , m_gap(rules.gap)
    , m_tolerance(rules.tolerance)
    , m_sheet(rules.firstSheet)
{
    m_contentTop = m_open(m_sheet);
    m_end = m_contentTop;
}

double SheetFlow::room(double top, double height)
{
    const double y = startAt(top);
    // A block at the top of a sheet's content would fit no better on the
    // next sheet.
    if (fits(y, height) || y <= m_contentTop + m_tolerance)
        return y;
    runOn();
    return m_end;
}

double SheetFlow::reserve(double top, double height)
{
    const double y = room(top, height);
    placeTo(y + height);
    return y;
}

void SheetFlow::newSheet()
{
    ++m_sheet;
    m_contentTop = m_open(m_sheet);
    m_end = m_contentTop;
    m_placedOnSheet = false;
}

void SheetFlow::runOn()
{
    newSheet();
    if (m_repeat)
        m_repeat();
}
