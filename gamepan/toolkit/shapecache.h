// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/toolkit/shapes.h"

#include <QPixmap>
#include <QSize>
#include <vector>

class QPainter;

namespace Tolvane {

// Draws shapes from pictures made once per look and size, the way a board
// repaints hundreds of alike blocks. Pixel for pixel the same as PaintShape:
// shapes are drawn without smoothing, so a picture's transparent pixels are
// exactly those the shape leaves alone.
class TShapeCache {
public:
    void Paint(QPainter& painter, const QRect& bounds, const TShapeLook& look);
    void Clear() { FEntries.clear(); }
    std::size_t Size() const { return FEntries.size(); }

    // More looks than this and the oldest pictures are dropped: in random
    // colours nearly every block has a look of its own.
    static constexpr std::size_t kMaxEntries = 64;

private:
    struct TEntry {
        TShapeLook Look;
        QSize Size;
        qreal Ratio = 1;
        QPixmap Picture;
    };
    std::vector<TEntry> FEntries;
    std::size_t FNext = 0; // the entry replaced next once full
};

} // namespace Tolvane
