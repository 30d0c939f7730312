// SPDX-License-Identifier: GPL-3.0-or-later
#include "rcnd.h"

#include "gamepan/toolkit/board/direction.h"
#include "gamepan/toolkit/platform/keys.h"
#include "gamepan/toolkit/platform/messages.h"
#include "gamepan/toolkit/platform/random.h"
#include "gamepan/toolkit/widgets/timer.h"

#include <QPainter>
#include <QResizeEvent>
#include <algorithm>

namespace Tolvane {

namespace {
constexpr int kSecondMs = 1000;

// Marks a tick as running for its lifetime.
class TTicking {
public:
    explicit TTicking(bool& flag) : FFlag(flag) { FFlag = true; }
    ~TTicking() { FFlag = false; }
    TTicking(const TTicking&) = delete;
    TTicking& operator=(const TTicking&) = delete;

private:
    bool& FFlag;
};
} // namespace

TRcnd::TRcnd(QWidget* parent) : TGameBoard(parent) {
    Randomize();
}

TRcnd::~TRcnd() = default;

void TRcnd::SetActive(bool value) {
    if (value == FActive) return;
    FActive = value;
    if (!value) return;
    FPainted = false;
    // A new game starts unpaused, whatever the last one was left at.
    FPaused = false;
    if (!FTimer) FTimer = new TTimer([this] { Tick(); }, this);
    FTimer->SetEnabled(false);
    FTimer->SetInterval(FADelay);
    if (!FSecondTimer) FSecondTimer = new TTimer([this] { SecondTick(); }, this);
    FSecondTimer->SetEnabled(false);
    FSecondTimer->SetInterval(kSecondMs);
    AlignToClient();
    FField.StartGame();
}

void TRcnd::SetPaused(bool value) {
    if (value == FPaused || !FTimer || !FSecondTimer) return;
    FPaused = value;
    FTimer->SetEnabled(!value);
    FSecondTimer->SetEnabled(!value);
    if (FActive && value) FField.Sweep();
}

void TRcnd::SetADelay(std::int32_t ms) {
    FADelay = ms;
    if (FTimer) FTimer->SetInterval(ms);
}

std::span<const TKeyBinding> TRcnd::Keys() const {
    static constexpr TKeyBinding kKeys[] = {
        Bind<&TRcnd::MoveLeft>(VK_NUMPAD4, drLeft, VK_LEFT),
        Bind<&TRcnd::MoveRight>(VK_NUMPAD6, drRight, VK_RIGHT),
        Bind<&TRcnd::BallUp>(VK_NUMPAD8, drUp, VK_UP),
        Bind<&TRcnd::StopPaddle>(VK_NUMPAD2, drStop, VK_DOWN),
    };
    return kKeys;
}

void TRcnd::Tick() {
    if (FTicking || MessageShowing()) return;
    const TTicking ticking(FTicking);
    FField.Step();
}

void TRcnd::SecondTick() {
    if (FTicking || MessageShowing() || !FField.InPlay()) return;
    const TTicking ticking(FTicking);
    FField.SecondTick(FActive);
}

void TRcnd::DoDelete() {
    Fire(OnDelete, this);
}

void TRcnd::DoContact() {
    Fire(OnContact, this);
}

void TRcnd::DoExtraBall() {
    Fire(OnExtraBall, this);
}

void TRcnd::DoEndLevel() {
    Fire(OnEndLevel, this);
}

void TRcnd::DoOver() {
    FActive = false;
    DiscardTimers();
    Fire(OnOver, this);
}

void TRcnd::DiscardTimers() {
    // Stopped now so that no tick of theirs arrives, deleted once control
    // is back in the event loop: this runs inside a tick of one of them.
    for (TTimer** timer : {&FTimer, &FSecondTimer}) {
        if (!*timer) continue;
        (*timer)->SetEnabled(false);
        (*timer)->deleteLater();
        *timer = nullptr;
    }
}

void TRcnd::LevelLaidOut() {
    if (FPaused) return;
    if (FTimer) FTimer->SetEnabled(true);
    if (FSecondTimer) FSecondTimer->SetEnabled(true);
}

void TRcnd::CutOffEvents() {
    OnDelete = nullptr;
    OnContact = nullptr;
    OnExtraBall = nullptr;
    OnEndLevel = nullptr;
}

void TRcnd::Repaint(const QRect& box) {
    const QRect inside = box.intersected(rect());
    if (!inside.isEmpty()) update(inside);
}

void TRcnd::resizeEvent(QResizeEvent* event) {
    TGameBoard::resizeEvent(event);
    if (FActive) FField.Relayout();
}

void TRcnd::PaintPiece(QPainter& painter, const QRect& dirty, const Arcanoid::TPiece* piece) {
    if (piece && piece->Visible && piece->Bounds.intersects(dirty))
        FShapes.Paint(painter, piece->Bounds, piece->Look);
}

void TRcnd::Paint(QPainter& painter, const QRect& dirty) {
    TGameBoard::Paint(painter, dirty);

    // The square lies beneath bricks, paddle and ball.
    PaintPiece(painter, dirty, FField.Square());
    const Arcanoid::TGeometry& grid = FField.Geometry();
    const int firstColumn = std::max(1, (dirty.left() - grid.Margin) / grid.CellWidth + 1);
    const int lastColumn =
        std::min(FField.GridColumns(), (dirty.right() - grid.Margin) / grid.CellWidth + 1);
    const int firstRow = std::max(1, dirty.top() / grid.CellHeight + 1);
    const int lastRow = std::min(FField.GridRows(), dirty.bottom() / grid.CellHeight + 1);
    for (int r = firstRow; r <= lastRow; ++r)
        for (int c = firstColumn; c <= lastColumn; ++c)
            if (const Arcanoid::TBrick* brick = FField.Brick(r, c))
                FShapes.Paint(painter, FField.CellRect(r, c), brick->Look);
    PaintPiece(painter, dirty, FField.Line());
    PaintPiece(painter, dirty, FField.Paddle());
    PaintPiece(painter, dirty, FField.Ball());
}

} // namespace Tolvane
