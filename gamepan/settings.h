// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/toolkit/widgets/colors.h"
#include "gamepan/toolkit/widgets/shapes.h"
#include "games/arcanoid/settings.h"
#include "games/tetris/settings.h"

#include <QString>
#include <cstdint>

namespace Tolvane {

// The game panel's settings with their initial values, by game. Where a
// board keeps its own settings type, the panel stores that type, so each
// initial value is written once.

struct TGeneralSettings {
    bool ShowScoresTime = true;
    bool ShowAllDlgs = true;
    bool WithCaption = true;
    bool DefKeys = true;
    bool TimerFocus = false;
    bool PicStretch = true;
    QString BStPicture;
    QString AOverPicture;
    QString About = QStringLiteral("Tolvane game panel: four classic games in one component");
};

struct TScrambleSettings {
    std::uint16_t SRowsColumns = 4;
    TColor ColorSB = clBlack;
};

struct TTetrisSettings : Tetris::TSettings {
    std::uint16_t TRows = 20;
    std::uint16_t TColumns = 10;
    std::int32_t TDelay = 200; // ms
    std::int32_t TCoeff = 1;   // points per deleted row
    TColor ColorTB = clBlack;
};

struct TArcanoidSettings : Arcanoid::TSettings {
    std::uint16_t ARows = 30;
    std::uint16_t AColumns = 11;
    std::int32_t ALevels = 10;
    std::int32_t ABalls = 3;
    std::int32_t ADelay = 40; // ms
    std::int32_t ACoeff = 1;  // points per destroyed brick
    TColor ColorAB = clBlack;
};

struct TFiguresSettings {
    TFSquare FSquare = Big;
    std::uint16_t FWidthHeight = 70; // percent of the smaller board side
    TColorTAFShapes ColorFShapes = colorFixed2;
    TColor ColorFB = clBlack;
};

struct TPanSettings {
    TGeneralSettings General;
    TScrambleSettings Scramble;
    TTetrisSettings Tetris;
    TArcanoidSettings Arcanoid;
    TFiguresSettings Figures;
};

} // namespace Tolvane
