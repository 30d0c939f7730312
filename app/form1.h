// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/gamepan.h"
#include "gamepan/toolkit/widgets/picture.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QMenu;
class QToolButton;
class QWidget;

namespace Ui {
class Form1;
}

namespace Tolvane {

class TForm2;
class TShapeControl;

// How the main window is built. The program uses the defaults.
struct TForm1Options {
    // The installed font families; empty asks the font database.
    std::function<QStringList()> FontFamilies;
    // Plays a sound cue by name, waiting for its end or not; empty plays the
    // embedded cues. Throws when there is no such cue.
    std::function<void(const QString& name, bool wait)> PlayCue;
    // Shows the high-score window modally; empty runs it as a real dialog.
    std::function<void(TForm2& form)> ShowHighScores;
};

// Where the four preview blocks lie inside the preview panel, and their
// colour, for each Tetris piece kind 1..7.
struct TPreview {
    std::array<QPoint, 4> Blocks;
    TColor Color;
};
extern const std::array<TPreview, 7> kPreviews;

// The main window: the column of buttons, the help text, the game panel and
// the three Tetris side panels over a tiled background picture.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(TForm1Options options = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // Commands, as the buttons, keys and menu run them.
    void BitBtn1Click(QObject* sender);       // Help
    void BitBtn2Click(QObject* sender);       // Tetris
    void BitBtn3Click(QObject* sender);       // Arcanoid
    void BitBtn4Click(QObject* sender);       // Scramble
    void BitBtn5Click(QObject* sender);       // Figures
    void BitBtn6Click(QObject* sender);       // Start
    void SpeedButton7Click(QObject* sender);  // Close
    void SpeedButton8Click(QObject* sender);  // About
    void SpeedButton9Click(QObject* sender);  // Pause / Continue
    void SpeedButton10Click(QObject* sender); // B.Ground
    void SetAsWallPaper1Click(QObject* sender);
    void EnableButtons(QObject* sender);
    void FormKeyDown(QObject* sender, std::uint16_t& key, Qt::KeyboardModifiers shift);

    // The game panel's events.
    void GamePan1ScrambleMove(QObject* sender);
    void GamePan1TetrisContact(QObject* sender);
    void GamePan1TetrisDelete(QObject* sender);
    void GamePan1FiguresMove(QObject* sender);
    void GamePan1ArcanoidDelete(QObject* sender);
    void GamePan1ArcanoidContact(QObject* sender);
    void GamePan1ArcanoidEndLevel(QObject* sender);
    void GamePan1ScrambleOver(QObject* sender);
    void GamePan1TetrisOver(QObject* sender);
    void GamePan1ArcanoidOver(QObject* sender);
    void GamePan1FiguresOver(QObject* sender);

    TGamePan* GamePan() const;
    // The right-click menu while attached, else nullptr.
    QMenu* PopupMenu() const { return FPopupAttached ? FPopupMenu : nullptr; }

    const QString& AppDir() const { return FAppDir; }
    const QString& BackFile() const { return FBackFile; }
    std::uint16_t BackIndex() const { return FBackIndex; }
    const TPicture* BackPicture() const { return FBackPicture.get(); }
    bool GeoFont() const { return FGeoFont; }
    const QString& FontName() const { return FFontName; }
    const QRect& PanelBounds() const { return FPanelBounds; }
    bool JustDeleted() const { return FJustDeleted; }
    std::uint16_t Level() const { return FLevel; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormCloseQuery(QObject* sender, bool& canClose);
    void BindGamePanEvents();
    void ConnectControls();
    void LoadHelpText();
    void ApplyLocalisedMode();
    void LoadBackPicture();
    void WarnIfNumLockOff();

    // The panel's outer bounds for a game, with a client area of the given
    // width-to-height shape, centred over the designed area.
    enum class TPanelShape { HalfWidth, Square };
    void FitGamePan(TPanelShape shape);
    // The step every game button shares: the panel at the game's shape (the
    // designed bounds without one), the buttons, the mode and the cue.
    void ChooseGame(QObject* sender, TState game, std::optional<TPanelShape> shape);

    void TilePicture(QWidget& area, QPainter& painter) const;
    void SpeedButton8MouseDown(QObject* sender);
    void SpeedButton8MouseUp(QObject* sender);
    bool IsFlatButton(const QObject* object) const;

    // Throws when there is no such cue; played through EventCue.
    void PlayCue(const QString& name, bool wait);
    // Every cue of the buttons and the game events: a missing cue must not
    // unwind through a button's signal or the board that reported the
    // event, so it is reported once the command or the event is over.
    void EventCue(const QString& name, bool wait);
    void TetrisStartSteps();
    void NextShape(const TPreview& preview);
    void Shapes(TShapeControl& shape);
    void RaiseLevel();
    // The points per row and the fall interval of the current level.
    void ApplyLevel();
    // Prepares the high-score window: the cue, the picture, the position and the game.
    void GameOver(TForm2& form);
    // The shared over handler: the high-score window with the result, then
    // the buttons for the next game.
    void ShowResult(std::int32_t result);

    std::unique_ptr<Ui::Form1> ui;
    TForm1Options FOptions;
    QList<QToolButton*> FFlatButtons; // the ten buttons, in their column order
    QMenu* FPopupMenu = nullptr;      // owned by the window
    bool FPopupAttached = true;
    bool FKeyPreviewInstalled = false;

    std::unique_ptr<TPicture> FBackPicture;

    // Start-up state and the current background.
    QString FAppDir; // no trailing separator
    QString FBackFile;
    std::uint16_t FBackIndex = 1;
    QString FFontName;
    bool FGeoFont = false;
    QRect FPanelBounds;

    bool FJustDeleted = false; // a Tetris row went since the last landing
    std::uint16_t FLevel = 1;  // the current Tetris level
};

} // namespace Tolvane
