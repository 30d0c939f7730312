// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/toolkit/widgets/colors.h"
#include "gamepan/toolkit/widgets/shapes.h"

#include <cstdint>

namespace Tolvane::Tetris {

// How the blocks and the well look, as the owner sets it. The defaults are
// the game panel's initial settings, which keeps them: they are written
// only here.
struct TSettings {
    TColor ColorTF = clBlack; // the floor strip below the well
    TColorTAFShapes ColorTShapes = colorFixed;
    TColor OneColorTShapes = clBtnFace; // the block colour of colorOne
    TColor ColorTShapesPen = clWhite;
    std::int32_t WidthTShapesPen = 1; // pixels
    TShapeType ShapesTShape = stRoundRect;
    TBrushStyle ShapesTBrushStyle = bsSolid;
    // The background takes the colour of the next piece's kind.
    bool NextSColorT = false;

    friend bool operator==(const TSettings&, const TSettings&) = default;
};

} // namespace Tolvane::Tetris
