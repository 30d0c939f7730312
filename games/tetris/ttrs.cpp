// SPDX-License-Identifier: GPL-3.0-or-later
#include "ttrs.h"

#include "gamepan/toolkit/board/direction.h"
#include "gamepan/toolkit/platform/keys.h"
#include "gamepan/toolkit/platform/random.h"
#include "gamepan/toolkit/widgets/timer.h"

#include <QLoggingCategory>
#include <QPainter>
#include <QPalette>
#include <QResizeEvent>
#include <algorithm>
#include <cstdlib>

namespace Tolvane {

// Silent unless QT_LOGGING_RULES turns "tolvane.tetris.debug" on.
Q_LOGGING_CATEGORY(lcTetris, "tolvane.tetris", QtWarningMsg)

namespace {
// A piece has four blocks; a step that does not find exactly four does nothing.
constexpr int kPieceBlocks = 4;
// One piece completes at most four rows, so four passes find them all.
constexpr int kDeletePasses = 4;

struct TFound {
    int Row = 0;
    int Column = 0;
};
using TPieceCells = std::array<TFound, kPieceBlocks>;
} // namespace

TTtrs::TTtrs(QWidget* parent) : TGameBoard(parent) {
    Randomize();
    FFallTimer = new TTimer([this] { FallTick(); }, this);
    FSecondTimer = new TTimer([this] { SecondTick(); }, this);
}

TTtrs::~TTtrs() = default;

void TTtrs::SetRows(std::uint16_t rows) {
    FRows = std::clamp<std::uint16_t>(rows, kMinRows, kMaxRows);
}

void TTtrs::SetColumns(std::uint16_t columns) {
    FColumns = std::clamp<std::uint16_t>(columns, kMinColumns, kMaxColumns);
}

int TTtrs::FallInterval() const {
    return FFallTimer->Interval();
}

bool TTtrs::Inside(int row, int column) const {
    return row >= 1 && row <= FRows && column >= 1 && column <= FColumns;
}

bool TTtrs::IsFixed(int row, int column) const {
    const TCell& cell = At(row, column);
    return cell && cell->Tag == 0;
}

const TBlock* TTtrs::Cell(int row, int column) const {
    if (!Inside(row, column)) return nullptr;
    const TCell& cell = At(row, column);
    return cell ? &*cell : nullptr;
}

void TTtrs::PlaceBlock(int row, int column, std::int32_t tag) {
    if (Inside(row, column)) SetupBlock(row, column, tag);
}

void TTtrs::RemoveBlock(int row, int column) {
    if (Inside(row, column)) FreeBlock(row, column);
}

QRect TTtrs::CellRect(int row, int column) const {
    return {(column - 1) * FCellWidth + FXOff, (row - 1) * FCellHeight, FCellWidth, FCellHeight};
}

QRect TTtrs::FloorRect() const {
    return {0, height() - FFloorHeight, width(), FFloorHeight};
}

TShapeLook TTtrs::BlockLook() const {
    TShapeLook look;
    look.Shape = FLook.ShapesTShape;
    look.BrushStyle = FLook.ShapesTBrushStyle;
    look.PenColor = FLook.ColorTShapesPen;
    look.PenWidth = FLook.WidthTShapesPen;
    return look;
}

TBlock TTtrs::MakeBlock(std::int32_t tag) const {
    TBlock block{BlockLook(), tag};
    const int state = std::abs(tag);
    switch (FLook.ColorTShapes) {
    case colorFixed:
    case colorFixed2:
        // A fixed block keeps the brush a new shape comes with.
        if (IsState(state))
            block.Look.BrushColor = *PaletteColor(FLook.ColorTShapes, KindOf(state));
        break;
    case colorOne:
        block.Look.BrushColor = FLook.OneColorTShapes;
        break;
    case colorRandom:
        block.Look.BrushColor = RandomBlockColor();
        break;
    }
    return block;
}

void TTtrs::SetupBlock(int row, int column, std::int32_t tag) {
    At(row, column) = MakeBlock(tag);
    update(CellRect(row, column));
}

void TTtrs::FreeBlock(int row, int column) {
    TCell& cell = At(row, column);
    if (!cell) return;
    cell.reset();
    update(CellRect(row, column));
}

void TTtrs::MoveBlock(int fromRow, int fromColumn, int toRow, int toColumn) {
    SetupBlock(toRow, toColumn, At(fromRow, fromColumn)->Tag);
    FreeBlock(fromRow, fromColumn);
}

void TTtrs::SetFloorColor(TColor color) {
    FLook.ColorTF = color;
    if (FFloorVisible) update(FloorRect());
}

void TTtrs::SetNextKind(std::uint16_t kind) {
    FNextKind = kind;
    if (!FLook.NextSColorT) return;
    if (const auto color = PaletteColor(FLook.ColorTShapes, kind)) SetColor(*color);
}

void TTtrs::SetDelay(std::int32_t ms) {
    FDelay = ms;
    FFallTimer->SetInterval(FDelay);
}

void TTtrs::NewPiece() {
    // Only reachable with a bad kind through SetNextKind; never index past the tables.
    if (FNextKind < 1 || FNextKind > kKinds)
        FNextKind = static_cast<std::uint16_t>(Random(kKinds) + 1);
    const int kind = FNextKind;
    const TSpawn& spawn = kSpawnCells[kind - 1];
    const int m = SpawnColumn(FColumns);
    auto free = [&](const TOffset& cell) { return !At(cell.Row, m + cell.Column); };
    if (!free(spawn.Pivot) || !std::all_of(spawn.Others.begin(), spawn.Others.end(), free)) {
        DoOver();
        return;
    }
    SetupBlock(spawn.Pivot.Row, m + spawn.Pivot.Column, kind);
    for (const TOffset& cell : spawn.Others) SetupBlock(cell.Row, m + cell.Column, -kind);
    FNextKind = static_cast<std::uint16_t>(Random(kKinds) + 1);
    SetNextKind(FNextKind);
    DoContact();
}

void TTtrs::Rotate() {
    int pivotRow = 0;
    int pivotColumn = 0;
    int state = 0;
    for (int c = 1; c <= FColumns && state == 0; ++c)
        for (int r = FRows; r >= 1; --r) {
            const TCell& cell = At(r, c);
            if (cell && cell->Tag > 0) {
                pivotRow = r;
                pivotColumn = c;
                state = cell->Tag;
                break;
            }
        }
    const TPieceOffsets* current = OffsetsOf(state);
    if (!current) return;
    const int next = NextState(state);
    const TPieceOffsets& turned = *OffsetsOf(next);
    auto in = [](const TPieceOffsets& set, const TOffset& offset) {
        return std::find(set.begin(), set.end(), offset) != set.end();
    };

    for (const TOffset& offset : turned) {
        if (in(*current, offset)) continue;
        const int r = pivotRow + offset.Row;
        const int c = pivotColumn + offset.Column;
        if (!Inside(r, c) || At(r, c)) return;
    }
    for (const TOffset& offset : *current)
        if (!in(turned, offset)) RemoveBlock(pivotRow + offset.Row, pivotColumn + offset.Column);
    for (const TOffset& offset : turned)
        if (!in(*current, offset))
            SetupBlock(pivotRow + offset.Row, pivotColumn + offset.Column, -next);
    // The blocks that stay keep their tag of the older state; only the pivot
    // carries the state the offsets are read from.
    At(pivotRow, pivotColumn)->Tag = next;
}

void TTtrs::MoveSideways(int step) {
    const int edge = step < 0 ? 1 : FColumns;
    TPieceCells piece{};
    int found = 0;
    for (int r = 1; r <= FRows; ++r)
        for (int i = 1; i <= FColumns; ++i) {
            // Leading block of each row first, so every target cell is free.
            const int c = step < 0 ? i : FColumns + 1 - i;
            const TCell& cell = At(r, c);
            if (!cell || cell->Tag == 0) continue;
            if (c == edge || IsFixed(r, c + step)) return;
            if (found < kPieceBlocks) piece[found] = {r, c};
            ++found;
        }
    if (found != kPieceBlocks) return;
    for (const TFound& block : piece)
        MoveBlock(block.Row, block.Column, block.Row, block.Column + step);
}

void TTtrs::MoveLeft() {
    MoveSideways(-1);
}

void TTtrs::MoveRight() {
    MoveSideways(+1);
}

void TTtrs::Drop() {
    FFallTimer->SetInterval(kDropIntervalMs);
}

void TTtrs::FallTick() {
    TPieceCells piece{};
    int found = 0;
    bool rests = false;
    // Lowest block of each column first, so every target cell is free.
    for (int c = 1; c <= FColumns; ++c)
        for (int r = FRows; r >= 1; --r) {
            const TCell& cell = At(r, c);
            if (!cell || cell->Tag == 0) continue;
            if (r == FRows || IsFixed(r + 1, c)) rests = true;
            if (found < kPieceBlocks) piece[found] = {r, c};
            ++found;
        }
    if (found != kPieceBlocks) return;
    if (rests) {
        // Fixed only now, one tick after it came to rest, so that it could
        // still be slid over a hole in between and fall on.
        for (const TFound& block : piece) At(block.Row, block.Column)->Tag = 0;
        PieceLanded();
        return;
    }
    for (const TFound& block : piece)
        MoveBlock(block.Row, block.Column, block.Row + 1, block.Column);
}

bool TTtrs::RowFull(int row) const {
    const auto& cells = FCells[row - 1];
    return std::all_of(cells.begin(), cells.begin() + FColumns,
                       [](const TCell& cell) { return cell.has_value(); });
}

void TTtrs::RemoveRow(int row) {
    auto empty = [this](int r) {
        const auto& cells = FCells[r - 1];
        return std::none_of(cells.begin(), cells.begin() + FColumns,
                            [](const TCell& cell) { return cell.has_value(); });
    };
    // Empty rows at the top stay empty when they move down; only the rows
    // from the highest block on shift.
    int top = 1;
    while (top < row && empty(top)) ++top;
    // Every moved block is remade in the current look, but with the colour
    // it had. A remade block in random colours still draws its colour, which
    // is then replaced, so the random sequence of the game stays the same.
    // One template for all: MakeBlock per block makes a full-well deletion
    // several times slower.
    TBlock fresh{BlockLook()};
    for (int r = row; r > top; --r) {
        auto& to = FCells[r - 1];
        const auto& from = FCells[r - 2];
        for (int c = 0; c < FColumns; ++c) {
            if (!from[c]) {
                to[c].reset();
                continue;
            }
            if (FLook.ColorTShapes == colorRandom) RandomBlockColor();
            fresh.Look.BrushColor = from[c]->Look.BrushColor;
            to[c] = fresh;
        }
    }
    for (int c = 1; c <= FColumns; ++c) At(top, c).reset();
    update(QRect(FXOff, (top - 1) * FCellHeight, FColumns * FCellWidth,
                 (row - top + 1) * FCellHeight));
}

void TTtrs::PieceLanded() {
    FFallTimer->SetInterval(FDelay);
    for (int pass = 0; pass < kDeletePasses; ++pass)
        for (int r = FRows; r >= 1; --r)
            if (RowFull(r)) {
                DoDelete();
                RemoveRow(r);
            }
    NewPiece();
}

void TTtrs::ClearWell() {
    for (auto& row : FCells)
        for (TCell& cell : row) cell.reset();
    update();
}

void TTtrs::CutOffEvents() {
    OnDelete = nullptr;
    OnContact = nullptr;
}

void TTtrs::DoDelete() {
    qCDebug(lcTetris) << "row deleted";
    Fire(OnDelete, this);
}

void TTtrs::DoContact() {
    Fire(OnContact, this);
}

void TTtrs::DoOver() {
    qCDebug(lcTetris) << "well full";
    FActive = false;
    ClearWell();
    FFloorVisible = false;
    Fire(OnOver, this);
}

void TTtrs::SecondTick() {
    if (FActive) DoTime();
}

void TTtrs::SetActive(bool value) {
    if (value == FActive) return;
    if (!value) {
        FActive = false;
        return;
    }
    FActive = true;
    FNextKind = static_cast<std::uint16_t>(Random(kKinds) + 1);
    FPainted = false;
    AlignToClient();
    UpdateGeometry();
    // A game stopped before its end leaves its heap and piece behind; a second
    // falling piece beside the old one would never move.
    ClearWell();
    NewPiece();
    // The first piece may already have ended the game.
    if (!FActive) return;
    SetFloorHeight(height() - FRows * FCellHeight);
    FFloorVisible = true;
    update(FloorRect());
}

void TTtrs::SetPaused(bool value) {
    if (value == FPaused) return;
    FPaused = value;
    FFallTimer->SetEnabled(!value);
    FSecondTimer->SetEnabled(!value);
}

std::span<const TKeyBinding> TTtrs::Keys() const {
    static constexpr TKeyBinding kKeys[] = {
        Bind<&TTtrs::MoveLeft>(VK_NUMPAD4, drLeft, VK_LEFT),
        Bind<&TTtrs::MoveRight>(VK_NUMPAD6, drRight, VK_RIGHT),
        // The up arrow turns the piece: the keypad's 8 does nothing here.
        Bind<&TTtrs::Rotate>(VK_NUMPAD5, drRotate, VK_UP),
        Bind<&TTtrs::Drop>(VK_NUMPAD2, drDrop, VK_DOWN),
    };
    return kKeys;
}

void TTtrs::UpdateGeometry() {
    const TWellGeometry geometry = ComputeGeometry(width(), height(), FRows, FColumns);
    FCellHeight = geometry.CellHeight;
    FCellWidth = geometry.CellWidth;
    FXOff = geometry.XOff;
}

void TTtrs::SetFloorHeight(int floorHeight) {
    FFloorHeight = std::max(floorHeight, 0);
}

void TTtrs::resizeEvent(QResizeEvent* event) {
    TGameBoard::resizeEvent(event);
    if (!FActive) {
        SetFloorHeight(0);
        return;
    }
    // Blocks are drawn from the geometry, so they follow it to their cells.
    UpdateGeometry();
    SetFloorHeight(height() - FRows * FCellHeight);
}

void TTtrs::PaintFloor(QPainter& painter) const {
    const QRect floor = FloorRect();
    const QPalette& colors = palette();
    painter.save();
    painter.setPen(Qt::NoPen);
    // The single border line is a window frame line, black whatever
    // colour the owner's text has.
    painter.fillRect(floor, ToQColor(clBlack));
    const QRect bevel = floor.adjusted(1, 1, -1, -1);
    if (!bevel.isEmpty()) {
        painter.fillRect(bevel, colors.color(QPalette::Light));
        const QRect shadow = bevel.adjusted(1, 1, 0, 0);
        painter.fillRect(shadow, colors.color(QPalette::Dark));
        const QRect face = bevel.adjusted(1, 1, -1, -1);
        if (!face.isEmpty()) painter.fillRect(face, ToQColor(FLook.ColorTF));
    }
    painter.restore();
}

void TTtrs::Paint(QPainter& painter, const QRect& dirty) {
    TGameBoard::Paint(painter, dirty);

    // Blocks and floor lie over whatever the owner painted as background.
    if (FCellWidth > 0 && FCellHeight > 0) {
        const int firstColumn = std::max(1, (dirty.left() - FXOff) / FCellWidth + 1);
        const int lastColumn = std::min<int>(FColumns, (dirty.right() - FXOff) / FCellWidth + 1);
        const int firstRow = std::max(1, dirty.top() / FCellHeight + 1);
        const int lastRow = std::min<int>(FRows, dirty.bottom() / FCellHeight + 1);
        for (int r = firstRow; r <= lastRow; ++r)
            for (int c = firstColumn; c <= lastColumn; ++c)
                if (const TCell& cell = At(r, c))
                    FShapes.Paint(painter, CellRect(r, c), cell->Look);
    }
    if (FFloorVisible && FFloorHeight > 0 && dirty.intersects(FloorRect())) PaintFloor(painter);
}

} // namespace Tolvane
