// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/toolkit/widgets/shapes.h"

#include <QHash>
#include <QPixmap>
#include <QSize>

class QPainter;

namespace Tolvane {

// Draws shapes from pictures made once per look and size, the way a board
// repaints hundreds of alike blocks. Pixel for pixel the same as PaintShape:
// shapes are drawn without smoothing, so a picture's transparent pixels are
// exactly those the shape leaves alone.
class TShapeCache {
public:
    void Paint(QPainter& painter, const QRect& bounds, const TShapeLook& look);
    void Clear();
    qsizetype Size() const { return FPictures.size(); }
    qint64 Bytes() const { return FBytes; }

    // In random colours nearly every block has a look of its own; a full
    // well of large blocks fits, and past this the pictures are made anew.
    static constexpr qint64 kBudgetBytes = 16 * 1024 * 1024;

    struct TKey {
        TShapeLook Look;
        QSize Size;
        qreal Ratio = 1;
        friend bool operator==(const TKey&, const TKey&) = default;
    };

private:
    QHash<TKey, QPixmap> FPictures;
    qint64 FBytes = 0;
};

size_t qHash(const TShapeCache::TKey& key, size_t seed = 0) noexcept;

} // namespace Tolvane
