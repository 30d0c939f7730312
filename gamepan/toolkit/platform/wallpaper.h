// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace Tolvane {

// One external command and what it gave back.
struct TCommandResult {
    int ExitCode = -1; // -1 when the program could not be run or timed out
    QString Output;    // standard output
};

// Runs a program with its arguments and waits (boundedly) for it to end.
using TCommandRunner =
    std::function<TCommandResult(const QString& program, const QStringList& arguments)>;
// The full path of an installed program, or empty when it is not installed.
using TExecutableFinder = std::function<QString(const QString& name)>;

// Makes a BMP file the desktop wallpaper, tiled, on every desktop whose
// settings tool is installed: GNOME and Budgie (gsettings, GNOME's schema),
// Cinnamon and MATE (gsettings, their own schemas), Xfce (xfconf-query) and
// KDE Plasma (plasma-apply-wallpaperimage). The desktops keep the setting in
// the user's profile and apply it at once. True when at least one desktop
// took it; where none is installed nothing happens and nothing is reported.
bool SetDesktopWallpaper(const QString& path);

// Tests: replace how commands run and how programs are found (empty
// functions restore the real ones).
void SetCommandRunner(TCommandRunner runner);
void SetExecutableFinder(TExecutableFinder finder);

} // namespace Tolvane
