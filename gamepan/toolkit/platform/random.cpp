// SPDX-License-Identifier: GPL-3.0-or-later
#include "random.h"

#include <chrono>

namespace Tolvane {
namespace {

std::uint32_t randSeed = 0;
bool seedFixed = false;

std::uint32_t NextSeed() {
    randSeed = randSeed * 0x08088405u + 1u;
    return randSeed;
}

} // namespace

void Randomize() {
    if (seedFixed) return;
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    randSeed = static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}

int Random(int n) {
    if (n <= 0) return 0;
    const std::uint64_t draw = NextSeed();
    return static_cast<int>((draw * static_cast<std::uint64_t>(n)) >> 32);
}

double RandomFloat() {
    return NextSeed() / 4294967296.0;
}

void FixRandomSeed(std::uint32_t seed) {
    randSeed = seed;
    seedFixed = true;
}

void ReleaseRandomSeed() {
    seedFixed = false;
}

} // namespace Tolvane
