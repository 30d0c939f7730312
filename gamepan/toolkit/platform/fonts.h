// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Tolvane {

// The windows ask for classic font families (Arial, Comic Sans MS, MS Sans
// Serif, System); this maps each to its metric-compatible free look-alike.
// Call once after the application object exists.
void RegisterFontSubstitutes();

} // namespace Tolvane
