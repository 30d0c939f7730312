// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <cstdint>

// The enumerations the boards, the game panel and its owner share. They are
// known to Qt's meta-object system, so properties of these types show as
// lists of their values (in Qt Designer too) and take them by name.
namespace Tolvane {
Q_NAMESPACE

// The game panel's mode: no game, or the game whose board it shows.
enum class TState : std::uint8_t { StPanel, Scramble, Tetris, Arcanoid, Figures };
Q_ENUM_NS(TState)

// How blocks, bricks and pieces are coloured.
enum TColorTAFShapes : std::uint8_t { colorFixed, colorFixed2, colorOne, colorRandom };
Q_ENUM_NS(TColorTAFShapes)

enum TShapeType : std::uint8_t {
    stRectangle,
    stSquare,
    stRoundRect,
    stRoundSquare,
    stEllipse,
    stCircle
};
Q_ENUM_NS(TShapeType)

enum TBrushStyle : std::uint8_t {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
Q_ENUM_NS(TBrushStyle)

// The square the five Figures pieces are to form: Big has side U and is
// built from kinds 1, 2, 3, 4, 5; Small has side 5√2/8 × U and takes kind 6
// for kind 2.
enum TFSquare : std::uint8_t { Big, Small };
Q_ENUM_NS(TFSquare)

} // namespace Tolvane
