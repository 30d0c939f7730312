// SPDX-License-Identifier: GPL-3.0-or-later
#include "wallpaper.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace Tolvane {
namespace {

// A settings tool that hangs (no session bus, a dead daemon) must not freeze
// the window for long.
constexpr int kCommandTimeoutMs = 5000;

TCommandRunner installedRunner;
TExecutableFinder installedFinder;

TCommandResult RunProcess(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForStarted(kCommandTimeoutMs)) return {};
    if (!process.waitForFinished(kCommandTimeoutMs)) {
        process.kill();
        process.waitForFinished(kCommandTimeoutMs);
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit) return {};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput())};
}

TCommandResult Run(const QString& program, const QStringList& arguments) {
    return installedRunner ? installedRunner(program, arguments) : RunProcess(program, arguments);
}

QString Find(const QString& name) {
    return installedFinder ? installedFinder(name) : QStandardPaths::findExecutable(name);
}

bool Succeeded(const TCommandResult& result) {
    return result.ExitCode == 0;
}

// A gsettings schema that holds a desktop's wallpaper. Budgie draws its
// desktop from GNOME's schema, so it needs no entry of its own.
struct TBackgroundSchema {
    const char* Schema;
    QStringList PictureKeys; // GNOME keeps a second picture for its dark style
    bool WantsUri;           // file:// URI rather than a plain path
};

const TBackgroundSchema kSchemas[] = {
    {"org.gnome.desktop.background", {"picture-uri", "picture-uri-dark"}, true},
    {"org.cinnamon.desktop.background", {"picture-uri"}, true},
    {"org.mate.background", {"picture-filename"}, false},
};

// The backgrounds are small tiles, so every desktop is asked to tile them.
const QString kGSettingsTiled = QStringLiteral("wallpaper");
const QString kXfceTiled = QStringLiteral("2");

bool SetThroughGSettings(const QString& gsettings, const QString& path) {
    const QString uri = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    bool any = false;
    for (const TBackgroundSchema& entry : kSchemas) {
        const QString schema = QString::fromLatin1(entry.Schema);
        bool setHere = false;
        for (const QString& key : entry.PictureKeys) {
            // A schema or key that this machine lacks answers with an error.
            const TCommandResult writable = Run(gsettings, {"writable", schema, key});
            if (!Succeeded(writable) || writable.Output.trimmed() != QLatin1String("true"))
                continue;
            if (Succeeded(Run(gsettings, {"set", schema, key, entry.WantsUri ? uri : path})))
                setHere = true;
        }
        if (setHere) {
            Run(gsettings, {"set", schema, "picture-options", kGSettingsTiled});
            any = true;
        }
    }
    return any;
}

bool SetThroughXfconf(const QString& xfconf, const QString& path) {
    const QString channel = QStringLiteral("xfce4-desktop");
    const TCommandResult list = Run(xfconf, {"-c", channel, "-l"});
    if (!Succeeded(list)) return false;

    // Xfce keeps one picture per monitor and workspace.
    const QString suffix = QStringLiteral("/last-image");
    QStringList properties;
    for (const QString& line : list.Output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString property = line.trimmed();
        if (property.startsWith(QLatin1String("/backdrop/")) && property.endsWith(suffix))
            properties << property;
    }
    if (properties.isEmpty())
        properties << QStringLiteral("/backdrop/screen0/monitor0/workspace0/last-image");

    bool any = false;
    for (const QString& property : properties) {
        if (!Succeeded(
                Run(xfconf, {"-c", channel, "-p", property, "-n", "-t", "string", "-s", path})))
            continue;
        any = true;
        const QString style = property.left(property.size() - suffix.size()) + "/image-style";
        Run(xfconf, {"-c", channel, "-p", style, "-n", "-t", "int", "-s", kXfceTiled});
    }
    return any;
}

bool SetThroughPlasma(const QString& plasma, const QString& path) {
    return Succeeded(Run(plasma, {path}));
}

} // namespace

bool SetDesktopWallpaper(const QString& path) {
    const QFileInfo file(path);
    if (!file.isFile()) return false;
    const QString absolute = file.absoluteFilePath();

    // A machine may carry the tools of several desktops; each one that is
    // there gets the picture, since it is not known which is showing.
    bool any = false;
    if (const QString gsettings = Find(QStringLiteral("gsettings")); !gsettings.isEmpty())
        any = SetThroughGSettings(gsettings, absolute) || any;
    if (const QString xfconf = Find(QStringLiteral("xfconf-query")); !xfconf.isEmpty())
        any = SetThroughXfconf(xfconf, absolute) || any;
    if (const QString plasma = Find(QStringLiteral("plasma-apply-wallpaperimage"));
        !plasma.isEmpty())
        any = SetThroughPlasma(plasma, absolute) || any;
    return any;
}

void SetCommandRunner(TCommandRunner runner) {
    installedRunner = std::move(runner);
}

void SetExecutableFinder(TExecutableFinder finder) {
    installedFinder = std::move(finder);
}

} // namespace Tolvane
