// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QToolButton;

namespace Tolvane {

// Gives a button the look of a classic flat button: no face of its own, so
// what lies behind it shows through its caption at all times; under the
// pointer only a raised edge appears, and a sunken one while it is pressed.
// The caption keeps the colours its palette gives it. The look is shared by
// every flat button and lives as long as the application.
void MakeFlat(QToolButton& button);

} // namespace Tolvane
