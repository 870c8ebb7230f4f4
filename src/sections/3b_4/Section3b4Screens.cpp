#include "Section3b4Screens.h"

#include "ActionPlan.h"
#include "ActionPlan2.h"
#include "ActionPlan3.h"
#include "ILSTIntervention.h"
#include "SchoolRequestSupport.h"
#include "ScreenRegistry.h"

namespace {

template <class Screen>
ScreenRegistry::Factory made()
{
    return [](QWidget *parent) -> SectionScreen * { return new Screen(parent); };
}

} // namespace

void registerSection3b4Screens(ScreenRegistry &registry)
{
    registry.add(QStringLiteral("frmSchoolRequestSupport"), made<frmSchoolRequestSupport>());
    registry.add(QStringLiteral("frmILSTIntervention"), made<frmILSTIntervention>());
    registry.add(QStringLiteral("frmActionPlan"), made<frmActionPlan>());
    registry.add(QStringLiteral("frmActionPlan2"), made<frmActionPlan2>());
    registry.add(QStringLiteral("frmActionPlan3"), made<frmActionPlan3>());
    registry.addChain({QStringLiteral("frmSchoolRequestSupport"), QStringLiteral("frmILSTIntervention")});
    registry.addChain({QStringLiteral("frmActionPlan"), QStringLiteral("frmActionPlan2"), QStringLiteral("frmActionPlan3")});
}
