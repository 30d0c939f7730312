// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/toolkit/widgets/colors.h"
#include "gamepan/toolkit/widgets/shapes.h"

#include <cstdint>

// How Tetris levels rise with the score, and what a level changes: the
// points per row, the fall interval and the look of the blocks. The main
// window only shows what these say.
namespace Tolvane::TetrisLevels {

constexpr int kMaxLevel = 10;
// Rising from level L needs kLevelStep × (1² + … + L²) points.
constexpr int kLevelStep = 10;
constexpr std::int32_t kBaseDelayMs = 520; // the fall interval at level 1
constexpr std::int32_t kDelayStepMs = 50;  // and how much shorter each level falls

// The score at which level `level` rises to the next.
std::int64_t Threshold(int level);
// Whether a score reached at `level` raises it; never beyond kMaxLevel, so
// the fall interval never reaches zero.
bool Rises(int level, std::int32_t score);
// Points for each deleted row at a level: level².
std::int32_t PointsPerRow(int level);
std::int32_t FallIntervalMs(int level);

// The look of the blocks a new level draws.
struct TLook {
    TShapeType Shape;
    TBrushStyle BrushStyle;
    TColor OneColor;
    TColorTAFShapes ColorMode;
    TColor PenColor;

    friend bool operator==(const TLook&, const TLook&) = default;
};

// Draws a new look from the program's random generator, in a fixed order of
// draws: shape, fill, the one colour, the colouring mode, the outline, and,
// with one colour, whether the outline disappears into the fill.
TLook DrawLook();

} // namespace Tolvane::TetrisLevels
