// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop wallpaper seam: which commands it runs on which desktops.
#include "gamepan/toolkit/platform/wallpaper.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace Tolvane;

class TestWallpaper : public QObject {
    Q_OBJECT

private:
    QTemporaryDir FDir;
    QString FPicture;
    QStringList FInstalled;              // programs the finder reports
    QMap<QString, TCommandResult> FFake; // answers by "program args"; others exit 0
    QStringList FRan;

    static QString Line(const QString& program, const QStringList& arguments) {
        return program + QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
    }

private slots:
    void init() {
        QVERIFY(FDir.isValid());
        FPicture = FDir.path() + QStringLiteral("/my backgr1.bmp");
        QFile file(FPicture);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("BM");
        file.close();
        FInstalled.clear();
        FFake.clear();
        FRan.clear();
        SetExecutableFinder([this](const QString& name) {
            return FInstalled.contains(name) ? QStringLiteral("/opt/bin/") + name : QString();
        });
        SetCommandRunner([this](const QString& program, const QStringList& arguments) {
            const QString line = Line(program, arguments);
            FRan << line;
            return FFake.value(line, TCommandResult{0, {}});
        });
    }

    void cleanup() {
        SetCommandRunner({});
        SetExecutableFinder({});
    }

    void noDesktopToolMeansNoCommandAndNoSuccess() {
        QVERIFY(!SetDesktopWallpaper(FPicture));
        QVERIFY(FRan.isEmpty());
    }

    void missingFileRunsNothing() {
        FInstalled = {"gsettings", "xfconf-query", "plasma-apply-wallpaperimage"};
        QVERIFY(!SetDesktopWallpaper(FDir.path() + QStringLiteral("/gone.bmp")));
        QVERIFY(FRan.isEmpty());
    }

    void gsettingsSetsEachSchemaThatIsThereAndTilesIt() {
        FInstalled = {"gsettings"};
        const QString gs = QStringLiteral("/opt/bin/gsettings");
        const QString uri = QUrl::fromLocalFile(FPicture).toString(QUrl::FullyEncoded);
        QVERIFY(uri.contains(QLatin1String("my%20backgr1.bmp")));
        FFake[Line(gs, {"writable", "org.gnome.desktop.background", "picture-uri"})] = {0,
                                                                                        "true\n"};
        // An older GNOME without the dark picture.
        FFake[Line(gs, {"writable", "org.gnome.desktop.background", "picture-uri-dark"})] = {1, ""};
        FFake[Line(gs, {"writable", "org.cinnamon.desktop.background", "picture-uri"})] = {1, ""};
        FFake[Line(gs, {"writable", "org.mate.background", "picture-filename"})] = {0, "true\n"};

        QVERIFY(SetDesktopWallpaper(FPicture));
        QStringList sets;
        for (const QString& line : FRan)
            if (line.startsWith(gs + QLatin1String(" set "))) sets << line;
        QCOMPARE(
            sets,
            (QStringList{
                Line(gs, {"set", "org.gnome.desktop.background", "picture-uri", uri}),
                Line(gs, {"set", "org.gnome.desktop.background", "picture-options", "wallpaper"}),
                Line(gs, {"set", "org.mate.background", "picture-filename", FPicture}),
                Line(gs, {"set", "org.mate.background", "picture-options", "wallpaper"}),
            }));
    }

    void lockedGSettingsKeyIsNotWrittenAndCountsAsNoSuccess() {
        FInstalled = {"gsettings"};
        const QString gs = QStringLiteral("/opt/bin/gsettings");
        for (const auto& [schema, key] : QList<std::pair<QString, QString>>{
                 {"org.gnome.desktop.background", "picture-uri"},
                 {"org.gnome.desktop.background", "picture-uri-dark"},
                 {"org.cinnamon.desktop.background", "picture-uri"},
                 {"org.mate.background", "picture-filename"}})
            FFake[Line(gs, {"writable", schema, key})] = {0, "false\n"};
        QVERIFY(!SetDesktopWallpaper(FPicture));
        for (const QString& line : FRan) QVERIFY2(!line.contains(" set "), qPrintable(line));
    }

    void xfceSetsEveryMonitorsPictureAndTilesIt() {
        FInstalled = {"xfconf-query"};
        const QString xq = QStringLiteral("/opt/bin/xfconf-query");
        FFake[Line(xq, {"-c", "xfce4-desktop", "-l"})] = {
            0, "/backdrop/screen0/monitorHDMI-1/workspace0/image-style\n"
               "/backdrop/screen0/monitorHDMI-1/workspace0/last-image\n"
               "/backdrop/screen0/monitoreDP-1/workspace1/last-image\n"
               "/desktop-icons/style\n"};
        QVERIFY(SetDesktopWallpaper(FPicture));
        QCOMPARE(FRan.mid(1),
                 (QStringList{
                     Line(xq, {"-c", "xfce4-desktop", "-p",
                               "/backdrop/screen0/monitorHDMI-1/workspace0/last-image", "-n", "-t",
                               "string", "-s", FPicture}),
                     Line(xq, {"-c", "xfce4-desktop", "-p",
                               "/backdrop/screen0/monitorHDMI-1/workspace0/image-style", "-n", "-t",
                               "int", "-s", "2"}),
                     Line(xq, {"-c", "xfce4-desktop", "-p",
                               "/backdrop/screen0/monitoreDP-1/workspace1/last-image", "-n", "-t",
                               "string", "-s", FPicture}),
                     Line(xq, {"-c", "xfce4-desktop", "-p",
                               "/backdrop/screen0/monitoreDP-1/workspace1/image-style", "-n", "-t",
                               "int", "-s", "2"}),
                 }));
    }

    void xfceWithoutASavedPictureGetsTheFirstMonitors() {
        FInstalled = {"xfconf-query"};
        QVERIFY(SetDesktopWallpaper(FPicture));
        QCOMPARE(FRan.size(), 3);
        QVERIFY(FRan[1].contains("/backdrop/screen0/monitor0/workspace0/last-image"));
    }

    void xfceThatCannotBeReachedIsLeftAlone() {
        FInstalled = {"xfconf-query"};
        FFake[Line("/opt/bin/xfconf-query", {"-c", "xfce4-desktop", "-l"})] = {-1, ""};
        QVERIFY(!SetDesktopWallpaper(FPicture));
        QCOMPARE(FRan.size(), 1);
    }

    void plasmaGetsTheAbsolutePathAndEveryInstalledDesktopIsTried() {
        FInstalled = {"plasma-apply-wallpaperimage", "xfconf-query"};
        FFake[Line("/opt/bin/xfconf-query", {"-c", "xfce4-desktop", "-l"})] = {1, ""};
        QVERIFY(QDir::setCurrent(FDir.path()));
        QVERIFY(SetDesktopWallpaper(QStringLiteral("my backgr1.bmp")));
        QCOMPARE(FRan.last(), Line("/opt/bin/plasma-apply-wallpaperimage", {FPicture}));
        QCOMPARE(FRan.size(), 2);
    }

    void realRunnerPassesThePathAndReadsTheExitCode_data() {
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<bool>("taken");
        QTest::newRow("success") << 0 << true;
        QTest::newRow("failure") << 3 << false;
    }

    void realRunnerPassesThePathAndReadsTheExitCode() {
        QFETCH(int, exitCode);
        QFETCH(bool, taken);
        // A stand-in for the Plasma tool, run through the real process runner.
        const QString tool = FDir.path() + QStringLiteral("/fake-plasma");
        QFile script(tool);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/got\"\n"
                                    "exit %1\n")
                         .arg(exitCode)
                         .toUtf8());
        script.close();
        QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        SetCommandRunner({});
        SetExecutableFinder([&](const QString& name) {
            return name == QLatin1String("plasma-apply-wallpaperimage") ? tool : QString();
        });
        QCOMPARE(SetDesktopWallpaper(FPicture), taken);
        QFile got(FDir.path() + QStringLiteral("/got"));
        QVERIFY(got.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(got.readAll()), FPicture);
    }
};

QTEST_GUILESS_MAIN(TestWallpaper)
#include "test_wallpaper.moc"
