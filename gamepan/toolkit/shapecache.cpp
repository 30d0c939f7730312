// SPDX-License-Identifier: GPL-3.0-or-later
#include "shapecache.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

namespace Tolvane {

void TShapeCache::Paint(QPainter& painter, const QRect& bounds, const TShapeLook& look) {
    if (bounds.isEmpty()) return;
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1;
    const QSize size = bounds.size();
    auto found = std::find_if(FEntries.begin(), FEntries.end(), [&](const TEntry& entry) {
        return entry.Size == size && entry.Ratio == ratio && entry.Look == look;
    });
    if (found == FEntries.end()) {
        TEntry entry{look, size, ratio, QPixmap(size * ratio)};
        entry.Picture.setDevicePixelRatio(ratio);
        entry.Picture.fill(Qt::transparent);
        {
            QPainter picture(&entry.Picture);
            PaintShape(picture, QRect(QPoint(0, 0), size), look);
        }
        if (FEntries.size() < kMaxEntries) {
            FEntries.push_back(std::move(entry));
            found = FEntries.end() - 1;
        } else {
            FNext %= kMaxEntries;
            found = FEntries.begin() + static_cast<std::ptrdiff_t>(FNext++);
            *found = std::move(entry);
        }
    }
    painter.drawPixmap(bounds.topLeft(), found->Picture);
}

} // namespace Tolvane
