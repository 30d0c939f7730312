// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "games/figures/figure.h"

#include <QPolygon>
#include <QRect>
#include <Qt>
#include <cstdint>
#include <functional>

class QPainter;

namespace Tolvane {

class TFgr;

// What a piece needs of the board it lies on.
class TFgrParent {
public:
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;
    // Below every other piece, so the next press on that spot reaches the
    // piece beneath.
    virtual void SendToBack(TFgr& piece) = 0;
    virtual void InvalidateRect(const QRect& rect) = 0;

protected:
    ~TFgrParent() = default;
};

// One of the five pieces: a record the board draws and hands the mouse to.
// It draws its outline as a polygon inside its box, derived from the unit U;
// the box is where it lies on the board. The parent outlives the piece.
class TFgr {
public:
    // Draws the starting place (left, then top, 5..14 pixels) and the
    // orientation (1..8) from the program's generator, in that order; the
    // board seeds the generator once for the whole deal.
    explicit TFgr(TFgrParent& parent);
    virtual ~TFgr() = default;

    TFgr(const TFgr&) = delete;
    TFgr& operator=(const TFgr&) = delete;

    // Fired with the piece after every press-and-release on its shape, as the
    // last thing the release does: the handler may free the piece.
    std::function<void(TFgr* sender)> OnMoved;

    std::uint16_t Kind() const { return FKind; }
    // Takes effect at the next SetUnit.
    void SetKind(std::uint16_t kind) { FKind = kind; }
    // 1..8; orientation n + 1 is n turned 45° clockwise.
    std::int32_t Tag() const { return FTag; }
    std::int32_t Unit() const { return FUnit; }

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    QRect BoundsRect() const { return {FLeft, FTop, FWidth, FHeight}; }

    // The pen colour: the piece's own colour, set by the board.
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TColor FinishColor() const { return FFinishColor; }
    void SetFinishColor(TColor color) { FFinishColor = color; }
    bool Finished() const { return FFinished; }
    // No repaint of its own: the board repaints once for all pieces.
    void SetFinished(bool finished) { FFinished = finished; }

    bool Dragging() const { return FDragging; }
    // The last press landed on the shape; held per button, so that the
    // release of each button knows whether its own press counted.
    bool Hit() const { return FHit != Qt::NoButton; }
    Qt::MouseButtons HitButtons() const { return FHit; }

    // Sizes the piece for unit U and scales its position with its box, keeping
    // it on the board; nothing happens when U is the current unit.
    void SetUnit(std::int32_t unit);
    // Lays the piece at a place and orientation (1..8, others ignored) as
    // they are, without a move and without pulling it onto the board.
    void Place(int left, int top, int orientation);
    // Pulls the box onto the board if it lies partly off it.
    void KeepInside();

    // The outline in board pixels; empty for a kind or orientation off the tables.
    QPolygon Outline() const;
    // A point in the piece's own pixels inside its box and on its shape.
    bool OnShape(QPoint local) const;

    // The mouse, in the piece's own pixels.
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint local);
    void MouseMove(QPoint local);
    void MouseUp(Qt::MouseButton button, QPoint local);
    // Ends the press under way as its release would, for a game paused or
    // stopped with the piece in hand: the piece stays where it is, pulled
    // onto the board and sent back. True when the press was on the shape,
    // so that it is a move; the board counts it itself (OnMoved is not
    // fired).
    bool EndPress();
    // Ends the press under way without a move: the game is over, or its
    // release was lost. True when there was one.
    bool CancelPress();

    // Clipped to the box, as a transparent label is.
    void Paint(QPainter& painter) const;

protected:
    virtual void DoMoved();

private:
    Figures::TOutline LocalOutline() const;
    void SetBounds(int left, int top, int width, int height);

    TFgrParent& FParent;
    bool FFinished = false;
    TColor FFinishColor = clBlack;
    std::uint16_t FKind = 0;
    std::int32_t FUnit = 0;
    bool FDragging = false;
    Qt::MouseButtons FHit = Qt::NoButton;
    std::int32_t FTag = 1;
    TColor FColor = clBlack;
    Figures::TLengths FLengths; // of FUnit
    int FLeft = 0;
    int FTop = 0;
    int FWidth = Figures::kFreshWidthPx;
    int FHeight = Figures::kFreshHeightPx;
    // The press point of the drag under way, in the piece's own pixels.
    int FGrabX = 0;
    int FGrabY = 0;
};

} // namespace Tolvane
