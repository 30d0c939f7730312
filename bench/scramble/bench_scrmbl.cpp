// SPDX-License-Identifier: GPL-3.0-or-later
// Starting the largest puzzle: 64 tiles made anew and a 10000..19999-step shuffle.
#include "gamepan/toolkit/platform/random.h"
#include "games/scramble/scrmbl.h"

#include <benchmark/benchmark.h>

namespace {

void BM_StartEightByEight(benchmark::State& state) {
    Tolvane::FixRandomSeed(1);
    Tolvane::TScrmbl board;
    board.resize(600, 600);
    board.SetSize(8);
    board.show();
    for (auto _ : state) {
        board.SetActive(true);
        benchmark::DoNotOptimize(board.GapCaption());
    }
}
BENCHMARK(BM_StartEightByEight)->Unit(benchmark::kMillisecond);

} // namespace
