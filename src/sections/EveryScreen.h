#pragma once

#include "ScreenRegistry.h"

// Every section screen of the program with its chains. A screen added here
// opens from the main menu, prints from sna-admin and is covered by the
// conformance suite.
void registerEveryScreen(ScreenRegistry &registry);
