// SPDX-License-Identifier: GPL-3.0-or-later
// Tetris in the game panel: its settings, building the board, the status
// text, the commands it takes, the score and the next piece.
#include "gamepan/toolkit/board/direction.h"
#include "gamepan/wiring.h"
#include "games/tetris/ttrs.h"

namespace Tolvane {
namespace {

using R = TRowsOf<TState::Tetris, &TPanSettings::Tetris>;

constexpr const char* kRestart = "Restart Tetris to have effect this option";
constexpr TRowRule kAtOnce{.Push = TPush::AtOnce};

// In the order a new board takes them.
using S = TTetrisSettings;
constexpr TSettingRow kRows[] = {
    R::Row<&S::TColumns, &TTtrs::SetColumns>(
        "TColumns",
        {.Push = TPush::WhenIdle, .Check = InRange(kMinColumns, kMaxColumns), .Notice = kRestart}),
    R::Row<&S::TRows, &TTtrs::SetRows>(
        "TRows",
        {.Push = TPush::WhenIdle, .Check = InRange(kMinRows, kMaxRows), .Notice = kRestart}),
    R::Row<&S::ColorTB, &TTtrs::SetColor>("ColorTB", kAtOnce),
    R::Row<&S::ColorTF, &TTtrs::SetFloorColor>("ColorTF", kAtOnce),
    R::Row<&S::ColorTShapes, &TTtrs::SetColorMode>("ColorTShapes", kAtOnce),
    R::Row<&S::NextSColorT, &TTtrs::SetNextColor>("NextSColorT", kAtOnce),
    R::Row<&S::ShapesTBrushStyle, &TTtrs::SetBrushStyle>("ShapesTBrushStyle", kAtOnce),
    R::Row<&S::ColorTShapesPen, &TTtrs::SetPenColor>("ColorTShapesPen", kAtOnce),
    R::Row<&S::WidthTShapesPen, &TTtrs::SetPenWidth>("WidthTShapesPen",
                                                     {.Push = TPush::AtOnce, .Check = kPositive}),
    R::Row<&S::ShapesTShape, &TTtrs::SetShapeType>("ShapesTShape", kAtOnce),
    R::Row<&S::OneColorTShapes, &TTtrs::SetOneColor>("OneColorTShapes", kAtOnce),
    // The running fall timer changes its interval at once, even to the same value.
    R::Row<&S::TDelay, &TTtrs::SetDelay>("TDelay", {.Push = TPush::AtOnce, .ApplyUnchanged = true}),
    // Added to the score by the panel.
    R::Row<&S::TCoeff>("TCoeff"),
};

class TTetrisWiring final : public TGameWiring {
public:
    TTetrisWiring()
        : TGameWiring(QStringLiteral("Tetris"), &TGamePan::OnTetrisTime, &TGamePan::OnTetrisOver,
                      kRows) {}

    TGameBoard* Make(TWiringHost& host) const override {
        auto* board = new TTtrs(&host.Panel());
        board->OnDelete = [&host](QObject*) {
            TGamePan& pan = host.Panel();
            host.Counters().TetrisScore += pan.TCoeff();
            Fire(pan.OnTetrisDelete, &pan);
            pan.FocusBoard();
        };
        board->OnContact = [&host, board](QObject*) {
            host.Counters().TetrisNext = board->NextKind();
            Fire(host.Panel().OnTetrisContact, &host.Panel());
        };
        return board;
    }

    // After the board colour: with the next colour on, the kind's colour wins.
    void Configure(TWiringHost& host, TGameBoard& board) const override {
        static_cast<TTtrs&>(board).SetNextKind(host.Panel().TetrisNext());
    }

    void ResetCounters(TGameCounters& counters) const override { counters.TetrisScore = 0; }

    QString Status(const TGamePan& pan) const override {
        return QStringLiteral("Score: ") + QString::number(pan.TetrisScore());
    }

    bool AcceptsDirection(std::uint8_t code) const override { return code <= drRotate; }
};

} // namespace

const TGameWiring& TetrisWiring() {
    static const TTetrisWiring wiring;
    return wiring;
}

} // namespace Tolvane
