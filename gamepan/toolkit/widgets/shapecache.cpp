// SPDX-License-Identifier: GPL-3.0-or-later
#include "shapecache.h"

#include <QPaintDevice>
#include <QPainter>

namespace Tolvane {

namespace {
constexpr qint64 kBytesPerPixel = 4;
} // namespace

size_t qHash(const TShapeCache::TKey& key, size_t seed) noexcept {
    const TShapeLook& look = key.Look;
    return qHashMulti(seed, look.Shape, look.PenColor, look.PenWidth, look.BrushColor,
                      look.BrushStyle, key.Size.width(), key.Size.height(), key.Ratio);
}

qint64 TShapeCache::BudgetBytes(const QPaintDevice& device) {
    // Images and pixmaps measure themselves in their own pixels; widgets and
    // windows in device-independent ones.
    const bool inPixels =
        device.devType() == QInternal::Image || device.devType() == QInternal::Pixmap;
    const qreal scale = inPixels ? 1 : device.devicePixelRatioF();
    return 2 * qint64(device.width() * scale) * qint64(device.height() * scale) * kBytesPerPixel;
}

void TShapeCache::Clear() {
    FPictures.clear();
    FBytes = 0;
}

QPixmap TShapeCache::Make(const QSize& size, qreal ratio, const TShapeLook& look) {
    const QSize pixels = size * ratio;
    if (FCanvas.width() < pixels.width() || FCanvas.height() < pixels.height() ||
        FCanvas.devicePixelRatio() != ratio) {
        FCanvas = QImage(pixels.expandedTo(FCanvas.size()), QImage::Format_ARGB32_Premultiplied);
        FCanvas.setDevicePixelRatio(ratio);
    }
    FCanvas.fill(Qt::transparent);
    {
        QPainter onCanvas(&FCanvas);
        PaintShape(onCanvas, QRect(QPoint(0, 0), size), look);
    }
    // What the shape draws past its bounds is cut off, as on a picture of
    // their size.
    QImage picture = FCanvas.copy(QRect(QPoint(0, 0), pixels));
    picture.setDevicePixelRatio(ratio);
    return QPixmap::fromImage(std::move(picture));
}

void TShapeCache::Paint(QPainter& painter, const QRect& bounds, const TShapeLook& look) {
    if (bounds.isEmpty()) return;
    const QPaintDevice* device = painter.device();
    const qreal ratio = device ? device->devicePixelRatioF() : 1;
    const TKey key{look, bounds.size(), ratio};
    auto found = FPictures.constFind(key);
    if (found == FPictures.cend()) {
        const QPixmap picture = Make(bounds.size(), ratio, look);
        const qint64 bytes = qint64(picture.width()) * picture.height() * kBytesPerPixel;
        if (device && FBytes + bytes > BudgetBytes(*device)) Clear();
        FBytes += bytes;
        found = FPictures.insert(key, picture);
    }
    painter.drawPixmap(bounds.topLeft(), *found);
}

} // namespace Tolvane
