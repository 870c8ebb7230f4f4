#pragma once

// What the commands that load section screens headless share: the screens
// registered as the program registers them, and every message box written to
// stderr and answered with No or OK, its error reports counted (a command
// fails the work an error report came with).
namespace AdminScreens {

void registerAll();
// Installs the responder; the count of error reports since then.
const int &countErrorReports();

} // namespace AdminScreens
