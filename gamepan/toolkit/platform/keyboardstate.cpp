// SPDX-License-Identifier: GPL-3.0-or-later
#include "keyboardstate.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace Tolvane {
namespace {

TNumLockProbe numLockProbe;
const QString kKernelLedFolder = QStringLiteral("/sys/class/leds");
QString ledFolder = kKernelLedFolder;

bool OnX11() {
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

std::optional<bool> ReadX11NumLock() {
    if (!OnX11()) return std::nullopt;
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

// The NumLock LEDs under folder (the kernel's /sys/class/leds): on when any
// "*::numlock" LED is lit, off when every one that can be read is dark, no
// answer when none can be read.
std::optional<bool> NumLockFromLeds(const QString& folder) {
    // Each keyboard has its own LED; one lit is enough, as the player may be
    // at any of them.
    std::optional<bool> on;
    const QDir leds(folder);
    for (const QString& led :
         leds.entryList({QStringLiteral("*::numlock")}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile file(leds.filePath(led + QStringLiteral("/brightness")));
        if (!file.open(QIODevice::ReadOnly)) continue;
        bool number = false;
        const int brightness = file.read(16).trimmed().toInt(&number);
        if (!number) continue;
        on = on.value_or(false) || brightness > 0;
    }
    return on;
}

} // namespace

void SetLedFolder(const QString& folder) {
    ledFolder = folder.isEmpty() ? kKernelLedFolder : folder;
}

bool NumLockOn() {
    if (numLockProbe) return numLockProbe().value_or(true);
    // Wayland tells programs no lock state, and an X server beside it keeps
    // its own; the kernel knows what the keyboard shows.
    std::optional<bool> state = ReadX11NumLock();
    if (!state) state = NumLockFromLeds(ledFolder);
    return state.value_or(true);
}

void SetNumLockProbe(TNumLockProbe probe) {
    numLockProbe = std::move(probe);
}

} // namespace Tolvane
