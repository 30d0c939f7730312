// SPDX-License-Identifier: GPL-3.0-or-later
#include "keyboardstate.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace Tolvane {
namespace {

TNumLockProbe numLockProbe;

std::optional<bool> ReadX11NumLock() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return std::nullopt;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return std::nullopt;
    std::optional<bool> on;
    const unsigned int mask = XkbKeysymToModifiers(display, XK_Num_Lock);
    XkbStateRec state;
    if (mask != 0 && XkbGetState(display, XkbUseCoreKbd, &state) == Success)
        on = (state.locked_mods & mask) != 0;
    XCloseDisplay(display);
    return on;
}

} // namespace

bool NumLockOn() {
    const std::optional<bool> state = numLockProbe ? numLockProbe() : ReadX11NumLock();
    return state.value_or(true);
}

void SetNumLockProbe(TNumLockProbe probe) {
    numLockProbe = std::move(probe);
}

} // namespace Tolvane
