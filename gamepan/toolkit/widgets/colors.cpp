// SPDX-License-Identifier: GPL-3.0-or-later
#include "colors.h"

#include <QGuiApplication>
#include <QPalette>
#include <QWidget>

namespace Tolvane {

QColor ToQColor(TColor color) {
    if (IsSystemColor(color)) {
        const QPalette palette = QGuiApplication::palette();
        if (color == clBtnHighlight) return palette.color(QPalette::Light);
        return palette.color(QPalette::Button);
    }
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

TColor FromQColor(const QColor& color) {
    return RGBToColor(color.red(), color.green(), color.blue());
}

namespace {
constexpr int kSystemColorNumbers = 255 - kSystemColorAlpha; // 0..30, as many as there are

int SystemColorNumber(TColor color) {
    return color & 0xFF;
}
} // namespace

QColor ToPropertyColor(TColor color) {
    QColor shown = ToQColor(color);
    if (IsSystemColor(color) && SystemColorNumber(color) < kSystemColorNumbers)
        shown.setAlpha(kSystemColorAlpha + SystemColorNumber(color));
    return shown;
}

TColor FromPropertyColor(const QColor& color) {
    const int alpha = color.alpha();
    if (alpha >= kSystemColorAlpha && alpha < 255)
        return static_cast<TColor>(0x80000000u | unsigned(alpha - kSystemColorAlpha));
    return FromQColor(color);
}

void SetRoleColor(QWidget& widget, std::initializer_list<QPalette::ColorRole> roles,
                  const QColor& color, bool disabledToo) {
    QPalette palette = widget.palette();
    for (const QPalette::ColorRole role : roles) {
        palette.setColor(QPalette::Active, role, color);
        palette.setColor(QPalette::Inactive, role, color);
        if (disabledToo) palette.setColor(QPalette::Disabled, role, color);
    }
    widget.setPalette(palette);
}

} // namespace Tolvane
