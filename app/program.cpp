// SPDX-License-Identifier: GPL-3.0-or-later
#include "program.h"

#include "about/aboutbox.h"
#include "app/application.h"
#include "app/form1.h"
#include "gamepan/toolkit/fonts.h"
#include "gamepan/toolkit/messages.h"
#include "scores/form2.h"
#include "scores/scoretable.h"

#include <QDeadlineTimer>
#include <QDir>

#include <memory>
#include <utility>

namespace Tolvane {

void NameApplication() {
    TApplication::setApplicationName(QStringLiteral("Tolvane"));
    // The title of the message boxes; the main window keeps its own caption.
    SetApplicationTitle(QStringLiteral("Tolvane 1.47"));
    // Earlier builds named the data folder after the title.
    const QString tables = TForm2::ScoreDirectory();
    AdoptScoreTables(QDir::cleanPath(tables + QStringLiteral("/../Tolvane 1.47")), tables);
}

int RunProgram(int& argc, char** argv) {
    TApplication application(argc, argv);
    NameApplication();
    RegisterFontSubstitutes();

    auto splash = std::make_unique<TAboutBox>(nullptr);
    splash->ShowSplash();
    // The splash stays up at least three seconds from its first paint on the
    // screen, painted all along: the window is built without a wait of its
    // own, which would paint nothing, and the splash is held after it.
    TForm1Options options;
    const QDeadlineTimer splashUntil(std::exchange(options.SplashMs, 0), Qt::PreciseTimer);
    TForm1 form(std::move(options));
    splash->HoldSplash(splashUntil);
    splash->hide();
    splash.reset();

    form.show();
    return TApplication::exec();
}

} // namespace Tolvane
