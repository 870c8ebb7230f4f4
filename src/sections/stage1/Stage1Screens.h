#pragma once

class ScreenRegistry;

// Registers the Stage 1 section screens and their chains.
void registerStage1Screens(ScreenRegistry &registry);

// Each chain registers itself from its own screen file.
void registerBackgroundScreens(ScreenRegistry &registry);
void registerDiagnosticProfileScreens(ScreenRegistry &registry);
