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
    TShapeLook look = FLook;
    look.Shape = shape;
    SetLook(look);
}

void TShapeControl::SetPenColor(TColor color) {
    TShapeLook look = FLook;
    look.PenColor = color;
    SetLook(look);
}

void TShapeControl::SetPenWidth(int width) {
    TShapeLook look = FLook;
    look.PenWidth = width;
    SetLook(look);
}

void TShapeControl::SetBrushColor(TColor color) {
    TShapeLook look = FLook;
    look.BrushColor = color;
    SetLook(look);
}

void TShapeControl::SetBrushStyle(TBrushStyle style) {
    TShapeLook look = FLook;
    look.BrushStyle = style;
    SetLook(look);
}

void TShapeControl::SetShapeTypeValue(int shape) {
    if (shape >= stRectangle && shape <= stCircle) SetShape(static_cast<TShapeType>(shape));
}

void TShapeControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintShape(painter, rect(), FLook);
}

} // namespace Tolvane
