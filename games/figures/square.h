// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace Tolvane {

// The square the five pieces are to form: Big has side U and is built from
// kinds 1, 2, 3, 4, 5; Small has side 5√2/8 × U and takes kind 6 for kind 2.
enum TFSquare : std::uint8_t { Big, Small };

} // namespace Tolvane
