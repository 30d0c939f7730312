// SPDX-License-Identifier: GPL-3.0-or-later
#include "shapecache.h"

#include <QPaintDevice>
#include <QPainter>

namespace Tolvane {

size_t qHash(const TShapeCache::TKey& key, size_t seed) noexcept {
    const TShapeLook& look = key.Look;
    return qHashMulti(seed, look.Shape, look.PenColor, look.PenWidth, look.BrushColor,
                      look.BrushStyle, key.Size.width(), key.Size.height(), key.Ratio);
}

void TShapeCache::Clear() {
    FPictures.clear();
    FBytes = 0;
}

void TShapeCache::Paint(QPainter& painter, const QRect& bounds, const TShapeLook& look) {
    if (bounds.isEmpty()) return;
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1;
    const TKey key{look, bounds.size(), ratio};
    auto found = FPictures.constFind(key);
    if (found == FPictures.cend()) {
        QPixmap picture(bounds.size() * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        {
            QPainter onPicture(&picture);
            PaintShape(onPicture, QRect(QPoint(0, 0), bounds.size()), look);
        }
        const qint64 bytes = qint64(picture.width()) * picture.height() * 4;
        if (FBytes + bytes > kBudgetBytes) Clear();
        FBytes += bytes;
        found = FPictures.insert(key, picture);
    }
    painter.drawPixmap(bounds.topLeft(), *found);
}

} // namespace Tolvane
