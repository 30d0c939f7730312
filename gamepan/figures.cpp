// SPDX-License-Identifier: GPL-3.0-or-later
// Figures in the game panel: its settings, building the board, the status
// text and the move count. Figures is played with the mouse alone: no keys,
// no direction commands, and the panel never gives it the keyboard focus.
#include "gamepan/wiring.h"
#include "games/figures/fgrs.h"

namespace Tolvane {
namespace {

using R = TRowsOf<TState::Figures, &TPanSettings::Figures>;

// In the order a new board takes them.
using S = TFiguresSettings;
constexpr TSettingRow kRows[] = {
    // A running game resizes its pieces at once; an idle board waits for the start.
    R::Row<&S::FWidthHeight, &TFgrs::SetWidthHeight>(
        "FWidthHeight", {.Push = TPush::WhenRunning,
                         .Check = InRange(Figures::kMinWidthHeight, Figures::kMaxWidthHeight)}),
    R::Row<&S::ColorFB, &TFgrs::SetColor>("ColorFB", {.Push = TPush::AtOnce}),
    R::Row<&S::ColorFShapes, &TFgrs::SetColorMode>(
        "ColorFShapes", {.Push = TPush::AtOnce, .Check = {TCheck::FixedPalette}}),
    R::Row<&S::FSquare, &TFgrs::SetSquareSize>(
        "FSquare",
        {.Push = TPush::WhenIdle, .Notice = "Restart Figures to have effect this option"}),
};

class TFiguresWiring final : public TGameWiring {
public:
    TFiguresWiring()
        : TGameWiring(QStringLiteral("Figures"), &TGamePan::OnFiguresTime, &TGamePan::OnFiguresOver,
                      kRows) {}

    TGameBoard* Make(TWiringHost& host) const override {
        return MakeMoveCounter<TFgrs>(host, &TGameCounters::FiguresMoves, &TGamePan::OnFiguresMove);
    }

    void ResetCounters(TGameCounters& counters) const override { counters.FiguresMoves = 0; }

    QString Status(const TGamePan& pan) const override { return MovesStatus(pan.FiguresMoves()); }

    bool AcceptsDirection(std::uint8_t) const override { return false; }
    bool Keyboard() const override { return false; }
    // Lower-case "open" at the end of a Figures game, unlike the others.
    QString CannotOpenOver() const override { return QStringLiteral("Cannot open "); }
};

} // namespace

const TGameWiring& FiguresWiring() {
    static const TFiguresWiring wiring;
    return wiring;
}

} // namespace Tolvane
