// SPDX-License-Identifier: GPL-3.0-or-later
// The board's hot paths at the largest well (48 × 24) on a full-HD board:
// one fall step, one sideways move, one turn, a four-row landing under a
// full heap, and one full repaint.
#include "bench/support/benchsupport.h"
#include "gamepan/toolkit/platform/random.h"
#include "games/tetris/ttrs.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>

namespace {

using Tolvane::TTtrs;

constexpr int kRows = 48;
constexpr int kColumns = 24;

void ClearWell(TTtrs& board) {
    for (int r = 1; r <= kRows; ++r)
        for (int c = 1; c <= kColumns; ++c) board.RemoveBlock(r, c);
}

// A shown board in a running game with an empty well; paints are flushed
// outside the timed part.
class TBoard {
public:
    TBoard() {
        Tolvane::FixRandomSeed(1);
        FBoard.resize(1920, 1080);
        FBoard.SetRows(kRows);
        FBoard.SetColumns(kColumns);
        FBoard.SetDelay(600000);
        FBoard.show();
        FBoard.SetActive(true);
        ClearWell(FBoard);
        Flush();
    }
    TTtrs& operator*() { return FBoard; }
    TTtrs* operator->() { return &FBoard; }
    static void Flush() { QApplication::processEvents(); }

private:
    TTtrs FBoard;
};

// Vertical I piece (kind 6, second state) with its pivot in (row, column).
void LayBar(TTtrs& board, int row, int column) {
    board.PlaceBlock(row, column, 13);
    board.PlaceBlock(row - 1, column, -13);
    board.PlaceBlock(row + 1, column, -13);
    board.PlaceBlock(row + 2, column, -13);
}

void BM_FallStep(benchmark::State& state) {
    TBoard board;
    int pivotRow = 2;
    LayBar(*board, pivotRow, 12);
    for (auto _ : state) {
        board->FallTick();
        ++pivotRow;
        state.PauseTiming();
        if (pivotRow + 2 == kRows) {
            ClearWell(*board);
            pivotRow = 2;
            LayBar(*board, pivotRow, 12);
        }
        TBoard::Flush();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FallStep)->Unit(benchmark::kMicrosecond);

void BM_SidewaysMove(benchmark::State& state) {
    TBoard board;
    LayBar(*board, 20, 12);
    bool left = true;
    for (auto _ : state) {
        left ? board->MoveLeft() : board->MoveRight();
        left = !left;
        state.PauseTiming();
        TBoard::Flush();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SidewaysMove)->Unit(benchmark::kMicrosecond);

void BM_Rotation(benchmark::State& state) {
    TBoard board;
    board->SetNextKind(3);
    board->NewPiece();
    board->FallTick();
    for (auto _ : state) {
        board->Rotate();
        state.PauseTiming();
        TBoard::Flush();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Rotation)->Unit(benchmark::kMicrosecond);

// Rows 9..44 each miss one cell, rows 45..48 are full: the landing deletes
// four rows and re-creates every block of the heap above them.
void LayHeap(TTtrs& board) {
    for (int r = 9; r <= kRows; ++r)
        for (int c = 1; c <= kColumns; ++c)
            if (r > 44 || c != 1 + r % kColumns) board.PlaceBlock(r, c, 0);
}

void BM_FourRowLanding(benchmark::State& state) {
    TBoard board;
    for (auto _ : state) {
        state.PauseTiming();
        ClearWell(*board);
        LayHeap(*board);
        board->SetNextKind(6);
        // No flush here: a full repaint per iteration would dwarf the timed part.
        state.ResumeTiming();
        board->PieceLanded();
    }
}
BENCHMARK(BM_FourRowLanding)->Unit(benchmark::kMicrosecond)->Iterations(5000);

// Argument 1: random colours, where nearly every block has a look of its own.
void BM_FullRepaint(benchmark::State& state) {
    TBoard board;
    if (state.range(0) == 1) board->SetColorMode(Tolvane::colorRandom);
    LayHeap(*board);
    LayBar(*board, 3, 12);
    RenderEachIteration(state, *board);
}
BENCHMARK(BM_FullRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
