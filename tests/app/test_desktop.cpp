// SPDX-License-Identifier: GPL-3.0-or-later
// How the program fits the desktop, headless: the command line, the icon,
// Qt's texts in the user's language (the test runs in German), and the main
// window as the owner of its boxes and dialogs.
#include "app/application.h"
#include "app/form1.h"
#include "app/program.h"
#include "gamepan/toolkit/platform/keyboardstate.h"
#include "tests/support/recordingmessages.h"

#include <QDir>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>
#include <optional>

using namespace Tolvane;

class TestDesktop : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm1> Form() {
        // Building the window reports the missing pictures; not a box that matters here.
        TRecordingMessages quiet;
        TForm1Options options;
        options.PlayCue = [](const QString&, bool) {};
        return std::make_unique<TForm1>(std::move(options));
    }

private slots:
    void init() {
        SetNumLockProbe([] { return std::optional<bool>(true); });
    }
    void cleanup() { SetNumLockProbe({}); }

    // The installed theme's icon when there is one, else the built-in one.
    // First of all: Qt keeps the first icon it made for a name.
    void theIconComesFromTheThemeElseFromTheProgram() {
        QTemporaryDir icons;
        const QString theme = icons.filePath(QStringLiteral("hicolor"));
        QVERIFY(QDir().mkpath(theme + QStringLiteral("/48x48/apps")));
        QFile index(theme + QStringLiteral("/index.theme"));
        QVERIFY(index.open(QIODevice::WriteOnly));
        index.write("[Icon Theme]\nName=Hicolor\nDirectories=48x48/apps\n\n"
                    "[48x48/apps]\nSize=48\nType=Fixed\n");
        index.close();
        QImage lime(48, 48, QImage::Format_ARGB32);
        lime.fill(QColor(0, 255, 0));
        QVERIFY(lime.save(theme + QStringLiteral("/48x48/apps/org.example.tolvane.png")));

        const QStringList oldPaths = QIcon::themeSearchPaths();
        const QString oldTheme = QIcon::themeName();
        // The theme first: naming it looks it up in the paths set before.
        QIcon::setThemeName(QStringLiteral("hicolor"));
        QIcon::setThemeSearchPaths({icons.path()});
        // Looked at at once: the icon follows later changes of the theme.
        const QString themedName = ProgramIcon().name();
        const QColor themedColour = ProgramIcon().pixmap(48).toImage().pixelColor(24, 24);
        QIcon::setThemeSearchPaths({icons.filePath(QStringLiteral("none"))});
        const QIcon builtIn = ProgramIcon();
        QIcon::setThemeName(oldTheme);
        QIcon::setThemeSearchPaths(oldPaths);

        QCOMPARE(themedName, QStringLiteral("org.example.tolvane"));
        QCOMPARE(themedColour, QColor(0, 255, 0));
        QVERIFY(!builtIn.isNull());
        QCOMPARE(builtIn.pixmap(32).toImage(),
                 QIcon(QStringLiteral(":/icons/tolvane.png")).pixmap(32).toImage());
    }

    void theCommandLineAsksOnlyForVersionOrHelp_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("answer"); // its first line; empty: the game starts
        QTest::newRow("nothing") << QStringList{} << QString();
        QTest::newRow("version") << QStringList{"--version"} << QStringLiteral("Tolvane 1.47");
        QTest::newRow("help") << QStringList{"--help"}
                              << QStringLiteral("Usage: tolvane [options]");
        QTest::newRow("unknown option") << QStringList{"--fullscreen"} << QString();
        QTest::newRow("unknown, then version")
            << QStringList{"--bogus", "x", "--version"} << QStringLiteral("Tolvane 1.47");
    }
    void theCommandLineAsksOnlyForVersionOrHelp() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, answer);
        const std::optional<QString> text =
            CommandLineAnswer(QStringList{QStringLiteral("tolvane")} + arguments);
        QCOMPARE(text.has_value(), !answer.isEmpty());
        if (!text) return;
        QCOMPARE(text->section(QLatin1Char('\n'), 0, 0), answer);
        if (answer.startsWith(QLatin1String("Usage")))
            QVERIFY(text->contains(QLatin1String("--version")));
    }

    // Boxes belong to the dialog running modally, else to the main window
    // once it is shown, so the window manager keeps them above it.
    void boxesBelongToTheModalDialogElseToTheShownMainWindow() {
        const auto form = Form();
        QCOMPARE(MessageParent(), nullptr);
        form->show();
        QCOMPARE(MessageParent(), form.get());
        QDialog dialog(form.get());
        dialog.setModal(true);
        dialog.show();
        QCOMPARE(MessageParent(), &dialog);
        dialog.hide();
        QCOMPARE(MessageParent(), form.get());
    }

    // Standard buttons speak German here; the program's own text stays.
    void theCloseQuestionsButtonsFollowTheUsersLanguage() {
        const auto form = Form();
        form->show();
        QString no, ok, text, title;
        QWidget* owner = nullptr;
        // The box runs modally; look at it from inside its loop, then answer No.
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            no = box->button(QMessageBox::No)->text();
            ok = box->button(QMessageBox::Ok)->text();
            text = box->text();
            title = box->windowTitle();
            owner = box->parentWidget();
            box->button(QMessageBox::No)->click();
        });
        QVERIFY(!form->close());
        QCOMPARE(no.remove(QLatin1Char('&')), QStringLiteral("Nein"));
        QCOMPARE(ok.remove(QLatin1Char('&')), QStringLiteral("OK"));
        QCOMPARE(text, QStringLiteral("Close Program?"));
        QCOMPARE(title, QStringLiteral("Tolvane 1.47"));
        QCOMPARE(owner, form.get());
    }
};

int main(int argc, char** argv) {
    // The user's language, as a German desktop session sets it.
    qputenv("LANGUAGE", "de");
    qputenv("LC_ALL", "de_DE.UTF-8");
    qputenv("LANG", "de_DE.UTF-8");
    // No tables or pictures of an installed Tolvane.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.filePath(QStringLiteral("home")).toUtf8());
    qputenv("XDG_DATA_DIRS", data.filePath(QStringLiteral("system")).toUtf8());
    TApplication application(argc, argv);
    // The program's names, as it starts: the boxes' title among them.
    NameApplication();
    if (!LoadQtTranslations(application)) {
        // Without Qt's German (qt6-translations-l10n) the check would be void.
        qCritical("Qt's German translation is not installed (scripts/setup.sh)");
        return 1;
    }
    TestDesktop test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_desktop.moc"
