// SPDX-License-Identifier: GPL-3.0-or-later
// Tetris in the game panel: its settings, building the board, the status
// text, the commands it takes, the score and the next piece.
#include "gamepan/toolkit/direction.h"
#include "gamepan/wiring.h"
#include "games/tetris/ttrs.h"

namespace Tolvane {
namespace {

template <auto Field, auto Setter = nullptr>
constexpr TSettingRow Row(const char* name, TRowRule rule = {}) {
    return SettingRow<&TPanSettings::Tetris, Field, Setter>(TState::Tetris, name, rule);
}

constexpr const char* kRestart = "Restart Tetris to have effect this option";
constexpr TRowRule kAtOnce{.Push = TPush::AtOnce};

// In the order a new board takes them.
using S = TTetrisSettings;
constexpr TSettingRow kRows[] = {
    Row<&S::TColumns, &TTtrs::SetColumns>(
        "TColumns",
        {.Push = TPush::WhenIdle, .Check = InRange(kMinColumns, kMaxColumns), .Notice = kRestart}),
    Row<&S::TRows, &TTtrs::SetRows>(
        "TRows",
        {.Push = TPush::WhenIdle, .Check = InRange(kMinRows, kMaxRows), .Notice = kRestart}),
    Row<&S::ColorTB, &TTtrs::SetColor>("ColorTB", kAtOnce),
    Row<&S::ColorTF, &TTtrs::SetFloorColor>("ColorTF", kAtOnce),
    Row<&S::ColorTShapes, &TTtrs::SetColorMode>("ColorTShapes", kAtOnce),
    Row<&S::NextSColorT, &TTtrs::SetNextColor>("NextSColorT", kAtOnce),
    Row<&S::ShapesTBrushStyle, &TTtrs::SetBrushStyle>("ShapesTBrushStyle", kAtOnce),
    Row<&S::ColorTShapesPen, &TTtrs::SetPenColor>("ColorTShapesPen", kAtOnce),
    Row<&S::WidthTShapesPen, &TTtrs::SetPenWidth>("WidthTShapesPen",
                                                  {.Push = TPush::AtOnce, .Check = kPositive}),
    Row<&S::ShapesTShape, &TTtrs::SetShapeType>("ShapesTShape", kAtOnce),
    Row<&S::OneColorTShapes, &TTtrs::SetOneColor>("OneColorTShapes", kAtOnce),
    // The running fall timer changes its interval at once, even to the same value.
    Row<&S::TDelay, &TTtrs::SetDelay>("TDelay", {.Push = TPush::AtOnce, .ApplyUnchanged = true}),
    // Added to the score by the panel.
    Row<&S::TCoeff>("TCoeff"),
};

class TTetrisWiring final : public TGameWiring {
public:
    TTetrisWiring()
        : TGameWiring(QStringLiteral("Tetris"), &TGamePan::OnTetrisTime, &TGamePan::OnTetrisOver,
                      kRows) {}

    TGameBoard* Build(TWiringHost& host) const override {
        TGamePan& pan = host.Panel();
        auto* board = new TTtrs(&pan);
        board->SetActive(false);
        PushAll(*board, pan.Settings());
        board->AlignToClient();
        board->SetPaused(false);
        board->SetCaption(QString());
        // After the board colour: with the next colour on, the kind's colour wins.
        board->SetNextKind(pan.TetrisNext());
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
