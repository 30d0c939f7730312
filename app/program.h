// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>
#include <optional>

class QCoreApplication;

namespace Tolvane {

// The id of the desktop entry, the icon's name and the Wayland app id, so
// that docks and launchers take the window for the launcher's program.
inline constexpr char kDesktopId[] = "org.example.tolvane";

// The whole program: the application object, the splash while the main
// window is built, then the event loop until the main window closes. The
// command line is only asked for the version or help; anything else on it
// is ignored.
int RunProgram(int& argc, char** argv);

// What the command line asks to be printed instead of a game (--version,
// --help), or nothing. Needs no application object, so it works without a
// display.
std::optional<QString> CommandLineAnswer(const QStringList& arguments);

// The names the program goes by: "Tolvane" for its per-user data folder,
// which must not change with the version, and the title "Tolvane 1.47" on
// its message boxes; the desktop entry's id and the window icon. Tables kept
// under the folder of the old versioned name are taken over. Needs the
// application object.
void NameApplication();

// The icon of the installed icon theme, else the one built in.
QIcon ProgramIcon();

// Qt's own texts (the standard buttons of the boxes) in the user's
// language, when Qt's translation for it is installed; the program's own
// texts stay as they are. True when one was loaded.
bool LoadQtTranslations(QCoreApplication& application);

} // namespace Tolvane
