#pragma once

class ScreenRegistry;

// Registers the Stage 2 screens: Section 2's two screens chained by Next and
// Previous, and the individual support plan.
void registerStage2Screens(ScreenRegistry &registry);
