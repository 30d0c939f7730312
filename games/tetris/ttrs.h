// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/toolkit/board/gameboard.h"
#include "gamepan/toolkit/widgets/colors.h"
#include "gamepan/toolkit/widgets/notify.h"
#include "gamepan/toolkit/widgets/shapecache.h"
#include "gamepan/toolkit/widgets/shapes.h"
#include "games/tetris/settings.h"
#include "games/tetris/well.h"

#include <array>
#include <cstdint>
#include <optional>

namespace Tolvane {

class TTimer;

// One block in the well. Tag 0: part of the heap; +t: the pivot of the
// falling piece in state t; −t: one of its other three blocks.
struct TBlock {
    TShapeLook Look;
    std::int32_t Tag = 0;
};

// The Tetris board. Blocks are records in a fixed grid drawn by the board;
// a block that moves is made afresh in its new cell from the current
// appearance settings, so a look change shows on the falling piece at its
// next step and on the heap when a deleted row moves it down.
class TTtrs : public TGameBoard {
    Q_OBJECT
public:
    explicit TTtrs(QWidget* parent = nullptr);
    ~TTtrs() override;

    TNotifyEvent OnDelete, OnContact;

    void SetActive(bool value) override;
    void SetPaused(bool value) override;
    // VK_NUMPAD4 and drLeft move left, 6 right, 5 and drRotate turn the
    // piece, 2 and drDrop drop it.
    std::span<const TKeyBinding> Keys() const override;

    // The moves do not look at Active or Paused: the owner forwards them only
    // while a game runs.
    virtual void MoveLeft();
    virtual void MoveRight();
    virtual void Rotate();
    virtual void Drop();
    virtual void PieceLanded();
    void FallTick();
    void NewPiece();

    // Takes effect at once on the running fall timer, even during a drop.
    void SetDelay(std::int32_t ms);
    void SetColorMode(TColorTAFShapes mode) { FLook.ColorTShapes = mode; }
    void SetOneColor(TColor color) { FLook.OneColorTShapes = color; }
    void SetPenColor(TColor color) { FLook.ColorTShapesPen = color; }
    void SetPenWidth(std::int32_t width) { FLook.WidthTShapesPen = width; }
    void SetShapeType(TShapeType shape) { FLook.ShapesTShape = shape; }
    void SetBrushStyle(TBrushStyle style) { FLook.ShapesTBrushStyle = style; }
    void SetNextColor(bool value) { FLook.NextSColorT = value; }
    void SetFloorColor(TColor color);
    // With the next colour on and a palette mode, the background takes the
    // kind's colour.
    void SetNextKind(std::uint16_t kind);

    // Written by the owner while no game runs; kept in 6..48 and 6..24 so the
    // grid is never overrun.
    std::uint16_t Rows() const { return FRows; }
    void SetRows(std::uint16_t rows);
    std::uint16_t Columns() const { return FColumns; }
    void SetColumns(std::uint16_t columns);

    std::uint16_t NextKind() const { return FNextKind; }
    std::int32_t Delay() const { return FDelay; }
    int FallInterval() const;

    TColorTAFShapes ColorMode() const { return FLook.ColorTShapes; }
    const Tetris::TSettings& Look() const { return FLook; }

    // Row 1..Rows, column 1..Columns; nullptr for an empty cell or outside.
    const TBlock* Cell(int row, int column) const;
    // Makes a block from the current appearance settings, replacing what was
    // there; ignored outside the well.
    void PlaceBlock(int row, int column, std::int32_t tag);
    void RemoveBlock(int row, int column);

    int XOff() const { return FXOff; }
    int CellWidth() const { return FCellWidth; }
    int CellHeight() const { return FCellHeight; }
    QRect CellRect(int row, int column) const;
    bool FloorVisible() const { return FFloorVisible; }
    int FloorHeight() const { return FFloorHeight; }
    QRect FloorRect() const;

protected:
    virtual void DoDelete();
    virtual void DoContact();
    virtual void DoOver();

    void CutOffEvents() override;
    void Paint(QPainter& painter, const QRect& dirty) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    using TCell = std::optional<TBlock>;

    TCell& At(int row, int column) { return FCells[row - 1][column - 1]; }
    const TCell& At(int row, int column) const { return FCells[row - 1][column - 1]; }
    bool Inside(int row, int column) const;
    bool IsFixed(int row, int column) const;

    // A fresh block from the appearance settings.
    // A block's look in the current settings, with the brush a new shape
    // comes with.
    TShapeLook BlockLook() const;
    TBlock MakeBlock(std::int32_t tag) const;
    void SetupBlock(int row, int column, std::int32_t tag);
    void FreeBlock(int row, int column);
    // Remakes the block of `from` in `to`, emptying `from`.
    void MoveBlock(int fromRow, int fromColumn, int toRow, int toColumn);
    void MoveSideways(int step);
    bool RowFull(int row) const;
    void RemoveRow(int row);
    void ClearWell();
    void UpdateGeometry();
    void SetFloorHeight(int height);
    void SecondTick();
    void PaintFloor(QPainter& painter) const;

    TTimer* FFallTimer = nullptr;   // child of the board
    TTimer* FSecondTimer = nullptr; // child of the board
    // The strip below the well: a raised bevel inside a single line, aligned
    // to the board's bottom edge.
    bool FFloorVisible = false;
    int FFloorHeight = 0;
    Tetris::TSettings FLook;
    TShapeCache FShapes; // pictures of the blocks' looks, for repainting a full well
    // Matches the fall timer's own initial interval, so a landing before any
    // SetDelay keeps the timer running.
    std::int32_t FDelay = 1000;
    std::uint16_t FNextKind = kKinds;
    int FXOff = 0;
    int FCellHeight = 0;
    int FCellWidth = 0;
    std::uint16_t FRows = 20;
    std::uint16_t FColumns = 10;
    // [row − 1][column − 1]; only the first FRows × FColumns are in play.
    std::array<std::array<TCell, kMaxColumns>, kMaxRows> FCells{};
};

} // namespace Tolvane
