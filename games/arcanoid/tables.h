// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/toolkit/widgets/colors.h"

#include <QSize>
#include <array>
#include <cstdint>
#include <optional>

// The tables and pure functions of the Arcanoid field: grid limits and
// geometry, level patterns, brick and bonus colours, the bonus draw range
// and paddle widths. Nothing here keeps state; only RandomColor and the
// drawn cells of level 8 take numbers from the program's generator.
namespace Tolvane::Arcanoid {

constexpr int kMinRows = 14;
constexpr int kMaxRows = 48;
constexpr int kMinColumns = 6;
constexpr int kMaxColumns = 24;
constexpr int kMinLevels = 1;
constexpr int kMaxLevels = 10;

// Pixel coordinates and sizes are kept within ±kPixelLimit, so that box
// arithmetic never overflows whatever the speed and size settings.
constexpr int kPixelLimit = 1 << 24;

// Round halves to even, Trunc towards zero; both saturate to ±kPixelLimit
// (and give 0 for NaN).
int Round(double x);
int Trunc(double x);

// With strong bricks these colours count hits: each hit steps a brick to the
// next colour of the list, and the last one to a random colour.
constexpr std::array<TColor, 3> kStrongColors{clBlack, clGray, clSilver};
// A colour's place in kStrongColors, or -1.
int StrongIndex(TColor color);

// What a caught bonus square does, by the draw that started it.
enum TBonus : std::uint8_t {
    bnGun,
    bnCatch,
    bnLoseBall,
    bnLong,
    bnShort,
    bnInvisible,
    bnExtraBall,
    bnLine
};
constexpr int kBonusKinds = 8;
// The square's colour names its kind, by [draw].
constexpr std::array<TColor, kBonusKinds> kBonusColors{
    clLime,    // 0 gun
    clYellow,  // 1 catch on or off
    clRed,     // 2 ball lost
    clBlue,    // 3 long paddle on or off
    clPurple,  // 4 short paddle on or off
    clFuchsia, // 5 invisible paddle
    clAqua,    // 6 extra ball
    clSilver,  // 7 barrier line
};
// The kind of a square colour; nothing for a used (white) square.
std::optional<TBonus> BonusOf(TColor color);

// Level patterns. A row bound is a base row (a plain row number, or
// N div 2, or N div 4 for N rows) plus an offset.
enum class TRowBase : std::uint8_t { Row, Half, Quarter };
struct TRowBound {
    TRowBase Base;
    int Offset;
};
enum class TRowPick : std::uint8_t { Every, Odd, Even };
enum class TColumnPick : std::uint8_t {
    All,
    Odd,
    Even,
    OddSum, // row + column odd: a checkerboard
    Inner,  // 2 to M − 1
    Draw,   // each cell filled when a draw of Random(2) gives 1
};
// Rows First..Last (rows above Floor are left out), picked rows, picked columns.
struct TBand {
    TRowBound First;
    TRowBound Last;
    int Floor;
    TRowPick Rows;
    TColumnPick Columns;
};
// Up to two bands; or the frame of level 10 (InFrame).
struct TLevelPattern {
    std::array<TBand, 2> Bands;
    int BandCount;
    bool Frame;
};

constexpr TBand kNoBand{
    {TRowBase::Row, 0}, {TRowBase::Row, -1}, 1, TRowPick::Every, TColumnPick::All};

// By [level − 1].
constexpr std::array<TLevelPattern, kMaxLevels> kLevelPatterns{{
    // 1: six full rows h − 8 to h − 3, from row 3 down
    {{{{{TRowBase::Half, -8}, {TRowBase::Half, -3}, 3, TRowPick::Every, TColumnPick::All},
       kNoBand}},
     1,
     false},
    // 2: two bands of four full rows, q − 3 to q (from row 3 down) and h − 4 to h − 1
    {{{{{TRowBase::Quarter, -3}, {TRowBase::Quarter, 0}, 3, TRowPick::Every, TColumnPick::All},
       {{TRowBase::Half, -4}, {TRowBase::Half, -1}, 1, TRowPick::Every, TColumnPick::All}}},
     2,
     false},
    // 3: odd rows from 3 to h, odd columns
    {{{{{TRowBase::Row, 3}, {TRowBase::Half, 0}, 1, TRowPick::Odd, TColumnPick::Odd}, kNoBand}},
     1,
     false},
    // 4: rows 3 to h − 1, even columns (vertical stripes)
    {{{{{TRowBase::Row, 3}, {TRowBase::Half, -1}, 1, TRowPick::Every, TColumnPick::Even}, kNoBand}},
     1,
     false},
    // 5: rows 3 to h − 1, odd columns
    {{{{{TRowBase::Row, 3}, {TRowBase::Half, -1}, 1, TRowPick::Every, TColumnPick::Odd}, kNoBand}},
     1,
     false},
    // 6: rows 3 to h − 1, checkerboard
    {{{{{TRowBase::Row, 3}, {TRowBase::Half, -1}, 1, TRowPick::Every, TColumnPick::OddSum},
       kNoBand}},
     1,
     false},
    // 7: even rows from 2 to h, all columns (horizontal stripes)
    {{{{{TRowBase::Row, 2}, {TRowBase::Half, 0}, 1, TRowPick::Even, TColumnPick::All}, kNoBand}},
     1,
     false},
    // 8: rows 2 to h, each cell by a draw
    {{{{{TRowBase::Row, 2}, {TRowBase::Half, 0}, 1, TRowPick::Every, TColumnPick::Draw}, kNoBand}},
     1,
     false},
    // 9: rows 3 to h − 1, columns 2 to M − 1
    {{{{{TRowBase::Row, 3}, {TRowBase::Half, -1}, 1, TRowPick::Every, TColumnPick::Inner},
       kNoBand}},
     1,
     false},
    // 10: a square frame with both diagonals, two rows down
    {{{kNoBand, kNoBand}}, 0, true},
}};

// Level 10: whether the frame has a brick in cell (row, column) of an
// N-row, M-column grid.
bool InFrame(int rows, int columns, int row, int column);

// [row − 1][column − 1]: the cells a level's pattern fills. Level 8 draws
// Random(2) for each cell of its rows, row by row from the top, columns left
// to right; levels outside 1..10 fill nothing.
using TCellSet = std::array<std::array<bool, kMaxColumns>, kMaxRows>;
TCellSet LevelCells(int level, int rows, int columns);

// How the grid lies on a client area: cells of at least one pixel each, so
// that nothing divides by zero on a board smaller than its grid.
struct TGeometry {
    int CellWidth = 1;
    int CellHeight = 1;
    int Margin = 0; // left margin that centres the grid
};
TGeometry ComputeGeometry(QSize client, int rows, int columns);

// A fresh random colour: three draws of Random(256) for blue, green, red.
TColor RandomColor();

// The bonus draw range 8 × ACreSquShape, computed wide and kept in 8..INT32_MAX.
std::int32_t DrawRange(std::int32_t creSquShape);

// How a size in percent of a cell's side is made whole: a caught square
// truncates the long, the short and the purple-restored normal paddle;
// every other paddle width, and the ball, are rounded to nearest.
enum class TRounding : std::uint8_t { Nearest, Truncate };
// Length × percent × 0.01, made whole as asked, never below 0.
int PercentOf(int length, std::int32_t percent, TRounding rounding);

} // namespace Tolvane::Arcanoid
