// SPDX-License-Identifier: GPL-3.0-or-later
// The field's state and the flow of a game: settings, the grid, the pieces,
// levels, lost balls, the end of a game, and the delivery of its events.
#include "field.h"

#include "gamepan/toolkit/platform/random.h"

#include <QLoggingCategory>
#include <algorithm>

namespace Tolvane::Arcanoid {

// Silent unless QT_LOGGING_RULES turns "tolvane.arcanoid.debug" on.
Q_LOGGING_CATEGORY(lcArcanoid, "tolvane.arcanoid", QtWarningMsg)

namespace {

// A new shape's look has the toolkit's defaults in every other respect.
TShapeLook NewShape(TShapeType shape) {
    TShapeLook look;
    look.Shape = shape;
    return look;
}

} // namespace

// Settings

void TField::SetColorAShapes(TColorTAFShapes mode) {
    if (mode == FSettings.ColorAShapes) return;
    FSettings.ColorAShapes = mode;
    RecolourLiveBricks();
}

void TField::SetOneColorAShapes(TColor color) {
    if (color == FSettings.OneColorAShapes) return;
    FSettings.OneColorAShapes = color;
    if (FSettings.ColorAShapes == colorOne) RecolourLiveBricks();
}

void TField::SetColorAShapesPen(TColor color) {
    FSettings.ColorAShapesPen = color;
    ForEachBrick([&](int, int, TBrick& brick) { brick.Look.PenColor = color; });
}

void TField::SetShapesAShape(TShapeType shape) {
    FSettings.ShapesAShape = shape;
    ForEachBrick([&](int, int, TBrick& brick) { brick.Look.Shape = shape; });
}

void TField::SetShapesABrushStyle(TBrushStyle style) {
    FSettings.ShapesABrushStyle = style;
    ForEachBrick([&](int, int, TBrick& brick) { brick.Look.BrushStyle = style; });
}

void TField::SetWidthAShapesPen(std::int32_t width) {
    if (width == FSettings.WidthAShapesPen) return;
    FSettings.WidthAShapesPen = width;
    ForEachBrick([&](int, int, TBrick& brick) { brick.Look.PenWidth = width; });
}

void TField::SetColorABl(TColor color) {
    if (color == FSettings.ColorABl) return;
    FSettings.ColorABl = color;
    if (FBall) {
        TShapeLook look = FBall->Look;
        look.BrushColor = color;
        SetLook(*FBall, look);
    }
}

void TField::SetColorAT(TColor color) {
    if (color == FSettings.ColorAT) return;
    FSettings.ColorAT = color;
    if (FPaddle) {
        TShapeLook look = FPaddle->Look;
        look.BrushColor = color;
        SetLook(*FPaddle, look);
    }
}

void TField::SetACreSquShape(std::int32_t value) {
    FSettings.ACreSquShape = value;
    FMotion.SquareRange = DrawRange(value);
}

void TField::SetRows(int rows) {
    FRows = std::clamp(rows, kMinRows, kMaxRows);
}

void TField::SetColumns(int columns) {
    FColumns = std::clamp(columns, kMinColumns, kMaxColumns);
}

void TField::SetLevels(int levels) {
    FLevels = std::clamp(levels, kMinLevels, kMaxLevels);
}

// Grid

bool TField::InGrid(int row, int column) const {
    return row >= 1 && row <= FGridRows && column >= 1 && column <= FGridColumns;
}

QSize TField::Client() const {
    const QSize size = FHost.ClientSize();
    return {std::clamp(size.width(), 1, kPixelLimit), std::clamp(size.height(), 1, kPixelLimit)};
}

QRect TField::CellRect(int row, int column) const {
    return {FGeometry.Margin + (column - 1) * FGeometry.CellWidth, (row - 1) * FGeometry.CellHeight,
            FGeometry.CellWidth, FGeometry.CellHeight};
}

const TBrick* TField::Brick(int row, int column) const {
    if (!InGrid(row, column)) return nullptr;
    const TCell& cell = At(row, column);
    return cell ? &*cell : nullptr;
}

TShapeLook TField::BrickLook() const {
    return {FSettings.ShapesAShape, FSettings.ColorAShapesPen, FSettings.WidthAShapesPen, clWhite,
            FSettings.ShapesABrushStyle};
}

void TField::PlaceBrick(int row, int column) {
    if (!InGrid(row, column) || At(row, column)) return;
    At(row, column) = TBrick{BrickLook(), false};
    ColorShape(row, column);
}

void TField::RemoveBrick(int row, int column) {
    if (!InGrid(row, column) || !At(row, column)) return;
    At(row, column).reset();
    FHost.Repaint(CellRect(row, column));
}

int TField::LiveBricks() const {
    int count = 0;
    for (int r = 1; r <= FGridRows; ++r)
        for (int c = 1; c <= FGridColumns; ++c)
            if (const TCell& cell = At(r, c); cell && !cell->Ghost) ++count;
    return count;
}

template <typename F> void TField::ForEachBrick(F&& f) {
    bool any = false;
    for (int r = 1; r <= FGridRows; ++r)
        for (int c = 1; c <= FGridColumns; ++c)
            if (TCell& cell = At(r, c)) {
                f(r, c, *cell);
                any = true;
            }
    if (any) RepaintGrid();
}

void TField::RepaintGrid() {
    FHost.Repaint(QRect(FGeometry.Margin, 0, FGridColumns * FGeometry.CellWidth,
                        FGridRows * FGeometry.CellHeight));
}

// The fixed palettes by row, as Tetris blocks take them by kind.
TColor TField::BrickColor(int row) const {
    if (const auto color = FixedPaletteColor(FSettings.ColorAShapes, row)) return *color;
    if (FSettings.ColorAShapes == colorOne) return FSettings.OneColorAShapes;
    return RandomColor();
}

void TField::ColorShape(int row, int column) {
    if (!InGrid(row, column) || !At(row, column)) return;
    At(row, column)->Look.BrushColor = BrickColor(row);
    FHost.Repaint(CellRect(row, column));
}

// A ghost keeps its look: recoloured, it would count as a live brick again.
void TField::RecolourLiveBricks() {
    ForEachBrick([&](int r, int, TBrick& brick) {
        if (!brick.Ghost) brick.Look.BrushColor = BrickColor(r);
    });
}

// Pieces

void TField::SetBounds(TPiece& piece, const QRect& bounds) {
    if (bounds == piece.Bounds) return;
    if (piece.Visible) {
        FHost.Repaint(piece.Bounds);
        FHost.Repaint(bounds);
    }
    piece.Bounds = bounds;
}

void TField::SetVisible(TPiece& piece, bool visible) {
    if (visible == piece.Visible) return;
    piece.Visible = visible;
    FHost.Repaint(piece.Bounds);
}

void TField::SetLook(TPiece& piece, const TShapeLook& look) {
    if (look == piece.Look) return;
    piece.Look = look;
    if (piece.Visible) FHost.Repaint(piece.Bounds);
}

void TField::MoveTo(TPiece& piece, int left, int top) {
    SetBounds(piece, QRect(left, top, piece.Bounds.width(), piece.Bounds.height()));
}

void TField::SetPaddleWidth(int width) {
    QRect bounds = FPaddle->Bounds;
    bounds.setWidth(width);
    SetBounds(*FPaddle, bounds);
}

void TField::HideSquare() {
    SetVisible(*FSquare, false);
    TShapeLook look = FSquare->Look;
    look.BrushColor = clWhite;
    look.BrushStyle = bsSolid;
    SetLook(*FSquare, look);
    MoveTo(*FSquare, FSquare->Bounds.left(), 0);
}

// Tiny pieces get no visible outline.
TColor TField::PenFor(const TPiece& piece) const {
    return FGeometry.CellHeight < 6 ? piece.Look.BrushColor : FHost.BoardColor();
}

int TField::BallSide() const {
    return PercentOf(FGeometry.CellHeight, FSettings.ABHW, TRounding::Nearest);
}

void TField::SetBallPosition(double x, double y) {
    FBallX = x;
    FBallY = y;
}

void TField::SetSquarePosition(double x, double y) {
    FSquareX = x;
    FSquareY = y;
}

// Game flow

void TField::StartGame() {
    FBallsLeft = FBalls;
    FLevel = 1;
    InitLevel();
}

void TField::InitLevel() {
    ++FEpoch;
    FMotion.StepUnit = 1.0f / static_cast<float>(std::max(FSettings.ASteps, 1));
    FMotion.SquareRange = DrawRange(FSettings.ACreSquShape);
    FMotion.CatchOn = FMotion.GunOn = FMotion.LongOn = FMotion.ShortOn = false;
    FMotion.BallFree = true;
    FMotion.GunFired = true;

    // A grid size written during play takes effect here; no brick is left
    // outside the grid in play.
    FGridRows = FRows;
    FGridColumns = FColumns;
    for (int r = 1; r <= kMaxRows; ++r)
        for (int c = 1; c <= kMaxColumns; ++c)
            if (r > FGridRows || c > FGridColumns) At(r, c).reset();
    BuildLevel();

    const QSize client = Client();
    FGeometry = ComputeGeometry(client, FGridRows, FGridColumns);
    FLaidOut = client;

    const TShapeLook brickLook = BrickLook();
    for (int r = 1; r <= FGridRows; ++r)
        for (int c = 1; c <= FGridColumns; ++c) {
            TCell& cell = At(r, c);
            if (!cell || cell->Ghost) continue;
            cell->Look = brickLook;
            cell->Look.BrushColor = BrickColor(r);
        }

    LayOutBallAndPaddle(TLayout::Level);
    FBall->Look.BrushColor = FSettings.ColorABl;
    FPaddle->Look.BrushColor = FSettings.ColorAT;
    FSquare->Look.BrushStyle = bsSolid;
    PenPieces();

    FMotion.BallSpeed =
        static_cast<float>(FSettings.ABSpeed * 0.01 * static_cast<double>(FMotion.StepUnit));
    FMotion.PaddleV = FMotion.BallVX = FMotion.BallVY = 0;
    FMotion.SquareVY = FMotion.SquareVX = 0;

    FLine->Bounds = LineBounds(client);
    FLine->Visible = false;

    FHost.Repaint(QRect(QPoint(0, 0), client));
    FMotion.Launched = false;
    Put(TEvent::LevelLaidOut);
    Deliver();
}

void TField::BuildLevel() {
    const TCellSet cells = LevelCells(FLevel, FGridRows, FGridColumns);
    for (int r = 1; r <= FGridRows; ++r)
        for (int c = 1; c <= FGridColumns; ++c)
            if (cells[r - 1][c - 1] && !At(r, c)) At(r, c) = TBrick{};
    if (!FPaddle) FPaddle = TPiece{{}, NewShape(stEllipse), true};
    if (!FBall) FBall = TPiece{{}, NewShape(stCircle), true};
    if (!FSquare) FSquare = TPiece{{}, NewShape(stSquare), true};
    if (!FLine) FLine = TPiece{{}, NewShape(stRectangle), true};
    SetVisible(*FSquare, false);
    SetVisible(*FLine, false);
}

void TField::LoseBall() {
    DropBall();
    Deliver();
}

// The ball is gone; a new one rests on the paddle, or the game ends.
void TField::DropBall() {
    if (!FBall) return;
    FHost.Repaint(FBall->Bounds);
    FBall.reset();
    --FBallsLeft;
    ++FEpoch;
    Put(TEvent::BallLost);
    if (FBallsLeft <= 0) {
        Over();
        return;
    }

    // Every bonus ends with the ball.
    FMotion.CatchOn = FMotion.GunOn = FMotion.LongOn = FMotion.ShortOn = false;
    FMotion.StepUnit = 1.0f / static_cast<float>(std::max(FSettings.ASteps, 1));
    FBall = TPiece{{}, NewShape(stCircle), false};
    FBall->Look.PenWidth = FSettings.WidthAShapesPen;
    FBall->Look.BrushColor = FSettings.ColorABl;
    FBall->Look.PenColor = PenFor(*FBall);
    LayOutBallAndPaddle(TLayout::Ball);
    FMotion.BallSpeed =
        static_cast<float>(FSettings.ABSpeed * static_cast<double>(FMotion.StepUnit) * 0.01);
    FMotion.PaddleV = FMotion.BallVX = FMotion.BallVY = 0;
    SetVisible(*FBall, true);

    HideSquare();
    SetVisible(*FLine, false);
    FMotion.BallFree = true;
    FMotion.Launched = false;
    FMotion.GunFired = true;
}

void TField::SecondTick(bool clock) {
    if (clock) {
        AdvanceLineClock();
        Put(TEvent::SecondPassed);
        if (!Deliver()) return;
    }
    // A level ends at the first tick that finds no brick at all, ghosts
    // counted before they are freed.
    if (Sweep() == 0) EndLevel();
}

int TField::Sweep() {
    int count = 0;
    for (int r = 1; r <= FGridRows; ++r)
        for (int c = 1; c <= FGridColumns; ++c) {
            TCell& cell = At(r, c);
            if (!cell) continue;
            ++count;
            if (cell->Ghost) RemoveBrick(r, c);
        }
    return count;
}

void TField::EndLevel() {
    ++FLevel;
    if (FLevel > FLevels) {
        Over();
        Deliver();
        return;
    }
    Put(TEvent::LevelCleared);
    if (Deliver()) InitLevel();
}

void TField::Over() {
    Clear();
    Put(TEvent::GameOver);
}

void TField::Clear() {
    ++FEpoch;
    for (auto& row : FCells)
        for (TCell& cell : row) cell.reset();
    FPaddle.reset();
    FBall.reset();
    FSquare.reset();
    FLine.reset();
    FHost.Repaint(QRect(QPoint(0, 0), Client()));
}

void TField::AdvanceLineClock() {
    if (!FLine || !FLine->Visible) return;
    ++FMotion.LineSeconds;
    if (FMotion.LineSeconds == FMotion.LineDuration) SetVisible(*FLine, false);
}

void TField::Relayout() {
    if (!InPlay()) return;
    const QSize client = Client();
    FGeometry = ComputeGeometry(client, FGridRows, FGridColumns);
    FLaidOut = client;
    LayOutBallAndPaddle(TLayout::Resize);
    FLine->Bounds = LineBounds(client);
    PenPieces();
    FHost.Repaint(QRect(QPoint(0, 0), client));
}

void TField::LayOutBallAndPaddle(TLayout layout) {
    const QSize client = Client();
    const int width = client.width();
    const int height = client.height();
    const int cellWidth = FGeometry.CellWidth;
    const int side = BallSide();
    FMotion.HalfW = side / 2;
    FMotion.HalfH = side / 2;

    TPiece& paddle = *FPaddle;
    QRect box = paddle.Bounds;
    if (layout == TLayout::Level || (layout == TLayout::Ball && !paddle.Visible)) {
        FPaddleX = 0.25 + 0.5 * RandomFloat();
        box.moveLeft(Round(width * FPaddleX));
    }
    // The top and height follow the grid in every state, or a long or short
    // paddle would end up below a shrunk field.
    if (layout != TLayout::Ball)
        box = QRect(box.left(), (FGridRows - 1) * height / FGridRows, box.width(),
                    FGeometry.CellHeight / 2);
    const std::int32_t percent = FMotion.LongOn    ? FSettings.ATL
                                 : FMotion.ShortOn ? FSettings.ATS
                                                   : FSettings.ATN;
    box.setWidth(PercentOf(cellWidth, percent, TRounding::Nearest));
    SetBounds(paddle, box);
    if (layout == TLayout::Ball) SetVisible(paddle, true);

    TPiece& ball = *FBall;
    if (layout == TLayout::Resize) {
        box = QRect(ball.Bounds.topLeft(), QSize(side, side));
    } else {
        // Its left edge half a cell to the right of the paddle's.
        FBallX = FPaddleX + (cellWidth * 0.5) / width;
        FBallY = double(paddle.Bounds.top() - side) / height;
        box = QRect(Trunc(width * FBallX), Trunc(height * FBallY), side, side);
    }
    SetBounds(ball, box);

    // The square takes the ball's size; a new ball leaves it alone.
    if (layout == TLayout::Ball) return;
    TPiece& square = *FSquare;
    box = QRect(square.Bounds.topLeft(), QSize(side, side));
    if (layout == TLayout::Resize && square.Visible)
        box.moveTo(Round(width * FSquareX), Round(height * FSquareY));
    SetBounds(square, box);
}

void TField::PenPieces() {
    for (TPiece* piece : {&*FSquare, &*FPaddle, &*FBall}) piece->Look.PenColor = PenFor(*piece);
}

QRect TField::LineBounds(QSize client) const {
    return {0, client.height() - (FGridRows / 3) * FGeometry.CellHeight, client.width(),
            kLineHeightPx};
}

// Events

// Owner code may lay out a new game from any notification, and that game
// delivers its own events at once: the recorded ones are taken out of the
// queue first, and none is delivered once the game has changed.
bool TField::Deliver() {
    if (FEvents.isEmpty()) return true;
    const QVarLengthArray<TEvent, 8> events = FEvents;
    FEvents.clear();
    const std::uint32_t epoch = FEpoch;
    for (const TEvent event : events) {
        Notify(event);
        if (FEpoch != epoch) return false;
    }
    return true;
}

void TField::Notify(TEvent event) {
    if (event != TEvent::SecondPassed)
        qCDebug(lcArcanoid) << "event" << static_cast<int>(event) << "level" << Level()
                            << "balls left" << BallsLeft();
    switch (event) {
    case TEvent::BrickDestroyed:
        FHost.BrickDestroyed();
        break;
    case TEvent::BallLost:
        FHost.BallLost();
        break;
    case TEvent::ExtraBall:
        FHost.ExtraBall();
        break;
    case TEvent::LevelCleared:
        FHost.LevelCleared();
        break;
    case TEvent::GameOver:
        FHost.GameOver();
        break;
    case TEvent::LevelLaidOut:
        FHost.LevelLaidOut();
        break;
    case TEvent::SecondPassed:
        FHost.SecondPassed();
        break;
    }
}

} // namespace Tolvane::Arcanoid
