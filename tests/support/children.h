// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace Tolvane {

// A window's control by the name its layout gives it; null when missing.
template <typename T> T* Child(const QObject& window, const char* name) {
    return window.findChild<T*>(QLatin1String(name));
}

} // namespace Tolvane
