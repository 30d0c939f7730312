// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Tolvane {

// The whole program: the application object, the splash while the main
// window is built, then the event loop until the main window closes.
int RunProgram(int& argc, char** argv);

} // namespace Tolvane
