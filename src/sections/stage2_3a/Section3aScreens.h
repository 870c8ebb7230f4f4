#pragma once

class ScreenRegistry;

// Registers the four Section 3a rating screens and their chain.
void registerSection3aScreens(ScreenRegistry &registry);
