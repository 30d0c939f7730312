// SPDX-License-Identifier: GPL-3.0-or-later
#include "fgrs.h"

#include "gamepan/toolkit/platform/random.h"
#include "gamepan/toolkit/widgets/timer.h"

#include <QLoggingCategory>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QResizeEvent>
#include <algorithm>
#include <utility>

namespace Tolvane {

// Silent unless QT_LOGGING_RULES turns "tolvane.figures.debug" on.
Q_LOGGING_CATEGORY(lcFigures, "tolvane.figures", QtWarningMsg)

using namespace Figures;

namespace {
constexpr int kClockIntervalMs = 1000;

// The kind of piece 1..5: piece 2 is the big triangle for the big square,
// the small one for the small square.
std::uint16_t KindOf(int number, TFSquare square) {
    if (number == 2) return square == Big ? 2 : 6;
    return static_cast<std::uint16_t>(number);
}
} // namespace

TFgrs::TFgrs(QWidget* parent) : TGameBoard(parent) {
    SetTabStop(true);
}

TFgrs::~TFgrs() = default;

const TFgr* TFgrs::Piece(int number) const {
    if (number < 1 || number > kPieces) return nullptr;
    return FFigures[number - 1].get();
}

void TFgrs::PlacePiece(int number, int left, int top, int orientation) {
    if (number < 1 || number > kPieces || !FFigures[number - 1]) return;
    FFigures[number - 1]->Place(left, top, orientation);
}

std::array<int, kPieces> TFgrs::ZOrder() const {
    std::array<int, kPieces> numbers{};
    for (int i = 0; i < kPieces; ++i)
        if (FFigures[FZOrder[i]]) numbers[i] = FZOrder[i] + 1;
    return numbers;
}

int TFgrs::IndexOf(const TFgr* piece) const {
    for (int i = 0; i < kPieces; ++i)
        if (FFigures[i].get() == piece) return i;
    return -1;
}

void TFgrs::SendToBack(TFgr& piece) {
    const int index = IndexOf(&piece);
    if (index < 0) return;
    auto at = std::find(FZOrder.begin(), FZOrder.end(), index);
    std::rotate(FZOrder.begin(), at, at + 1);
    update(piece.BoundsRect());
}

void TFgrs::InvalidateRect(const QRect& rect) {
    update(rect);
}

void TFgrs::DropGrab() {
    if (TFgr* grab = std::exchange(FGrab, nullptr)) grab->CancelPress();
}

void TFgrs::EndGrab() {
    TFgr* grab = std::exchange(FGrab, nullptr);
    if (!grab || !grab->EndPress()) return;
    ++FMoves;
    // The pause or stop may come from the middle of the owner's own work (a
    // mode switch frees the board that way), so the owner hears of the move
    // once that work is done.
    FEndedMovePending = true;
    QMetaObject::invokeMethod(this, &TFgrs::ReportEndedMove, Qt::QueuedConnection);
}

void TFgrs::ReportEndedMove() {
    if (std::exchange(FEndedMovePending, false)) Fire(OnMove, this);
}

void TFgrs::FreePieces() {
    DropGrab();
    for (auto& piece : FFigures) piece.reset();
    FZOrder = {0, 1, 2, 3, 4};
}

void TFgrs::SetActive(bool value) {
    if (!value) {
        FActive = false;
        EndGrab();
        return;
    }
    FActive = true;
    FMoves = 0;
    FEndedMovePending = false;
    FPainted = false;
    FDealtSquare = FSquareSize;
    FreePieces();
    if (!FTimer) {
        FTimer = new TTimer([this] { ClockTick(); }, this);
        FTimer->SetInterval(kClockIntervalMs);
        FTimer->SetEnabled(!FPaused);
    }
    FFigureUnit = ComputeUnit(width(), height(), FWidthHeight);
    // Once for the whole deal: pieces made within one clock tick would
    // otherwise all draw the same place and orientation.
    Randomize();
    TFgrParent& parent = *this;
    for (int i = 0; i < kPieces; ++i) {
        auto piece = std::make_unique<TFgr>(parent);
        piece->SetKind(KindOf(i + 1, FDealtSquare));
        piece->OnMoved = [this](TFgr*) { PieceMoved(); };
        piece->SetUnit(FFigureUnit);
        FFigures[i] = std::move(piece);
    }
    ColorPieces();
    update();
}

void TFgrs::SetPaused(bool value) {
    if (!FActive) return;
    FPaused = value;
    if (FTimer) FTimer->SetEnabled(!value);
    if (value) EndGrab();
}

void TFgrs::SetWidthHeight(std::uint16_t percent) {
    if (percent == FWidthHeight) return;
    FWidthHeight = percent;
    Resize();
}

void TFgrs::SetColorMode(TColorTAFShapes mode) {
    if (mode == FColorMode) return;
    FColorMode = mode;
    ColorPieces();
}

void TFgrs::ColorPieces() {
    for (int i = 0; i < kPieces; ++i)
        if (FFigures[i]) FFigures[i]->SetColor(PieceColor(FColorMode, i + 1));
}

void TFgrs::Resize() {
    FFigureUnit = ComputeUnit(width(), height(), FWidthHeight);
    for (auto& piece : FFigures) {
        if (!piece) continue;
        piece->SetUnit(FFigureUnit);
        // A board that shrank along its longer side keeps U, and a piece
        // beyond the new edge could never be reached again.
        piece->KeepInside();
    }
}

void TFgrs::resizeEvent(QResizeEvent* event) {
    TGameBoard::resizeEvent(event);
    Resize();
}

void TFgrs::ClockTick() {
    if (FActive) DoTime();
}

void TFgrs::PieceMoved() {
    ++FMoves;
    const QPointer<TFgrs> alive(this);
    Fire(OnMove, this);
    // The owner may have freed, stopped or paused the board in its handler.
    if (!alive || !Playing()) return;
    CheckSolved();
}

void TFgrs::CheckSolved() {
    TPlacements placements;
    for (int i = 0; i < kPieces; ++i) {
        if (!FFigures[i]) return;
        placements[i] = {FFigures[i]->Left(), FFigures[i]->Top(), FFigures[i]->Tag()};
    }
    // Judged by the square dealt at the start: piece 2 fits only that one.
    if (SolvedArrangement(FDealtSquare, placements, CalcLengths(FFigureUnit)) != 0) DoOver();
}

void TFgrs::DoOver() {
    qCDebug(lcFigures) << "square built in" << FMoves << "moves";
    FActive = false;
    DropGrab();
    delete FTimer;
    FTimer = nullptr;
    const TColor finish = FinishColor(FColorMode, Color());
    for (auto& piece : FFigures) {
        if (!piece) continue;
        piece->SetFinishColor(finish);
        piece->SetFinished(true);
    }
    update();
    // Last: the owner may free the board or deal again in its handler.
    Fire(OnOver, this);
}

void TFgrs::MouseDown(Qt::MouseButton button, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers modifiers, QPoint point) {
    if ((buttons & ~Qt::MouseButtons(button)) == Qt::NoButton) {
        // A new press: a grab left from a release that never came goes.
        DropGrab();
        if (!Playing()) return;
        for (auto it = FZOrder.rbegin(); it != FZOrder.rend() && !FGrab; ++it) {
            TFgr* piece = FFigures[*it].get();
            if (piece && piece->BoundsRect().contains(point)) FGrab = piece;
        }
    }
    if (!FGrab || !Playing()) return;
    FGrab->MouseDown(button, modifiers, point - FGrab->BoundsRect().topLeft());
}

void TFgrs::MouseMove(QPoint point) {
    if (!FGrab || !Playing()) return;
    FGrab->MouseMove(point - FGrab->BoundsRect().topLeft());
}

void TFgrs::MouseUp(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint point) {
    TFgr* target = FGrab;
    if (buttons == Qt::NoButton) FGrab = nullptr;
    if (!target || !Playing()) return;
    // Last: the move it reports may end the game, and the owner may free the
    // board in its over handler.
    target->MouseUp(button, point - target->BoundsRect().topLeft());
}

void TFgrs::mousePressEvent(QMouseEvent* event) {
    MouseDown(event->button(), event->buttons(), event->modifiers(), event->position().toPoint());
}

void TFgrs::mouseMoveEvent(QMouseEvent* event) {
    TGameBoard::mouseMoveEvent(event);
    MouseMove(event->position().toPoint());
}

void TFgrs::mouseReleaseEvent(QMouseEvent* event) {
    MouseUp(event->button(), event->buttons(), event->position().toPoint());
}

void TFgrs::Paint(QPainter& painter, const QRect& dirty) {
    TGameBoard::Paint(painter, dirty);
    for (int index : FZOrder) {
        const TFgr* piece = FFigures[index].get();
        if (piece && piece->BoundsRect().intersects(dirty)) piece->Paint(painter);
    }
}

} // namespace Tolvane
