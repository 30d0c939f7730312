// SPDX-License-Identifier: GPL-3.0-or-later
// The setter shape every setting of the game panel shares, and the general
// settings. Each game's settings are rows beside its wiring.
#include "gamepan/gamepan.h"

#include "gamepan/logging.h"
#include "gamepan/settingrow.h"
#include "gamepan/toolkit/board/gameboard.h"
#include "gamepan/toolkit/platform/messages.h"
#include "gamepan/wiring.h"

namespace Tolvane {
namespace {

using R = TRowsOf<TState::StPanel, &TPanSettings::General>;

using S = TGeneralSettings;
constexpr TSettingRow kGeneralRows[] = {
    R::Row<&S::ShowScoresTime>("ShowScoresTime"),
    R::Row<&S::ShowAllDlgs>("ShowAllDlgs"),
    R::Row<&S::WithCaption>("WithCaption", {.Check = {TCheck::PanelModeOnly}}),
    R::Row<&S::DefKeys>("DefKeys"),
    R::Row<&S::TimerFocus>("TimerFocus"),
    R::Row<&S::PicStretch>("PicStretch"),
    R::Row<&S::BStPicture>("BStPicture"),
    R::Row<&S::AOverPicture>("AOverPicture"),
    R::Row<&S::About>("About"),
};

// The whole value is compared with both bounds.
bool Passes(const TCheck& check, TState state, long long number) {
    switch (check.Kind) {
    case TCheck::Range:
        return number >= check.Low && number <= check.High;
    case TCheck::Positive:
        return number > 0;
    case TCheck::NotNegative:
        return number >= 0;
    case TCheck::PanelModeOnly:
        return state == TState::StPanel;
    case TCheck::FixedPalette:
        return number == colorFixed || number == colorFixed2;
    case TCheck::None:
        break;
    }
    return true;
}

} // namespace

std::span<const TSettingRow> GeneralRows() {
    return kGeneralRows;
}

QString RefusalOf(const TCheck& check) {
    switch (check.Kind) {
    case TCheck::Range:
        return QStringLiteral("Value must be in [%1..%2]").arg(check.Low).arg(check.High);
    case TCheck::Positive:
        return QStringLiteral("Value must be >0");
    case TCheck::NotNegative:
        return QStringLiteral("Value must be >=0");
    case TCheck::PanelModeOnly:
        return QStringLiteral("At run time change this option only if State=stPanel");
    case TCheck::FixedPalette:
        return QStringLiteral("This Value is Available only for Tetris and Arcanoid");
    case TCheck::None:
        break;
    }
    return {};
}

// A setter finds its row by the address of the value it stores; a handful
// of comparisons, made only when a setting changes.
const TSettingRow& TGamePan::RowOf(const void* field) const {
    for (const TState game :
         {TState::StPanel, TState::Scramble, TState::Tetris, TState::Arcanoid, TState::Figures}) {
        const TGameWiring* wiring = WiringOf(game);
        for (const TSettingRow& row : wiring ? wiring->Rows() : GeneralRows())
            if (row.Field(FSettings) == field) return row;
    }
    Q_ASSERT_X(false, "TGamePan::RowOf", "a setting without a row");
    static constexpr TSettingRow kPlain{"", TState::StPanel, {}, nullptr, nullptr};
    return kPlain;
}

bool TGamePan::Accepts(const TSettingRow& row, long long number) const {
    if (Passes(row.Rule.Check, FState, number)) return true;
    qCDebug(lcPanel) << "refused" << row.Name << number;
    ShowError(RefusalOf(row.Rule.Check));
    return false;
}

bool TGamePan::AppliesUnchanged(const TSettingRow& row) {
    return row.Rule.ApplyUnchanged;
}

void TGamePan::Stored(const TSettingRow& row) {
    TGameBoard* board = row.Game == FState ? FBoard : nullptr;
    if (!board) return;
    const bool running = board->Active();
    const TPush push = row.Rule.Push;
    if (row.Apply && (push == TPush::AtOnce || (push == TPush::WhenIdle && !running) ||
                      (push == TPush::WhenRunning && running))) {
        qCDebug(lcPanel) << "pushed" << row.Name;
        row.Apply(*board, FSettings);
    }
    if (row.Rule.Notice && running && ShowAllDlgs())
        ShowInformation(QString::fromUtf8(row.Rule.Notice));
}

} // namespace Tolvane
