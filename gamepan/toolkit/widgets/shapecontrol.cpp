// SPDX-License-Identifier: GPL-3.0-or-later
#include "shapecontrol.h"

#include <QPainter>

namespace Tolvane {

TShapeControl::TShapeControl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TShapeControl::SetLook(const TShapeLook& look) {
    if (look == FLook) return;
    FLook = look;
    update();
}

void TShapeControl::SetShape(TShapeType shape) {
    Change(&TShapeLook::Shape, shape);
}
void TShapeControl::SetPenColor(TColor color) {
    Change(&TShapeLook::PenColor, color);
}
void TShapeControl::SetPenWidth(int width) {
    Change(&TShapeLook::PenWidth, width);
}
void TShapeControl::SetBrushColor(TColor color) {
    Change(&TShapeLook::BrushColor, color);
}
void TShapeControl::SetBrushStyle(TBrushStyle style) {
    Change(&TShapeLook::BrushStyle, style);
}

void TShapeControl::SetShapeTypeValue(int shape) {
    if (shape >= stRectangle && shape <= stCircle) SetShape(static_cast<TShapeType>(shape));
}

void TShapeControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintShape(painter, rect(), FLook);
}

} // namespace Tolvane
