// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>

namespace Tolvane {

class TGamePan;

// The game panel's counters of the current game.
struct TGameCounters {
    std::int32_t ScrambleMoves = 0;
    std::int32_t TetrisScore = 0;
    std::uint16_t TetrisNext = 7; // kind 1..7 of the next Tetris piece
    std::int32_t ArcanoidScore = 0;
    std::int32_t ArcanoidLevel = 0; // 1-based
    std::int32_t FiguresMoves = 0;
};

// What a game's wiring may change of the panel beyond its public settings
// and events: the counters and the status text.
class TWiringHost {
public:
    virtual TGamePan& Panel() = 0;
    virtual TGameCounters& Counters() = 0;
    // The status text in the title bar, or nothing when the panel shows no
    // scores.
    virtual void ShowStatus(const QString& text) = 0;

protected:
    ~TWiringHost() = default;
};

} // namespace Tolvane
