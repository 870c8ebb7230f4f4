#include "EveryScreen.h"

#include "ScreenRegistry.h"
#include "Section3aScreens.h"
#include "Section3b4Screens.h"
#include "Stage1Screens.h"
#include "Stage2Screens.h"

void registerEveryScreen(ScreenRegistry &registry)
{
    registerStage1Screens(registry);
    registerStage2Screens(registry);
    registerSection3aScreens(registry);
    registerSection3b4Screens(registry);
}
