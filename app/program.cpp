// SPDX-License-Identifier: GPL-3.0-or-later
#include "program.h"

#include "about/aboutbox.h"
#include "app/application.h"
#include "app/form1.h"
#include "app/termination.h"
#include "gamepan/toolkit/platform/fonts.h"
#include "gamepan/toolkit/platform/messages.h"
#include "scores/form2.h"
#include "scores/scoretable.h"

#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmapCache>
#include <QTranslator>

#include <cstdio>
#include <memory>

namespace Tolvane {
namespace {

const QString kVersion = QStringLiteral("1.47");
// How long the splash is up at least, so the player can read it.
constexpr int kSplashMs = 3000;
// Qt's pixmap cache, for the whole program. The style's pictures of
// buttons whose colours change (Scramble's tiles at every move, each
// high-score window) are never drawn again and stay until the cache is
// full. A full repaint of the window needs at most 0.4 MB of pictures
// (Scramble's 64 tiles), 1.6 MB at a device pixel ratio of 2, where made
// anew it takes five times as long; this holds that with room to spare,
// against Qt's default of 10 MB.
constexpr int kPictureCacheKb = 4096;

QStringList Arguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace

std::optional<QString> CommandLineAnswer(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    // Unknown words are no error: the program takes no arguments and goes on.
    parser.parse(arguments);
    // Written out rather than asked of the parser, which needs the
    // application object for the program's name and would translate.
    if (parser.isSet(help))
        return QStringLiteral("Usage: tolvane [options]\n"
                              "Tetris, Arcanoid, Scramble and Figures in one window.\n\n"
                              "Options:\n"
                              "  -h, --help     Displays this help and exits.\n"
                              "  -v, --version  Displays the version and exits.\n");
    if (parser.isSet(version)) return QStringLiteral("Tolvane ") + kVersion + QLatin1Char('\n');
    return std::nullopt;
}

QIcon ProgramIcon() {
    return QIcon::fromTheme(QLatin1String(kDesktopId),
                            QIcon(QStringLiteral(":/icons/tolvane.png")));
}

void NameApplication() {
    TApplication::setApplicationName(QStringLiteral("Tolvane"));
    TApplication::setApplicationVersion(kVersion);
    TApplication::setDesktopFileName(QLatin1String(kDesktopId));
    TApplication::setWindowIcon(ProgramIcon());
    // The title of the message boxes; the main window keeps its own caption.
    SetApplicationTitle(QStringLiteral("Tolvane ") + kVersion);
    // Earlier builds named the data folder after the title.
    const QString tables = TForm2::ScoreDirectory();
    AdoptScoreTables(QDir::cleanPath(tables + QStringLiteral("/../Tolvane 1.47")), tables);
}

bool LoadQtTranslations(QCoreApplication& application) {
    auto translator = std::make_unique<QTranslator>(&application);
    if (!translator->load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(translator.release());
    return true;
}

int RunProgram(int& argc, char** argv) {
    if (const std::optional<QString> answer = CommandLineAnswer(Arguments(argc, argv))) {
        std::fputs(answer->toLocal8Bit().constData(), stdout);
        return 0;
    }
    TApplication application(argc, argv);
    QPixmapCache::setCacheLimit(kPictureCacheKb);
    QuitOnTerminationSignals();
    NameApplication();
    LoadQtTranslations(application);
    RegisterFontSubstitutes();

    auto splash = std::make_unique<TAboutBox>(nullptr);
    splash->ShowSplash();
    // The splash stays up at least three seconds from its first paint on the
    // screen, painted all along: the window is built meanwhile, and the
    // splash is held after it, handling paints but no input.
    const QDeadlineTimer splashUntil(kSplashMs, Qt::PreciseTimer);
    TForm1 form;
    splash->HoldSplash(splashUntil);
    splash->hide();
    splash.reset();

    // A signal handled while the splash was up came before any loop to end.
    if (TerminationRequested()) return 0;
    form.show();
    return TApplication::exec();
}

} // namespace Tolvane
