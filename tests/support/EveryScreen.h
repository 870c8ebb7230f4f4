#pragma once

#include "ScreenRegistry.h"
#include "Section3aScreens.h"
#include "Section3b4Screens.h"
#include "Stage1Screens.h"
#include "Stage2Screens.h"

// Every section screen of the program, registered as the program registers
// them. A stage that adds screens adds its register call here, and the
// conformance suite covers its screens from that day on.
inline void registerEveryScreen(ScreenRegistry &registry)
{
    registerStage1Screens(registry);
    registerStage2Screens(registry);
    registerSection3aScreens(registry);
    registerSection3b4Screens(registry);
}
