// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/toolkit/widgets/custompanel.h"
#include "gamepan/toolkit/widgets/notify.h"

#include <cstdint>
#include <span>

namespace Tolvane {

class TGameBoard;

// One move of a board: the keypad key and the direction command that make
// it, and the arrow key that stands for it on keyboards without a keypad.
struct TKeyBinding {
    std::uint16_t Key;    // VK_NUMPAD2 .. VK_NUMPAD8
    std::uint8_t Command; // a TDirection
    std::uint16_t Arrow;  // VK_LEFT, VK_UP, VK_RIGHT or VK_DOWN
    void (*Move)(TGameBoard& board);
};

namespace Keys {
template <typename TMove> struct TMoveOf;
template <typename TClass> struct TMoveOf<void (TClass::*)()> { using TBoard = TClass; };
template <auto Move> void Call(TGameBoard& board) {
    using TBoard = typename TMoveOf<decltype(Move)>::TBoard;
    (static_cast<TBoard&>(board).*Move)();
}
} // namespace Keys

// The binding of a board's move (a member function without arguments).
template <auto Move>
constexpr TKeyBinding Bind(std::uint16_t key, std::uint8_t command, std::uint16_t arrow) {
    return {key, command, arrow, &Keys::Call<Move>};
}

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
    // A keypad key as a virtual-key code: kept, then the move bound to it
    // made; other keys do nothing more.
    void DoKey(std::uint16_t key);
    // A direction command (TDirection): kept, then the move bound to it made;
    // codes the game does not know do nothing more.
    void DoCommand(std::uint8_t command);
    // The board's moves by key and command; a board played by mouse has none.
    virtual std::span<const TKeyBinding> Keys() const { return {}; }
    std::uint16_t Key() const { return FKey; }
    std::uint8_t Command() const { return FCommand; }

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
    std::uint16_t FKey = 0;    // the last keypad key received
    std::uint8_t FCommand = 0; // the last direction command received
};

} // namespace Tolvane
