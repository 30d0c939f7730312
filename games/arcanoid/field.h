// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/toolkit/widgets/colors.h"
#include "gamepan/toolkit/widgets/shapes.h"
#include "games/arcanoid/settings.h"
#include "games/arcanoid/tables.h"

#include <QRect>
#include <QSize>
#include <QVarLengthArray>
#include <array>
#include <cstdint>
#include <optional>

// The Arcanoid field without a widget: its state and the flow of a game
// (field.cpp), the step with its collisions and bonus squares (step.cpp),
// on the tables and pure functions of tables.h. Everything works on plain
// rectangles and doubles; the board that owns the field draws it and runs
// its clocks.
namespace Tolvane::Arcanoid {

// A step longer than a cell or the ball in either direction is split into
// sub-steps no longer than both, but never into more than this many.
constexpr int kMaxSubSteps = 1000;
// A paddle bounce leaves the ball between these shares of its speed sideways.
constexpr double kMinSideShare = 0.05;
constexpr double kMaxSideShare = 0.95;
// The barrier line: 2 pixels high, shown for 10 + Random(30) seconds.
constexpr int kLineHeightPx = 2;
constexpr int kLineMinSeconds = 10;
constexpr int kLineExtraSeconds = 30;

// A drawn piece: paddle, ball, bonus square or barrier line.
struct TPiece {
    QRect Bounds;
    TShapeLook Look;
    bool Visible = true;
};

struct TBrick {
    TShapeLook Look;
    // Destroyed but not yet removed: drawn hatched, ignored by every
    // collision, removed by the next one-second tick. Recolouring leaves it alone.
    bool Ghost = false;
};

// The motion and bonus state. Velocities are in fractions of the client
// width (x) or height (y) per step; positive x to the right, y downwards.
struct TMotion {
    float StepUnit = 0; // 1 / ASteps
    float BallSpeed = 0;
    float PaddleV = 0;
    float BallVX = 0;
    float BallVY = 0;
    float SquareVX = 0;
    float SquareVY = 0;
    float SavedVX = 0; // the ball's velocity while the catch holds it
    float SavedVY = 0;
    std::int32_t HalfW = 0; // half the ball's size in pixels
    std::int32_t HalfH = 0;
    bool Launched = false;
    bool BallFree = true; // false only while the catch holds the ball
    bool CatchOn = false;
    bool GunOn = false;
    bool GunFired = true; // true while the gun square is not loaded on the paddle
    bool LongOn = false;
    bool ShortOn = false;
    bool LineIsFloor = false; // the ball was above the barrier line when it appeared
    std::int32_t LineSeconds = 0;
    std::int32_t LineDuration = 0;
    std::int32_t SquareRange = 16; // the bonus draw range
};

// What happened in the field, for its owner. The rules only record these;
// they reach the owner afterwards, in the order they happened, once the
// rules have finished their part (TField::Deliver).
enum class TEvent : std::uint8_t {
    BrickDestroyed,
    BallLost,
    ExtraBall,
    LevelCleared,
    GameOver,
    LevelLaidOut,
    SecondPassed,
};

// What the field needs from the board that owns it. The notifications run
// owner code, which may change settings, pause, or even start a new game;
// none of them runs inside a collision, and once the owner has changed the
// game nothing more of the old one reaches it.
class TFieldHost {
public:
    virtual QSize ClientSize() const = 0;
    virtual TColor BoardColor() const = 0;
    // The drawing inside this box changed.
    virtual void Repaint(const QRect& box) = 0;
    // A brick was destroyed, after the bonus draw.
    virtual void BrickDestroyed() = 0;
    // A ball was lost; before GameOver when it was the last.
    virtual void BallLost() = 0;
    virtual void ExtraBall() = 0;
    // A level was cleared and another follows: Level() has advanced, the
    // next level is laid out after this returns.
    virtual void LevelCleared() = 0;
    // The game has ended; every piece is already gone.
    virtual void GameOver() = 0;
    // A level is laid out and ready to play.
    virtual void LevelLaidOut() = 0;
    // A second of play has passed; the field looks for bricks after this.
    virtual void SecondPassed() = 0;

protected:
    ~TFieldHost() = default;
};

class TFieldProbe; // the tests' access to the motion state

class TField {
public:
    explicit TField(TFieldHost& host) : FHost(host) {}

    const TSettings& Settings() const { return FSettings; }
    void SetColorAShapes(TColorTAFShapes mode);
    void SetOneColorAShapes(TColor color);
    void SetColorAShapesPen(TColor color);
    void SetShapesAShape(TShapeType shape);
    void SetShapesABrushStyle(TBrushStyle style);
    void SetWidthAShapesPen(std::int32_t width);
    void SetColorABl(TColor color);
    void SetColorAT(TColor color);
    void SetACreSquShape(std::int32_t value);
    void SetABSpeed(std::int32_t value) { FSettings.ABSpeed = value; }
    void SetASSpeed(std::int32_t value) { FSettings.ASSpeed = value; }
    void SetATN(std::int32_t value) { FSettings.ATN = value; }
    void SetATL(std::int32_t value) { FSettings.ATL = value; }
    void SetATS(std::int32_t value) { FSettings.ATS = value; }
    void SetABHW(std::int32_t value) { FSettings.ABHW = value; }
    void SetASteps(std::int32_t value) { FSettings.ASteps = value; }
    void SetAFriction(std::uint16_t value) { FSettings.AFriction = value; }
    void SetAStrongShapes(bool value) { FSettings.AStrongShapes = value; }
    void SetAIMMDelShapes(bool value) { FSettings.AIMMDelShapes = value; }
    void SetAEndStop(bool value) { FSettings.AEndStop = value; }

    // Grid size for the next level laid out, kept to the limits.
    int Rows() const { return FRows; }
    void SetRows(int rows);
    int Columns() const { return FColumns; }
    void SetColumns(int columns);
    int Levels() const { return FLevels; }
    void SetLevels(int levels);
    int Balls() const { return FBalls; }
    void SetBalls(std::int32_t balls) { FBalls = balls; }
    int Level() const { return FLevel; }
    int BallsLeft() const { return FBallsLeft; }

    // The grid of the level in play.
    int GridRows() const { return FGridRows; }
    int GridColumns() const { return FGridColumns; }
    const TGeometry& Geometry() const { return FGeometry; }
    QRect CellRect(int row, int column) const;
    // Row 1..GridRows, column 1..GridColumns; nullptr for an empty cell or outside.
    const TBrick* Brick(int row, int column) const;
    // A live brick in the current look, unless the cell is taken; ignored outside.
    void PlaceBrick(int row, int column);
    void RemoveBrick(int row, int column);
    int LiveBricks() const;

    const TPiece* Paddle() const { return Get(FPaddle); }
    const TPiece* Ball() const { return Get(FBall); }
    const TPiece* Square() const { return Get(FSquare); }
    const TPiece* Line() const { return Get(FLine); }
    // A game's pieces exist: from its first layout to its end.
    bool InPlay() const { return FPaddle && FBall && FSquare && FLine; }

    double PaddleX() const { return FPaddleX; }
    double BallX() const { return FBallX; }
    double BallY() const { return FBallY; }
    double SquareY() const { return FSquareY; }
    // Fractions of the client width and height; pixel boxes follow at the next step.
    void SetBallPosition(double x, double y);
    void SetPaddleX(double x) { FPaddleX = x; }
    void SetSquarePosition(double x, double y);
    // Starts a falling square of a bonus kind at the given fractions.
    void StartSquare(TBonus kind, double x, double y);

    // A new game: all balls, level 1, laid out.
    void StartGame();
    // The step of the step timer, in sub-steps when it is longer than a cell
    // or the ball.
    void Step();
    // Sub-steps needed for this share of a step at the current velocities.
    int SubSteps(double share = 1) const;
    void MoveLeft();
    void MoveRight();
    void StopPaddle();
    void BallUp();
    void LoseBall();
    // The one-second housekeeping: with `clock`, the barrier line's clock
    // and SecondPassed first; then every ghost is freed, and a grid that had
    // no brick at all, ghosts counted, ends the level.
    void SecondTick(bool clock);
    // Frees every ghost and returns how many bricks there were, ghosts counted.
    int Sweep();
    // A cleared level: the next one, or the end of the game after the last.
    void EndLevel();
    void AdvanceLineClock();
    // Lays the pieces out anew for the current client size. A step does it
    // too when the size has changed since, so the field never plays on a
    // stale geometry (a hidden board gets no resize events).
    void Relayout();

private:
    friend class TFieldProbe;

    void InitLevel();
    // The level's bricks in empty cells, and the pieces that do not exist yet.
    void BuildLevel();
    void ColorShape(int row, int column);
    // Frees every brick and piece.
    void Clear();

    enum class THit : std::uint8_t { Vertical, Side, Gun };
    // A new level puts the paddle anywhere in the middle half of the board;
    // a new ball leaves it where it is, unless it was hidden; a resize keeps
    // every position. The ball of a new level or a new ball rests on the paddle.
    enum class TLayout : std::uint8_t { Level, Ball, Resize };
    using TCell = std::optional<TBrick>;

    static const TPiece* Get(const std::optional<TPiece>& piece) {
        return piece ? &*piece : nullptr;
    }
    TCell& At(int row, int column) { return FCells[row - 1][column - 1]; }
    const TCell& At(int row, int column) const { return FCells[row - 1][column - 1]; }
    bool InGrid(int row, int column) const;
    QSize Client() const;

    TShapeLook BrickLook() const;
    TColor BrickColor(int row) const;
    void RecolourLiveBricks();
    template <typename F> void ForEachBrick(F&& f);
    void RepaintGrid();

    void SetBounds(TPiece& piece, const QRect& bounds);
    void SetVisible(TPiece& piece, bool visible);
    void SetLook(TPiece& piece, const TShapeLook& look);
    void MoveTo(TPiece& piece, int left, int top);
    void SetPaddleWidth(int width);
    void HideSquare();
    TColor PenFor(const TPiece& piece) const;
    int BallSide() const;

    void LayOutBallAndPaddle(TLayout layout);
    // Pens of the ball, square and paddle by the cell height.
    void PenPieces();
    QRect LineBounds(QSize client) const;

    bool Held() const { return FMotion.CatchOn && !FMotion.BallFree; }
    bool GunLoaded() const { return FMotion.GunOn && !FMotion.GunFired; }
    void FollowPaddle();
    void PaddleAgainstWalls(int width);

    // The ball's box and where it was one step back, with the velocity the
    // brick test judges crossings by: as it stood after the wall test, so
    // that a second hit in the same step reverses the component again.
    struct TSweep {
        float VX, VY;
        int Left, Top, Right, Bottom, Width;
        int CentreX, CentreY;
        int PrevLeft, PrevRight, PrevTop, PrevBottom;
    };
    // False when the ball was lost, which ends the step.
    bool SubStep(float share);
    void MoveSquare(QSize client, float share);
    void BallAgainstBricks(const TSweep& sweep);
    void BallAgainstPaddle(const TSweep& sweep);
    void GunAgainstBricks(QSize client, float share);
    void SquareAgainstPaddle(QSize client, float share);
    void CatchSquare();
    template <typename TJudge> void HitAround(int x, int y, TJudge judge);
    void ToggleSize(bool& on, bool& other, std::int32_t percent, TRounding normal);
    void HitBrick(int row, int column, THit hit);
    void Destroyed();
    void DropBall();
    void Over();

    void Put(TEvent event) { FEvents.push_back(event); }
    bool Deliver();
    void Notify(TEvent event);

    TFieldHost& FHost;
    TSettings FSettings;
    TMotion FMotion;
    int FRows = 30;
    int FColumns = 11;
    int FGridRows = 30;
    int FGridColumns = 11;
    int FLevels = kMaxLevels;
    std::int32_t FLevel = 1;
    std::int32_t FBalls = 3;
    std::int32_t FBallsLeft = 0;
    TGeometry FGeometry;
    QSize FLaidOut; // the client size the geometry was computed for
    // Changes each time a level is laid out, a ball is replaced or the
    // game ends.
    std::uint32_t FEpoch = 0;
    // Recorded by the rules, not yet delivered.
    QVarLengthArray<TEvent, 8> FEvents;
    double FPaddleX = 0;
    double FBallX = 0;
    double FBallY = 0;
    double FSquareX = 0;
    double FSquareY = 0;
    std::optional<TPiece> FPaddle;
    std::optional<TPiece> FBall;
    std::optional<TPiece> FSquare;
    std::optional<TPiece> FLine;
    // Only the cells of the grid in play are ever filled.
    std::array<std::array<TCell, kMaxColumns>, kMaxRows> FCells{};
};

} // namespace Tolvane::Arcanoid
