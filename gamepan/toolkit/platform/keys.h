// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

class QKeyEvent;

namespace Tolvane {

// Virtual-key codes the games and windows react to.
constexpr std::uint16_t VK_CLEAR = 0x0C;
constexpr std::uint16_t VK_RETURN = 0x0D;
constexpr std::uint16_t VK_ESCAPE = 0x1B;
constexpr std::uint16_t VK_SPACE = 0x20;
constexpr std::uint16_t VK_PRIOR = 0x21;
constexpr std::uint16_t VK_NEXT = 0x22;
constexpr std::uint16_t VK_END = 0x23;
constexpr std::uint16_t VK_HOME = 0x24;
constexpr std::uint16_t VK_LEFT = 0x25;
constexpr std::uint16_t VK_UP = 0x26;
constexpr std::uint16_t VK_RIGHT = 0x27;
constexpr std::uint16_t VK_DOWN = 0x28;
constexpr std::uint16_t VK_INSERT = 0x2D;
constexpr std::uint16_t VK_DELETE = 0x2E;
constexpr std::uint16_t VK_NUMPAD0 = 0x60;
constexpr std::uint16_t VK_NUMPAD1 = 0x61;
constexpr std::uint16_t VK_NUMPAD2 = 0x62;
constexpr std::uint16_t VK_NUMPAD3 = 0x63;
constexpr std::uint16_t VK_NUMPAD4 = 0x64;
constexpr std::uint16_t VK_NUMPAD5 = 0x65;
constexpr std::uint16_t VK_NUMPAD6 = 0x66;
constexpr std::uint16_t VK_NUMPAD7 = 0x67;
constexpr std::uint16_t VK_NUMPAD8 = 0x68;
constexpr std::uint16_t VK_NUMPAD9 = 0x69;
constexpr std::uint16_t VK_NUMLOCK = 0x90;

// The virtual-key code of a key press, or 0 for a key without one.
// Keypad digits come only from the keypad with NumLock on, known by the
// key's native keysym (KP_0 to KP_9) or by Qt's keypad modifier; with
// NumLock off the keypad sends the cursor keys, which are not digits.
std::uint16_t VirtualKey(const QKeyEvent& event);

} // namespace Tolvane
