// SPDX-License-Identifier: GPL-3.0-or-later
// Reads or sets the NumLock toggle of an X display, for the real-window test.
//
//   x11numlock          prints "on" or "off"
//   x11numlock on|off   locks or unlocks it, then prints the new state
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x11numlock: cannot open the display\n");
        return 1;
    }
    const unsigned int mask = XkbKeysymToModifiers(display, XK_Num_Lock);
    if (mask == 0) {
        std::fprintf(stderr, "x11numlock: NumLock is bound to no modifier\n");
        XCloseDisplay(display);
        return 1;
    }
    if (argc == 2) {
        const bool on = std::strcmp(argv[1], "on") == 0;
        XkbLockModifiers(display, XkbUseCoreKbd, mask, on ? mask : 0);
        XSync(display, False);
    }
    XkbStateRec state;
    if (XkbGetState(display, XkbUseCoreKbd, &state) != Success) {
        XCloseDisplay(display);
        return 1;
    }
    std::printf("%s\n", (state.locked_mods & mask) ? "on" : "off");
    XCloseDisplay(display);
    return 0;
}
