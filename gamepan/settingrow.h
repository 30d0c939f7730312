// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/gamepan.h"

#include <QString>
#include <cstdint>
#include <type_traits>

namespace Tolvane {

class TGameBoard;

// When a stored setting reaches the live board of its game.
enum class TPush : std::uint8_t {
    Never,       // not by its setter; a start pushes it if the board takes it
    AtOnce,      // the board's setter is called at once
    WhenIdle,    // written only while the board runs no game; else at the next start
    WhenRunning, // written only while the board runs a game; else at the next start
};

// What a setter refuses; the refusal text is made from it.
struct TCheck {
    enum TKind : std::uint8_t { None, Range, Positive, NotNegative, PanelModeOnly, FixedPalette };
    TKind Kind = None;
    int Low = 0; // inclusive bounds of a range
    int High = 0;
};

constexpr TCheck InRange(int low, int high) {
    return {TCheck::Range, low, high};
}
constexpr TCheck kPositive{TCheck::Positive};
constexpr TCheck kNotNegative{TCheck::NotNegative};

QString RefusalOf(const TCheck& check);

// Everything of a setting but its value: its check, when it is pushed, the
// notice a running game shows.
struct TRowRule {
    TPush Push = TPush::Never;
    TCheck Check{};
    const char* Notice = nullptr;
    bool ApplyUnchanged = false; // an unchanged value is still pushed and noticed
};

// One setting of the game panel. Its value lives in the panel's settings;
// the row finds it there and hands it to the board of its game.
struct TSettingRow {
    const char* Name;
    TState Game; // StPanel for the general settings
    TRowRule Rule;
    // Where the value is stored; the setters find their row by it.
    const void* (*Field)(const TPanSettings& settings);
    // Writes the stored value into a board of the row's game; nullptr when
    // the board never takes it.
    void (*Apply)(TGameBoard& board, const TPanSettings& settings);
};

namespace Rows {

template <typename TSetter> struct TSetterOf;
template <typename TClass, typename TArg> struct TSetterOf<void (TClass::*)(TArg)> {
    using TBoard = TClass;
};

template <auto Group, auto Field> const void* FieldOf(const TPanSettings& settings) {
    return &((settings.*Group).*Field);
}

template <auto Group, auto Field, auto Setter>
void ApplyTo(TGameBoard& board, const TPanSettings& settings) {
    using TBoard = typename TSetterOf<decltype(Setter)>::TBoard;
    (static_cast<TBoard&>(board).*Setter)((settings.*Group).*Field);
}

} // namespace Rows

// The rows of one game's settings, stored in settings.*Group.
template <TState Game, auto Group> struct TRowsOf {
    // The row of the setting stored at Field, which the board takes through
    // Setter (a member function of the board or one of its bases), or never
    // with the default nullptr.
    template <auto Field, auto Setter = nullptr>
    static constexpr TSettingRow Row(const char* name, TRowRule rule = {}) {
        if constexpr (std::is_null_pointer_v<decltype(Setter)>)
            return {name, Game, rule, &Rows::FieldOf<Group, Field>, nullptr};
        else
            return {name, Game, rule, &Rows::FieldOf<Group, Field>,
                    &Rows::ApplyTo<Group, Field, Setter>};
    }
};

} // namespace Tolvane
