// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace Tolvane {

TPanel::TPanel(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPanel::SetCaption(const QString& caption) {
    if (caption == FCaption) return;
    FCaption = caption;
    if (FTitleBar) update(TitleBarRect());
}

void TPanel::SetColor(TColor color) {
    FColor = color;
    update();
}

QMargins TPanel::FrameMargins(bool titleBar) {
    return {kBorder, kBorder + (titleBar ? kTitleHeight : 0), kBorder, kBorder};
}

void TPanel::SetFrame(bool framed, bool titleBar) {
    FFramed = framed;
    FTitleBar = framed && titleBar;
    FDrag = TDrag::None;
    setContentsMargins(framed ? FrameMargins(FTitleBar) : QMargins());
    if (!framed) unsetCursor();
    update();
}

int TPanel::ClientWidth() const {
    return contentsRect().width();
}

int TPanel::ClientHeight() const {
    return contentsRect().height();
}

void TPanel::SetClientWidth(int width) {
    const QMargins m = contentsMargins();
    resize(width + m.left() + m.right(), height());
}

void TPanel::SetClientHeight(int height) {
    const QMargins m = contentsMargins();
    resize(width(), height + m.top() + m.bottom());
}

void TPanel::RepaintTitleBar() {
    if (FTitleBar && isVisible()) repaint(TitleBarRect());
}

QRect TPanel::TitleBarRect() const {
    return QRect(kBorder, kBorder, width() - 2 * kBorder, kTitleHeight);
}

Qt::Edges TPanel::EdgesAt(QPoint at) const {
    Qt::Edges edges;
    if (!FFramed) return edges;
    if (at.x() < kBorder) edges |= Qt::LeftEdge;
    if (at.x() >= width() - kBorder) edges |= Qt::RightEdge;
    if (at.y() < kBorder) edges |= Qt::TopEdge;
    if (at.y() >= height() - kBorder) edges |= Qt::BottomEdge;
    return edges;
}

void TPanel::PaintFrame(QPainter& painter) const {
    // A raised sizing border in the button face colour, like a small window.
    const QColor face = ToQColor(clBtnFace);
    const QRect outer = rect();
    painter.fillRect(QRect(0, 0, width(), kBorder), face);
    painter.fillRect(QRect(0, height() - kBorder, width(), kBorder), face);
    painter.fillRect(QRect(0, 0, kBorder, height()), face);
    painter.fillRect(QRect(width() - kBorder, 0, kBorder, height()), face);
    painter.setPen(ToQColor(clWhite));
    painter.drawLine(outer.topLeft(), outer.topRight());
    painter.drawLine(outer.topLeft(), outer.bottomLeft());
    painter.setPen(ToQColor(clGray));
    painter.drawLine(outer.bottomLeft(), outer.bottomRight());
    painter.drawLine(outer.topRight(), outer.bottomRight());

    if (!FTitleBar) return;
    const QRect title = TitleBarRect();
    QLinearGradient gradient(title.topLeft(), title.topRight());
    gradient.setColorAt(0, ToQColor(clNavy));
    gradient.setColorAt(1, QColor(0x10, 0x84, 0xD0));
    painter.fillRect(title, gradient);
    QFont titleFont = font();
    titleFont.setPixelSize(kTitleHeight - 5);
    titleFont.setBold(true);
    painter.setFont(titleFont);
    painter.setPen(ToQColor(clWhite));
    painter.drawText(title.adjusted(3, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter, FCaption);
}

void TPanel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), ToQColor(FColor));
    if (FFramed) PaintFrame(painter);
}

void TPanel::mousePressEvent(QMouseEvent* event) {
    if (!FFramed || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    if (const Qt::Edges edges = EdgesAt(at)) {
        FDrag = TDrag::Resize;
        FDragEdges = edges;
    } else if (FTitleBar && TitleBarRect().contains(at)) {
        FDrag = TDrag::Move;
    } else {
        FDrag = TDrag::None;
        return;
    }
    FDragStart = event->globalPosition().toPoint();
    FDragBounds = geometry();
}

namespace {

Qt::CursorShape ResizeCursor(Qt::Edges edges) {
    const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
    const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
    if (horizontal && vertical) {
        const bool falling = bool(edges & Qt::LeftEdge) == bool(edges & Qt::TopEdge);
        return falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
    }
    return horizontal ? Qt::SizeHorCursor : Qt::SizeVerCursor;
}

} // namespace

void TPanel::mouseMoveEvent(QMouseEvent* event) {
    if (FDrag == TDrag::None) {
        // The border shows where it can be taken hold of.
        if (const Qt::Edges edges = EdgesAt(event->position().toPoint()))
            setCursor(ResizeCursor(edges));
        else
            unsetCursor();
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint delta = event->globalPosition().toPoint() - FDragStart;
    if (FDrag == TDrag::Move) {
        move(FDragBounds.topLeft() + delta);
        return;
    }
    QRect bounds = FDragBounds;
    if (FDragEdges & Qt::LeftEdge)
        bounds.setLeft(std::min(bounds.left() + delta.x(), bounds.right() - kMinimumSide + 1));
    if (FDragEdges & Qt::RightEdge)
        bounds.setRight(std::max(bounds.right() + delta.x(), bounds.left() + kMinimumSide - 1));
    if (FDragEdges & Qt::TopEdge)
        bounds.setTop(std::min(bounds.top() + delta.y(), bounds.bottom() - kMinimumSide + 1));
    if (FDragEdges & Qt::BottomEdge)
        bounds.setBottom(std::max(bounds.bottom() + delta.y(), bounds.top() + kMinimumSide - 1));
    setGeometry(bounds);
}

void TPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (FDrag == TDrag::None) QWidget::mouseReleaseEvent(event);
    FDrag = TDrag::None;
}

void TPanel::leaveEvent(QEvent* event) {
    if (FDrag == TDrag::None) unsetCursor();
    QWidget::leaveEvent(event);
}

} // namespace Tolvane
