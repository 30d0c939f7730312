// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/toolkit/widgets/shapes.h"

#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QSize>

class QPaintDevice;
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
    // The pictures' pixels; each picture holds a few hundred bytes besides.
    qint64 Bytes() const { return FBytes; }

    // In random colours nearly every block has a look of its own, and the
    // looks of blocks gone are never drawn again. The pictures may fill the
    // painted device twice over: a full repaint never makes one picture
    // twice, and once the dead looks have filled the second half, the
    // pictures are made anew.
    static qint64 BudgetBytes(const QPaintDevice& device);

    struct TKey {
        TShapeLook Look;
        QSize Size;
        qreal Ratio = 1;
        friend bool operator==(const TKey&, const TKey&) = default;
    };

private:
    QPixmap Make(const QSize& size, qreal ratio, const TShapeLook& look);

    QHash<TKey, QPixmap> FPictures;
    // Pictures are painted here and copied out: a picture painted on
    // directly would hold its paint engine, several times its own pixels,
    // for as long as it is cached.
    QImage FCanvas;
    qint64 FBytes = 0;
};

size_t qHash(const TShapeCache::TKey& key, size_t seed = 0) noexcept;

} // namespace Tolvane
