// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/toolkit/board/gameboard.h"
#include "gamepan/toolkit/widgets/notify.h"

#include <QString>
#include <array>
#include <cstdint>

class QPushButton;

namespace Tolvane {

class TTimer;

// The sliding-tile puzzle: N x N push buttons that never change place; a
// move swaps captions and visibility between a tile and the hidden gap.
class TScrmbl : public TGameBoard {
    Q_OBJECT
public:
    // The side lengths a puzzle can have.
    static constexpr int kMinSize = 2;
    static constexpr int kMaxSize = 8;

    explicit TScrmbl(QWidget* parent = nullptr);

    TNotifyEvent OnMove;

    void SetActive(bool value) override;
    void SetPaused(bool value) override;
    // VK_NUMPAD4 and drLeft move a tile left, 6 right, 8 up and 2 down.
    std::span<const TKeyBinding> Keys() const override;

    virtual void MoveLeft();
    virtual void MoveRight();
    virtual void MoveUp();
    virtual void MoveDown();
    virtual void CreateTiles();
    virtual void Shuffle();
    virtual void ColorTiles();

    std::int32_t Moves() const { return FMoves; }
    std::uint16_t Size() const { return FSize; }
    // Takes effect at the next start; a running puzzle keeps the side length
    // its tiles were made for. Kept in 2..8 so the tile array is never overrun.
    void SetSize(std::uint16_t n);

    // Row and column 1..side length of the tiles; nullptr outside or before
    // the first start.
    QPushButton* Tile(int row, int column) const;
    QString GapCaption() const { return FGapCaption; }
    int XOff() const { return FXOff; }
    int YOff() const { return FYOff; }
    int CellWidth() const { return FCellWidth; }
    int CellHeight() const { return FCellHeight; }

    // Font colours of a tile at home and away from home.
    static constexpr TColor kHomeColor = clGreen;
    static constexpr TColor kAwayColor = clRed;

protected:
    virtual void DoOver();
    virtual void DoMove();

    void CutOffEvents() override { OnMove = nullptr; }
    void resizeEvent(QResizeEvent* event) override;

private:
    void Layout();
    void PlaceTiles();
    void MoveTile(int row, int column);
    bool CanSlide(int row, int column) const;
    void SlideIntoGap(int row, int column);
    void TileClick(QPushButton* tile);
    void CheckSolved();
    void SecondTick();
    bool IsGap(int row, int column) const;
    std::uint16_t GapNumber() const { return static_cast<std::uint16_t>(FTilesSize * FTilesSize); }
    static QString HomeCaption(int row, int column, int size);
    static void SetFontColor(QPushButton& tile, TColor color);
    static bool IsHomeColor(const QPushButton& tile);

    TTimer* FSecondTimer = nullptr; // a child of the board, or none
    std::int32_t FMoves = 0;
    QString FGapCaption;
    int FXOff = 0;
    int FYOff = 0;
    int FCellHeight = 0;
    int FCellWidth = 0;
    std::uint16_t FSize = 4;
    // The side length the current tiles were made for; 0 before the first start.
    std::uint16_t FTilesSize = 0;
    // [row][column], both 1-based; index 0 unused. Buttons are owned by the board.
    std::array<std::array<QPushButton*, kMaxSize + 1>, kMaxSize + 1> FTiles{};
    // The shuffle's numbers per cell (a button's tag).
    std::array<std::array<int, kMaxSize + 1>, kMaxSize + 1> FTags{};
};

} // namespace Tolvane
