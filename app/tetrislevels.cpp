// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tetrislevels.h"

#include "gamepan/toolkit/platform/random.h"

namespace Tolvane::TetrisLevels {

std::int64_t Threshold(int level) {
    std::int64_t squares = 0;
    for (std::int64_t k = 1; k <= level; ++k) squares += k * k;
    return kLevelStep * squares;
}

bool Rises(int level, std::int32_t score) {
    return level < kMaxLevel && score >= Threshold(level);
}

std::int32_t PointsPerRow(int level) {
    return level * level;
}

std::int32_t FallIntervalMs(int level) {
    return kBaseDelayMs - (level - 1) * kDelayStepMs;
}

TLook DrawLook() {
    constexpr TShapeType kShapes[] = {stRoundRect, stRoundRect, stRectangle, stRectangle,
                                      stEllipse};
    constexpr TBrushStyle kStyles[] = {bsDiagCross, bsCross, bsSolid, bsSolid};
    constexpr TColor kOneColors[] = {clLime, clYellow, clWhite, clRed};
    constexpr TColorTAFShapes kModes[] = {colorRandom, colorOne, colorFixed2, colorFixed2,
                                          colorFixed2};
    constexpr TColor kPens[] = {clGray, clWhite, clWhite, clWhite};
    TLook look{};
    look.Shape = kShapes[Random(5)];
    look.BrushStyle = kStyles[Random(4)];
    look.OneColor = kOneColors[Random(4)];
    look.ColorMode = kModes[Random(5)];
    look.PenColor = kPens[Random(4)];
    // The outline may disappear into the fill.
    if (look.ColorMode == colorOne && Random(3) != 0) look.PenColor = look.OneColor;
    return look;
}

} // namespace Tolvane::TetrisLevels
