#pragma once

// What the commands that load section screens headless share: every message
// box written to stderr and answered with No or OK, its error reports counted
// (a command fails the work an error report came with).
namespace AdminScreens {

// Installs the responder; the count of error reports since then.
const int &countErrorReports();

} // namespace AdminScreens
