// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

namespace Tolvane {

// The game panel's diagnostics: modes, starts, ends and settings. Silent
// unless QT_LOGGING_RULES turns "tolvane.panel.debug" on.
Q_DECLARE_LOGGING_CATEGORY(lcPanel)

} // namespace Tolvane
