// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/toolkit/widgets/colors.h"

#include <array>
#include <cstdint>
#include <optional>

namespace Tolvane {

// The rules of the well that need no widget: its limits, the piece tables,
// the state arithmetic of a block's tag, the palettes and the cell geometry.

constexpr int kMinRows = 6;
constexpr int kMaxRows = 48;
constexpr int kMinColumns = 6;
constexpr int kMaxColumns = 24;

constexpr int kKinds = 7;
constexpr int kTurns = 4;
constexpr int kMaxState = kKinds * kTurns; // states 1..28
constexpr int kSquareKind = 7;             // the one kind that does not turn

constexpr int kDropIntervalMs = 20; // the fall timer while a piece is dropped

// A cell position relative to something: rows grow downwards, columns rightwards.
struct TOffset {
    int Row = 0;
    int Column = 0;

    friend constexpr bool operator==(const TOffset&, const TOffset&) = default;
};

// Where a new piece appears, the pivot first. Rows are absolute (row 1 is the
// top of the well); columns are relative to m = columns div 2.
struct TSpawn {
    TOffset Pivot;
    std::array<TOffset, 3> Others;
};

constexpr std::array<TSpawn, kKinds> kSpawnCells{{
    {{1, 0}, {{{1, +1}, {2, 0}, {3, 0}}}},   // 1
    {{1, 0}, {{{1, -1}, {2, 0}, {3, 0}}}},   // 2
    {{2, 0}, {{{2, -1}, {2, +1}, {1, 0}}}},  // 3
    {{2, 0}, {{{2, +1}, {1, +1}, {3, 0}}}},  // 4
    {{2, 0}, {{{2, -1}, {1, -1}, {3, 0}}}},  // 5
    {{1, 0}, {{{1, -1}, {1, +1}, {1, +2}}}}, // 6
    {{2, 0}, {{{2, +1}, {1, +1}, {1, 0}}}},  // 7
}};

using TPieceOffsets = std::array<TOffset, 3>;

// Offsets of the three other blocks from the pivot, by [kind − 1][turn q].
// Kinds 1, 2, 3 and 6 turn clockwise on the screen, 4 and 5 counter-clockwise;
// kind 7 has no row because it never turns.
constexpr std::array<std::array<TPieceOffsets, kTurns>, kKinds - 1> kTurnOffsets{{
    {{{{{0, +1}, {+1, 0}, {+2, 0}}},
      {{{0, -1}, {0, -2}, {+1, 0}}},
      {{{0, -1}, {-1, 0}, {-2, 0}}},
      {{{-1, 0}, {0, +1}, {0, +2}}}}}, // 1
    {{{{{0, -1}, {+1, 0}, {+2, 0}}},
      {{{0, -1}, {0, -2}, {-1, 0}}},
      {{{-1, 0}, {-2, 0}, {0, +1}}},
      {{{0, +1}, {0, +2}, {+1, 0}}}}}, // 2
    {{{{{0, -1}, {0, +1}, {-1, 0}}},
      {{{0, +1}, {-1, 0}, {+1, 0}}},
      {{{0, +1}, {+1, 0}, {0, -1}}},
      {{{+1, 0}, {0, -1}, {-1, 0}}}}}, // 3
    {{{{{0, +1}, {-1, +1}, {+1, 0}}},
      {{{0, +1}, {-1, -1}, {-1, 0}}},
      {{{-1, 0}, {0, -1}, {+1, -1}}},
      {{{0, -1}, {+1, 0}, {+1, +1}}}}}, // 4
    {{{{{0, -1}, {-1, -1}, {+1, 0}}},
      {{{+1, 0}, {0, +1}, {+1, -1}}},
      {{{0, +1}, {-1, 0}, {+1, +1}}},
      {{{-1, 0}, {-1, +1}, {0, -1}}}}}, // 5
    {{{{{0, -1}, {0, +1}, {0, +2}}},
      {{{-1, 0}, {+1, 0}, {+2, 0}}},
      {{{0, -1}, {0, +1}, {0, -2}}},
      {{{-1, 0}, {+1, 0}, {-2, 0}}}}}, // 6
}};

// State t = k + 7q of a falling block (its tag's magnitude), 1..28.
constexpr bool IsState(int t) {
    return t >= 1 && t <= kMaxState;
}
constexpr int KindOf(int t) {
    return (t - 1) % kKinds + 1;
}
constexpr int TurnOf(int t) {
    return (t - 1) / kKinds;
}
// The state after one turn: q + 1, and from the last turn back to the first.
constexpr int NextState(int t) {
    return t > kMaxState - kKinds ? t - (kMaxState - kKinds) : t + kKinds;
}

// The offsets of state t, pointing into the table; kind 7 (and anything
// outside 1..28) has none.
const TPieceOffsets* OffsetsOf(int t);

// The column every spawn table entry is relative to.
constexpr int SpawnColumn(int columns) {
    return columns / 2;
}

// The table colour of a kind in one of the palette modes; nothing for the
// other modes and for kinds outside 1..7.
std::optional<TColor> PaletteColor(TColorTAFShapes mode, int kind);

// A fresh colour with one full channel: three draws for red, green and blue,
// then one channel is raised to 255 (red half the time).
TColor RandomBlockColor();

// How the well lies on a board of the given client size.
struct TWellGeometry {
    int CellWidth = 0;
    int CellHeight = 0;
    int XOff = 0;        // left margin that centres the well
    int FloorHeight = 0; // the strip below the last row
};

// Rows and columns must be at least 1.
TWellGeometry ComputeGeometry(int width, int height, int rows, int columns);

} // namespace Tolvane
