// SPDX-License-Identifier: GPL-3.0-or-later
#include "well.h"

#include "gamepan/toolkit/platform/random.h"

namespace Tolvane {

const TPieceOffsets* OffsetsOf(int t) {
    if (!IsState(t) || KindOf(t) == kSquareKind) return nullptr;
    return &kTurnOffsets[KindOf(t) - 1][TurnOf(t)];
}

std::optional<TColor> PaletteColor(TColorTAFShapes mode, int kind) {
    if (kind < 1 || kind > kKinds) return std::nullopt;
    return FixedPaletteColor(mode, kind);
}

TColor RandomBlockColor() {
    // Separate statements: the draws must happen in the order red, green, blue.
    int red = Random(256);
    int green = Random(256);
    int blue = Random(256);
    if (Random(2) == 0)
        red = 255;
    else if (Random(2) == 0)
        green = 255;
    else
        blue = 255;
    return RGBToColor(red, green, blue);
}

TWellGeometry ComputeGeometry(int width, int height, int rows, int columns) {
    TWellGeometry geometry;
    geometry.CellHeight = height / rows;
    geometry.CellWidth = width / columns;
    geometry.XOff = (width - columns * geometry.CellWidth) / 2;
    geometry.FloorHeight = height - rows * geometry.CellHeight;
    return geometry;
}

} // namespace Tolvane
