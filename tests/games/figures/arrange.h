// SPDX-License-Identifier: GPL-3.0-or-later
// Test helpers: where the pieces lie in a finished arrangement, and a pixel
// on a piece's shape found with Qt's own polygon test.
#pragma once

#include "games/figures/fgr.h"
#include "games/figures/figure.h"

#include <QPolygon>
#include <optional>

namespace FiguresTest {

using namespace Tolvane::Figures;

template <int Axis, std::size_t N>
std::optional<std::array<int, kPieces>> Solve(const std::array<TNear<Axis>, N>& conditions,
                                              const TLengths& lengths) {
    std::array<std::optional<int>, kPieces> at{};
    at[conditions[0].Lhs.Piece - 1] = 0;
    // Every condition ties two pieces; four of them tie all five.
    for (std::size_t pass = 0; pass < N; ++pass)
        for (const TNear<Axis>& near : conditions) {
            auto& lhs = at[near.Lhs.Piece - 1];
            auto& rhs = at[near.Rhs.Piece - 1];
            const int lhsOffset = near.Lhs.Offset.Value(lengths);
            const int rhsOffset = near.Rhs.Offset.Value(lengths);
            if (lhs && !rhs) rhs = *lhs + lhsOffset - rhsOffset;
            if (rhs && !lhs) lhs = *rhs + rhsOffset - lhsOffset;
        }
    std::array<int, kPieces> result{};
    int least = 0;
    for (int i = 0; i < kPieces; ++i) {
        if (!at[i]) return std::nullopt;
        least = i == 0 ? *at[i] : std::min(least, *at[i]);
    }
    for (int i = 0; i < kPieces; ++i) result[i] = *at[i] - least;
    return result;
}

// Arrangement 1..16 laid out exactly, its leftmost box at origin.x() and its
// topmost at origin.y(); piece 3 takes the first orientation of its parity.
inline std::optional<TPlacements> LayOut(int number, const TLengths& lengths, QPoint origin) {
    const TArrangement& arrangement = kArrangements[number - 1];
    const auto xs = Solve(arrangement.Horizontal, lengths);
    const auto ys = Solve(arrangement.Vertical, lengths);
    if (!xs || !ys) return std::nullopt;
    const TOrientations& o = arrangement.Orientations;
    const std::array<int, kPieces> turns{o.O1, o.O2, o.O3 == parityOdd ? 1 : 2, o.O4, o.O5};
    TPlacements placements;
    for (int i = 0; i < kPieces; ++i)
        placements[i] = {origin.x() + (*xs)[i], origin.y() + (*ys)[i], turns[i]};
    return placements;
}

// A pixel 2 pixels deep inside the outline by Qt's polygon test, and not in
// any of the boxes given.
inline std::optional<QPoint> PointInside(const QPolygon& outline, const QList<QRect>& avoid = {}) {
    const QRect box = outline.boundingRect();
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            const QPoint p(x, y);
            bool deep = true;
            for (const QPoint& step : {QPoint(2, 0), QPoint(-2, 0), QPoint(0, 2), QPoint(0, -2)})
                deep = deep && outline.containsPoint(p + step, Qt::OddEvenFill);
            for (const QRect& rect : avoid) deep = deep && !rect.contains(p);
            if (deep) return p;
        }
    return std::nullopt;
}

// A board pixel on the piece's shape, as PointInside finds it.
inline std::optional<QPoint> PointOnShape(const Tolvane::TFgr& piece,
                                          const QList<QRect>& avoid = {}) {
    return PointInside(piece.Outline(), avoid);
}

} // namespace FiguresTest
