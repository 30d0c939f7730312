// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/toolkit/colors.h"
#include "gamepan/toolkit/notify.h"
#include "gamepan/toolkit/panel.h"
#include "gamepan/toolkit/picture.h"
#include "gamepan/toolkit/shapes.h"
#include "games/figures/figure.h"

#include <QRect>
#include <QString>
#include <cstdint>
#include <memory>

namespace Tolvane {

class TGameBoard;
class TGameWiring;

enum class TState : std::uint8_t { StPanel, Scramble, Tetris, Arcanoid, Figures };

template <typename T> struct TSettingRule;

// The component that hosts the four games: it owns every game setting,
// builds the board of the chosen game, forwards keys and commands to it,
// keeps the status caption in its own title bar and reports game events.
// What differs between the games lies in one wiring file per game.
class TGamePan : public TPanel {
    Q_OBJECT
public:
    explicit TGamePan(QWidget* parent = nullptr);
    ~TGamePan() override;

    // Mode and play control.
    TState State() const { return FState; }
    void SetState(TState state);
    bool Start() const { return FStart; }
    void SetStart(bool start);
    bool Paused() const { return FPaused; }
    void SetPaused(bool paused);
    std::uint8_t Direction() const { return FDirection; }
    void SetDirection(std::uint8_t direction);

    // Read-only counters.
    std::int32_t ScrambleMoves() const { return FScrambleMoves; }
    std::int32_t TetrisScore() const { return FTetrisScore; }
    std::uint16_t TetrisNext() const { return FTetrisNext; }
    std::int32_t ArcanoidScore() const { return FArcanoidScore; }
    std::int32_t ArcanoidLevel() const { return FArcanoidLevel; }
    std::int32_t FiguresMoves() const { return FFiguresMoves; }

    // General settings.
    bool ShowScoresTime() const { return FShowScoresTime; }
    void SetShowScoresTime(bool value);
    bool ShowAllDlgs() const { return FShowAllDlgs; }
    void SetShowAllDlgs(bool value);
    bool WithCaption() const { return FWithCaption; }
    void SetWithCaption(bool value);
    bool DefKeys() const { return FDefKeys; }
    void SetDefKeys(bool value);
    bool TimerFocus() const { return FTimerFocus; }
    void SetTimerFocus(bool value);
    bool PicStretch() const { return FPicStretch; }
    void SetPicStretch(bool value);
    QString BStPicture() const { return FBStPicture; }
    void SetBStPicture(const QString& value);
    QString AOverPicture() const { return FAOverPicture; }
    void SetAOverPicture(const QString& value);
    QString About() const { return FAbout; }
    void SetAbout(const QString& value);

    // Scramble settings.
    std::uint16_t SRowsColumns() const { return FSRowsColumns; }
    void SetSRowsColumns(std::uint16_t value);
    TColor ColorSB() const { return FColorSB; }
    void SetColorSB(TColor value);

    // Tetris settings.
    std::uint16_t TRows() const { return FTRows; }
    void SetTRows(std::uint16_t value);
    std::uint16_t TColumns() const { return FTColumns; }
    void SetTColumns(std::uint16_t value);
    std::int32_t TDelay() const { return FTDelay; }
    void SetTDelay(std::int32_t value);
    std::int32_t TCoeff() const { return FTCoeff; }
    void SetTCoeff(std::int32_t value);
    TColor ColorTB() const { return FColorTB; }
    void SetColorTB(TColor value);
    TColor ColorTF() const { return FColorTF; }
    void SetColorTF(TColor value);
    TColorTAFShapes ColorTShapes() const { return FColorTShapes; }
    void SetColorTShapes(TColorTAFShapes value);
    TColor OneColorTShapes() const { return FOneColorTShapes; }
    void SetOneColorTShapes(TColor value);
    TColor ColorTShapesPen() const { return FColorTShapesPen; }
    void SetColorTShapesPen(TColor value);
    std::int32_t WidthTShapesPen() const { return FWidthTShapesPen; }
    void SetWidthTShapesPen(std::int32_t value);
    TShapeType ShapesTShape() const { return FShapesTShape; }
    void SetShapesTShape(TShapeType value);
    TBrushStyle ShapesTBrushStyle() const { return FShapesTBrushStyle; }
    void SetShapesTBrushStyle(TBrushStyle value);
    bool NextSColorT() const { return FNextSColorT; }
    void SetNextSColorT(bool value);

    // Arcanoid settings.
    std::uint16_t ARows() const { return FARows; }
    void SetARows(std::uint16_t value);
    std::uint16_t AColumns() const { return FAColumns; }
    void SetAColumns(std::uint16_t value);
    std::int32_t ALevels() const { return FALevels; }
    void SetALevels(std::int32_t value);
    std::int32_t ABalls() const { return FABalls; }
    void SetABalls(std::int32_t value);
    std::int32_t ADelay() const { return FADelay; }
    void SetADelay(std::int32_t value);
    std::int32_t ACoeff() const { return FACoeff; }
    void SetACoeff(std::int32_t value);
    std::int32_t ASteps() const { return FASteps; }
    void SetASteps(std::int32_t value);
    std::int32_t ABSpeed() const { return FABSpeed; }
    void SetABSpeed(std::int32_t value);
    std::int32_t ASSpeed() const { return FASSpeed; }
    void SetASSpeed(std::int32_t value);
    std::int32_t ATN() const { return FATN; }
    void SetATN(std::int32_t value);
    std::int32_t ATL() const { return FATL; }
    void SetATL(std::int32_t value);
    std::int32_t ATS() const { return FATS; }
    void SetATS(std::int32_t value);
    std::int32_t ABHW() const { return FABHW; }
    void SetABHW(std::int32_t value);
    std::uint16_t AFriction() const { return FAFriction; }
    void SetAFriction(std::uint16_t value);
    std::int32_t ACreSquShape() const { return FACreSquShape; }
    void SetACreSquShape(std::int32_t value);
    bool AStrongShapes() const { return FAStrongShapes; }
    void SetAStrongShapes(bool value);
    bool AIMMDelShapes() const { return FAIMMDelShapes; }
    void SetAIMMDelShapes(bool value);
    bool AEndStop() const { return FAEndStop; }
    void SetAEndStop(bool value);
    TColor ColorAB() const { return FColorAB; }
    void SetColorAB(TColor value);
    TColor ColorABl() const { return FColorABl; }
    void SetColorABl(TColor value);
    TColor ColorAT() const { return FColorAT; }
    void SetColorAT(TColor value);
    TColorTAFShapes ColorAShapes() const { return FColorAShapes; }
    void SetColorAShapes(TColorTAFShapes value);
    TColor OneColorAShapes() const { return FOneColorAShapes; }
    void SetOneColorAShapes(TColor value);
    TColor ColorAShapesPen() const { return FColorAShapesPen; }
    void SetColorAShapesPen(TColor value);
    std::int32_t WidthAShapesPen() const { return FWidthAShapesPen; }
    void SetWidthAShapesPen(std::int32_t value);
    TShapeType ShapesAShape() const { return FShapesAShape; }
    void SetShapesAShape(TShapeType value);
    TBrushStyle ShapesABrushStyle() const { return FShapesABrushStyle; }
    void SetShapesABrushStyle(TBrushStyle value);

    // Figures settings.
    TFSquare FSquare() const { return FFSquare; }
    void SetFSquare(TFSquare value);
    std::uint16_t FWidthHeight() const { return FFWidthHeight; }
    void SetFWidthHeight(std::uint16_t value);
    TColorTAFShapes ColorFShapes() const { return FColorFShapes; }
    void SetColorFShapes(TColorTAFShapes value);
    TColor ColorFB() const { return FColorFB; }
    void SetColorFB(TColor value);

    // Published events (sender: the panel); an unassigned event is skipped.
    TNotifyEvent OnScrambleMove, OnScrambleTime, OnScrambleOver;
    TNotifyEvent OnTetrisDelete, OnTetrisContact, OnTetrisTime, OnTetrisOver;
    // The Arcanoid clock event's name has no second "a".
    TNotifyEvent OnArcanoidDelete, OnArcanoidContact, OnArcanoidEndLevel, OnArcnoidTime,
        OnArcanoidOver;
    TNotifyEvent OnFiguresMove, OnFiguresTime, OnFiguresOver;
    // The panel's own key-down notification: every key a board receives.
    TKeyEvent OnKeyDown;

    // The board of the current mode, if any.
    TGameBoard* Board() const { return FBoard; }
    // The board as the given game's board class, or nullptr.
    template <typename TBoard> TBoard* BoardAs() const { return qobject_cast<TBoard*>(FBoard); }
    const TPicture* Picture() const { return FPicture.get(); }

    // Gives the keyboard focus back to a running board.
    void FocusBoard();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    template <typename T> friend struct TSettingRule;
    friend class TScrambleWiring;
    friend class TTetrisWiring;
    friend class TArcanoidWiring;
    friend class TFiguresWiring;

    template <typename T> void Assign(T& field, T value, const TSettingRule<T>& rule);
    const TGameWiring* Wiring() const;

    void SwitchMode();
    void ToggleFrame();
    bool FreeBoard();
    void InstallCommon(TGameBoard& board);
    void PaintBack();
    void BoardKeyDown(std::uint16_t& key, Qt::KeyboardModifiers shift);
    void BoardTime();
    void GameOver();
    void LayoutBoard();

    // Run-time state.
    TGameBoard* FBoard = nullptr; // the one board, owned through Qt parenthood
    std::unique_ptr<TPicture> FPicture;
    QRect FSavedBounds;
    std::int32_t FScrambleMoves = 0;
    std::int32_t FTetrisScore = 0;
    std::uint16_t FTetrisNext = 7;
    std::int32_t FArcanoidScore = 0;
    std::int32_t FArcanoidLevel = 0;
    std::int32_t FFiguresMoves = 0;
    TState FState = TState::StPanel;
    bool FStart = false;
    bool FPaused = false;
    std::uint8_t FDirection = 0;

    // Settings with their initial values.
    bool FShowScoresTime = true;
    bool FShowAllDlgs = true;
    bool FWithCaption = true;
    bool FDefKeys = true;
    bool FTimerFocus = false;
    bool FPicStretch = true;
    QString FBStPicture;
    QString FAOverPicture;
    QString FAbout = QStringLiteral("Tolvane game panel: four classic games in one component");
    std::uint16_t FSRowsColumns = 4;
    TColor FColorSB = clBlack;
    std::uint16_t FTRows = 20;
    std::uint16_t FTColumns = 10;
    std::int32_t FTDelay = 200;
    std::int32_t FTCoeff = 1;
    TColor FColorTB = clBlack;
    TColor FColorTF = clBlack;
    TColorTAFShapes FColorTShapes = colorFixed;
    TColor FOneColorTShapes = clBtnFace;
    TColor FColorTShapesPen = clWhite;
    std::int32_t FWidthTShapesPen = 1;
    TShapeType FShapesTShape = stRoundRect;
    TBrushStyle FShapesTBrushStyle = bsSolid;
    bool FNextSColorT = false;
    std::uint16_t FARows = 30;
    std::uint16_t FAColumns = 11;
    std::int32_t FALevels = 10;
    std::int32_t FABalls = 3;
    std::int32_t FADelay = 40;
    std::int32_t FACoeff = 1;
    std::int32_t FASteps = 100;
    std::int32_t FABSpeed = 150;
    std::int32_t FASSpeed = 75;
    std::int32_t FATN = 100;
    std::int32_t FATL = 150;
    std::int32_t FATS = 75;
    std::int32_t FABHW = 75;
    std::uint16_t FAFriction = 25;
    std::int32_t FACreSquShape = 2;
    bool FAStrongShapes = true;
    bool FAIMMDelShapes = false;
    bool FAEndStop = false;
    TColor FColorAB = clBlack;
    TColor FColorABl = clLime;
    TColor FColorAT = clYellow;
    TColorTAFShapes FColorAShapes = colorFixed2;
    TColor FOneColorAShapes = clBtnFace;
    TColor FColorAShapesPen = clWhite;
    std::int32_t FWidthAShapesPen = 1;
    TShapeType FShapesAShape = stRoundRect;
    TBrushStyle FShapesABrushStyle = bsSolid;
    TFSquare FFSquare = Big;
    std::uint16_t FFWidthHeight = 70;
    TColorTAFShapes FColorFShapes = colorFixed2;
    TColor FColorFB = clBlack;
};

// "Scramble", "Tetris", "Arcanoid" or "Figures"; empty for StPanel.
QString GameName(TState state);

// The panel's caption as it was when a game was entered from StPanel.
extern QString SavedCaption;

} // namespace Tolvane
