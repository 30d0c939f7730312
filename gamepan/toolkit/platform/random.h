// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace Tolvane {

// The program's one random generator (a 32-bit linear congruential generator).

// Seeds the generator from the clock, unless a test has fixed the seed.
void Randomize();

// Uniform in 0..n-1; 0 for n <= 0.
int Random(int n);

// Uniform in [0, 1).
double RandomFloat();

// Tests: fix the seed; Randomize() leaves it alone until ReleaseRandomSeed().
void FixRandomSeed(std::uint32_t seed);
void ReleaseRandomSeed();

} // namespace Tolvane
