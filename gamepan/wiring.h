// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/gamepan.h"
#include "gamepan/toolkit/notify.h"

#include <QString>
#include <cstdint>

namespace Tolvane {

class TGameBoard;

// How one game plugs into the game panel: building its board from the
// settings, the start, the status text, the commands it takes and its
// events. One constant object per game, each in the game's own file. It
// keeps no state of its own, so a board's late notification can never
// outlive it.
class TGameWiring {
public:
    using TPanEvent = TNotifyEvent TGamePan::*;

    TGameWiring(QString name, TPanEvent onTime, TPanEvent onOver)
        : FName(std::move(name)), FOnTime(onTime), FOnOver(onOver) {}
    virtual ~TGameWiring() = default;

    // The game's name, shown as the caption while it is chosen.
    const QString& Name() const { return FName; }

    // Makes the board (owned by the panel, stopped) and configures it from
    // the settings; installs the game's own notifications. The panel adds
    // the common ones.
    virtual TGameBoard* Build(TGamePan& pan) const = 0;
    // Resets the counters, writes the first status text, pushes what a start
    // pushes and starts the board.
    virtual void Start(TGamePan& pan) const = 0;
    // The status text at each clock tick.
    virtual QString Status(const TGamePan& pan) const = 0;
    virtual bool AcceptsDirection(std::uint8_t code) const = 0;
    // Played with the keypad: key-down goes to the board and the panel gives
    // it the focus. A mouse game gets neither.
    virtual bool Keyboard() const { return true; }

    // Hooks of the over handler: after the board stopped and before the
    // owner hears of it, and after the game-over picture.
    virtual void BeforeOverEvent(TGamePan&) const {}
    virtual void AfterOverPicture(TGamePan&) const {}
    // How a game-over picture that cannot be loaded is reported.
    virtual QString CannotOpenOver() const { return QStringLiteral("Cannot Open "); }

    void FireTime(TGamePan& pan) const { Fire(pan.*FOnTime, &pan); }
    void FireOver(TGamePan& pan) const { Fire(pan.*FOnOver, &pan); }

private:
    QString FName;
    TPanEvent FOnTime;
    TPanEvent FOnOver;
};

// The wiring of a game, nullptr for StPanel.
const TGameWiring* WiringOf(TState state);

// Each defined in the game's own wiring file.
const TGameWiring& ScrambleWiring();
const TGameWiring& TetrisWiring();
const TGameWiring& ArcanoidWiring();
const TGameWiring& FiguresWiring();

} // namespace Tolvane
