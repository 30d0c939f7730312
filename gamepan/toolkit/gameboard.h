// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "custompanel.h"
#include "notify.h"

#include <cstdint>

namespace Tolvane {

// What every game board offers its owner: start and stop, pause, a keypad
// key, a direction command, the running flags, and the clock, over and
// paint-back notifications. A board never reads its owner; the owner
// pushes values in and installs its handlers on the notifications.
class TGameBoard : public TCustomPanel {
    Q_OBJECT
public:
    explicit TGameBoard(QWidget* parent = nullptr);

    // Starts (true) or stops (false) a game.
    virtual void SetActive(bool value) = 0;
    virtual void SetPaused(bool value) = 0;
    // A keypad key as a virtual-key code; a board played by mouse ignores it.
    virtual void DoKey(std::uint16_t key);
    // A direction command (TDirection); codes the game does not know do nothing.
    virtual void DoCommand(std::uint8_t command);

    bool Active() const { return FActive; }
    bool Paused() const { return FPaused; }
    // The board has taken the keyboard focus at its first paint since its start.
    bool Painted() const { return FPainted; }

    TNotifyEvent OnTime, OnOver, OnPaintBack;

    // Cuts the board off from its owner: none of its notifications, the
    // key-down callback included, reaches the owner any more. A board left
    // for another game may still be running code (its own notification, a
    // late tick) before it is deleted.
    void CutOff();

protected:
    // Boards with notifications of their own clear them here too.
    virtual void CutOffEvents() {}

    // Fires OnTime.
    virtual void DoTime();

    // The background fill; then, the first time after a start, the board
    // takes the keyboard focus if it can; then OnPaintBack, through which the
    // owner draws its picture. A board draws its pieces after this.
    void Paint(QPainter& painter, const QRect& dirty) override;

    bool FActive = false;
    bool FPaused = false;
    bool FPainted = false;
};

} // namespace Tolvane
