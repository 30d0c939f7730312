// SPDX-License-Identifier: GPL-3.0-or-later
#include "paintbox.h"

#include <QPainter>

namespace Tolvane {

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {}

void TPaintBox::paintEvent(QPaintEvent*) {
    if (!OnPaint) return;
    QPainter painter(this);
    FCanvas = &painter;
    OnPaint(this);
    FCanvas = nullptr;
}

} // namespace Tolvane
