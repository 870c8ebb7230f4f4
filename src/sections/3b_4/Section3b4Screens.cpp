#include "Section3b4Screens.h"

#include "ActionPlan.h"
#include "ActionPlan2.h"
#include "ActionPlan3.h"
#include "ILSTIntervention.h"
#include "SchoolRequestSupport.h"
#include "ScreenRegistry.h"

void registerSection3b4Screens(ScreenRegistry &registry)
{
    registry.add(QStringLiteral("frmSchoolRequestSupport"),
                 [](QWidget *parent) -> SectionScreen * { return new frmSchoolRequestSupport(parent); },
                 QString(), QStringLiteral("frmILSTIntervention"));
    registry.add(QStringLiteral("frmILSTIntervention"),
                 [](QWidget *parent) -> SectionScreen * { return new frmILSTIntervention(parent); },
                 QStringLiteral("frmSchoolRequestSupport"));
    registry.add(QStringLiteral("frmActionPlan"),
                 [](QWidget *parent) -> SectionScreen * { return new frmActionPlan(parent); },
                 QString(), QStringLiteral("frmActionPlan2"));
    registry.add(QStringLiteral("frmActionPlan2"),
                 [](QWidget *parent) -> SectionScreen * { return new frmActionPlan2(parent); },
                 QStringLiteral("frmActionPlan"), QStringLiteral("frmActionPlan3"));
    registry.add(QStringLiteral("frmActionPlan3"),
                 [](QWidget *parent) -> SectionScreen * { return new frmActionPlan3(parent); },
                 QStringLiteral("frmActionPlan2"));
}
