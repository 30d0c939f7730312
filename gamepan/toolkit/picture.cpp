// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture.h"

#include "messages.h"

#include <QImage>
#include <QPainter>

namespace Tolvane {

bool TPicture::LoadFromFile(const QString& path) {
    QImage image;
    if (path.isEmpty() || !image.load(path, "BMP")) {
        FPixmap = QPixmap();
        return false;
    }
    FPixmap = QPixmap::fromImage(image);
    return true;
}

void TPicture::Draw(QPainter& painter, int left, int top) const {
    if (!IsEmpty()) painter.drawPixmap(left, top, FPixmap);
}

void TPicture::StretchDraw(QPainter& painter, const QRect& rect) const {
    if (!IsEmpty()) painter.drawPixmap(rect, FPixmap);
}

void TPicture::DrawTiled(QPainter& painter, const QSize& area) const {
    if (IsEmpty()) return;
    // Whole copies only, the last row and column reaching past the area.
    const int w = Width();
    const int h = Height();
    painter.drawTiledPixmap(0, 0, (area.width() / w + 1) * w, (area.height() / h + 1) * h, FPixmap);
}

bool LoadPictureOrReport(std::unique_ptr<TPicture>& picture, QString& path,
                         const QString& failure) {
    if (!picture) picture = std::make_unique<TPicture>();
    if (picture->LoadFromFile(path)) return true;
    ShowError(failure + path);
    picture.reset();
    path.clear();
    return false;
}

} // namespace Tolvane
