// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>

namespace Tolvane {

// The NumLock toggle. Read from the X server when the program runs on X11;
// where the state cannot be known it counts as on, so no warning appears.
bool NumLockOn();

// Tests: answer with a fixed state (an empty function restores the real one).
using TNumLockProbe = std::function<std::optional<bool>()>;
void SetNumLockProbe(TNumLockProbe probe);

} // namespace Tolvane
