// SPDX-License-Identifier: GPL-3.0-or-later
#include "fgr.h"

#include "gamepan/toolkit/platform/random.h"

#include <QPainter>
#include <cstdlib>

namespace Tolvane {

using namespace Figures;

namespace {
constexpr int kStartMinPx = 5; // a fresh piece lies 5..14 pixels from the corner
constexpr int kStartSpreadPx = 10;
} // namespace

TFgr::TFgr(TFgrParent& parent) : FParent(parent) {
    FLeft = kStartMinPx + Random(kStartSpreadPx);
    FTop = kStartMinPx + Random(kStartSpreadPx);
    FTag = 1 + Random(kOrientations);
}

void TFgr::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    FParent.InvalidateRect(BoundsRect());
}

TOutline TFgr::LocalOutline() const {
    return Figures::Outline(FKind, FTag, FLengths);
}

QPolygon TFgr::Outline() const {
    const TOutline outline = LocalOutline();
    QPolygon polygon;
    for (int i = 0; i < outline.Count; ++i) polygon << outline.Corners[i] + QPoint(FLeft, FTop);
    return polygon;
}

bool TFgr::OnShape(QPoint local) const {
    return QRect(0, 0, FWidth, FHeight).contains(local) && Figures::OnShape(LocalOutline(), local);
}

void TFgr::SetBounds(int left, int top, int width, int height) {
    const QRect old = BoundsRect();
    const QRect now(left, top, width, height);
    if (now == old) return;
    FParent.InvalidateRect(old);
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    FParent.InvalidateRect(now);
}

void TFgr::SetUnit(std::int32_t unit) {
    if (unit == FUnit) return;
    FUnit = unit;
    FLengths = CalcLengths(unit);
    const int oldWidth = FWidth;
    const int oldHeight = FHeight;
    const QSize box = BoxSize(FKind, FTag, FLengths);
    // The position scales with the box, so the pieces keep their places
    // relative to each other; the first unit spreads them from 65 × 17.
    int left = oldWidth != 0 ? std::abs(FLeft * box.width() / oldWidth) : 0;
    int top = oldHeight != 0 ? std::abs(FTop * box.height() / oldHeight) : 0;
    left = KeptInside(left, box.width(), FParent.ClientWidth());
    top = KeptInside(top, box.height(), FParent.ClientHeight());
    SetBounds(left, top, box.width(), box.height());
}

void TFgr::Place(int left, int top, int orientation) {
    if (orientation < 1 || orientation > kOrientations) return;
    FTag = orientation;
    const QSize box = BoxSize(FKind, FTag, FLengths);
    SetBounds(left, top, box.width(), box.height());
}

void TFgr::KeepInside() {
    SetBounds(KeptInside(FLeft, FWidth, FParent.ClientWidth()),
              KeptInside(FTop, FHeight, FParent.ClientHeight()), FWidth, FHeight);
}

void TFgr::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint local) {
    // Only this button's hit is decided here: a press of another button that
    // misses the shape during a drag or a turn must not lose the release
    // that counts them.
    FHit.setFlag(button, false);
    if (!OnShape(local)) return;
    FHit.setFlag(button, true);
    if (button == Qt::LeftButton) {
        FDragging = true;
        FGrabX = local.x();
        FGrabY = local.y();
        FParent.InvalidateRect(BoundsRect()); // the dotted pen
    } else if (button == Qt::RightButton) {
        // About the box centre; no pulling onto the board until the release.
        FTag = Turned(FTag, modifiers.testFlag(Qt::ControlModifier));
        const QSize box = BoxSize(FKind, FTag, FLengths);
        SetBounds(FLeft - (box.width() - FWidth) / 2, FTop - (box.height() - FHeight) / 2,
                  box.width(), box.height());
    }
}

void TFgr::MouseMove(QPoint local) {
    if (!FDragging) return;
    // The grab point stays under the pointer; no pulling in during the drag.
    SetBounds(FLeft + local.x() - FGrabX, FTop + local.y() - FGrabY, FWidth, FHeight);
}

void TFgr::MouseUp(Qt::MouseButton button, QPoint) {
    // Every left release ends a drag.
    const bool endsDrag = button == Qt::LeftButton && FDragging;
    if (!FHit.testFlag(button) && !endsDrag) {
        FParent.SendToBack(*this);
        return;
    }
    if (button == Qt::LeftButton) FDragging = false;
    KeepInside();
    FHit.setFlag(button, false);
    FParent.SendToBack(*this);
    FParent.InvalidateRect(BoundsRect()); // the solid pen again
    DoMoved();
}

bool TFgr::EndPress() {
    if (!CancelPress()) return false;
    FParent.SendToBack(*this);
    return true;
}

bool TFgr::CancelPress() {
    if (!FDragging && !Hit()) return false;
    FDragging = false;
    FHit = Qt::NoButton;
    KeepInside();
    FParent.InvalidateRect(BoundsRect()); // the solid pen again
    return true;
}

void TFgr::DoMoved() {
    // The handler may free this piece: it runs from a copy, and nothing of
    // the piece is touched after it.
    const auto moved = OnMoved;
    if (moved) moved(this);
}

void TFgr::Paint(QPainter& painter) const {
    const TOutline outline = LocalOutline();
    if (outline.Count == 0) return;
    std::array<QPoint, kMaxCorners + 1> corners{};
    for (int i = 0; i < outline.Count; ++i) corners[i] = outline.Corners[i] + QPoint(FLeft, FTop);
    painter.save();
    painter.setClipRect(BoundsRect(), Qt::IntersectClip);
    if (FFinished) {
        // Filled in its own colour with the finish-colour outline, on every
        // paint, so the finished square stays in view.
        painter.setPen(QPen(ToQColor(FFinishColor), kPenWidthPx));
        painter.setBrush(ToQColor(FColor));
        painter.drawPolygon(corners.data(), outline.Count);
    } else {
        painter.setPen(FDragging ? QPen(ToQColor(FColor), kDragPenWidthPx, Qt::DotLine)
                                 : QPen(ToQColor(FColor), kPenWidthPx));
        painter.setBrush(Qt::NoBrush);
        corners[outline.Count] = corners[0];
        painter.drawPolyline(corners.data(), outline.Count + 1);
    }
    painter.restore();
}

} // namespace Tolvane
