// SPDX-License-Identifier: GPL-3.0-or-later
#include "gameboard.h"

namespace Tolvane {

TGameBoard::TGameBoard(QWidget* parent) : TCustomPanel(parent) {}

void TGameBoard::DoKey(std::uint16_t key) {
    FKey = key;
    for (const TKeyBinding& binding : Keys())
        if (binding.Key == key) return binding.Move(*this);
}

void TGameBoard::DoCommand(std::uint8_t command) {
    FCommand = command;
    for (const TKeyBinding& binding : Keys())
        if (binding.Command == command) return binding.Move(*this);
}

void TGameBoard::CutOff() {
    OnKeyDown = nullptr;
    OnTime = nullptr;
    OnOver = nullptr;
    OnPaintBack = nullptr;
    CutOffEvents();
}

void TGameBoard::DoTime() {
    Fire(OnTime, this);
}

void TGameBoard::Paint(QPainter& painter, const QRect& dirty) {
    TCustomPanel::Paint(painter, dirty);
    if (!FPainted) {
        if (CanFocus()) setFocus(Qt::OtherFocusReason);
        FPainted = true;
    }
    Fire(OnPaintBack, this);
}

} // namespace Tolvane
