// SPDX-License-Identifier: GPL-3.0-or-later
#include "program.h"

#include "about/aboutbox.h"
#include "app/application.h"
#include "app/form1.h"
#include "gamepan/toolkit/fonts.h"

#include <memory>

namespace Tolvane {

int RunProgram(int& argc, char** argv) {
    TApplication application(argc, argv);
    // The title of the message boxes; the main window keeps its own caption.
    TApplication::setApplicationName(QStringLiteral("Tolvane 1.47"));
    RegisterFontSubstitutes();

    auto splash = std::make_unique<TAboutBox>(nullptr);
    splash->ShowSplash();
    // Building the window keeps the splash up for at least three seconds.
    TForm1 form;
    splash->hide();
    splash.reset();

    form.show();
    return TApplication::exec();
}

} // namespace Tolvane
