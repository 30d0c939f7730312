// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Tolvane {

// The whole program: the application object, the splash while the main
// window is built, then the event loop until the main window closes.
int RunProgram(int& argc, char** argv);

// The names the program goes by: "Tolvane" for its per-user data folder,
// which must not change with the version, and the title "Tolvane 1.47" on
// its message boxes. Tables kept under the folder of the old versioned name
// are taken over. Needs the application object.
void NameApplication();

// Ends the program cleanly on SIGTERM and SIGINT (a logout, a service
// stopped, Ctrl+C in a terminal): an open high-score window is closed, so it
// writes back what it holds, and the event loop ends with status 0. A second
// signal ends the program at once. Needs the application object; RunProgram
// calls it.
void QuitOnTerminationSignals();
// Whether such a signal has come, also before the event loop ran.
bool TerminationRequested();

} // namespace Tolvane
