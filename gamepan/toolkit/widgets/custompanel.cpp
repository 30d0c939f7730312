// SPDX-License-Identifier: GPL-3.0-or-later
#include "custompanel.h"

#include "gamepan/toolkit/platform/keys.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>

namespace Tolvane {

TCustomPanel::TCustomPanel(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TCustomPanel::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    update();
}

void TCustomPanel::SetCaption(const QString& caption) {
    if (caption == FCaption) return;
    FCaption = caption;
    update();
}

void TCustomPanel::AlignToClient() {
    if (QWidget* parent = parentWidget()) setGeometry(parent->contentsRect());
}

void TCustomPanel::SetTabStop(bool tabStop) {
    setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

bool TCustomPanel::CanFocus() const {
    return isVisible() && isEnabled() && focusPolicy() != Qt::NoFocus;
}

void TCustomPanel::Paint(QPainter& painter, const QRect& dirty) {
    painter.fillRect(dirty, ToQColor(FColor));
    if (!FCaption.isEmpty()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(rect(), Qt::AlignCenter, FCaption);
    }
}

void TCustomPanel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    FCanvas = &painter;
    Paint(painter, event->rect());
    FCanvas = nullptr;
}

void TCustomPanel::keyPressEvent(QKeyEvent* event) {
    if (!OnKeyDown) {
        QWidget::keyPressEvent(event);
        return;
    }
    std::uint16_t key = VirtualKey(*event);
    // From a copy: the owner may cut the board off while handling the key.
    const TKeyEvent handler = OnKeyDown;
    handler(this, key, event->modifiers());
}

void TCustomPanel::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    TakeHoverFocus();
}

void TCustomPanel::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    TakeHoverFocus();
}

void TCustomPanel::TakeHoverFocus() {
    if (isEnabled() && !hasFocus()) setFocus(Qt::MouseFocusReason);
}

} // namespace Tolvane
