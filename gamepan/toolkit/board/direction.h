// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace Tolvane {

// The one-byte move commands the owner sends to the game panel and the
// panel passes to the board of the running game. Each game takes only some
// of them; any other byte is ignored.
enum TDirection : std::uint8_t {
    drLeft = 0,
    drRight = 1,
    drDrop = 2,   // Tetris
    drRotate = 3, // Tetris
    drDown = 4,   // Scramble
    drUp = 5,     // Scramble moves a tile up, Arcanoid sends the ball up
    drStop = 6,   // Arcanoid stops the paddle
};

} // namespace Tolvane
