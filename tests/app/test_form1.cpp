// SPDX-License-Identifier: GPL-3.0-or-later
// The main window driven headless: its buttons, keys, pictures, help text
// and close question, with message boxes, NumLock and sound recorded.
// Qt's pixmap cache tells how full it is only to tests that ask for it
// before its header is read.
#define Q_TEST_QPIXMAPCACHE
#include "about/aboutbox.h"
#include "app/application.h"
#include "app/backgrounds.h"
#include "app/form1.h"
#include "app/program.h"
#include "gamepan/gamepan.h"
#include "gamepan/toolkit/board/direction.h"
#include "gamepan/toolkit/platform/keyboardstate.h"
#include "gamepan/toolkit/platform/random.h"
#include "gamepan/toolkit/platform/wallpaper.h"
#include "gamepan/toolkit/widgets/shapecontrol.h"
#include "games/arcanoid/rcnd.h"
#include "games/figures/fgrs.h"
#include "games/scramble/scrmbl.h"
#include "games/tetris/ttrs.h"
#include "recordingsound.h"
#include "scores/form2.h"
#include "scores/soundplayer.h"
#include "tests/games/figures/arrange.h"
#include "tests/support/children.h"
#include "tests/support/recordingmessages.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmapCache>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <memory>
#include <optional>

using namespace Tolvane;

namespace {

// The ten buttons in their column, with the short names the checks use.
const QList<std::pair<const char*, const char*>> kButtons{
    {"SpeedButton8", "About"},    {"SpeedButton1", "Help"},    {"SpeedButton10", "BGround"},
    {"SpeedButton3", "Arcanoid"}, {"SpeedButton5", "Figures"}, {"SpeedButton4", "Scramble"},
    {"SpeedButton2", "Tetris"},   {"SpeedButton6", "Start"},   {"SpeedButton9", "Pause"},
    {"SpeedButton7", "Close"}};

const char* ButtonNamed(const QString& shortName) {
    for (const auto& [object, name] : kButtons)
        if (shortName == QLatin1String(name)) return object;
    return nullptr;
}

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT

private:
    std::optional<QTemporaryDir> FDir;
    QString FOldDir;
    std::unique_ptr<TRecordingMessages> FMessages;
    std::unique_ptr<TRecordingSound> FSound;
    std::unique_ptr<TForm1> FForm;
    bool FNumLock = true;
    // Cues as the window asked for them, "(waited)" after those it waits for.
    QStringList FCues;
    // What each high-score window showed: its caption, game and result.
    struct THighScores {
        QString Caption, Game, Result;
        QPoint At;
        bool Pictured;
        QWidget* Owner;
    };
    QList<THighScores> FHighScores;

    TForm1& Form(TForm1Options options = {}) {
        if (!options.PlayCue)
            options.PlayCue = [this](const QString& name, bool wait) {
                FCues << name + (wait ? QStringLiteral(" (waited)") : QString());
                TForm2::PlayWave(name, false);
            };
        if (!options.ShowHighScores)
            options.ShowHighScores = [this](TForm2& form) {
                FHighScores << THighScores{form.windowTitle(),
                                           form.FGame,
                                           form.FResult,
                                           QPoint(form.FPosLeft, form.FPosTop),
                                           form.FPicture && !form.FPicture->IsEmpty(),
                                           form.parentWidget()};
            };
        FForm = std::make_unique<TForm1>(std::move(options));
        return *FForm;
    }
    TTtrs& Well() { return *Pan().BoardAs<TTtrs>(); }
    void StartTetrisAt(const QString& level) {
        Click("Tetris");
        Control<QComboBox>("ComboBox1").setCurrentText(level);
        Click("Start");
        QVERIFY(Pan().Start());
    }
    TGamePan& Pan() { return *FForm->GamePan(); }
    QToolButton& Button(const QString& shortName) {
        auto* button = FForm->findChild<QToolButton*>(QLatin1String(ButtonNamed(shortName)));
        Q_ASSERT(button);
        return *button;
    }
    template <typename T = QWidget> T& Control(const char* name) {
        auto* control = FForm->findChild<T*>(QLatin1String(name));
        Q_ASSERT(control);
        return *control;
    }
    void Click(const QString& shortName) { QTest::mouseClick(&Button(shortName), Qt::LeftButton); }
    QString Path(const QString& file) const { return FDir->path() + QLatin1Char('/') + file; }

    // The enabled buttons, top to bottom.
    QString EnabledButtons() {
        QStringList names;
        for (const auto& [object, name] : kButtons)
            if (Button(QLatin1String(name)).isEnabled()) names << QLatin1String(name);
        return names.join(QLatin1Char(' '));
    }
    QString VisiblePanels() {
        QStringList names;
        for (const char* name : {"Panel1", "Panel2", "Panel3", "Memo1", "GamePan1"})
            if (!Control(name).isHidden()) names << QLatin1String(name);
        return names.join(QLatin1Char(' '));
    }

private slots:
    void init() {
        FDir.emplace();
        QVERIFY(FDir->isValid());
        for (int i = 1; i <= 5; ++i) {
            const QString name = QStringLiteral("backgr%1.bmp").arg(i);
            QVERIFY(QFile::copy(QStringLiteral(TOLVANE_PICTURES_DIR "/") + name, Path(name)));
        }
        FOldDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(FDir->path()));
        FMessages = std::make_unique<TRecordingMessages>();
        FSound = std::make_unique<TRecordingSound>();
        FCues.clear();
        FHighScores.clear();
        FNumLock = true;
        SetNumLockProbe([this] { return std::optional<bool>(FNumLock); });
        FixRandomSeed(1);
    }

    void cleanup() {
        FForm.reset();
        SetNumLockProbe({});
        SetCommandRunner({});
        SetExecutableFinder({});
        FSound.reset();
        FMessages.reset();
        QDir::setCurrent(FOldDir);
        FDir.reset();
        ReleaseRandomSeed();
    }

    void startUpShowsTheHelpWithHelpStartAndPauseDisabled() {
        TForm1& form = Form();
        QCOMPARE(form.windowTitle(), QStringLiteral("Tolvane"));
        QCOMPARE(form.size(), QSize(522, 373));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        // Centred on the whole screen.
        const QPoint offCentre =
            form.geometry().center() - QGuiApplication::primaryScreen()->geometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 2,
                 qPrintable(QString::number(offCentre.manhattanLength())));
        QCOMPARE(EnabledButtons(),
                 QStringLiteral("About BGround Arcanoid Figures Scramble Tetris Close"));
        QCOMPARE(VisiblePanels(), QStringLiteral("Memo1"));
        QCOMPARE(Button("Pause").text(), QStringLiteral("Pa&use"));
        QVERIFY(form.PopupMenu());
        QCOMPARE(form.PopupMenu()->actions().value(0)->text(), QStringLiteral("Set as Wallpaper"));

        const QString first = Path(QStringLiteral("backgr1.bmp"));
        QCOMPARE(form.BackFile(), first);
        QVERIFY(form.BackPicture() && !form.BackPicture()->IsEmpty());
        QCOMPARE(Pan().BStPicture(), first);
        QCOMPARE(Pan().AOverPicture(), first);
        QCOMPARE(Pan().State(), TState::StPanel);
        QVERIFY(FMessages->Shown.isEmpty());
        QVERIFY(FSound->Played.isEmpty());

        // The window's own look for the games; the rest keep the panel's values.
        QCOMPARE(Pan().PicStretch(), false);
        QCOMPARE(Pan().ColorSB(), clBtnFace);
        QCOMPARE(Pan().ColorTF(), clBtnFace);
        QCOMPARE(Pan().ColorTShapes(), colorFixed2);
        QCOMPARE(Pan().OneColorTShapes(), clWhite);
        QCOMPARE(Pan().TRows(), 21);
        QCOMPARE(Pan().TColumns(), 11);
        QCOMPARE(Pan().ACreSquShape(), 1);
        QCOMPARE(Pan().ATN(), 110);
        QCOMPARE(Pan().ASteps(), 80);
        QCOMPARE(Pan().ARows(), 30);
        QCOMPARE(Pan().TDelay(), 200);

        // Only the nine levels can be chosen, starting at 3.
        auto& level = Control<QComboBox>("ComboBox1");
        QVERIFY(!level.isEditable());
        QCOMPARE(level.count(), 9);
        QCOMPARE(level.currentText(), QStringLiteral("3"));
        QCOMPARE(level.itemText(8), QStringLiteral("9"));
        // Its number is dark on the light box, not the window's white text.
        const QColor ink = level.palette().color(QPalette::ButtonText);
        const QColor box = level.palette().color(QPalette::Button);
        QVERIFY2(box.lightness() - ink.lightness() > 128,
                 qPrintable(ink.name() + QStringLiteral(" on ") + box.name()));
    }

    void helpTextKeepsItsTwentyLinesWithTheirBlanks() {
        Form();
        const QTextDocument& text = *Control<QPlainTextEdit>("Memo1").document();
        QCOMPARE(text.blockCount(), 20);
        QCOMPARE(text.findBlockByNumber(0).text(), QString());
        QCOMPARE(text.findBlockByNumber(1).text(),
                 QStringLiteral("                                      Tolvane 1.4*.  "));
        QCOMPARE(
            text.findBlockByNumber(3).text(),
            QStringLiteral("   \"Tolvane\" (Version 1.4*) is the collection of 4 games. They "));
        QCOMPARE(text.findBlockByNumber(15).text(),
                 QStringLiteral(" - left mouse button - drag and drop figure; "));
        QCOMPARE(text.findBlockByNumber(18).text(), QString());
        QCOMPARE(text.findBlockByNumber(19).text(),
                 QStringLiteral(" Click B.Ground to change backgroun picture (5 pictures)."));
    }

    void missingFirstPictureIsReportedOnceAndEverythingGoesOnWithout() {
        QVERIFY(QFile::remove(Path(QStringLiteral("backgr1.bmp"))));
        TForm1& form = Form();
        QCOMPARE(FMessages->Texts(),
                 QStringList{QStringLiteral("Cannot Open ") + Path(QStringLiteral("backgr1.bmp"))});
        QCOMPARE(FMessages->Shown.first().Type, TMsgDlgType::mtError);
        QVERIFY(!form.BackPicture());
        QVERIFY(form.BackFile().isEmpty());
        QVERIFY(Pan().BStPicture().isEmpty());
        QVERIFY(Pan().AOverPicture().isEmpty());

        // The window shows its navy colour where the picture would be.
        QCOMPARE(form.grab().toImage().pixelColor(2, 2), QColor(0, 0, 0x80));

        // The panel does not try the same file again for a game.
        Click("Scramble");
        QCOMPARE(FMessages->Shown.size(), 1);
    }

    void backgroundButtonCyclesFivePicturesBackToTheFirst() {
        TForm1& form = Form();
        QStringList seen;
        for (int press = 0; press < 5; ++press) {
            Click("BGround");
            seen << QFileInfo(form.BackFile()).fileName();
            QCOMPARE(Pan().BStPicture(), form.BackFile());
            QCOMPARE(Pan().AOverPicture(), form.BackFile());
            QVERIFY(form.BackPicture() && !form.BackPicture()->IsEmpty());
        }
        QCOMPARE(seen, (QStringList{"backgr2.bmp", "backgr3.bmp", "backgr4.bmp", "backgr5.bmp",
                                    "backgr1.bmp"}));
        QCOMPARE(form.BackIndex(), 1);
        QVERIFY(FMessages->Shown.isEmpty());
    }

    void windowAndSidePanelsTileTheCurrentPicture() {
        TForm1& form = Form();
        auto expectTiles = [&](const QString& file) {
            QImage picture(Path(file));
            QVERIFY(!picture.isNull());
            const QImage window = form.grab().toImage();
            // Above the buttons: the first tile, then the second copy beside it.
            QCOMPARE(window.pixelColor(2, 3), picture.pixelColor(2, 3));
            QCOMPARE(window.pixelColor(picture.width() + 2, 3), picture.pixelColor(2, 3));
            QCOMPARE(window.pixelColor(picture.width() + 9, 5), picture.pixelColor(9, 5));
        };
        expectTiles(QStringLiteral("backgr1.bmp"));
        Click("BGround");
        expectTiles(QStringLiteral("backgr2.bmp"));

        // The level chooser's paint box tiles from its own corner.
        Click("Tetris");
        const QImage picture(Path(QStringLiteral("backgr2.bmp")));
        const QImage box = Control("PaintBox1").grab().toImage();
        QCOMPARE(box.pixelColor(1, 1), picture.pixelColor(1, 1));
    }

    void unreadablePictureOnTheWayIsReportedAndSkippedNextTime() {
        QVERIFY(QFile::remove(Path(QStringLiteral("backgr3.bmp"))));
        TForm1& form = Form();
        // While the message is up the window still shows the last picture.
        bool pictureWhileShown = false;
        FMessages->WhileShown = [&](const QString&) {
            pictureWhileShown = form.BackPicture() && !form.BackFile().isEmpty();
        };
        Click("BGround");
        Click("BGround");
        QVERIFY(pictureWhileShown);
        QCOMPARE(FMessages->Texts(),
                 QStringList{QStringLiteral("Cannot Open ") + Path(QStringLiteral("backgr3.bmp"))});
        QVERIFY(!form.BackPicture());
        QVERIFY(form.BackFile().isEmpty());
        QVERIFY(Pan().BStPicture().isEmpty());
        Click("BGround");
        QCOMPARE(form.BackFile(), Path(QStringLiteral("backgr4.bmp")));
        QVERIFY(form.BackPicture() && !form.BackPicture()->IsEmpty());
        QCOMPARE(Pan().BStPicture(), form.BackFile());
        QCOMPARE(FMessages->Shown.size(), 1);
    }

    void choosingAGameShapesThePanelAndSetsTheButtons_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("game");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QString>("panels");
        const int tetris = int(TState::Tetris), arcanoid = int(TState::Arcanoid);
        const int scramble = int(TState::Scramble), figures = int(TState::Figures);
        QTest::newRow("tetris from help") << ""
                                          << "Tetris" << tetris << "half"
                                          << "Panel2 GamePan1";
        QTest::newRow("arcanoid from help") << ""
                                            << "Arcanoid" << arcanoid << "designed"
                                            << "GamePan1";
        QTest::newRow("scramble from help") << ""
                                            << "Scramble" << scramble << "square"
                                            << "GamePan1";
        QTest::newRow("figures from help") << ""
                                           << "Figures" << figures << "square"
                                           << "GamePan1";
        QTest::newRow("tetris after scramble") << "Scramble"
                                               << "Tetris" << tetris << "half"
                                               << "Panel2 GamePan1";
        QTest::newRow("scramble after tetris") << "Tetris"
                                               << "Scramble" << scramble << "square"
                                               << "GamePan1";
        QTest::newRow("arcanoid after figures") << "Figures"
                                                << "Arcanoid" << arcanoid << "designed"
                                                << "GamePan1";
    }

    void choosingAGameShapesThePanelAndSetsTheButtons() {
        QFETCH(QString, before);
        QFETCH(QString, game);
        QFETCH(int, state);
        QFETCH(QString, shape);
        QFETCH(QString, panels);
        TForm1& form = Form();
        form.show();
        if (!before.isEmpty()) Click(before);
        FSound->Played.clear();
        Click(game);

        QCOMPARE(int(Pan().State()), state);
        QCOMPARE(VisiblePanels(), panels);
        QStringList enabled{"About",    "Help",   "Arcanoid", "Figures",
                            "Scramble", "Tetris", "Start",    "Close"};
        enabled.removeOne(game);
        QCOMPARE(EnabledButtons(), enabled.join(QLatin1Char(' ')));
        QCOMPARE(FSound->Played, QStringList{QStringLiteral("STEP")});
        QVERIFY(form.PopupMenu());

        const QRect designed(80, 8, 433, 353);
        QCOMPARE(form.PanelBounds(), designed);
        const QRect bounds = Pan().geometry();
        QCOMPARE(bounds.top(), designed.top());
        QCOMPARE(bounds.height(), designed.height());
        QVERIFY(Pan().ClientHeight() > 0);
        if (shape == QLatin1String("designed")) {
            QCOMPARE(bounds, designed);
        } else {
            const int height = Pan().ClientHeight();
            QCOMPARE(Pan().ClientWidth(), shape == QLatin1String("half") ? height / 2 : height);
            QCOMPARE(bounds.left(), (designed.width() - bounds.width()) / 2 + designed.left());
        }
    }

    void numLockOffWarnsAndTheGameIsStillChosen_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<bool>("warns");
        QTest::newRow("tetris") << "Tetris" << true;
        QTest::newRow("arcanoid") << "Arcanoid" << true;
        QTest::newRow("scramble") << "Scramble" << true;
        QTest::newRow("figures") << "Figures" << false;
    }

    void numLockOffWarnsAndTheGameIsStillChosen() {
        QFETCH(QString, game);
        QFETCH(bool, warns);
        Form();
        Click(game);
        QVERIFY(FMessages->Shown.isEmpty());
        Click("Help");
        FNumLock = false;
        Click(game);
        const QStringList expected =
            warns ? QStringList{QStringLiteral(
                        "NUM LOCK indicator must be light on the keyboard to play this game. "
                        "Press NumLock before start game!")}
                  : QStringList{};
        QCOMPARE(FMessages->Texts(), expected);
        QVERIFY(Pan().State() != TState::StPanel);
        QVERIFY(!Control("GamePan1").isHidden());
    }

    void startAndPauseDriveTheRunningGame() {
        TForm1& form = Form();
        form.show();
        Click("Scramble");
        FSound->Played.clear();
        Click("Start");
        QVERIFY(Pan().Start());
        QCOMPARE(FSound->Played, QStringList{QStringLiteral("ZARI")});
        QCOMPARE(EnabledButtons(),
                 QStringLiteral("About Help Arcanoid Figures Tetris Pause Close"));
        QVERIFY(!form.PopupMenu());

        Click("Pause");
        QVERIFY(Pan().Paused());
        QCOMPARE(Button("Pause").text(), QStringLiteral("Contin&ue"));
        Click("Pause");
        QVERIFY(!Pan().Paused());
        QCOMPARE(Button("Pause").text(), QStringLiteral("Pa&use"));

        // Choosing another game ends this one and attaches the menu again.
        Click("Figures");
        QVERIFY(!Pan().Start());
        QCOMPARE(Pan().State(), TState::Figures);
        QVERIFY(form.PopupMenu());
    }

    void enterStartsAChosenGameAndNothingInTheHelpView() {
        TForm1& form = Form();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        Control("Memo1").setFocus();
        QTest::keyClick(form.windowHandle(), Qt::Key_Return);
        QCOMPARE(Pan().State(), TState::StPanel);
        QVERIFY(!Pan().Start());
        QVERIFY(FSound->Played.isEmpty());
        QCOMPARE(EnabledButtons(),
                 QStringLiteral("About BGround Arcanoid Figures Scramble Tetris Close"));

        Click("Scramble");
        QTest::keyClick(form.windowHandle(), Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(Pan().Start());
        QVERIFY(!Button("Start").isEnabled());
        QVERIFY(Button("Pause").isEnabled());

        // Space has no meaning in Scramble, and a second Enter starts nothing new.
        const std::int32_t moves = Pan().ScrambleMoves();
        const std::uint8_t direction = Pan().Direction();
        FSound->Played.clear();
        QTest::keyClick(form.windowHandle(), Qt::Key_Space);
        QTest::keyClick(form.windowHandle(), Qt::Key_Return);
        QCOMPARE(Pan().Direction(), direction);
        QCOMPARE(Pan().ScrambleMoves(), moves);
        QVERIFY(FSound->Played.isEmpty());
    }

    void endOfAGameLetsItBeStartedAgain_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("panels");
        QTest::newRow("scramble") << "Scramble"
                                  << "GamePan1";
        QTest::newRow("tetris shows the level chooser again") << "Tetris"
                                                              << "Panel2 GamePan1";
    }

    void endOfAGameLetsItBeStartedAgain() {
        QFETCH(QString, game);
        QFETCH(QString, panels);
        TForm1& form = Form();
        form.show();
        Click(game);
        Click("Start");
        QVERIFY(Pan().Start());
        // The board reports its end the way a solved puzzle or a full well does.
        if (game == QLatin1String("Scramble")) {
            QVERIFY(Pan().BoardAs<TScrmbl>());
            Fire(Pan().BoardAs<TScrmbl>()->OnOver, Pan().BoardAs<TScrmbl>());
        } else {
            QVERIFY(Pan().BoardAs<TTtrs>());
            Fire(Pan().BoardAs<TTtrs>()->OnOver, Pan().BoardAs<TTtrs>());
        }

        QVERIFY(!Pan().Start());
        QStringList enabled{"About",    "Help",   "Arcanoid", "Figures",
                            "Scramble", "Tetris", "Start",    "Close"};
        enabled.removeOne(game);
        QCOMPARE(EnabledButtons(), enabled.join(QLatin1Char(' ')));
        QCOMPARE(VisiblePanels(), panels);
        QTest::keyClick(form.windowHandle(), Qt::Key_Return);
        QVERIFY(Pan().Start());
        QVERIFY(Button("Pause").isEnabled());
    }

    void helpEndsTheGameAndShowsTheText() {
        TForm1& form = Form();
        Click("Scramble");
        Click("Start");
        FSound->Played.clear();
        Click("Help");
        QCOMPARE(Pan().State(), TState::StPanel);
        QVERIFY(!Pan().Start());
        QCOMPARE(VisiblePanels(), QStringLiteral("Memo1"));
        QCOMPARE(EnabledButtons(),
                 QStringLiteral("About BGround Arcanoid Figures Scramble Tetris Close"));
        QCOMPARE(FSound->Played, QStringList{QStringLiteral("ZARI")});
        QVERIFY(form.PopupMenu());
    }

    void closingNeedsOkAndNoKeepsTheHelpShown() {
        TForm1& form = Form();
        form.show();
        Click("Scramble");
        Click("Start");
        FMessages->Answer = TModalResult::mrNo;
        Click("Close");
        QCOMPARE(FMessages->Texts(), QStringList{QStringLiteral("Close Program?")});
        QCOMPARE(FMessages->Shown.first().Buttons, TMsgButtons::mbNoOK);
        QVERIFY(form.isVisible());
        QCOMPARE(Pan().State(), TState::StPanel);
        QVERIFY(!Pan().Start());
        QCOMPARE(VisiblePanels(), QStringLiteral("Memo1"));
        QCOMPARE(EnabledButtons(),
                 QStringLiteral("About BGround Arcanoid Figures Scramble Tetris Close"));

        FMessages->Answer = TModalResult::mrOk;
        QVERIFY(form.close());
        QVERIFY(!form.isVisible());
        QVERIFY(!form.BackPicture());
        QCOMPARE(FMessages->Shown.size(), 2);
    }

    void aboutOpensAtTheWindowWithTheCurrentPicture() {
        TForm1& form = Form();
        form.show();
        form.move(40, 30);
        Click("BGround");
        FSound->Played.clear();
        QPoint at;
        int height = 0;
        bool pictured = false;
        // The box runs modally; look at it from inside its loop, then press OK.
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<TAboutBox*>(QApplication::activeModalWidget());
            if (!box) return;
            at = box->pos();
            height = box->height();
            pictured = box->FPicture && !box->FPicture->IsEmpty() &&
                       box->FBackground == Path(QStringLiteral("backgr2.bmp"));
            QTest::mouseClick(Child<QPushButton>(*box, "BitBtn1"), Qt::LeftButton);
        });
        Click("About");
        QCOMPARE(at, form.pos());
        QCOMPARE(height, 400);
        QVERIFY(pictured);
        QCOMPARE(FSound->Played, (QStringList{"ZARI", "ZARI"}));
        QVERIFY(!QApplication::activeModalWidget());
    }

    void pressedButtonTurnsLimeUntilReleased() {
        Form();
        QToolButton& button = Button("BGround");
        QTest::mousePress(&button, Qt::LeftButton);
        QCOMPARE(button.palette().color(QPalette::ButtonText), QColor(0, 255, 0));
        QTest::mouseRelease(&button, Qt::LeftButton);
        QCOMPARE(button.palette().color(QPalette::ButtonText), QColor(255, 255, 255));
        // The release was a click.
        QCOMPARE(FForm->BackIndex(), 2);

        // The second press of a double click turns it lime too.
        const QPointF inside(5, 5);
        QMouseEvent second(QEvent::MouseButtonDblClick, inside, button.mapToGlobal(inside),
                           Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&button, &second);
        QCOMPARE(button.palette().color(QPalette::ButtonText), QColor(0, 255, 0));
        QTest::mouseRelease(&button, Qt::LeftButton);

        // A right click's menu comes before its release, which the menu takes.
        QTest::mousePress(&button, Qt::RightButton);
        QCOMPARE(button.palette().color(QPalette::ButtonText), QColor(0, 255, 0));
        QTimer::singleShot(50, FForm->PopupMenu(), &QMenu::close);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5),
                               button.mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(&button, &menu);
        QCOMPARE(button.palette().color(QPalette::ButtonText), QColor(255, 255, 255));
    }

    // Under the pointer a flat button keeps the face and the picture behind
    // its white caption and shows a raised edge; a light box behind the
    // caption made it unreadable ("Continue" too).
    void aFlatButtonUnderThePointerKeepsWhatLiesBehindItsCaption() {
        TForm1& form = Form();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        Click("Figures");
        Click("Start");
        Click("Pause");
        QCOMPARE(Button("Pause").text(), QStringLiteral("Contin&ue"));
        for (const auto& [object, name] : kButtons) {
            QToolButton& button = Button(QLatin1String(name));
            if (!button.isEnabled()) continue;
            const QImage away = form.grab(button.geometry()).toImage();
            button.setAttribute(Qt::WA_UnderMouse, true);
            const QImage under = form.grab(button.geometry()).toImage();
            button.setAttribute(Qt::WA_UnderMouse, false);
            const QRect face = away.rect().adjusted(2, 2, -2, -2);
            int changed = 0, edge = 0;
            for (int y = 0; y < away.height(); ++y)
                for (int x = 0; x < away.width(); ++x) {
                    const bool differs = away.pixel(x, y) != under.pixel(x, y);
                    (face.contains(x, y) ? changed : edge) += differs;
                }
            QVERIFY2(changed == 0, qPrintable(QStringLiteral("%1: %2").arg(name).arg(changed)));
            QVERIFY2(edge > away.width(), qPrintable(QStringLiteral("%1: %2").arg(name).arg(edge)));
        }
    }

    void wallpaperMenuSetsTheCurrentPictureOnlyWhenItExists() {
        TForm1& form = Form();
        QStringList ran;
        SetExecutableFinder([](const QString& name) {
            return name == QLatin1String("plasma-apply-wallpaperimage") ? "/usr/bin/" + name
                                                                        : QString();
        });
        SetCommandRunner([&ran](const QString& program, const QStringList& arguments) {
            ran << program + QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
            return TCommandResult{0, {}};
        });
        form.PopupMenu()->actions().first()->trigger();
        QCOMPARE(ran, QStringList{"/usr/bin/plasma-apply-wallpaperimage " +
                                  Path(QStringLiteral("backgr1.bmp"))});

        // A picture that went away since it was loaded is not handed on.
        ran.clear();
        Click("BGround");
        QVERIFY(QFile::remove(form.BackFile()));
        form.PopupMenu()->actions().first()->trigger();
        QVERIFY(ran.isEmpty());
        QVERIFY(FMessages->Shown.isEmpty());
    }

    void localisedModeUsesItsFontBytesAndText() {
        QFile text(Path(QStringLiteral("text2.txt")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("First line\r\n\xC0\xD2\xCA\r\n");
        text.close();
        TForm1Options options;
        options.FontFamilies = [] { return QStringList{"DejaVu Sans", "Geo_Arial"}; };
        TForm1& form = Form(std::move(options));
        QVERIFY(form.GeoFont());
        QCOMPARE(form.FontName(), QStringLiteral("Geo_Arial"));

        QCOMPARE(Button("Tetris").text().toLatin1(), QByteArray("&\xD4\xC4\xD4\xD2\xC9\xD3\xC9"));
        QCOMPARE(Button("Arcanoid").text().toLatin1(),
                 QByteArray("&\xC0\xD2\xCA\xC0\xCD\xCF\xC9\xC3\xC9"));
        QCOMPARE(Button("Scramble").text(), QStringLiteral("&15"));
        QCOMPARE(Button("Figures").text().toLatin1(),
                 QByteArray("&\xD7\xC9\xC2\xD6\xD2\xC4\xC1\xC9"));
        for (const char* game : {"Tetris", "Arcanoid", "Scramble", "Figures"}) {
            QCOMPARE(Button(game).font().family(), QStringLiteral("Geo_Arial"));
            QCOMPARE(Button(game).font().pointSize(), 10);
        }
        QCOMPARE(Button("Help").text(), QStringLiteral("&Help"));
        QCOMPARE(Button("Help").font().family(), QStringLiteral("Comic Sans MS"));

        const auto& memo = Control<QPlainTextEdit>("Memo1");
        QCOMPARE(memo.toPlainText(), QString::fromLatin1("First line\n\xC0\xD2\xCA"));
        QCOMPARE(memo.font().family(), QStringLiteral("Geo_Arial"));
        QCOMPARE(memo.font().pointSize(), 10);
    }

    void detectedButUnusedLocalFontOnlyShrinksTheHelpText() {
        TForm1Options options;
        options.FontFamilies = [] { return QStringList{"Sakartvelo"}; };
        TForm1& form = Form(std::move(options));
        QVERIFY(form.GeoFont());
        QCOMPARE(Button("Tetris").text(), QStringLiteral("&Tetris"));
        QCOMPARE(Control("Memo1").font().pointSize(), 10);
        QCOMPARE(Control("Memo1").font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(Control<QPlainTextEdit>("Memo1").document()->blockCount(), 20);
    }

    // Rows deleted one by one from the starting level: the level, points per
    // row and fall interval reached, pushed into the running well at once.
    void tetrisLevelsRiseWithTheScore_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("score");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("delay");
        QTest::newRow("level 1, first row") << "1" << 1 << 1 << 1 << 520;
        QTest::newRow("level 1, ninth row") << "1" << 9 << 9 << 1 << 520;
        QTest::newRow("level 1 rises at 10") << "1" << 10 << 10 << 2 << 470;
        QTest::newRow("level 2 scores 4 a row") << "1" << 11 << 14 << 2 << 470;
        QTest::newRow("level 3 scores 9 a row") << "3" << 15 << 135 << 3 << 420;
        QTest::newRow("level 3 rises at 140") << "3" << 16 << 144 << 4 << 370;
        QTest::newRow("level 9 rises to 10") << "9" << 36 << 2916 << 10 << 70;
        QTest::newRow("no level past 10") << "9" << 80 << 2916 + 44 * 100 << 10 << 70;
    }
    void tetrisLevelsRiseWithTheScore() {
        QFETCH(QString, start);
        QFETCH(int, rows);
        QFETCH(int, score);
        QFETCH(int, level);
        QFETCH(int, delay);
        TForm1& form = Form();
        StartTetrisAt(start);
        QCOMPARE(Control<QLabel>("Label3").text(), QStringLiteral("Level ") + start);
        for (int row = 0; row < rows; ++row) Fire(Well().OnDelete, &Well());
        QCOMPARE(Pan().TetrisScore(), score);
        QCOMPARE(int(form.Level()), level);
        QCOMPARE(Pan().TCoeff(), level * level);
        QCOMPARE(Pan().TDelay(), delay);
        QCOMPARE(Well().Delay(), delay);
        QCOMPARE(Control<QLabel>("Label3").text(), QStringLiteral("Level %1").arg(level));
    }

    void aLevelRiseDrawsANewLookForTheBlocksAndThePreview() {
        Form();
        StartTetrisAt("1");
        QSet<QString> looks;
        for (std::uint32_t seed = 1; seed <= 20; ++seed) {
            FixRandomSeed(seed);
            Click("Help");
            StartTetrisAt("1");
            for (int row = 0; row < 10; ++row) Fire(Well().OnDelete, &Well());
            QCOMPARE(FForm->Level(), 2);
            looks << QStringLiteral("%1 %2 %3 %4 %5")
                         .arg(Pan().ShapesTShape())
                         .arg(Pan().ShapesTBrushStyle())
                         .arg(Pan().ColorTShapes())
                         .arg(Pan().OneColorTShapes())
                         .arg(Pan().ColorTShapesPen());
            // The next piece's preview takes the well's look.
            Fire(Well().OnContact, &Well());
            const auto& shape = Control<TShapeControl>("Shape1");
            QCOMPARE(shape.Look().Shape, Pan().ShapesTShape());
            QCOMPARE(shape.Look().PenColor, Pan().ColorTShapesPen());
            QCOMPARE(shape.Look().BrushStyle, Pan().ShapesTBrushStyle());
            if (Pan().ColorTShapes() == colorOne)
                QCOMPARE(shape.Look().BrushColor, Pan().OneColorTShapes());
        }
        QVERIFY2(looks.size() > 5, qPrintable(QString::number(looks.size())));
    }

    // The square built through the board ends the game in the high-score
    // window, and the board then shows the game-over picture behind it.
    void aBuiltSquareEndsFiguresWithItsMovesAndThePicture() {
        Form().show();
        Click("Figures");
        Click("Start");
        TFgrs& board = *Pan().BoardAs<TFgrs>();
        const Figures::TLengths lengths = Figures::CalcLengths(board.FigureUnit());
        const Figures::TPlacements square = *FiguresTest::LayOut(1, lengths, QPoint(10, 10));
        for (int n = 1; n <= 5; ++n)
            board.PlacePiece(n, square[n - 1].Left, square[n - 1].Top, square[n - 1].Orientation);
        const int top = board.ZOrder().back();
        const QPoint on = *FiguresTest::PointOnShape(*board.Piece(top));
        board.MouseDown(Qt::LeftButton, Qt::LeftButton, Qt::NoModifier, on);
        board.MouseUp(Qt::LeftButton, Qt::NoButton, on);
        QCOMPARE(FHighScores.size(), 1);
        QCOMPARE(FHighScores[0].Caption, QStringLiteral("Game Over! Result:1"));
        QVERIFY(Pan().Picture());
        QVERIFY(FMessages->Shown.isEmpty());
    }

    // Pause (Alt+U) with a piece in hand counts its move with its cue; Help
    // frees the board with a piece in hand, and the move is not heard of.
    void aFiguresPieceInHandCountsAtThePauseNotAfterHelp_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("moves");
        QTest::newRow("pause") << "Pause" << 1;
        QTest::newRow("help") << "Help" << 0;
    }
    void aFiguresPieceInHandCountsAtThePauseNotAfterHelp() {
        QFETCH(QString, button);
        QFETCH(int, moves);
        Form().show();
        Click("Figures");
        Click("Start");
        TFgrs& board = *Pan().BoardAs<TFgrs>();
        const QPoint on = *FiguresTest::PointOnShape(*board.Piece(board.ZOrder().back()));
        board.MouseDown(Qt::LeftButton, Qt::LeftButton, Qt::NoModifier, on);
        board.MouseMove(on + QPoint(40, 30));
        FCues.clear();
        Click(button);
        QCoreApplication::processEvents();
        QCOMPARE(Pan().FiguresMoves(), moves);
        QCOMPARE(FCues.count(QStringLiteral("step")), moves);
    }

    void arcanoidAndFiguresEventsPlayTheirCues() {
        Form();
        Click("Arcanoid");
        Click("Start");
        TRcnd& bricks = *Pan().BoardAs<TRcnd>();
        FCues.clear();
        Fire(bricks.OnDelete, &bricks);
        Fire(bricks.OnContact, &bricks);
        QCOMPARE(FCues, QStringList({"STEP", "ERROR"}));
        // A new level: its cue and a brick shape drawn at random.
        QSet<int> shapes;
        for (int level = 0; level < 12; ++level) {
            Fire(bricks.OnEndLevel, &bricks);
            shapes << Pan().ShapesAShape();
        }
        QCOMPARE(FCues.last(), QStringLiteral("ENERGY"));
        QCOMPARE(shapes, QSet<int>({stRectangle, stRoundRect}));

        Click("Figures");
        Click("Start");
        FCues.clear();
        Fire(Pan().BoardAs<TFgrs>()->OnMove, Pan().Board());
        QCOMPARE(FCues, QStringList{"step"});
    }

    void deletedRowsPlayEnergyAndTheirLandingNoZari() {
        Form();
        StartTetrisAt("3");
        FCues.clear();
        Fire(Well().OnDelete, &Well());
        Fire(Well().OnDelete, &Well());
        Fire(Well().OnContact, &Well());
        QCOMPARE(FCues, QStringList({"ENERGY (waited)", "ENERGY (waited)"}));
        Fire(Well().OnContact, &Well());
        QCOMPARE(FCues.last(), QStringLiteral("zari"));
    }

    void theFirstPieceFillsThePreviewAtOnce() {
        Form();
        StartTetrisAt("3");
        const int kind = Pan().TetrisNext();
        QVERIFY(kind >= 1 && kind <= 7);
        const TPreview& preview = kPreviews[kind - 1];
        const char* names[] = {"Shape1", "Shape2", "Shape3", "Shape4"};
        for (int i = 0; i < 4; ++i) {
            const auto& shape = Control<TShapeControl>(names[i]);
            QCOMPARE(shape.pos(), preview.Blocks[i]);
            QCOMPARE(shape.Look().BrushColor, preview.Color);
        }
        QCOMPARE(VisiblePanels(), QStringLiteral("Panel1 Panel3 GamePan1"));
    }

    void everyGameOverOpensTheHighScoreWindow_data() {
        QTest::addColumn<QString>("game");
        QTest::newRow("scramble") << "Scramble";
        QTest::newRow("tetris") << "Tetris";
        QTest::newRow("arcanoid") << "Arcanoid";
        QTest::newRow("figures") << "Figures";
    }
    void everyGameOverOpensTheHighScoreWindow() {
        QFETCH(QString, game);
        TForm1& form = Form();
        form.show();
        form.move(30, 20);
        Click(game);
        Click("Start");
        std::int32_t result = 0;
        if (auto* scramble = Pan().BoardAs<TScrmbl>()) {
            for (int move = 0; move < 5; ++move) Fire(scramble->OnMove, scramble);
            result = Pan().ScrambleMoves();
        } else if (auto* well = Pan().BoardAs<TTtrs>()) {
            Fire(well->OnDelete, well);
            result = Pan().TetrisScore();
        } else if (auto* bricks = Pan().BoardAs<TRcnd>()) {
            Fire(bricks->OnDelete, bricks);
            Fire(bricks->OnDelete, bricks);
            result = Pan().ArcanoidScore();
        } else {
            result = Pan().FiguresMoves();
        }
        FCues.clear();
        Fire(Pan().Board()->OnOver, Pan().Board());
        QCOMPARE(FHighScores.size(), 1);
        QCOMPARE(FHighScores[0].Caption, QStringLiteral("Game Over! Result:%1").arg(result));
        QCOMPARE(FHighScores[0].Game, game);
        QCOMPARE(FHighScores[0].Result, QString::number(result));
        QCOMPARE(FHighScores[0].At, form.pos());
        QVERIFY(FHighScores[0].Pictured);
        QCOMPARE(FHighScores[0].Owner, &form);
        QCOMPARE(FCues, QStringList{"EXIT"});
        QVERIFY(Button("Start").isEnabled());
        QVERIFY(!Button("Pause").isEnabled());
        QCOMPARE(VisiblePanels(), game == QLatin1String("Tetris")
                                      ? QStringLiteral("Panel2 GamePan1")
                                      : QStringLiteral("GamePan1"));
    }

    // The high-score window and the about box live only while they are
    // shown, and the pictures Qt's style made of their buttons, under colours
    // of their own, go with them: window after window, the pixmap cache is no
    // fuller than after the first.
    void windowsShownOnceLeaveNoPicturesBehind_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("tetris over") << "Tetris";
        QTest::newRow("arcanoid over") << "Arcanoid";
        QTest::newRow("about") << "About";
    }
    void windowsShownOnceLeaveNoPicturesBehind() {
        QFETCH(QString, button);
        TForm1Options options;
        int shown = 0;
        options.ShowHighScores = [&shown](TForm2& highScores) {
            highScores.show();
            highScores.grab();
            ++shown;
        };
        TForm1& form = Form(std::move(options));
        form.show();
        const bool about = button == QLatin1String("About");
        if (!about) Click(button);
        const auto showOnce = [&] {
            if (about) {
                QTimer::singleShot(0, [&shown] {
                    auto* box = qobject_cast<TAboutBox*>(QApplication::activeModalWidget());
                    if (!box) return;
                    box->grab();
                    ++shown;
                    box->accept();
                });
                // The headless platform says so of every box it shows.
                QTest::ignoreMessage(QtWarningMsg,
                                     "This plugin does not support propagateSizeHints()");
                Click("About");
                return;
            }
            Click("Start");
            Fire(Pan().Board()->OnOver, Pan().Board());
        };
        QPixmapCache::clear();
        showOnce();
        // In megabytes, rounded up: a window's pictures take some kilobytes.
        const int afterOne = QPixmapCache::totalUsed();
        for (int i = 0; i < 200; ++i) showOnce();
        QCOMPARE(shown, 201);
        QCOMPARE(QPixmapCache::totalUsed(), afterOne);
    }

    // A cue that is not there must not cut the game's end short.
    void aMissingCueInAGameEventIsReportedAfterTheEvent() {
        TForm1Options options;
        options.PlayCue = [](const QString& name, bool) {
            if (name == QLatin1String("EXIT") || name == QLatin1String("ENERGY"))
                throw TResourceNotFound();
        };
        Form(std::move(options));
        StartTetrisAt("1");
        Fire(Well().OnDelete, &Well());
        QCOMPARE(Pan().TetrisScore(), 1);
        Fire(Well().OnOver, &Well());
        QCOMPARE(FHighScores.size(), 1);
        QVERIFY(Button("Start").isEnabled());
        QVERIFY(FMessages->Shown.isEmpty());
        QTRY_COMPARE(FMessages->Texts(), QStringList({"Resource not found", "Resource not found"}));
    }

    // Nor may it leave through a button's signal, which Qt does not allow: the
    // command does all its work and the error is reported after it.
    void aMissingCueOfAButtonIsReportedAfterItsCommand_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("missing");
        QTest::newRow("a game") << ""
                                << "Tetris"
                                << "Panel2 GamePan1" << 1;
        QTest::newRow("help") << "Figures"
                              << "Help"
                              << "Memo1" << 1;
        QTest::newRow("start") << "Figures"
                               << "Start"
                               << "GamePan1 started" << 1;
        QTest::newRow("about") << ""
                               << "About"
                               << "Memo1 about" << 2;
    }
    void aMissingCueOfAButtonIsReportedAfterItsCommand() {
        QFETCH(QString, before);
        QFETCH(QString, button);
        QFETCH(QString, state);
        QFETCH(int, missing);
        bool cuesMissing = false;
        TForm1Options options;
        options.PlayCue = [&cuesMissing](const QString&, bool) {
            if (cuesMissing) throw TResourceNotFound();
        };
        Form(std::move(options)).show();
        if (!before.isEmpty()) Click(before);
        cuesMissing = true;
        bool about = false;
        QTimer::singleShot(0, [&about] {
            if (auto* box = qobject_cast<TAboutBox*>(QApplication::activeModalWidget())) {
                about = true;
                QTest::mouseClick(Child<QPushButton>(*box, "BitBtn1"), Qt::LeftButton);
            }
        });
        Click(button);
        QCOMPARE(VisiblePanels() + (Pan().Start() ? " started" : "") + (about ? " about" : ""),
                 state);
        QTRY_COMPARE(FMessages->Texts(),
                     QStringList(missing, QStringLiteral("Resource not found")));
    }

    void arrowKeysPlayTheRunningGame_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("direction");
        QTest::newRow("tetris right") << "Tetris" << int(Qt::Key_Right) << 1;
        QTest::newRow("tetris up rotates") << "Tetris" << int(Qt::Key_Up) << 3;
        QTest::newRow("tetris down drops") << "Tetris" << int(Qt::Key_Down) << 2;
        QTest::newRow("scramble up") << "Scramble" << int(Qt::Key_Up) << 5;
        QTest::newRow("scramble down") << "Scramble" << int(Qt::Key_Down) << 4;
    }
    void arrowKeysPlayTheRunningGame() {
        QFETCH(QString, game);
        QFETCH(int, key);
        QFETCH(int, direction);
        TForm1& form = Form();
        form.show();
        Click(game);
        QTest::keyClick(form.windowHandle(), Qt::Key(key));
        QCOMPARE(int(Pan().Direction()), 0); // nothing before the game runs
        Click("Start");
        QTest::keyClick(form.windowHandle(), Qt::Key(key));
        QCOMPARE(int(Pan().Direction()), direction);
    }

    // Started from a menu, the program runs elsewhere than its pictures.
    void picturesComeFromTheCurrentFolderFirstThenTheInstalledOnes() {
        QTemporaryDir empty, system;
        QVERIFY(QDir(system.path()).mkpath(QStringLiteral("tolvane")));
        QVERIFY(QFile::copy(Path(QStringLiteral("backgr3.bmp")),
                            system.filePath(QStringLiteral("tolvane/backgr3.bmp"))));
        const QByteArray oldDirs = qgetenv("XDG_DATA_DIRS");
        const QByteArray oldHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_DIRS", system.path().toUtf8());
        qputenv("XDG_DATA_HOME", empty.path().toUtf8());
        const QString here = BackgroundPath(FDir->path(), 3);
        const QString installed = BackgroundPath(empty.path(), 3);
        const QString neither = BackgroundPath(empty.path(), 4);
        qputenv("XDG_DATA_DIRS", oldDirs);
        qputenv("XDG_DATA_HOME", oldHome);
        QCOMPARE(here, Path(QStringLiteral("backgr3.bmp")));
        QCOMPARE(installed, system.filePath(QStringLiteral("tolvane/backgr3.bmp")));
        QCOMPARE(neither, empty.filePath(QStringLiteral("backgr4.bmp")));
    }

    void theLevelBoxTakesNoFocusFromTheBoard() {
        Form();
        QCOMPARE(Control<QComboBox>("ComboBox1").focusPolicy(), Qt::NoFocus);
    }

    // The per-user folder of the tables must not change with the version.
    void scoreTablesLiveInAFolderWithoutTheVersion() {
        QTemporaryDir data;
        const QByteArray oldData = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        QDir(data.path()).mkpath(QStringLiteral("Tolvane 1.47"));
        QFile old(data.filePath(QStringLiteral("Tolvane 1.47/tetris.ini")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("Ann\r\n50\r\n");
        old.close();

        NameApplication();
        const QString folder = TForm2::ScoreDirectory();
        const QString adopted = data.filePath(QStringLiteral("Tolvane/tetris.ini"));
        QFile taken(adopted);
        const bool read = taken.open(QIODevice::ReadOnly);
        const QByteArray bytes = taken.readAll();
        const QString name = QCoreApplication::applicationName();
        const QString title = ApplicationTitle();
        TApplication::setApplicationName(QStringLiteral("Tolvane 1.47"));
        qputenv("XDG_DATA_HOME", oldData);
        QCOMPARE(name, QStringLiteral("Tolvane"));
        QCOMPARE(title, QStringLiteral("Tolvane 1.47"));
        QCOMPARE(folder, data.filePath(QStringLiteral("Tolvane")));
        QVERIFY(read);
        QCOMPARE(bytes, QByteArray("Ann\r\n50\r\n"));
    }

    void exceptionFromAHandlerIsShownAndTheProgramGoesOn() {
        class TCueAsker : public QObject {
        public:
            bool event(QEvent* event) override {
                if (event->type() == QEvent::User)
                    TForm2::PlayWave(QStringLiteral("NOSUCHCUE"), false);
                return QObject::event(event);
            }
        } asker;
        QEvent direct(QEvent::User);
        QVERIFY(!QCoreApplication::sendEvent(&asker, &direct));
        QCOMPARE(FMessages->Texts(), QStringList{QStringLiteral("Resource not found")});
        QCOMPARE(FMessages->Shown.first().Type, TMsgDlgType::mtError);

        // Through the event loop too: the posted event is handled, the loop lives on.
        QCoreApplication::postEvent(&asker, new QEvent(QEvent::User));
        bool later = false;
        QTimer::singleShot(0, [&later] { later = true; });
        QTRY_VERIFY(later);
        QCOMPARE(FMessages->Shown.size(), 2);
    }
};

int main(int argc, char** argv) {
    // Pictures or tables of an installed Tolvane must not stand in for the test's own.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.filePath(QStringLiteral("home")).toUtf8());
    qputenv("XDG_DATA_DIRS", data.filePath(QStringLiteral("system")).toUtf8());
    TApplication application(argc, argv);
    TApplication::setApplicationName(QStringLiteral("Tolvane 1.47"));
    TestForm1 test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_form1.moc"
