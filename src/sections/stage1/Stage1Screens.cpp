#include "Stage1Screens.h"

void registerStage1Screens(ScreenRegistry &registry)
{
    registerBackgroundScreens(registry);
    registerDiagnosticProfileScreens(registry);
}
