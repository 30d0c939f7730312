// SPDX-License-Identifier: GPL-3.0-or-later
// Scramble in the game panel: its settings, building the board, the status
// text, the commands it takes and its move count.
#include "gamepan/toolkit/board/direction.h"
#include "gamepan/wiring.h"
#include "games/scramble/scrmbl.h"

namespace Tolvane {
namespace {

using R = TRowsOf<TState::Scramble, &TPanSettings::Scramble>;

using S = TScrambleSettings;
constexpr TSettingRow kRows[] = {
    R::Row<&S::SRowsColumns, &TScrmbl::SetSize>(
        "SRowsColumns", {.Push = TPush::WhenIdle,
                         .Check = InRange(TScrmbl::kMinSize, TScrmbl::kMaxSize),
                         .Notice = "Restart Scramble to have effect this option"}),
    R::Row<&S::ColorSB, &TScrmbl::SetColor>("ColorSB", {.Push = TPush::AtOnce}),
};

class TScrambleWiring final : public TGameWiring {
public:
    TScrambleWiring()
        : TGameWiring(QStringLiteral("Scramble"), &TGamePan::OnScrambleTime,
                      &TGamePan::OnScrambleOver, kRows) {}

    TGameBoard* Make(TWiringHost& host) const override {
        return MakeMoveCounter<TScrmbl>(host, &TGameCounters::ScrambleMoves,
                                        &TGamePan::OnScrambleMove);
    }

    void ResetCounters(TGameCounters& counters) const override { counters.ScrambleMoves = 0; }

    QString Status(const TGamePan& pan) const override { return MovesStatus(pan.ScrambleMoves()); }

    bool AcceptsDirection(std::uint8_t code) const override {
        return code != drDrop && code != drRotate;
    }
};

} // namespace

const TGameWiring& ScrambleWiring() {
    static const TScrambleWiring wiring;
    return wiring;
}

} // namespace Tolvane
