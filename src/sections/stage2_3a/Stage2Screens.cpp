#include "Stage2Screens.h"

#include "ExtendedProfile1.h"
#include "ExtendedProfile2.h"
#include "IndividualSupportPlan.h"
#include "ScreenRegistry.h"

void registerStage2Screens(ScreenRegistry &registry)
{
    const QString first = QStringLiteral("frmExtendedProfile1");
    const QString second = QStringLiteral("frmExtendedProfile2");
    registry.add(first, [](QWidget *parent) -> SectionScreen * { return new frmExtendedProfile1(parent); });
    registry.add(second, [](QWidget *parent) -> SectionScreen * { return new frmExtendedProfile2(parent); });
    registry.add(QStringLiteral("frmISP"), [](QWidget *parent) -> SectionScreen * { return new frmISP(parent); });
    registry.addChain({first, second});
}
