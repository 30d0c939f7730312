// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/gamepan.h"
#include "gamepan/settingrow.h"
#include "gamepan/toolkit/widgets/notify.h"

#include <QString>
#include <cstdint>
#include <span>

namespace Tolvane {

class TGameBoard;

// How one game plugs into the game panel: its setting rows, building its
// board, the counters and status text of a game, the commands it takes and
// its events. One constant object per game, each in the game's own file. It
// keeps no state of its own, so a board's late notification can never
// outlive it.
class TGameWiring {
public:
    using TPanEvent = TNotifyEvent TGamePan::*;

    TGameWiring(QString name, TPanEvent onTime, TPanEvent onOver, std::span<const TSettingRow> rows)
        : FName(std::move(name)), FOnTime(onTime), FOnOver(onOver), FRows(rows) {}
    virtual ~TGameWiring() = default;

    // The game's name, shown as the caption while it is chosen.
    const QString& Name() const { return FName; }
    // The game's settings in the order a new board takes them.
    std::span<const TSettingRow> Rows() const { return FRows; }

    // Makes the board, owned by the panel, with the game's own notifications
    // installed. The panel then stops it, lays it out, pushes every setting
    // the board takes (PushAll), runs Configure and adds the common
    // notifications.
    virtual TGameBoard* Make(TWiringHost& host) const = 0;
    virtual void Configure(TWiringHost&, TGameBoard&) const {}
    // The counters a start sets.
    virtual void ResetCounters(TGameCounters& counters) const = 0;
    // The status text at each clock tick, and the first one of a game.
    virtual QString Status(const TGamePan& pan) const = 0;
    virtual QString StartStatus(const TGamePan& pan) const { return Status(pan); }
    virtual bool AcceptsDirection(std::uint8_t code) const = 0;
    // Played with the keypad: key-down goes to the board and the panel gives
    // it the focus. A mouse game gets neither.
    virtual bool Keyboard() const { return true; }

    // Hooks of the over handler: after the board stopped and before the
    // owner hears of it, and after the game-over picture.
    virtual void BeforeOverEvent(TWiringHost&) const {}
    virtual void AfterOverPicture(TWiringHost&) const {}
    // How a game-over picture that cannot be loaded is reported.
    virtual QString CannotOpenOver() const { return QStringLiteral("Cannot Open "); }

    // Writes every setting the board takes into a new board, in row order.
    void PushAll(TGameBoard& board, const TPanSettings& settings) const;
    // Writes what waits for a start: every setting the board takes that is
    // not pushed at once.
    void PushAtStart(TGameBoard& board, const TPanSettings& settings) const;

    void FireTime(TGamePan& pan) const { Fire(pan.*FOnTime, &pan); }
    void FireOver(TGamePan& pan) const { Fire(pan.*FOnOver, &pan); }

private:
    QString FName;
    TPanEvent FOnTime;
    TPanEvent FOnOver;
    std::span<const TSettingRow> FRows;
};

// The board of a game that counts moves (Scramble, Figures): each counted
// move is copied into the panel's counter, then reported by the panel.
template <typename TBoard>
TBoard* MakeMoveCounter(TWiringHost& host, std::int32_t TGameCounters::*moves,
                        TNotifyEvent TGamePan::*onMove) {
    auto* board = new TBoard(&host.Panel());
    board->OnMove = [&host, board, moves, onMove](QObject*) {
        host.Counters().*moves = board->Moves();
        Fire(host.Panel().*onMove, &host.Panel());
        host.Panel().FocusBoard();
    };
    return board;
}

// The status text of a game that counts moves.
inline QString MovesStatus(std::int32_t moves) {
    return QStringLiteral(" Moves: ") + QString::number(moves);
}

// The wiring of a game, nullptr for StPanel.
const TGameWiring* WiringOf(TState state);

// Each defined in the game's own wiring file.
const TGameWiring& ScrambleWiring();
const TGameWiring& TetrisWiring();
const TGameWiring& ArcanoidWiring();
const TGameWiring& FiguresWiring();

// The general settings' rows, which no game's board takes.
std::span<const TSettingRow> GeneralRows();

} // namespace Tolvane
