// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/toolkit/widgets/shapes.h"

#include <QColor>
#include <QWidget>

namespace Tolvane {

// A shape control: draws one shape within its bounds and lets the mouse
// through to what lies beneath. The properties let a form layout set it up.
class TShapeControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int shapeType READ ShapeTypeValue WRITE SetShapeTypeValue)
    Q_PROPERTY(QColor penColor READ PenQColor WRITE SetPenQColor)
    Q_PROPERTY(QColor brushColor READ BrushQColor WRITE SetBrushQColor)
public:
    explicit TShapeControl(QWidget* parent = nullptr);

    const TShapeLook& Look() const { return FLook; }
    void SetLook(const TShapeLook& look);

    void SetShape(TShapeType shape);
    void SetPenColor(TColor color);
    void SetPenWidth(int width);
    void SetBrushColor(TColor color);
    void SetBrushStyle(TBrushStyle style);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int ShapeTypeValue() const { return FLook.Shape; }
    void SetShapeTypeValue(int shape);
    QColor PenQColor() const { return ToQColor(FLook.PenColor); }
    void SetPenQColor(const QColor& color) { SetPenColor(FromQColor(color)); }
    QColor BrushQColor() const { return ToQColor(FLook.BrushColor); }
    void SetBrushQColor(const QColor& color) { SetBrushColor(FromQColor(color)); }

    // A classic shape control starts as a white rectangle with a black outline.
    // One field of the look changed; repaints only when it really changed.
    template <typename T> void Change(T TShapeLook::*field, T value) {
        TShapeLook look = FLook;
        look.*field = value;
        SetLook(look);
    }

    TShapeLook FLook{};
};

} // namespace Tolvane
