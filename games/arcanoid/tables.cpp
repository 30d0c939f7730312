// SPDX-License-Identifier: GPL-3.0-or-later
#include "tables.h"

#include "gamepan/toolkit/platform/random.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Tolvane::Arcanoid {

namespace {

int Saturate(double x) {
    if (std::isnan(x)) return 0;
    return static_cast<int>(std::clamp(x, double(-kPixelLimit), double(kPixelLimit)));
}

int RowOf(const TRowBound& bound, int rows) {
    switch (bound.Base) {
    case TRowBase::Row:
        break;
    case TRowBase::Half:
        return rows / 2 + bound.Offset;
    case TRowBase::Quarter:
        return rows / 4 + bound.Offset;
    }
    return bound.Offset;
}

bool RowPicked(TRowPick pick, int row) {
    switch (pick) {
    case TRowPick::Every:
        break;
    case TRowPick::Odd:
        return row % 2 == 1;
    case TRowPick::Even:
        return row % 2 == 0;
    }
    return true;
}

bool ColumnPicked(TColumnPick pick, int row, int column, int columns) {
    switch (pick) {
    case TColumnPick::All:
        break;
    case TColumnPick::Odd:
        return column % 2 == 1;
    case TColumnPick::Even:
        return column % 2 == 0;
    case TColumnPick::OddSum:
        return (row + column) % 2 == 1;
    case TColumnPick::Inner:
        return column >= 2 && column <= columns - 1;
    case TColumnPick::Draw:
        return Random(2) == 1;
    }
    return true;
}

} // namespace

int Round(double x) {
    // The default rounding mode rounds halves to even.
    return Saturate(std::nearbyint(x));
}

int Trunc(double x) {
    return Saturate(std::trunc(x));
}

std::optional<TBonus> BonusOf(TColor color) {
    const auto found = std::find(kBonusColors.begin(), kBonusColors.end(), color);
    if (found == kBonusColors.end()) return std::nullopt;
    return static_cast<TBonus>(found - kBonusColors.begin());
}

bool InFrame(int rows, int columns, int row, int column) {
    const int i = row - 2;
    const int j = column;
    if (i < 1 || i > rows || j < 1 || j > columns || row > rows - 4) return false;
    const int m = columns;
    return j == i || i == m - j + 1 || (j == 1 && i <= m) || i == 1 || (j == m && i <= m) || i == m;
}

TCellSet LevelCells(int level, int rows, int columns) {
    TCellSet cells{};
    rows = std::clamp(rows, 1, kMaxRows);
    columns = std::clamp(columns, 1, kMaxColumns);
    if (level < 1 || level > kMaxLevels) return cells;
    const TLevelPattern& pattern = kLevelPatterns[level - 1];
    if (pattern.Frame) {
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= columns; ++c) cells[r - 1][c - 1] = InFrame(rows, columns, r, c);
        return cells;
    }
    for (int b = 0; b < pattern.BandCount; ++b) {
        const TBand& band = pattern.Bands[b];
        const int first = std::max({RowOf(band.First, rows), band.Floor, 1});
        const int last = std::min(RowOf(band.Last, rows), rows);
        for (int r = first; r <= last; ++r) {
            if (!RowPicked(band.Rows, r)) continue;
            for (int c = 1; c <= columns; ++c)
                if (ColumnPicked(band.Columns, r, c, columns)) cells[r - 1][c - 1] = true;
        }
    }
    return cells;
}

TGeometry ComputeGeometry(QSize client, int rows, int columns) {
    const int width = std::max(client.width(), 1);
    const int height = std::max(client.height(), 1);
    TGeometry geometry;
    geometry.CellHeight = std::max(height / std::max(rows, 1), 1);
    geometry.CellWidth = std::max(width / std::max(columns, 1), 1);
    geometry.Margin = (width - columns * geometry.CellWidth) / 2;
    return geometry;
}

TColor RandomColor() {
    // Separate statements: the draws give blue, green and red in this order.
    const int blue = Random(256);
    const int green = Random(256);
    const int red = Random(256);
    return RGBToColor(red, green, blue);
}

std::int32_t DrawRange(std::int32_t creSquShape) {
    const std::int64_t range = std::int64_t{kBonusKinds} * creSquShape;
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(range, kBonusKinds, std::numeric_limits<std::int32_t>::max()));
}

int StrongIndex(TColor color) {
    const auto found = std::find(kStrongColors.begin(), kStrongColors.end(), color);
    return found == kStrongColors.end() ? -1 : int(found - kStrongColors.begin());
}

int PercentOf(int length, std::int32_t percent, TRounding rounding) {
    const double exact = double(length) * percent * 0.01;
    return std::max(rounding == TRounding::Nearest ? Round(exact) : Trunc(exact), 0);
}

} // namespace Tolvane::Arcanoid
