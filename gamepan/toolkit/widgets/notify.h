// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <Qt>
#include <cstdint>
#include <functional>

namespace Tolvane {

// An optional callback bound to its receiver, called with the sender.
using TNotifyEvent = std::function<void(QObject* sender)>;

// A key-down callback: virtual-key code (may be changed by the handler) and modifiers.
using TKeyEvent =
    std::function<void(QObject* sender, std::uint16_t& key, Qt::KeyboardModifiers shift)>;

// An unassigned event is skipped. The handler runs from a copy: it may
// reassign or clear the very event that called it (an owner that leaves the
// game cuts the board off from inside the board's notification).
inline void Fire(const TNotifyEvent& event, QObject* sender) {
    if (!event) return;
    const TNotifyEvent handler = event;
    handler(sender);
}

} // namespace Tolvane
