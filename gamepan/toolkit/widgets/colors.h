// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kinds.h"

#include <QColor>
#include <QPalette>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>

class QWidget;

namespace Tolvane {

// A colour value as the games store it: 0x00BBGGRR (red in the low byte).
// Values with the top bit set name system colours of the palette.
using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBtnFace = static_cast<TColor>(0x8000000F);
constexpr TColor clBtnHighlight = static_cast<TColor>(0x80000014);

// The dark (colorFixed) and bright (colorFixed2) palettes that Tetris
// blocks take by kind and Arcanoid bricks by row, both by [n mod 7].
struct TPalettePair {
    TColor Fixed;
    TColor Fixed2;
};
constexpr std::array<TPalettePair, 7> kFixedPalettes{{
    {clGray, clSilver},  // 0: Tetris kind 7
    {clMaroon, clAqua},  // 1
    {clGreen, clRed},    // 2
    {clOlive, clLime},   // 3
    {clNavy, clYellow},  // 4
    {clPurple, clBlue},  // 5
    {clTeal, clFuchsia}, // 6
}};

// Entry n (n >= 0) of the palette of a fixed mode; nothing for the modes
// without a palette.
constexpr std::optional<TColor> FixedPaletteColor(TColorTAFShapes mode, int n) {
    const TPalettePair& pair = kFixedPalettes[static_cast<std::size_t>(n) % kFixedPalettes.size()];
    if (mode == colorFixed) return pair.Fixed;
    if (mode == colorFixed2) return pair.Fixed2;
    return std::nullopt;
}

constexpr TColor RGBToColor(int red, int green, int blue) {
    return (blue & 0xFF) << 16 | (green & 0xFF) << 8 | (red & 0xFF);
}

constexpr bool IsSystemColor(TColor color) {
    return color < 0;
}

// Plain colours convert directly; system colours come from the application palette.
QColor ToQColor(TColor color);

// The 0x00BBGGRR value of an opaque QColor.
TColor FromQColor(const QColor& color);

// A colour as a property carries it, to forms and Qt Designer: a plain
// colour opaque; a system colour as its palette colour of the moment, with
// the system colour's number in the alpha channel (kSystemColorAlpha plus
// the number), so that a form keeps "button face" rather than today's grey.
constexpr int kSystemColorAlpha = 224;
QColor ToPropertyColor(TColor color);
// Any other alpha reads as a plain colour.
TColor FromPropertyColor(const QColor& color);

// Gives the widget's palette roles a colour while the widget is enabled
// (its window focused or not), or in every state when disabledToo is set.
// Left alone, a disabled control keeps the greyed look of its palette.
void SetRoleColor(QWidget& widget, std::initializer_list<QPalette::ColorRole> roles,
                  const QColor& color, bool disabledToo = false);

} // namespace Tolvane
