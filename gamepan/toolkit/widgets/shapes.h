// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colors.h"

#include <QRect>
#include <cstdint>

class QPainter;

namespace Tolvane {

// Everything that decides how one shape looks.
struct TShapeLook {
    TShapeType Shape = stRectangle;
    TColor PenColor = clBlack;
    int PenWidth = 1; // pixels; 0 draws a one-pixel line
    TColor BrushColor = clWhite;
    TBrushStyle BrushStyle = bsSolid;

    friend bool operator==(const TShapeLook&, const TShapeLook&) = default;
};

// Draws a shape the way a classic shape control does within its bounds:
// the outline is inset by half the pen width; square, round-square and
// circle use the largest centred square; rounded corners have a radius of a
// quarter of the smaller side; hatch styles draw only their lines, so what
// lies beneath shows through; bsClear fills nothing.
void PaintShape(QPainter& painter, const QRect& bounds, const TShapeLook& look);

} // namespace Tolvane
