// SPDX-License-Identifier: GPL-3.0-or-later
#include "colors.h"

#include <QGuiApplication>
#include <QPalette>

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

} // namespace Tolvane
