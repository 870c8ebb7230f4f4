#include "ReportScreens.h"

namespace {
ReportScreenOpeners &openersSlot()
{
    static ReportScreenOpeners openers;
    return openers;
}
}

void setReportScreenOpeners(ReportScreenOpeners openers)
{
    openersSlot() = std::move(openers);
}

const ReportScreenOpeners &reportScreenOpeners()
{
    return openersSlot();
}
