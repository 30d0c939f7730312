// SPDX-License-Identifier: GPL-3.0-or-later
#include "shapes.h"

#include <QPainter>
#include <QPen>
#include <algorithm>

namespace Tolvane {
namespace {

Qt::BrushStyle QtBrushStyle(TBrushStyle style) {
    switch (style) {
    case bsSolid:
        return Qt::SolidPattern;
    case bsClear:
        return Qt::NoBrush;
    case bsHorizontal:
        return Qt::HorPattern;
    case bsVertical:
        return Qt::VerPattern;
    case bsFDiagonal:
        return Qt::FDiagPattern;
    case bsBDiagonal:
        return Qt::BDiagPattern;
    case bsCross:
        return Qt::CrossPattern;
    case bsDiagCross:
        return Qt::DiagCrossPattern;
    }
    return Qt::SolidPattern;
}

bool UsesSquare(TShapeType shape) {
    return shape == stSquare || shape == stRoundSquare || shape == stCircle;
}

} // namespace

void PaintShape(QPainter& painter, const QRect& bounds, const TShapeLook& look) {
    if (bounds.isEmpty()) return;
    const int penWidth = std::max(look.PenWidth, 1);
    const qreal inset = penWidth / 2.0;
    QRectF outline = QRectF(bounds).adjusted(inset, inset, -inset, -inset);
    if (UsesSquare(look.Shape)) {
        const qreal side = std::min(outline.width(), outline.height());
        outline =
            QRectF(outline.center().x() - side / 2, outline.center().y() - side / 2, side, side);
    }

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBackgroundMode(Qt::TransparentMode);
    QPen pen(ToQColor(look.PenColor));
    pen.setWidth(penWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(QBrush(ToQColor(look.BrushColor), QtBrushStyle(look.BrushStyle)));
    // A hatch starts at the shape's own corner, as in a control of its own.
    painter.setBrushOrigin(bounds.topLeft());

    switch (look.Shape) {
    case stRectangle:
    case stSquare:
        painter.drawRect(outline);
        break;
    case stRoundRect:
    case stRoundSquare: {
        const qreal radius = std::min(outline.width(), outline.height()) / 4;
        painter.drawRoundedRect(outline, radius, radius);
        break;
    }
    case stEllipse:
    case stCircle:
        painter.drawEllipse(outline);
        break;
    }
    painter.restore();
}

} // namespace Tolvane
