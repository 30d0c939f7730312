// SPDX-License-Identifier: GPL-3.0-or-later
#include "figure.h"

#include <cmath>
#include <cstdlib>

namespace Tolvane::Figures {

namespace {

int Trunc(double value) {
    return static_cast<int>(value); // toward zero
}

bool Near(int a, int b) {
    return std::abs(a - b) < kNearPx;
}

bool OrientationsMatch(const TOrientations& wanted, const TPlacements& pieces) {
    const bool thirdOdd = pieces[2].Orientation % 2 == 1;
    return pieces[0].Orientation == wanted.O1 && pieces[1].Orientation == wanted.O2 &&
           thirdOdd == (wanted.O3 == parityOdd) && pieces[3].Orientation == wanted.O4 &&
           pieces[4].Orientation == wanted.O5;
}

int Coordinate(const TPlacement& piece, int axis) {
    return axis == 0 ? piece.Left : piece.Top;
}

template <int Axis>
bool Holds(const TNear<Axis>& near, const TPlacements& pieces, const TLengths& lengths) {
    const int lhs = Coordinate(pieces[near.Lhs.Piece - 1], Axis) + near.Lhs.Offset.Value(lengths);
    const int rhs = Coordinate(pieces[near.Rhs.Piece - 1], Axis) + near.Rhs.Offset.Value(lengths);
    return Near(lhs, rhs);
}

// Squared distance from p to the segment a–b.
double SegmentDistance2(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    double t = length2 > 0 ? QPointF::dotProduct(p - a, ab) / length2 : 0.0;
    t = t < 0 ? 0 : t > 1 ? 1 : t;
    const QPointF nearest = a + t * ab;
    const QPointF away = p - nearest;
    return QPointF::dotProduct(away, away);
}

} // namespace

TLengths CalcLengths(int unit) {
    const double u = unit;
    const double root2 = kSqrt2;
    TLengths lengths;
    auto& of = lengths.Of;
    of[lenU] = unit;
    of[lenQ] = Trunc(u * 0.25);
    of[lenB] = Trunc(u * 0.375);
    of[lenF] = Trunc(u * 0.625);
    of[lenR] = Trunc(u * 0.125 * root2);
    of[lenS] = Trunc(u * 0.375 * root2);
    of[lenE] = Trunc(u * 0.25 / root2);
    of[lenD] = Trunc(u / root2);
    of[lenH] = Trunc(u / (2 * root2));
    for (int k = 1; k <= 6; ++k) of[lenE1 + k - 1] = Trunc(k * u * 0.25 / root2);
    return lengths;
}

int ComputeUnit(int width, int height, int percent) {
    const int smaller = width < height ? width : height;
    return Trunc(smaller * percent * 0.01);
}

TOutline Outline(int kind, int orientation, const TLengths& lengths) {
    TOutline outline;
    if (!ValidShape(kind, orientation)) return outline;
    const TOutlineTerms& terms = kOutlines[kind - 1][orientation - 1];
    outline.Count = terms.Count;
    for (int i = 0; i < terms.Count; ++i)
        outline.Corners[i] = {terms.Corners[i].X.Value(lengths), terms.Corners[i].Y.Value(lengths)};
    return outline;
}

QSize BoxSize(int kind, int orientation, const TLengths& lengths) {
    if (!ValidShape(kind, orientation)) return {};
    const TBoxTerms& box = kBoxes[kind - 1][orientation - 1];
    return {box.Width.Value(lengths), box.Height.Value(lengths)};
}

bool OnShape(const TOutline& outline, QPoint point) {
    if (outline.Count < 3) return false;
    const QPointF p = QPointF(point) + QPointF(0.5, 0.5);
    // Even-odd crossings of a ray to the right; the outlines are simple
    // polygons, so this is "inside".
    bool inside = false;
    for (int i = 0, j = outline.Count - 1; i < outline.Count; j = i++) {
        const QPointF a(outline.Corners[i]);
        const QPointF b(outline.Corners[j]);
        if (SegmentDistance2(p, a, b) <= kHitSlackPx * kHitSlackPx) return true;
        if (std::abs(p.x() - a.x()) <= kPenWidthPx / 2.0 &&
            std::abs(p.y() - a.y()) <= kPenWidthPx / 2.0)
            return true;
        if ((a.y() > p.y()) != (b.y() > p.y())) {
            const double crossX = a.x() + (p.y() - a.y()) * (b.x() - a.x()) / (b.y() - a.y());
            if (p.x() < crossX) inside = !inside;
        }
    }
    return inside;
}

int SolvedArrangement(TFSquare square, const TPlacements& pieces, const TLengths& lengths) {
    for (std::size_t i = 0; i < kArrangements.size(); ++i) {
        const TArrangement& arrangement = kArrangements[i];
        if (arrangement.Square != square || !OrientationsMatch(arrangement.Orientations, pieces))
            continue;
        bool all = true;
        for (const auto& near : arrangement.Horizontal) all = all && Holds(near, pieces, lengths);
        for (const auto& near : arrangement.Vertical) all = all && Holds(near, pieces, lengths);
        if (all) return static_cast<int>(i) + 1;
    }
    return 0;
}

TColor PieceColor(TColorTAFShapes mode, int piece) {
    if (piece < 1 || piece > kPieces) return clBlack;
    const TPieceColors& colors = kPieceColors[piece - 1];
    return mode == colorFixed ? colors.Fixed : colors.Fixed2;
}

TColor FinishColor(TColorTAFShapes mode, TColor boardColor) {
    if (mode == colorFixed) return boardColor == clGray ? clTeal : clGray;
    return boardColor == clSilver ? clYellow : clSilver;
}

} // namespace Tolvane::Figures
