#pragma once

class ScreenRegistry;

// Registers the Section 3b and Section 4 screens and their chains.
void registerSection3b4Screens(ScreenRegistry &registry);
