// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Tolvane {

// Ends the program cleanly on SIGTERM and SIGINT (a logout, a service
// stopped, Ctrl+C in a terminal): an open high-score window is closed, so it
// writes back what it holds, and the event loop ends with status 0. A second
// signal ends the program at once. Needs the application object; RunProgram
// calls it.
void QuitOnTerminationSignals();
// Whether such a signal has come, also before the event loop ran.
bool TerminationRequested();

} // namespace Tolvane
