// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QString>
#include <memory>

class QPainter;
class QRect;
class QSize;

namespace Tolvane {

// A bitmap loaded from a BMP file, drawn at a point, stretched or tiled.
class TPicture {
public:
    // False, with the picture left empty, when the file is missing or not a BMP.
    bool LoadFromFile(const QString& path);

    int Width() const { return FPixmap.width(); }
    int Height() const { return FPixmap.height(); }
    bool IsEmpty() const { return FPixmap.isNull() || Width() == 0 || Height() == 0; }
    const QPixmap& Pixmap() const { return FPixmap; }

    void Draw(QPainter& painter, int left, int top) const;
    void StretchDraw(QPainter& painter, const QRect& rect) const;
    // Copies from the top-left corner: for i = 0 .. area width div picture
    // width and j = 0 .. area height div picture height, both inclusive.
    void DrawTiled(QPainter& painter, const QSize& area) const;

private:
    QPixmap FPixmap;
};

// Loads the file at path into picture, making the picture when there is
// none. A file that cannot be loaded is reported as failure + path; the
// picture is then dropped and the path forgotten, so that nothing tries the
// same file again. True when the picture holds the file.
bool LoadPictureOrReport(std::unique_ptr<TPicture>& picture, QString& path,
                         const QString& failure = QStringLiteral("Cannot Open "));

} // namespace Tolvane
