// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture.h"

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
    const int w = Width();
    const int h = Height();
    for (int i = 0; i <= area.width() / w; ++i)
        for (int j = 0; j <= area.height() / h; ++j) painter.drawPixmap(i * w, j * h, FPixmap);
}

} // namespace Tolvane
