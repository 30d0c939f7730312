// SPDX-License-Identifier: GPL-3.0-or-later
// The board's hot paths on a full-HD board with the largest grid (48 × 24,
// every cell a brick): one step with the ball hitting a brick, alone, with a
// falling bonus square and with the gun square hitting a brick too; the area
// a step repaints; one full repaint.
#include "bench/support/benchsupport.h"
#include "gamepan/toolkit/platform/random.h"
#include "games/arcanoid/rcnd.h"
#include "tests/games/arcanoid/field_probe.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>

namespace {

using Tolvane::TRcnd;
using Tolvane::Arcanoid::TField;
using Tolvane::Arcanoid::TFieldProbe;

constexpr int kRows = 48;
constexpr int kColumns = 24;
constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// Sums the area of every box the board is asked to repaint (overlaps counted twice).
class TCountingRcnd final : public TRcnd {
public:
    qint64 Invalidated = 0;

protected:
    void Repaint(const QRect& box) override {
        const QRect inside = box.intersected(rect());
        if (!inside.isEmpty()) Invalidated += qint64(inside.width()) * inside.height();
        TRcnd::Repaint(box);
    }
};

// A shown board in a running game with every cell a brick; paints are
// flushed outside the timed part.
class TBoard {
public:
    TBoard() {
        Tolvane::FixRandomSeed(1);
        FBoard.resize(kWidth, kHeight);
        FBoard.SetRows(kRows);
        FBoard.SetColumns(kColumns);
        FBoard.SetADelay(600000);
        FBoard.SetACreSquShape(1000000); // no bonus draws in the way
        FBoard.SetAStrongShapes(false);
        FBoard.show();
        FBoard.SetActive(true);
        Fill();
        Flush();
    }
    TCountingRcnd& operator*() { return FBoard; }
    TCountingRcnd* operator->() { return &FBoard; }
    TField& Field() { return FBoard.Field(); }
    void Fill() {
        for (int r = 1; r <= kRows; ++r)
            for (int c = 1; c <= kColumns; ++c) Field().PlaceBrick(r, c);
    }
    static void Flush() { QApplication::processEvents(); }

private:
    TCountingRcnd FBoard;
};

// Cells are 80 × 22 pixels. The ball (16 px) crosses the bottom edge of the
// brick at row 20, column 12 in the next step, from one of two boxes in turn
// so that it really moves; the gun square crosses that of the brick at row
// 22, column 5.
void Aim(TField& field, bool second) {
    const QPoint box = second ? QPoint(906, 434) : QPoint(900, 438);
    TFieldProbe(field).Aim(box.x(), box.y(), 6, -8);
}

enum TScenario { scBall, scFallingSquare, scGunInFlight };

void Prepare(TBoard& board, TScenario scenario, bool second) {
    TField& field = board.Field();
    for (const QPoint cell : {QPoint(12, 20), QPoint(5, 22)}) {
        field.RemoveBrick(cell.y(), cell.x()); // a ghost of the last step
        field.PlaceBrick(cell.y(), cell.x());
    }
    Aim(field, second);
    if (scenario == scFallingSquare) {
        field.StartSquare(Tolvane::Arcanoid::bnExtraBall, 0.6, 0.7);
    } else if (scenario == scGunInFlight) {
        field.StartSquare(Tolvane::Arcanoid::bnGun, 360.0 / kWidth, 488.0 / kHeight);
        TFieldProbe(field).FireGun(-8.0f / kHeight);
    }
}

// Argument: the scenario. Counters: the pixels one step invalidates, and the board's.
void BM_Step(benchmark::State& state) {
    TBoard board;
    const auto scenario = static_cast<TScenario>(state.range(0));
    Prepare(board, scenario, false);
    TBoard::Flush();
    std::int64_t steps = 0;
    std::int64_t deletes = 0;
    board->OnDelete = [&](QObject*) { ++deletes; };
    qint64 invalidated = 0;
    for (auto _ : state) {
        const qint64 before = board->Invalidated;
        board->Tick();
        state.PauseTiming();
        invalidated += board->Invalidated - before;
        ++steps;
        Prepare(board, scenario, steps % 2 == 1);
        TBoard::Flush();
        state.ResumeTiming();
    }
    const std::int64_t hits = scenario == scGunInFlight ? 2 : 1;
    if (deletes != hits * steps) state.SkipWithError("a step missed its brick");
    if (board.Field().LiveBricks() != kRows * kColumns) state.SkipWithError("a brick was lost");
    state.counters["invalidated_px"] = double(invalidated) / double(steps);
    state.counters["board_px"] = double(kWidth) * kHeight;
}
BENCHMARK(BM_Step)
    ->ArgName("scenario")
    ->Arg(scBall)
    ->Arg(scFallingSquare)
    ->Arg(scGunInFlight)
    ->Unit(benchmark::kMicrosecond);

// Argument 1: random colours, where nearly every brick has a look of its own.
void BM_FullRepaint(benchmark::State& state) {
    TBoard board;
    if (state.range(0) == 1) board->SetColorAShapes(Tolvane::colorRandom);
    Prepare(board, scFallingSquare, false);
    RenderEachIteration(state, *board);
}
BENCHMARK(BM_FullRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
