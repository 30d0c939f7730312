// SPDX-License-Identifier: GPL-3.0-or-later
#include "keys.h"

#include <QKeyEvent>

namespace Tolvane {
namespace {

// X keysyms of the keypad, which X11 and Wayland both report as the key's
// native code: the digits with NumLock on, the cursor keys with it off.
constexpr quint32 kKeysymKeypad0 = 0xffb0;
constexpr quint32 kKeysymKeypad9 = 0xffb9;

struct TKeypadCursor {
    quint32 Keysym;
    std::uint16_t Vk;
};
constexpr TKeypadCursor kKeypadCursors[] = {
    {0xff95, VK_HOME},  {0xff96, VK_LEFT},   {0xff97, VK_UP},     {0xff98, VK_RIGHT},
    {0xff99, VK_DOWN},  {0xff9a, VK_PRIOR},  {0xff9b, VK_NEXT},   {0xff9c, VK_END},
    {0xff9d, VK_CLEAR}, {0xff9e, VK_INSERT}, {0xff9f, VK_DELETE},
};

// The keypad key the native keysym names, or 0.
std::uint16_t KeypadKeyOf(quint32 keysym) {
    if (keysym >= kKeysymKeypad0 && keysym <= kKeysymKeypad9)
        return static_cast<std::uint16_t>(VK_NUMPAD0 + (keysym - kKeysymKeypad0));
    for (const TKeypadCursor& cursor : kKeypadCursors)
        if (cursor.Keysym == keysym) return cursor.Vk;
    return 0;
}

} // namespace

std::uint16_t VirtualKey(const QKeyEvent& event) {
    // Qt's Wayland platform leaves the keypad modifier off the keypad's
    // digits, so the keysym decides before Qt's key does.
    if (const std::uint16_t keypadKey = KeypadKeyOf(event.nativeVirtualKey())) return keypadKey;
    const int key = event.key();
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    if (keypad && key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<std::uint16_t>(VK_NUMPAD0 + (key - Qt::Key_0));
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<std::uint16_t>('0' + key - Qt::Key_0);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<std::uint16_t>('A' + key - Qt::Key_A);
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Clear:
        return VK_CLEAR;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_NumLock:
        return VK_NUMLOCK;
    default:
        return 0;
    }
}

} // namespace Tolvane
