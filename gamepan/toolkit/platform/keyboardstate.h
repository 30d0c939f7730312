// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace Tolvane {

// The NumLock toggle. On X11 the X server's state; on other platforms
// (Wayland) the kernel's NumLock LEDs, on when any keyboard's LED is lit.
// Where the state cannot be known it counts as on, so no warning appears.
bool NumLockOn();

// Tests: where the LEDs are looked for (empty restores the kernel's folder).
void SetLedFolder(const QString& folder);

// Tests: answer with a fixed state (an empty function restores the real one).
using TNumLockProbe = std::function<std::optional<bool>()>;
void SetNumLockProbe(TNumLockProbe probe);

} // namespace Tolvane
