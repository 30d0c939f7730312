// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture.h"

#include "gamepan/toolkit/platform/messages.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <cstdint>
#include <cstdlib>

namespace Tolvane {

namespace {

// Background pictures are small tiles; a header that claims more than this
// is not one, and is refused before anything is decoded.
constexpr qint64 kMaxPictureSide = 8192;      // pixels
constexpr qint64 kMaxPicturePixels = 1 << 22; // 4 Mpx, 16 MB decoded

std::uint32_t Little32(const QByteArray& bytes, int at) {
    return std::uint32_t(std::uint8_t(bytes[at])) |
           std::uint32_t(std::uint8_t(bytes[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(bytes[at + 2])) << 16 |
           std::uint32_t(std::uint8_t(bytes[at + 3])) << 24;
}

// Whether the file starts like a BMP of a sensible size that holds all the
// rows its header promises (where rows have a fixed size: uncompressed).
bool PlausibleBmp(QFile& file) {
    constexpr int kFileHeader = 14;
    constexpr int kInfoHeader = 40;
    const QByteArray head = file.read(kFileHeader + kInfoHeader);
    if (head.size() < kFileHeader + 16 || !head.startsWith("BM")) return false;
    const qint64 dataOffset = Little32(head, 10);
    const std::uint32_t infoSize = Little32(head, 14);
    if (infoSize < kInfoHeader || head.size() < kFileHeader + kInfoHeader) {
        // The old 12-byte core header: 16-bit sizes.
        return infoSize == 12;
    }
    const qint64 width = std::int32_t(Little32(head, 18));
    const qint64 height = std::abs(qint64(std::int32_t(Little32(head, 22))));
    const int bits = std::uint8_t(head[28]) | std::uint8_t(head[29]) << 8;
    const std::uint32_t compression = Little32(head, 30);
    if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide ||
        width * height > kMaxPicturePixels)
        return false;
    constexpr std::uint32_t kRgb = 0, kBitFields = 3;
    if (compression != kRgb && compression != kBitFields) return true;
    const qint64 rowBytes = (width * bits + 31) / 32 * 4;
    return dataOffset + rowBytes * height <= file.size();
}

} // namespace

bool TPicture::LoadFromFile(const QString& path) {
    FPixmap = QPixmap();
    QFile file(path);
    if (path.isEmpty() || !QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    if (!PlausibleBmp(file)) return false;
    file.seek(0);
    QImageReader reader(&file, "BMP");
    QImage image;
    if (!reader.read(&image) || image.isNull()) return false;
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
