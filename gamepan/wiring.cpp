// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamepan/wiring.h"

namespace Tolvane {

const TGameWiring* WiringOf(TState state) {
    switch (state) {
    case TState::Scramble:
        return &ScrambleWiring();
    case TState::Tetris:
        return &TetrisWiring();
    case TState::Arcanoid:
        return &ArcanoidWiring();
    case TState::Figures:
        return &FiguresWiring();
    case TState::StPanel:
        break;
    }
    return nullptr;
}

QString GameName(TState state) {
    const TGameWiring* wiring = WiringOf(state);
    return wiring ? wiring->Name() : QString();
}

void TGameWiring::PushAll(TGameBoard& board, const TPanSettings& settings) const {
    for (const TSettingRow& row : FRows)
        if (row.Apply) row.Apply(board, settings);
}

void TGameWiring::PushAtStart(TGameBoard& board, const TPanSettings& settings) const {
    for (const TSettingRow& row : FRows)
        if (row.Apply && row.Rule.Push != TPush::AtOnce) row.Apply(board, settings);
}

} // namespace Tolvane
