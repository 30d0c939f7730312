// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamepan/toolkit/widgets/colors.h"
#include "gamepan/toolkit/widgets/kinds.h"

#include <QPoint>
#include <QSize>
#include <array>
#include <cstdint>

namespace Tolvane {

// The rules of the Figures game that need no widget: the lengths derived
// from the unit, the outline and box of every kind and orientation, turning,
// keeping a piece on the board, the hit test, the sixteen finished
// arrangements and the palettes.
namespace Figures {

// The unit U as a percentage of the smaller board side.
constexpr std::uint16_t kMinWidthHeight = 40;
constexpr std::uint16_t kMaxWidthHeight = 90;

constexpr int kPieces = 5;
constexpr int kKinds = 6;
constexpr int kOrientations = 8; // 45° steps, clockwise on the screen
constexpr int kMaxCorners = 5;

// √2 in single precision (1.41421354); every length below uses this value.
constexpr float kSqrt2 = 1.41421354f;

// A fresh piece's box before its first unit: the position scales from it.
constexpr int kFreshWidthPx = 65;
constexpr int kFreshHeightPx = 17;

// Two coordinates are near when they differ by less than this many pixels.
constexpr int kNearPx = 10;

constexpr int kPenWidthPx = 2;     // the outline of a piece at rest
constexpr int kDragPenWidthPx = 1; // dotted, while it is dragged
// A pixel whose centre is this close to the outline counts as on the shape:
// half the width of the pen that draws it, and a tenth more for where the
// drawn line rounds to whole pixels. The square ends of the pen reach as far
// round each corner.
constexpr double kHitSlackPx = kPenWidthPx / 2.0 + 0.1;

// The lengths every outline, box and arrangement is made of. Each is
// truncated from a product formed in floating point, the fraction of U
// first, √2 last.
enum TLength : std::uint8_t {
    lenNone, // a plain pixel count
    lenU,    // U
    lenQ,    // q = Trunc(U × 0.25)
    lenB,    // b = Trunc(U × 0.375)
    lenF,    // f = Trunc(U × 0.625)
    lenR,    // r = Trunc(U × 0.125 × √2)
    lenS,    // s = Trunc(U × 0.375 × √2)
    lenE,    // e = Trunc(U × 0.25 / √2)
    lenD,    // d = Trunc(U / √2)
    lenH,    // h = Trunc(U / (2 × √2))
    lenE1,   // Ek = Trunc(k × U × 0.25 / √2), k = 1..6
    lenE2,
    lenE3,
    lenE4,
    lenE5,
    lenE6,
    lenCount
};

struct TLengths {
    std::array<int, lenCount> Of{};
    constexpr int operator[](TLength length) const { return Of[length]; }
};

// All lengths for unit U (pixels, not negative).
TLengths CalcLengths(int unit);

// The unit from the board's client size and the percentage: the smaller
// side (the width when it is less than the height) times percent × 0.01,
// truncated.
int ComputeUnit(int width, int height, int percent);

// Times × length + Plus pixels.
struct TTerm {
    TLength Length = lenNone;
    int Times = 0;
    int Plus = 0;

    constexpr TTerm() = default;
    // A plain pixel count, so that tables can write 1 for one pixel.
    constexpr TTerm(int plus) : Plus(plus) {}
    constexpr TTerm(TLength length, int times, int plus)
        : Length(length), Times(times), Plus(plus) {}

    constexpr int Value(const TLengths& lengths) const { return Times * lengths[Length] + Plus; }
};

constexpr TTerm operator*(int k, TTerm term) {
    return {term.Length, k * term.Times, k * term.Plus};
}
constexpr TTerm operator+(TTerm term, int pixels) {
    return {term.Length, term.Times, term.Plus + pixels};
}
constexpr TTerm operator-(TTerm term) {
    return {term.Length, -term.Times, -term.Plus};
}

// A piece's coordinate in an arrangement: x or y of piece 1..5 plus a term.
template <int Axis> struct TAt {
    int Piece = 0;
    TTerm Offset;
};
template <int Axis> constexpr TAt<Axis> operator+(TAt<Axis> at, TTerm term) {
    return {at.Piece, term};
}
template <int Axis> constexpr TAt<Axis> operator-(TAt<Axis> at, TTerm term) {
    return {at.Piece, -term};
}
using TAtX = TAt<0>;
using TAtY = TAt<1>;

// The letters the tables are written in.
namespace Sym {
constexpr TTerm U{lenU, 1, 0};
constexpr TTerm q{lenQ, 1, 0};
constexpr TTerm b{lenB, 1, 0};
constexpr TTerm f{lenF, 1, 0};
constexpr TTerm r{lenR, 1, 0};
constexpr TTerm s{lenS, 1, 0};
constexpr TTerm e{lenE, 1, 0};
constexpr TTerm d{lenD, 1, 0};
constexpr TTerm h{lenH, 1, 0};
constexpr TTerm E1{lenE1, 1, 0};
constexpr TTerm E2{lenE2, 1, 0};
constexpr TTerm E3{lenE3, 1, 0};
constexpr TTerm E4{lenE4, 1, 0};
constexpr TTerm E5{lenE5, 1, 0};
constexpr TTerm E6{lenE6, 1, 0};
constexpr TAtX x1{1, 0}, x2{2, 0}, x3{3, 0}, x4{4, 0}, x5{5, 0};
constexpr TAtY y1{1, 0}, y2{2, 0}, y3{3, 0}, y4{4, 0}, y5{5, 0};
} // namespace Sym

struct TCornerTerm {
    TTerm X;
    TTerm Y;
};

// The corners of one outline in drawing order; it closes back to the first.
struct TOutlineTerms {
    int Count = 0;
    std::array<TCornerTerm, kMaxCorners> Corners{};
};

constexpr TOutlineTerms Poly(TCornerTerm a, TCornerTerm b, TCornerTerm c) {
    return {3, {a, b, c}};
}
constexpr TOutlineTerms Poly(TCornerTerm a, TCornerTerm b, TCornerTerm c, TCornerTerm d) {
    return {4, {a, b, c, d}};
}
constexpr TOutlineTerms Poly(TCornerTerm a, TCornerTerm b, TCornerTerm c, TCornerTerm d,
                             TCornerTerm e) {
    return {5, {a, b, c, d, e}};
}

// Pixel corners inside the piece's box, by [kind − 1][orientation − 1].
inline constexpr std::array<std::array<TOutlineTerms, kOrientations>, kKinds> kOutlines = [] {
    using namespace Sym;
    return std::array<std::array<TOutlineTerms, kOrientations>, kKinds>{{
        {{
            // kind 1
            Poly({1, 1}, {1, s + 1}, {s + 1, s + 1}),
            Poly({b + 1, 1}, {b + 1, 2 * b + 1}, {1, b + 1}),
            Poly({1, 1}, {1, s + 1}, {s + 1, 1}),
            Poly({b + 1, 1}, {2 * b + 1, b + 1}, {1, b + 1}),
            Poly({1, 1}, {s + 1, 1}, {s + 1, s + 1}),
            Poly({1, 1}, {b + 1, b + 1}, {1, 2 * b + 1}),
            Poly({1, s + 1}, {s + 1, s + 1}, {s + 1, 1}),
            Poly({1, 1}, {2 * b + 1, 1}, {b + 1, b + 1}),
        }},
        {{
            // kind 2
            Poly({1, 1}, {1, 2 * b + 1}, {2 * b + 1, 2 * b + 1}),
            Poly({s + 1, 1}, {s + 1, 2 * s + 1}, {1, s + 1}),
            Poly({1, 1}, {1, 2 * b + 1}, {2 * b + 1, 1}),
            Poly({s + 1, 1}, {2 * s + 1, s + 1}, {1, s + 1}),
            Poly({1, 1}, {2 * b + 1, 1}, {2 * b + 1, 2 * b + 1}),
            Poly({1, 1}, {s + 1, s + 1}, {1, 2 * s + 1}),
            Poly({1, 2 * b + 1}, {2 * b + 1, 2 * b + 1}, {2 * b + 1, 1}),
            Poly({1, 1}, {2 * s + 1, 1}, {s + 1, s + 1}),
        }},
        {{
            // kind 3: odd and even orientations each share one outline
            Poly({1, 1}, {q + 1, 1}, {q + 1, q + 1}, {1, q + 1}),
            Poly({r + 1, 1}, {2 * r + 1, r + 1}, {r + 1, 2 * r + 1}, {1, r + 1}),
            Poly({1, 1}, {q + 1, 1}, {q + 1, q + 1}, {1, q + 1}),
            Poly({r + 1, 1}, {2 * r + 1, r + 1}, {r + 1, 2 * r + 1}, {1, r + 1}),
            Poly({1, 1}, {q + 1, 1}, {q + 1, q + 1}, {1, q + 1}),
            Poly({r + 1, 1}, {2 * r + 1, r + 1}, {r + 1, 2 * r + 1}, {1, r + 1}),
            Poly({1, 1}, {q + 1, 1}, {q + 1, q + 1}, {1, q + 1}),
            Poly({r + 1, 1}, {2 * r + 1, r + 1}, {r + 1, 2 * r + 1}, {1, r + 1}),
        }},
        {{
            // kind 4
            Poly({1, 1}, {e + 1, e + 1}, {2 * e + 1, 1}, {5 * e + 1, 3 * e + 1}, {1, 3 * e + 1}),
            Poly({b + 1, 1}, {b + 1, q + 1}, {f + 1, q + 1}, {f + 1, U + 1}, {1, b + 1}),
            Poly({1, 1}, {3 * e + 1, 1}, {2 * e + 1, e + 1}, {3 * e + 1, 2 * e + 1},
                 {1, 5 * e + 1}),
            Poly({1, f + 1}, {f + 1, 1}, {U + 1, b + 1}, {2 * b + 1, b + 1}, {2 * b + 1, f + 1}),
            Poly({1, 1}, {5 * e + 1, 1}, {5 * e + 1, 3 * e + 1}, {4 * e + 1, 2 * e + 1},
                 {3 * e + 1, 3 * e + 1}),
            Poly({1, 1}, {f + 1, f + 1}, {q + 1, U + 1}, {q + 1, 2 * b + 1}, {1, 2 * b + 1}),
            Poly({3 * e + 1, 1}, {3 * e + 1, 5 * e + 1}, {1, 5 * e + 1}, {e + 1, 4 * e + 1},
                 {1, 3 * e + 1}),
            Poly({q + 1, 1}, {U + 1, 1}, {b + 1, f + 1}, {1, q + 1}, {q + 1, q + 1}),
        }},
        {{
            // kind 5
            Poly({1, 1}, {3 * e + 1, 1}, {4 * e + 1, e + 1}, {3 * e + 1, 2 * e + 1},
                 {1, 2 * e + 1}),
            Poly({q + 1, 1}, {f + 1, b + 1}, {f + 1, f + 1}, {b + 1, f + 1}, {1, q + 1}),
            Poly({1, 1}, {1, 3 * e + 1}, {e + 1, 4 * e + 1}, {2 * e + 1, 3 * e + 1},
                 {2 * e + 1, 1}),
            Poly({b + 1, 1}, {f + 1, q + 1}, {q + 1, f + 1}, {1, f + 1}, {1, b + 1}),
            Poly({1, e + 1}, {e + 1, 1}, {4 * e + 1, 1}, {4 * e + 1, 2 * e + 1},
                 {e + 1, 2 * e + 1}),
            Poly({1, 1}, {q + 1, 1}, {f + 1, b + 1}, {b + 1, f + 1}, {1, q + 1}),
            Poly({e + 1, 1}, {1, e + 1}, {1, 4 * e + 1}, {2 * e + 1, 4 * e + 1},
                 {2 * e + 1, e + 1}),
            Poly({f + 1, 1}, {f + 1, q + 1}, {q + 1, f + 1}, {1, b + 1}, {b + 1, 1}),
        }},
        {{
            // kind 6
            Poly({1, 1}, {1, 2 * e + 1}, {2 * e + 1, 2 * e + 1}),
            Poly({q + 1, 0}, {q + 1, 2 * q}, {1, q}),
            Poly({1, 1}, {1, 2 * e + 1}, {2 * e + 1, 1}),
            Poly({q, 1}, {2 * q, q + 1}, {0, q + 1}),
            Poly({1, 1}, {2 * e + 1, 1}, {2 * e + 1, 2 * e + 1}),
            Poly({1, 0}, {q + 1, q}, {1, 2 * q}),
            Poly({1, 2 * e + 1}, {2 * e + 1, 2 * e + 1}, {2 * e + 1, 1}),
            Poly({0, 1}, {2 * q, 1}, {q, q + 1}),
        }},
    }};
}();

struct TBoxTerms {
    TTerm Width;
    TTerm Height;
};

// A box is the same after a half turn: orientations n and n + 4 share it.
constexpr std::array<TBoxTerms, kOrientations> HalfTurns(TBoxTerms o15, TBoxTerms o26,
                                                         TBoxTerms o37, TBoxTerms o48) {
    return {o15, o26, o37, o48, o15, o26, o37, o48};
}

// The box size of each kind and orientation, by [kind − 1][orientation − 1].
// (2b + 2) div 2 + 2 is written b + 3, and likewise for s and q: the
// dividend is even. Kind 5 in odd orientations uses d = Trunc(U / √2) and
// h = Trunc(U / (2 × √2)).
inline constexpr std::array<std::array<TBoxTerms, kOrientations>, kKinds> kBoxes = [] {
    using namespace Sym;
    return std::array<std::array<TBoxTerms, kOrientations>, kKinds>{{
        // per kind: orientations 1 and 5, 2 and 6, 3 and 7, 4 and 8
        HalfTurns({3 * e + 3, 3 * e + 3}, {b + 3, 2 * b + 2}, {3 * e + 3, 3 * e + 3},
                  {2 * b + 2, b + 3}),
        HalfTurns({2 * b + 2, 2 * b + 2}, {s + 3, 2 * s + 2}, {2 * b + 2, 2 * b + 2},
                  {2 * s + 2, s + 3}),
        HalfTurns({q + 2, q + 2}, {2 * r + 2, 2 * r + 2}, {q + 2, q + 2}, {2 * r + 2, 2 * r + 2}),
        HalfTurns({5 * e + 2, 3 * e + 2}, {f + 2, U + 2}, {3 * e + 2, 5 * e + 2}, {U + 2, f + 2}),
        HalfTurns({d + 2, h + 2}, {f + 2, f + 2}, {h + 2, d + 2}, {f + 2, f + 2}),
        HalfTurns({2 * e + 2, 2 * e + 2}, {q + 3, 2 * q + 2}, {2 * e + 2, 2 * e + 2},
                  {2 * q + 2, q + 3}),
    }};
}();

constexpr bool ValidShape(int kind, int orientation) {
    return kind >= 1 && kind <= kKinds && orientation >= 1 && orientation <= kOrientations;
}

// The corners in pixels inside the box; no corners for a kind outside 1..6
// or an orientation outside 1..8.
struct TOutline {
    int Count = 0;
    std::array<QPoint, kMaxCorners> Corners{};
};
TOutline Outline(int kind, int orientation, const TLengths& lengths);

// The box size; empty outside the tables.
QSize BoxSize(int kind, int orientation, const TLengths& lengths);

// One 45° step clockwise, or counter-clockwise when `back`; 8 is followed by 1.
constexpr int Turned(int orientation, bool back) {
    const int next = orientation + (back ? -1 : 1);
    return next < 1 ? kOrientations : next > kOrientations ? 1 : next;
}

// A position along one axis pulled onto the board: at least 1, and one
// pixel of board left beyond the far edge.
constexpr int KeptInside(int position, int size, int boardSize) {
    if (position < 1) position = 1;
    if (position + size > boardSize - 1) position = boardSize - size - 1;
    return position;
}

// A pixel of the piece's own is on the shape when its centre lies inside
// the outline or within kHitSlackPx of it.
bool OnShape(const TOutline& outline, QPoint point);

// Where a piece lies: its box's left and top on the board, its orientation.
struct TPlacement {
    int Left = 0;
    int Top = 0;
    int Orientation = 0;
};
using TPlacements = std::array<TPlacement, kPieces>; // pieces 1..5

// Piece 3 looks the same turned by 90°: only the parity of its orientation counts.
enum TParity : std::uint8_t { parityOdd, parityEven };

struct TOrientations {
    int O1 = 0;
    int O2 = 0;
    TParity O3 = parityOdd;
    int O4 = 0;
    int O5 = 0;
};

// Lhs ≈ Rhs: the two coordinates differ by less than kNearPx.
template <int Axis> struct TNear {
    TAt<Axis> Lhs;
    TAt<Axis> Rhs;
};

struct TArrangement {
    TFSquare Square = Big;
    TOrientations Orientations;
    std::array<TNear<0>, 4> Horizontal{};
    std::array<TNear<1>, 4> Vertical{};
};

// The finished squares, tried in this order; arrangement n is [n − 1].
// 1–4: the big square with its edges along the board's, each a quarter turn
// on from the one before; 5–8 the big square on a corner; 9–12 the small
// square along the board; 13–16 the small square on a corner.
inline constexpr std::array<TArrangement, 16> kArrangements = [] {
    using namespace Sym;
    constexpr TParity odd = parityOdd;
    constexpr TParity even = parityEven;
    return std::array<TArrangement, 16>{{
        {Big,
         {2, 1, odd, 8, 2}, //
         {{{x4, x3}, {x2, x3}, {x5 - b, x3}, {x1 - f, x3}}},
         {{{y2 - q, y3}, {y4, y3}, {y1, y3}, {y5 - b, y3}}}},
        {Big,
         {4, 3, odd, 2, 4}, //
         {{{x2 + 2 * b, x3}, {x4 + b, x3}, {x1 + 2 * q, x3}, {x5 + 2 * b, x3}}},
         {{{y2, y3}, {y4, y3}, {y5 - b, y3}, {y1 - f, y3}}}},
        {Big,
         {6, 5, odd, 4, 6}, //
         {{{x1 + 2 * b, x3}, {x4 + 2 * b, x3}, {x5 + 2 * b, x3}, {x2 + 2 * q, x3}}},
         {{{y2, y5}, {y1 - q, y5}, {y3 - 2 * b, y5}, {y4 - b, y5}}}},
        {Big,
         {8, 7, odd, 6, 8}, //
         {{{x3, x4}, {x3, x1}, {x3, x2 - q}, {x3, x5 - b}}},
         {{{y1, y4}, {y1, y5}, {y1, y3 - 2 * b}, {y1, y2 - q}}}},
        {Big,
         {3, 2, even, 1, 3}, //
         {{{x2, x5 - E3}, {x2, x3 - E3}, {x2, x4 - E3}, {x2, x1 - E5}}},
         {{{y3, y4 - E1}, {y3, y2 - E1}, {y3, y1 - E4}, {y3, y5 - E4}}}},
        {Big,
         {5, 4, even, 3, 5}, //
         {{{x5, x1 - E1}, {x5, x2 - E1}, {x5, x4 - E4}, {x5, x3 - E6}}},
         {{{y2, y5 - E3}, {y2, y3 - E3}, {y2, y4 - E3}, {y2, y1 - E5}}}},
        {Big,
         {7, 6, even, 5, 7}, //
         {{{x1, x4}, {x1, x5 - E3}, {x1, x3 - E3}, {x1, x2 - E5}}},
         {{{y5, y1 - E1}, {y5, y2 - E1}, {y5, y4 - E4}, {y5, y3 - E6}}}},
        {Big,
         {1, 8, even, 7, 1}, //
         {{{x3, x4 - E1}, {x3, x2 - E1}, {x3, x1 - E4}, {x3, x5 - E4}}},
         {{{y1, y4}, {y1, y3 - E3}, {y1, y5 - E3}, {y1, y2 - E5}}}},
        {Small,
         {1, 7, even, 5, 1}, //
         {{{x1, x4}, {x1, x5}, {x1, x2 - E3}, {x1, x3 - E3}}},
         {{{y1, y4}, {y1, y5 - E3}, {y1, y3 - E2}, {y1, y2 - E3}}}},
        {Small,
         {3, 1, even, 7, 3}, //
         {{{x2, x5}, {x2, x3 - E1}, {x2, x1 - E2}, {x2, x4 - E2}}},
         {{{y1, y4}, {y1, y5}, {y1, y2 - E3}, {y1, y3 - E3}}}},
        {Small,
         {5, 3, even, 1, 5}, //
         {{{x2, x3}, {x2, x4}, {x2, x1 - E2}, {x2, x5 - E1}}},
         {{{y2, y5}, {y2, y3 - E1}, {y2, y1 - E2}, {y2, y4 - E2}}}},
        {Small,
         {7, 5, even, 3, 7}, //
         {{{x4, x1}, {x4, x3 - E2}, {x4, x2 - E3}, {x4, x5 - E3}}},
         {{{y4, y2}, {y4, y3}, {y4, y5 - E1}, {y4, y1 - E2}}}},
        {Small,
         {2, 8, odd, 6, 2}, //
         {{{x5, x1 - q}, {x5, x2 - b}, {x5, x3 - f}, {x5, x4 - f}}},
         {{{y1, y4}, {y1, y3 - 2 * b}, {y1, y5 - b}, {y1, y2 - U}}}},
        {Small,
         {4, 2, odd, 8, 4}, //
         {{{x2, x3 - q}, {x2, x5 - q}, {x2, x1 - 2 * q}, {x2, x4 - q}}},
         {{{y5, y1 - q}, {y5, y2 - b}, {y5, y3 - f}, {y5, y4 - f}}}},
        {Small,
         {6, 4, odd, 2, 6}, //
         {{{x4, x3 - b}, {x4, x1 - f}, {x4, x2 - b}, {x4, x5 - f}}},
         {{{y2, y3 - q}, {y2, y5 - q}, {y2, y4 - q}, {y2, y1 - 2 * q}}}},
        {Small,
         {8, 6, odd, 4, 8}, //
         {{{x1, x4}, {x1, x5 - b}, {x1, x3 - 2 * b}, {x1, x2 - U}}},
         {{{y4, y3 - b}, {y4, y2 - b}, {y4, y5 - f}, {y4, y1 - f}}}},
    }};
}();

// The number 1..16 of the first arrangement of `square` the pieces form,
// or 0 when they form none.
int SolvedArrangement(TFSquare square, const TPlacements& pieces, const TLengths& lengths);

// Outline colours by [piece − 1]: the dark and the bright palette.
struct TPieceColors {
    TColor Fixed;
    TColor Fixed2;
};
inline constexpr std::array<TPieceColors, kPieces> kPieceColors{{
    {clGreen, clAqua},    // 1
    {clMaroon, clRed},    // 2
    {clOlive, clLime},    // 3
    {clNavy, clBlue},     // 4
    {clPurple, clFuchsia} // 5
}};

// The colour of piece 1..5: the dark palette for colorFixed, the bright one
// for every other mode (the owner sends only colorFixed and colorFixed2).
TColor PieceColor(TColorTAFShapes mode, int piece);

// The outline colour of a finished square: gray (teal on a gray board) with
// colorFixed, silver (yellow on a silver board) otherwise.
TColor FinishColor(TColorTAFShapes mode, TColor boardColor);

} // namespace Figures
} // namespace Tolvane
