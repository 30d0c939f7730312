// SPDX-License-Identifier: GPL-3.0-or-later
// Scramble in the game panel: its settings, building the board, the status
// text, the commands it takes and its move count.
#include "gamepan/toolkit/direction.h"
#include "gamepan/wiring.h"
#include "games/scramble/scrmbl.h"

namespace Tolvane {
namespace {

template <auto Field, auto Setter = nullptr>
constexpr TSettingRow Row(const char* name, TRowRule rule = {}) {
    return SettingRow<&TPanSettings::Scramble, Field, Setter>(TState::Scramble, name, rule);
}

using S = TScrambleSettings;
constexpr TSettingRow kRows[] = {
    Row<&S::SRowsColumns, &TScrmbl::SetSize>(
        "SRowsColumns", {.Push = TPush::WhenIdle,
                         .Check = InRange(TScrmbl::kMinSize, TScrmbl::kMaxSize),
                         .Notice = "Restart Scramble to have effect this option"}),
    Row<&S::ColorSB, &TScrmbl::SetColor>("ColorSB", {.Push = TPush::AtOnce}),
};

class TScrambleWiring final : public TGameWiring {
public:
    TScrambleWiring()
        : TGameWiring(QStringLiteral("Scramble"), &TGamePan::OnScrambleTime,
                      &TGamePan::OnScrambleOver, kRows) {}

    TGameBoard* Build(TWiringHost& host) const override {
        TGamePan& pan = host.Panel();
        auto* board = new TScrmbl(&pan);
        board->SetActive(false);
        PushAll(*board, pan.Settings());
        board->AlignToClient();
        board->SetCaption(QString());
        board->SetPaused(false);
        board->OnMove = [&host, board](QObject*) {
            host.Counters().ScrambleMoves = board->Moves();
            Fire(host.Panel().OnScrambleMove, &host.Panel());
            host.Panel().FocusBoard();
        };
        return board;
    }

    void ResetCounters(TGameCounters& counters) const override { counters.ScrambleMoves = 0; }

    QString Status(const TGamePan& pan) const override {
        return QStringLiteral(" Moves: ") + QString::number(pan.ScrambleMoves());
    }

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
