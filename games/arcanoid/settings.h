// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/toolkit/widgets/colors.h"
#include "gamepan/toolkit/widgets/shapes.h"

#include <cstdint>

namespace Tolvane::Arcanoid {

// The board's settings as the field uses them. The defaults are the game
// panel's initial settings, which keeps them: they are written only here.
struct TSettings {
    TColor ColorABl = clLime;
    TColor ColorAT = clYellow;
    TColor ColorAShapesPen = clWhite;
    TColor OneColorAShapes = clBtnFace;
    TColorTAFShapes ColorAShapes = colorFixed2;
    TShapeType ShapesAShape = stRoundRect;
    TBrushStyle ShapesABrushStyle = bsSolid;
    std::int32_t ABSpeed = 150; // percent
    std::int32_t ASSpeed = 75;  // percent
    std::int32_t ATN = 100;     // percent of the cell width
    std::int32_t ATL = 150;
    std::int32_t ATS = 75;
    std::int32_t ABHW = 75; // percent of the cell height
    std::int32_t ACreSquShape = 2;
    std::int32_t WidthAShapesPen = 1; // pixels
    std::int32_t ASteps = 100;
    bool AStrongShapes = true;
    bool AIMMDelShapes = false;
    bool AEndStop = false;
    std::uint16_t AFriction = 25; // percent

    friend bool operator==(const TSettings&, const TSettings&) = default;
};

} // namespace Tolvane::Arcanoid
