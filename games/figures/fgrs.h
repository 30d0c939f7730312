// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/toolkit/board/gameboard.h"
#include "gamepan/toolkit/widgets/colors.h"
#include "gamepan/toolkit/widgets/notify.h"
#include "games/figures/fgr.h"
#include "games/figures/figure.h"

#include <array>
#include <cstdint>
#include <memory>

namespace Tolvane {

class TTimer;

// The Figures board: five pieces, records the board draws and hands the
// mouse to, dragged with the left button and turned with the right until
// they form the square. The result is the number of moves.
//
// The mouse reaches a piece only while a game runs and is not paused: a
// press goes to the topmost piece whose box holds the point, and that piece
// keeps every further press, motion and release until all buttons are up.
class TFgrs : public TGameBoard, private TFgrParent {
    Q_OBJECT
public:
    explicit TFgrs(QWidget* parent = nullptr);
    ~TFgrs() override;

    // Fired after every counted move; Moves() is already updated. A move
    // counted by a pause or a stop is reported once control is back in the
    // event loop, and only when no new game was dealt meanwhile.
    TNotifyEvent OnMove;

    // True deals five new pieces (also while a game runs) and starts the
    // count and the clock; false only stops, leaving pieces and clock.
    // A piece in hand at a stop counts its move, as at a pause.
    void SetActive(bool value) override;
    // Only while a game runs: stops the clock and cuts the mouse off. A
    // press on a piece's shape under way ends there and counts its move, so
    // that no place or turn is had for free; it is judged at the next move.
    void SetPaused(bool value) override;

    std::int32_t Moves() const { return FMoves; }

    // U as a percentage of the smaller side (the owner keeps it in
    // Figures::kMinWidthHeight..kMaxWidthHeight); resizes the pieces at once.
    std::uint16_t WidthHeight() const { return FWidthHeight; }
    void SetWidthHeight(std::uint16_t percent);
    // colorFixed or colorFixed2; recolours the pieces at once.
    TColorTAFShapes ColorMode() const { return FColorMode; }
    void SetColorMode(TColorTAFShapes mode);
    // The square of the next start. A running game keeps the square it was
    // dealt for: its piece 2 fits only that one.
    TFSquare SquareSize() const { return FSquareSize; }
    void SetSquareSize(TFSquare square) { FSquareSize = square; }
    TFSquare DealtSquare() const { return FDealtSquare; }

    // U in pixels, from the last start or resize; 0 before the first start.
    std::int32_t FigureUnit() const { return FFigureUnit; }

    virtual void ColorPieces();

    // Piece 1..5 (kind 1, 2 or 6, 3, 4, 5); nullptr outside or before the
    // first start.
    const TFgr* Piece(int number) const;
    // Lays piece 1..5 at a place and orientation as given: no move is
    // counted, nothing is judged and nothing is pulled onto the board.
    void PlacePiece(int number, int left, int top, int orientation);
    // Piece numbers from the bottom of the z-order to the top; 0 for none.
    std::array<int, Figures::kPieces> ZOrder() const;

    // The mouse in board pixels, as the widget's mouse events deliver it;
    // `buttons` is every button held after the change.
    void MouseDown(Qt::MouseButton button, Qt::MouseButtons buttons,
                   Qt::KeyboardModifiers modifiers, QPoint point);
    void MouseMove(QPoint point);
    void MouseUp(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint point);

protected:
    // Ends the game: stops, frees the clock, shows the square finished and
    // fires OnOver last.
    virtual void DoOver();

    void CutOffEvents() override { OnMove = nullptr; }
    void Paint(QPainter& painter, const QRect& dirty) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int ClientWidth() const override { return width(); }
    int ClientHeight() const override { return height(); }
    void SendToBack(TFgr& piece) override;
    void InvalidateRect(const QRect& rect) override;

    bool Playing() const { return FActive && !FPaused; }
    void Resize();
    void ClockTick();
    void PieceMoved();
    void CheckSolved();
    void FreePieces();
    // Ends the press under way, if any, without a move.
    void DropGrab();
    // Ends the press under way, if any, counting its move when it was on
    // the shape.
    void EndGrab();
    void ReportEndedMove();
    int IndexOf(const TFgr* piece) const;

    // [piece − 1], owned by the board.
    std::array<std::unique_ptr<TFgr>, Figures::kPieces> FFigures;
    TTimer* FTimer = nullptr; // child of the board, or none
    std::int32_t FMoves = 0;
    std::uint16_t FWidthHeight = 70;
    TFSquare FSquareSize = Big;
    TFSquare FDealtSquare = Big;
    TColorTAFShapes FColorMode = colorFixed2;
    std::int32_t FFigureUnit = 0;
    // Piece indexes 0..4 from the bottom of the z-order to the top.
    std::array<int, Figures::kPieces> FZOrder{0, 1, 2, 3, 4};
    // The piece that took the press under way, until every button is up.
    TFgr* FGrab = nullptr;
    // A move counted by EndGrab that the owner has not heard of yet.
    bool FEndedMovePending = false;
};

} // namespace Tolvane
