// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/toolkit/board/gameboard.h"
#include "gamepan/toolkit/widgets/colors.h"
#include "gamepan/toolkit/widgets/notify.h"
#include "gamepan/toolkit/widgets/shapecache.h"
#include "gamepan/toolkit/widgets/shapes.h"
#include "games/arcanoid/field.h"

#include <cstdint>

namespace Tolvane {

class TTimer;

// The Arcanoid board. The field (its rules) holds bricks, paddle, ball,
// bonus square and barrier line as records; the board draws them, runs the
// step timer (ADelay ms) and the one-second timer, and turns the field's
// notifications into its events. A step repaints only the boxes it touched.
class TRcnd : public TGameBoard, private Arcanoid::TFieldHost {
    Q_OBJECT
public:
    explicit TRcnd(QWidget* parent = nullptr);
    ~TRcnd() override;

    // A brick destroyed; a ball lost; an extra ball won; a level cleared with
    // another to follow (Level() has advanced; the next level is laid out
    // after the handler returns, so rows and columns written in it apply).
    TNotifyEvent OnDelete, OnContact, OnExtraBall, OnEndLevel;

    void SetActive(bool value) override;
    void SetPaused(bool value) override;
    // VK_NUMPAD4 and drLeft move the paddle left, 6 right, 2 and drStop
    // stop it; 8 and drUp send the ball up.
    std::span<const TKeyBinding> Keys() const override;

    void MoveLeft() { FField.MoveLeft(); }
    void MoveRight() { FField.MoveRight(); }
    void StopPaddle() { FField.StopPaddle(); }
    void BallUp() { FField.BallUp(); }

    // The timers' handlers. Neither does anything while a message box is up
    // (its event loop runs the timers behind it) or while the other runs.
    void Tick();
    void SecondTick();

    void SetColorAShapes(TColorTAFShapes mode) { FField.SetColorAShapes(mode); }
    void SetOneColorAShapes(TColor color) { FField.SetOneColorAShapes(color); }
    void SetColorAShapesPen(TColor color) { FField.SetColorAShapesPen(color); }
    void SetShapesAShape(TShapeType shape) { FField.SetShapesAShape(shape); }
    void SetShapesABrushStyle(TBrushStyle style) { FField.SetShapesABrushStyle(style); }
    void SetWidthAShapesPen(std::int32_t width) { FField.SetWidthAShapesPen(width); }
    void SetColorABl(TColor color) { FField.SetColorABl(color); }
    void SetColorAT(TColor color) { FField.SetColorAT(color); }
    // The step timer's interval in ms, at once on a running timer.
    void SetADelay(std::int32_t ms);
    void SetACreSquShape(std::int32_t value) { FField.SetACreSquShape(value); }
    void SetABalls(std::int32_t balls) { FField.SetBalls(balls); }
    void SetASteps(std::int32_t steps) { FField.SetASteps(steps); }
    void SetABSpeed(std::int32_t percent) { FField.SetABSpeed(percent); }
    void SetASSpeed(std::int32_t percent) { FField.SetASSpeed(percent); }
    void SetATN(std::int32_t percent) { FField.SetATN(percent); }
    void SetATL(std::int32_t percent) { FField.SetATL(percent); }
    void SetATS(std::int32_t percent) { FField.SetATS(percent); }
    void SetABHW(std::int32_t percent) { FField.SetABHW(percent); }
    void SetAFriction(std::uint16_t percent) { FField.SetAFriction(percent); }
    void SetAStrongShapes(bool value) { FField.SetAStrongShapes(value); }
    void SetAIMMDelShapes(bool value) { FField.SetAIMMDelShapes(value); }
    void SetAEndStop(bool value) { FField.SetAEndStop(value); }

    // Written by the owner: rows 14..48, columns 6..24 and levels 1..10,
    // kept to these limits. Rows and columns apply from the next level laid out.
    std::uint16_t Rows() const { return static_cast<std::uint16_t>(FField.Rows()); }
    void SetRows(std::uint16_t rows) { FField.SetRows(rows); }
    std::uint16_t Columns() const { return static_cast<std::uint16_t>(FField.Columns()); }
    void SetColumns(std::uint16_t columns) { FField.SetColumns(columns); }
    std::int32_t Levels() const { return FField.Levels(); }
    void SetLevels(std::int32_t levels) { FField.SetLevels(levels); }
    // 1-based; Levels() + 1 after the last level was cleared.
    std::int32_t Level() const { return FField.Level(); }
    std::int32_t Balls() const { return FField.Balls(); }
    std::int32_t BallsLeft() const { return FField.BallsLeft(); }

    std::int32_t ADelay() const { return FADelay; }
    // The step and one-second timers: null between games.
    const TTimer* StepTimer() const { return FTimer; }
    const TTimer* ClockTimer() const { return FSecondTimer; }

    const Arcanoid::TField& Field() const { return FField; }
    Arcanoid::TField& Field() { return FField; }

protected:
    // Advances the barrier line's clock, then fires OnTime.
    virtual void DoDelete();
    virtual void DoContact();
    virtual void DoExtraBall();
    // Fires OnEndLevel.
    virtual void DoEndLevel();
    // The game has ended: stops and discards both timers (later, since this
    // runs inside one of their ticks), then fires OnOver.
    virtual void DoOver();

    void CutOffEvents() override;
    void Paint(QPainter& painter, const QRect& dirty) override;
    void resizeEvent(QResizeEvent* event) override;
    // Invalidates one box the field changed: a step invalidates only these.
    void Repaint(const QRect& box) override;

private:
    QSize ClientSize() const override { return size(); }
    TColor BoardColor() const override { return Color(); }
    void BrickDestroyed() override { DoDelete(); }
    void BallLost() override { DoContact(); }
    void ExtraBall() override { DoExtraBall(); }
    void LevelCleared() override { DoEndLevel(); }
    void GameOver() override { DoOver(); }
    void LevelLaidOut() override;
    void SecondPassed() override { DoTime(); }

    void DiscardTimers();
    void PaintPiece(QPainter& painter, const QRect& dirty, const Arcanoid::TPiece* piece);

    Arcanoid::TField FField{*this};
    TTimer* FTimer = nullptr;       // child of the board; handler Tick
    TTimer* FSecondTimer = nullptr; // child of the board; handler SecondTick
    TShapeCache FShapes;
    std::int32_t FADelay = 40;
    bool FTicking = false; // a step or a one-second tick is running
};

} // namespace Tolvane
