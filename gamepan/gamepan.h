// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/settings.h"
#include "gamepan/toolkit/widgets/kinds.h"
#include "gamepan/toolkit/widgets/notify.h"
#include "gamepan/toolkit/widgets/panel.h"
#include "gamepan/toolkit/widgets/picture.h"
#include "gamepan/wiringhost.h"

#include <QRect>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <type_traits>

namespace Tolvane {

class TGameBoard;
class TGameWiring;
struct TSettingRow;

// The component that hosts the four games: it owns every game setting,
// builds the board of the chosen game, forwards keys and commands to it,
// keeps the status caption in its own title bar and reports game events.
// What differs between the games lies in one wiring file per game, beside
// the rows that say how each of its settings is checked and pushed.
class TGamePan : public TPanel, private TWiringHost {
    Q_OBJECT
    // Mode and play control: run-time state, never stored in a form.
    Q_PROPERTY(Tolvane::TState State READ State WRITE SetState STORED false)
    Q_PROPERTY(bool Start READ Start WRITE SetStart STORED false)
    Q_PROPERTY(bool Paused READ Paused WRITE SetPaused STORED false)
    Q_PROPERTY(int Direction READ Direction WRITE SetDirection STORED false)
    // The counters of the current game.
    Q_PROPERTY(int ScrambleMoves READ ScrambleMoves STORED false)
    Q_PROPERTY(int TetrisScore READ TetrisScore STORED false)
    Q_PROPERTY(int TetrisNext READ TetrisNext STORED false)
    Q_PROPERTY(int ArcanoidScore READ ArcanoidScore STORED false)
    Q_PROPERTY(int ArcanoidLevel READ ArcanoidLevel STORED false)
    Q_PROPERTY(int FiguresMoves READ FiguresMoves STORED false)
    // The settings; a colour travels as QColor (see ToPropertyColor).
    Q_PROPERTY(bool ShowScoresTime READ ShowScoresTime WRITE SetShowScoresTime)
    Q_PROPERTY(bool ShowAllDlgs READ ShowAllDlgs WRITE SetShowAllDlgs)
    Q_PROPERTY(bool WithCaption READ WithCaption WRITE SetWithCaption)
    Q_PROPERTY(bool DefKeys READ DefKeys WRITE SetDefKeys)
    Q_PROPERTY(bool TimerFocus READ TimerFocus WRITE SetTimerFocus)
    Q_PROPERTY(bool PicStretch READ PicStretch WRITE SetPicStretch)
    Q_PROPERTY(QString BStPicture READ BStPicture WRITE SetBStPicture)
    Q_PROPERTY(QString AOverPicture READ AOverPicture WRITE SetAOverPicture)
    Q_PROPERTY(QString About READ About WRITE SetAbout)
    Q_PROPERTY(int SRowsColumns READ SRowsColumns WRITE SetSRowsColumns)
    Q_PROPERTY(QColor ColorSB READ ColorSBAsQColor WRITE SetColorSBAsQColor)
    Q_PROPERTY(int TRows READ TRows WRITE SetTRows)
    Q_PROPERTY(int TColumns READ TColumns WRITE SetTColumns)
    Q_PROPERTY(int TDelay READ TDelay WRITE SetTDelay)
    Q_PROPERTY(int TCoeff READ TCoeff WRITE SetTCoeff)
    Q_PROPERTY(QColor ColorTB READ ColorTBAsQColor WRITE SetColorTBAsQColor)
    Q_PROPERTY(QColor ColorTF READ ColorTFAsQColor WRITE SetColorTFAsQColor)
    Q_PROPERTY(Tolvane::TColorTAFShapes ColorTShapes READ ColorTShapes WRITE SetColorTShapes)
    Q_PROPERTY(QColor OneColorTShapes READ OneColorTShapesAsQColor WRITE SetOneColorTShapesAsQColor)
    Q_PROPERTY(QColor ColorTShapesPen READ ColorTShapesPenAsQColor WRITE SetColorTShapesPenAsQColor)
    Q_PROPERTY(int WidthTShapesPen READ WidthTShapesPen WRITE SetWidthTShapesPen)
    Q_PROPERTY(Tolvane::TShapeType ShapesTShape READ ShapesTShape WRITE SetShapesTShape)
    Q_PROPERTY(
        Tolvane::TBrushStyle ShapesTBrushStyle READ ShapesTBrushStyle WRITE SetShapesTBrushStyle)
    Q_PROPERTY(bool NextSColorT READ NextSColorT WRITE SetNextSColorT)
    Q_PROPERTY(int ARows READ ARows WRITE SetARows)
    Q_PROPERTY(int AColumns READ AColumns WRITE SetAColumns)
    Q_PROPERTY(int ALevels READ ALevels WRITE SetALevels)
    Q_PROPERTY(int ABalls READ ABalls WRITE SetABalls)
    Q_PROPERTY(int ADelay READ ADelay WRITE SetADelay)
    Q_PROPERTY(int ACoeff READ ACoeff WRITE SetACoeff)
    Q_PROPERTY(int ASteps READ ASteps WRITE SetASteps)
    Q_PROPERTY(int ABSpeed READ ABSpeed WRITE SetABSpeed)
    Q_PROPERTY(int ASSpeed READ ASSpeed WRITE SetASSpeed)
    Q_PROPERTY(int ATN READ ATN WRITE SetATN)
    Q_PROPERTY(int ATL READ ATL WRITE SetATL)
    Q_PROPERTY(int ATS READ ATS WRITE SetATS)
    Q_PROPERTY(int ABHW READ ABHW WRITE SetABHW)
    Q_PROPERTY(int AFriction READ AFriction WRITE SetAFriction)
    Q_PROPERTY(int ACreSquShape READ ACreSquShape WRITE SetACreSquShape)
    Q_PROPERTY(bool AStrongShapes READ AStrongShapes WRITE SetAStrongShapes)
    Q_PROPERTY(bool AIMMDelShapes READ AIMMDelShapes WRITE SetAIMMDelShapes)
    Q_PROPERTY(bool AEndStop READ AEndStop WRITE SetAEndStop)
    Q_PROPERTY(QColor ColorAB READ ColorABAsQColor WRITE SetColorABAsQColor)
    Q_PROPERTY(QColor ColorABl READ ColorABlAsQColor WRITE SetColorABlAsQColor)
    Q_PROPERTY(QColor ColorAT READ ColorATAsQColor WRITE SetColorATAsQColor)
    Q_PROPERTY(Tolvane::TColorTAFShapes ColorAShapes READ ColorAShapes WRITE SetColorAShapes)
    Q_PROPERTY(QColor OneColorAShapes READ OneColorAShapesAsQColor WRITE SetOneColorAShapesAsQColor)
    Q_PROPERTY(QColor ColorAShapesPen READ ColorAShapesPenAsQColor WRITE SetColorAShapesPenAsQColor)
    Q_PROPERTY(int WidthAShapesPen READ WidthAShapesPen WRITE SetWidthAShapesPen)
    Q_PROPERTY(Tolvane::TShapeType ShapesAShape READ ShapesAShape WRITE SetShapesAShape)
    Q_PROPERTY(
        Tolvane::TBrushStyle ShapesABrushStyle READ ShapesABrushStyle WRITE SetShapesABrushStyle)
    Q_PROPERTY(Tolvane::TFSquare FSquare READ FSquare WRITE SetFSquare)
    Q_PROPERTY(int FWidthHeight READ FWidthHeight WRITE SetFWidthHeight)
    Q_PROPERTY(Tolvane::TColorTAFShapes ColorFShapes READ ColorFShapes WRITE SetColorFShapes)
    Q_PROPERTY(QColor ColorFB READ ColorFBAsQColor WRITE SetColorFBAsQColor)

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
    std::int32_t ScrambleMoves() const { return FCounters.ScrambleMoves; }
    std::int32_t TetrisScore() const { return FCounters.TetrisScore; }
    std::uint16_t TetrisNext() const { return FCounters.TetrisNext; }
    std::int32_t ArcanoidScore() const { return FCounters.ArcanoidScore; }
    std::int32_t ArcanoidLevel() const { return FCounters.ArcanoidLevel; }
    std::int32_t FiguresMoves() const { return FCounters.FiguresMoves; }

    // General settings.
    bool ShowScoresTime() const { return FSettings.General.ShowScoresTime; }
    void SetShowScoresTime(bool value) { Assign(FSettings.General.ShowScoresTime, value); }
    bool ShowAllDlgs() const { return FSettings.General.ShowAllDlgs; }
    void SetShowAllDlgs(bool value) { Assign(FSettings.General.ShowAllDlgs, value); }
    bool WithCaption() const { return FSettings.General.WithCaption; }
    void SetWithCaption(bool value) { Assign(FSettings.General.WithCaption, value); }
    bool DefKeys() const { return FSettings.General.DefKeys; }
    void SetDefKeys(bool value) { Assign(FSettings.General.DefKeys, value); }
    bool TimerFocus() const { return FSettings.General.TimerFocus; }
    void SetTimerFocus(bool value) { Assign(FSettings.General.TimerFocus, value); }
    bool PicStretch() const { return FSettings.General.PicStretch; }
    void SetPicStretch(bool value) { Assign(FSettings.General.PicStretch, value); }
    const QString& BStPicture() const { return FSettings.General.BStPicture; }
    void SetBStPicture(const QString& value) { Assign(FSettings.General.BStPicture, value); }
    const QString& AOverPicture() const { return FSettings.General.AOverPicture; }
    void SetAOverPicture(const QString& value) { Assign(FSettings.General.AOverPicture, value); }
    const QString& About() const { return FSettings.General.About; }
    void SetAbout(const QString& value) { Assign(FSettings.General.About, value); }

    // Scramble settings.
    std::uint16_t SRowsColumns() const { return FSettings.Scramble.SRowsColumns; }
    void SetSRowsColumns(std::uint16_t value) { Assign(FSettings.Scramble.SRowsColumns, value); }
    TColor ColorSB() const { return FSettings.Scramble.ColorSB; }
    void SetColorSB(TColor value) { Assign(FSettings.Scramble.ColorSB, value); }

    // Tetris settings.
    std::uint16_t TRows() const { return FSettings.Tetris.TRows; }
    void SetTRows(std::uint16_t value) { Assign(FSettings.Tetris.TRows, value); }
    std::uint16_t TColumns() const { return FSettings.Tetris.TColumns; }
    void SetTColumns(std::uint16_t value) { Assign(FSettings.Tetris.TColumns, value); }
    std::int32_t TDelay() const { return FSettings.Tetris.TDelay; }
    void SetTDelay(std::int32_t value) { Assign(FSettings.Tetris.TDelay, value); }
    std::int32_t TCoeff() const { return FSettings.Tetris.TCoeff; }
    void SetTCoeff(std::int32_t value) { Assign(FSettings.Tetris.TCoeff, value); }
    TColor ColorTB() const { return FSettings.Tetris.ColorTB; }
    void SetColorTB(TColor value) { Assign(FSettings.Tetris.ColorTB, value); }
    TColor ColorTF() const { return FSettings.Tetris.ColorTF; }
    void SetColorTF(TColor value) { Assign(FSettings.Tetris.ColorTF, value); }
    TColorTAFShapes ColorTShapes() const { return FSettings.Tetris.ColorTShapes; }
    void SetColorTShapes(TColorTAFShapes value) { Assign(FSettings.Tetris.ColorTShapes, value); }
    TColor OneColorTShapes() const { return FSettings.Tetris.OneColorTShapes; }
    void SetOneColorTShapes(TColor value) { Assign(FSettings.Tetris.OneColorTShapes, value); }
    TColor ColorTShapesPen() const { return FSettings.Tetris.ColorTShapesPen; }
    void SetColorTShapesPen(TColor value) { Assign(FSettings.Tetris.ColorTShapesPen, value); }
    std::int32_t WidthTShapesPen() const { return FSettings.Tetris.WidthTShapesPen; }
    void SetWidthTShapesPen(std::int32_t value) { Assign(FSettings.Tetris.WidthTShapesPen, value); }
    TShapeType ShapesTShape() const { return FSettings.Tetris.ShapesTShape; }
    void SetShapesTShape(TShapeType value) { Assign(FSettings.Tetris.ShapesTShape, value); }
    TBrushStyle ShapesTBrushStyle() const { return FSettings.Tetris.ShapesTBrushStyle; }
    void SetShapesTBrushStyle(TBrushStyle value) {
        Assign(FSettings.Tetris.ShapesTBrushStyle, value);
    }
    bool NextSColorT() const { return FSettings.Tetris.NextSColorT; }
    void SetNextSColorT(bool value) { Assign(FSettings.Tetris.NextSColorT, value); }

    // Arcanoid settings.
    std::uint16_t ARows() const { return FSettings.Arcanoid.ARows; }
    void SetARows(std::uint16_t value) { Assign(FSettings.Arcanoid.ARows, value); }
    std::uint16_t AColumns() const { return FSettings.Arcanoid.AColumns; }
    void SetAColumns(std::uint16_t value) { Assign(FSettings.Arcanoid.AColumns, value); }
    std::int32_t ALevels() const { return FSettings.Arcanoid.ALevels; }
    void SetALevels(std::int32_t value) { Assign(FSettings.Arcanoid.ALevels, value); }
    std::int32_t ABalls() const { return FSettings.Arcanoid.ABalls; }
    void SetABalls(std::int32_t value) { Assign(FSettings.Arcanoid.ABalls, value); }
    std::int32_t ADelay() const { return FSettings.Arcanoid.ADelay; }
    void SetADelay(std::int32_t value) { Assign(FSettings.Arcanoid.ADelay, value); }
    std::int32_t ACoeff() const { return FSettings.Arcanoid.ACoeff; }
    void SetACoeff(std::int32_t value) { Assign(FSettings.Arcanoid.ACoeff, value); }
    std::int32_t ASteps() const { return FSettings.Arcanoid.ASteps; }
    void SetASteps(std::int32_t value) { Assign(FSettings.Arcanoid.ASteps, value); }
    std::int32_t ABSpeed() const { return FSettings.Arcanoid.ABSpeed; }
    void SetABSpeed(std::int32_t value) { Assign(FSettings.Arcanoid.ABSpeed, value); }
    std::int32_t ASSpeed() const { return FSettings.Arcanoid.ASSpeed; }
    void SetASSpeed(std::int32_t value) { Assign(FSettings.Arcanoid.ASSpeed, value); }
    std::int32_t ATN() const { return FSettings.Arcanoid.ATN; }
    void SetATN(std::int32_t value) { Assign(FSettings.Arcanoid.ATN, value); }
    std::int32_t ATL() const { return FSettings.Arcanoid.ATL; }
    void SetATL(std::int32_t value) { Assign(FSettings.Arcanoid.ATL, value); }
    std::int32_t ATS() const { return FSettings.Arcanoid.ATS; }
    void SetATS(std::int32_t value) { Assign(FSettings.Arcanoid.ATS, value); }
    std::int32_t ABHW() const { return FSettings.Arcanoid.ABHW; }
    void SetABHW(std::int32_t value) { Assign(FSettings.Arcanoid.ABHW, value); }
    std::uint16_t AFriction() const { return FSettings.Arcanoid.AFriction; }
    void SetAFriction(std::uint16_t value) { Assign(FSettings.Arcanoid.AFriction, value); }
    std::int32_t ACreSquShape() const { return FSettings.Arcanoid.ACreSquShape; }
    void SetACreSquShape(std::int32_t value) { Assign(FSettings.Arcanoid.ACreSquShape, value); }
    bool AStrongShapes() const { return FSettings.Arcanoid.AStrongShapes; }
    void SetAStrongShapes(bool value) { Assign(FSettings.Arcanoid.AStrongShapes, value); }
    bool AIMMDelShapes() const { return FSettings.Arcanoid.AIMMDelShapes; }
    void SetAIMMDelShapes(bool value) { Assign(FSettings.Arcanoid.AIMMDelShapes, value); }
    bool AEndStop() const { return FSettings.Arcanoid.AEndStop; }
    void SetAEndStop(bool value) { Assign(FSettings.Arcanoid.AEndStop, value); }
    TColor ColorAB() const { return FSettings.Arcanoid.ColorAB; }
    void SetColorAB(TColor value) { Assign(FSettings.Arcanoid.ColorAB, value); }
    TColor ColorABl() const { return FSettings.Arcanoid.ColorABl; }
    void SetColorABl(TColor value) { Assign(FSettings.Arcanoid.ColorABl, value); }
    TColor ColorAT() const { return FSettings.Arcanoid.ColorAT; }
    void SetColorAT(TColor value) { Assign(FSettings.Arcanoid.ColorAT, value); }
    TColorTAFShapes ColorAShapes() const { return FSettings.Arcanoid.ColorAShapes; }
    void SetColorAShapes(TColorTAFShapes value) { Assign(FSettings.Arcanoid.ColorAShapes, value); }
    TColor OneColorAShapes() const { return FSettings.Arcanoid.OneColorAShapes; }
    void SetOneColorAShapes(TColor value) { Assign(FSettings.Arcanoid.OneColorAShapes, value); }
    TColor ColorAShapesPen() const { return FSettings.Arcanoid.ColorAShapesPen; }
    void SetColorAShapesPen(TColor value) { Assign(FSettings.Arcanoid.ColorAShapesPen, value); }
    std::int32_t WidthAShapesPen() const { return FSettings.Arcanoid.WidthAShapesPen; }
    void SetWidthAShapesPen(std::int32_t value) {
        Assign(FSettings.Arcanoid.WidthAShapesPen, value);
    }
    TShapeType ShapesAShape() const { return FSettings.Arcanoid.ShapesAShape; }
    void SetShapesAShape(TShapeType value) { Assign(FSettings.Arcanoid.ShapesAShape, value); }
    TBrushStyle ShapesABrushStyle() const { return FSettings.Arcanoid.ShapesABrushStyle; }
    void SetShapesABrushStyle(TBrushStyle value) {
        Assign(FSettings.Arcanoid.ShapesABrushStyle, value);
    }

    // Figures settings.
    TFSquare FSquare() const { return FSettings.Figures.FSquare; }
    void SetFSquare(TFSquare value) { Assign(FSettings.Figures.FSquare, value); }
    std::uint16_t FWidthHeight() const { return FSettings.Figures.FWidthHeight; }
    void SetFWidthHeight(std::uint16_t value) { Assign(FSettings.Figures.FWidthHeight, value); }
    TColorTAFShapes ColorFShapes() const { return FSettings.Figures.ColorFShapes; }
    void SetColorFShapes(TColorTAFShapes value) { Assign(FSettings.Figures.ColorFShapes, value); }
    TColor ColorFB() const { return FSettings.Figures.ColorFB; }
    void SetColorFB(TColor value) { Assign(FSettings.Figures.ColorFB, value); }
    // Every setting's value, by game.
    const TPanSettings& Settings() const { return FSettings; }

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

    // In design mode (a form designer shows the panel) the mode and Start
    // are only stored and Paused does nothing: no board is ever built.
    bool DesignMode() const { return FDesignMode; }
    void SetDesignMode(bool value) { FDesignMode = value; }

    // The direction command an arrow key (VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN)
    // stands for in the game on the board, by the board's own key table.
    std::optional<std::uint8_t> ArrowCommand(std::uint16_t key) const;

    // Gives the keyboard focus back to a running board.
    void FocusBoard();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QColor ColorSBAsQColor() const { return ToPropertyColor(ColorSB()); }
    void SetColorSBAsQColor(const QColor& value) { SetColorSB(FromPropertyColor(value)); }
    QColor ColorTBAsQColor() const { return ToPropertyColor(ColorTB()); }
    void SetColorTBAsQColor(const QColor& value) { SetColorTB(FromPropertyColor(value)); }
    QColor ColorTFAsQColor() const { return ToPropertyColor(ColorTF()); }
    void SetColorTFAsQColor(const QColor& value) { SetColorTF(FromPropertyColor(value)); }
    QColor OneColorTShapesAsQColor() const { return ToPropertyColor(OneColorTShapes()); }
    void SetOneColorTShapesAsQColor(const QColor& value) {
        SetOneColorTShapes(FromPropertyColor(value));
    }
    QColor ColorTShapesPenAsQColor() const { return ToPropertyColor(ColorTShapesPen()); }
    void SetColorTShapesPenAsQColor(const QColor& value) {
        SetColorTShapesPen(FromPropertyColor(value));
    }
    QColor ColorABAsQColor() const { return ToPropertyColor(ColorAB()); }
    void SetColorABAsQColor(const QColor& value) { SetColorAB(FromPropertyColor(value)); }
    QColor ColorABlAsQColor() const { return ToPropertyColor(ColorABl()); }
    void SetColorABlAsQColor(const QColor& value) { SetColorABl(FromPropertyColor(value)); }
    QColor ColorATAsQColor() const { return ToPropertyColor(ColorAT()); }
    void SetColorATAsQColor(const QColor& value) { SetColorAT(FromPropertyColor(value)); }
    QColor OneColorAShapesAsQColor() const { return ToPropertyColor(OneColorAShapes()); }
    void SetOneColorAShapesAsQColor(const QColor& value) {
        SetOneColorAShapes(FromPropertyColor(value));
    }
    QColor ColorAShapesPenAsQColor() const { return ToPropertyColor(ColorAShapesPen()); }
    void SetColorAShapesPenAsQColor(const QColor& value) {
        SetColorAShapesPen(FromPropertyColor(value));
    }
    QColor ColorFBAsQColor() const { return ToPropertyColor(ColorFB()); }
    void SetColorFBAsQColor(const QColor& value) { SetColorFB(FromPropertyColor(value)); }

    // The setter shape every setting shares: check, store or skip, push to
    // the live board of its game, notice, and the focus back to the board.
    // The row of the field says how.
    template <typename T> void Assign(T& field, const T& value) {
        const TSettingRow& row = RowOf(&field);
        if (Accepts(row, NumberOf(value)) && (value != field || AppliesUnchanged(row))) {
            field = value;
            Stored(row);
        }
        FocusBoard();
    }
    template <typename T> static long long NumberOf(const T& value) {
        if constexpr (std::is_integral_v<T> || std::is_enum_v<T>)
            return static_cast<long long>(value);
        else
            return 0;
    }
    const TSettingRow& RowOf(const void* field) const;
    // False, after the refusal is shown, when the check refuses the value.
    bool Accepts(const TSettingRow& row, long long number) const;
    static bool AppliesUnchanged(const TSettingRow& row);
    // Pushes a stored value to the live board of its game, with its notice.
    void Stored(const TSettingRow& row);

    // What the wirings may change of the panel.
    TGamePan& Panel() override { return *this; }
    TGameCounters& Counters() override { return FCounters; }
    void ShowStatus(const QString& text) override;

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
    TGameCounters FCounters;
    TState FState = TState::StPanel;
    bool FStart = false;
    bool FPaused = false;
    std::uint8_t FDirection = 0;
    bool FDesignMode = false;

    TPanSettings FSettings;
};

// "Scramble", "Tetris", "Arcanoid" or "Figures"; empty for StPanel.
QString GameName(TState state);

// The panel's caption as it was when a game was entered from StPanel.
extern QString SavedCaption;

} // namespace Tolvane
