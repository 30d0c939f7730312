// SPDX-License-Identifier: GPL-3.0-or-later
// The widget-free rules of Figures: lengths, boxes, the hit test, the
// sixteen squares and the colours.
#include "games/figures/figure.h"
#include "tests/games/figures/arrange.h"

#include <QImage>
#include <QPainter>
#include <QTest>
#include <cmath>

using namespace Tolvane;
using namespace Tolvane::Figures;

namespace {

// How the filled pieces of one arrangement cover a 400 × 400 board.
struct TCover {
    QRect Bounds;    // of every covered pixel
    int Covered = 0; // pixels under at least one piece
    int Overlap = 0; // pixels under two or more
};

TCover Cover(const TPlacements& placements, TFSquare square, const TLengths& lengths) {
    const std::array<int, kPieces> kinds{1, square == Big ? 2 : 6, 3, 4, 5};
    std::vector<int> count(400 * 400);
    for (int i = 0; i < kPieces; ++i) {
        QImage mask(400, 400, QImage::Format_Grayscale8);
        mask.fill(0);
        QPainter painter(&mask);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        const TOutline outline = Outline(kinds[i], placements[i].Orientation, lengths);
        QPolygon polygon;
        for (int c = 0; c < outline.Count; ++c)
            polygon << outline.Corners[c] + QPoint(placements[i].Left, placements[i].Top);
        painter.drawPolygon(polygon);
        painter.end();
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 400; ++x) count[y * 400 + x] += mask.constScanLine(y)[x] != 0;
    }
    TCover cover;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 400; ++x) {
            if (count[y * 400 + x] == 0) continue;
            ++cover.Covered;
            cover.Overlap += count[y * 400 + x] > 1;
            cover.Bounds |= QRect(x, y, 1, 1);
        }
    return cover;
}

} // namespace

class TFigureTest : public QObject {
    Q_OBJECT

private slots:
    void lengthsAreTruncatedFromTheUnit_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QList<int>>("expected"); // q b f r s e d h E1..E6, worked by hand
        QTest::newRow("0") << 0 << QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("28") << 28 << QList<int>{7, 10, 17, 4, 14, 4, 19, 9, 4, 9, 14, 19, 24, 29};
        QTest::newRow("147") << 147 << QList<int>{36, 55, 91, 25, 77,  25,  103,
                                                  51, 25, 51, 77, 103, 129, 155};
        QTest::newRow("210") << 210 << QList<int>{52, 78, 131, 37,  111, 37,  148,
                                                  74, 37, 74,  111, 148, 185, 222};
    }
    void lengthsAreTruncatedFromTheUnit() {
        QFETCH(int, unit);
        QFETCH(QList<int>, expected);
        const TLengths lengths = CalcLengths(unit);
        QList<int> actual;
        for (int l = lenQ; l < lenCount; ++l) actual << lengths[static_cast<TLength>(l)];
        QCOMPARE(actual, expected);
        QCOMPARE(kSqrt2, std::sqrt(2.0f));
    }

    void theUnitIsAPercentageOfTheSmallerSide() {
        QCOMPARE(ComputeUnit(400, 300, 70), 210);
        QCOMPARE(ComputeUnit(300, 400, 70), 210); // narrower than high: the width
        QCOMPARE(ComputeUnit(211, 500, 90), 189);
        QCOMPARE(ComputeUnit(522, 353, 70), 247); // 247.1, truncated
        QCOMPARE(ComputeUnit(1920, 1080, 90), 972);
    }

    // At U = 147, for orientations 1 and 5, 2 and 6, 3 and 7, 4 and 8.
    void boxesFollowTheTable_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<QSize>>("boxes");
        const int U = 147, q = 36, b = 55, f = 91, r = 25, s = 77, e = 25, d = 103, h = 51;
        auto row = [](int kind, QSize o15, QSize o26, QSize o37, QSize o48) {
            QTest::addRow("kind %d", kind) << kind << QList<QSize>{o15, o26, o37, o48};
        };
        row(1, {3 * e + 3, 3 * e + 3}, {(2 * b + 2) / 2 + 2, 2 * b + 2}, {3 * e + 3, 3 * e + 3},
            {2 * b + 2, (2 * b + 2) / 2 + 2});
        row(2, {2 * b + 2, 2 * b + 2}, {(2 * s + 2) / 2 + 2, 2 * s + 2}, {2 * b + 2, 2 * b + 2},
            {2 * s + 2, (2 * s + 2) / 2 + 2});
        row(3, {q + 2, q + 2}, {2 * r + 2, 2 * r + 2}, {q + 2, q + 2}, {2 * r + 2, 2 * r + 2});
        row(4, {5 * e + 2, 3 * e + 2}, {f + 2, U + 2}, {3 * e + 2, 5 * e + 2}, {U + 2, f + 2});
        row(5, {d + 2, h + 2}, {f + 2, f + 2}, {h + 2, d + 2}, {f + 2, f + 2});
        row(6, {2 * e + 2, 2 * e + 2}, {(2 * q + 2) / 2 + 2, 2 * q + 2}, {2 * e + 2, 2 * e + 2},
            {2 * q + 2, (2 * q + 2) / 2 + 2});
    }
    void boxesFollowTheTable() {
        QFETCH(int, kind);
        QFETCH(QList<QSize>, boxes);
        const TLengths lengths = CalcLengths(147);
        for (int o = 1; o <= kOrientations; ++o) {
            QCOMPARE(BoxSize(kind, o, lengths), boxes[(o - 1) % 4]);
            // The little square looks the same turned by 90°.
            if (kind == 3)
                QVERIFY(Outline(3, o, lengths).Corners == Outline(3, 2 - o % 2, lengths).Corners);
        }
        QCOMPARE(Outline(kind, 0, lengths).Count, 0);
        QVERIFY(BoxSize(kind, 9, lengths).isEmpty());
    }

    // Kind 2 in orientation 1 at U = 147: corners (1, 1) (1, 111) (111, 111).
    void pressesCountInsideAndOnTheOutlineOnly_data() {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("on");
        QTest::newRow("inside") << QPoint(30, 80) << true;
        QTest::newRow("a corner") << QPoint(1, 1) << true;
        QTest::newRow("on the hypotenuse") << QPoint(56, 56) << true;
        QTest::newRow("one pixel beyond it") << QPoint(57, 56) << true;
        QTest::newRow("two pixels beyond it") << QPoint(58, 56) << false;
        QTest::newRow("the leg's outer pen pixel") << QPoint(0, 60) << true;
        QTest::newRow("the empty half of the box") << QPoint(100, 10) << false;
    }
    void pressesCountInsideAndOnTheOutlineOnly() {
        QFETCH(QPoint, point);
        QFETCH(bool, on);
        QCOMPARE(OnShape(Outline(2, 1, CalcLengths(147)), point), on);
    }

    // Every pixel the outline is drawn with takes a press, in each kind and
    // orientation; beyond the drawn outline and its inside hardly any does.
    void everyDrawnPixelOfTheOutlineIsOnTheShape() {
        const TLengths lengths = CalcLengths(147);
        long painted = 0, extra = 0;
        for (int kind = 1; kind <= kKinds; ++kind)
            for (int o = 1; o <= kOrientations; ++o) {
                const QSize box = BoxSize(kind, o, lengths);
                const TOutline outline = Outline(kind, o, lengths);
                QImage ink(box, QImage::Format_ARGB32), fill(box, QImage::Format_ARGB32);
                ink.fill(0);
                fill.fill(0);
                std::array<QPoint, kMaxCorners + 1> corners{};
                std::copy_n(outline.Corners.begin(), outline.Count, corners.begin());
                corners[outline.Count] = corners[0];
                {
                    QPainter pen(&ink);
                    pen.setPen(QPen(Qt::red, kPenWidthPx)); // as a piece at rest is drawn
                    pen.drawPolyline(corners.data(), outline.Count + 1);
                    QPainter inside(&fill);
                    inside.setPen(Qt::NoPen);
                    inside.setBrush(Qt::red);
                    inside.drawPolygon(corners.data(), outline.Count);
                }
                for (int y = 0; y < box.height(); ++y)
                    for (int x = 0; x < box.width(); ++x) {
                        const bool drawn = qAlpha(ink.pixel(x, y)) > 0;
                        const bool on = OnShape(outline, QPoint(x, y));
                        painted += drawn;
                        if (drawn)
                            QVERIFY2(on, qPrintable(QStringLiteral("kind %1 orientation %2 "
                                                                   "pixel %3,%4")
                                                        .arg(kind)
                                                        .arg(o)
                                                        .arg(x)
                                                        .arg(y)));
                        extra += on && !drawn && qAlpha(fill.pixel(x, y)) == 0;
                    }
            }
        QVERIFY2(extra * 100 < painted,
                 qPrintable(QStringLiteral("%1 of %2").arg(extra).arg(painted)));
    }

    // Laid out exactly, the filled pieces of each arrangement cover a square
    // of the right side, only seam pixels missing or doubled: the outline
    // and arrangement tables agree. Anywhere on the board each piece may be
    // 9 pixels off along either axis; 10 is a miss.
    void everyArrangementIsItsSquareAndIsRecognised_data() {
        QTest::addColumn<int>("number");
        for (int n = 1; n <= 16; ++n) QTest::addRow("%d", n) << n;
    }
    void everyArrangementIsItsSquareAndIsRecognised() {
        QFETCH(int, number);
        const TFSquare square = kArrangements[number - 1].Square;
        const TLengths lengths = CalcLengths(200);
        const auto exact = FiguresTest::LayOut(number, lengths, {20, 20});
        QVERIFY(exact);
        const TCover cover = Cover(*exact, square, lengths);
        const double side = square == Big ? 200 : 5 * std::sqrt(2.0) / 8 * 200;
        const double span = (number - 1) % 8 >= 4 ? side * std::sqrt(2.0) : side; // on a corner
        QVERIFY(std::abs(cover.Bounds.width() - span) <= 4);
        QVERIFY(std::abs(cover.Bounds.height() - span) <= 4);
        QVERIFY2(std::abs(cover.Covered - side * side) < 0.03 * side * side,
                 qPrintable(QString::number(cover.Covered)));
        QVERIFY(cover.Overlap < 0.01 * side * side);

        const TLengths other = CalcLengths(147);
        const TPlacements far = *FiguresTest::LayOut(number, other, {613, 388});
        QCOMPARE(SolvedArrangement(square, far, other), number);
        QCOMPARE(SolvedArrangement(square == Big ? Small : Big, far, other), 0);
        for (int piece = 0; piece < kPieces; ++piece)
            for (int off : {-10, -9, 9, 10})
                for (int axis = 0; axis < 2; ++axis) {
                    TPlacements moved = far;
                    (axis == 0 ? moved[piece].Left : moved[piece].Top) += off;
                    QCOMPARE(SolvedArrangement(square, moved, other),
                             std::abs(off) < 10 ? number : 0);
                }
        // Piece 3 counts by parity only, the others by their exact turn.
        TPlacements turned = far;
        turned[2].Orientation += 2;
        QCOMPARE(SolvedArrangement(square, turned, other), number);
        turned[2].Orientation += 1;
        QCOMPARE(SolvedArrangement(square, turned, other), 0);
        turned = far;
        turned[3].Orientation = Turned(turned[3].Orientation, false);
        QCOMPARE(SolvedArrangement(square, turned, other), 0);
    }
};

QTEST_MAIN(TFigureTest)
#include "test_figure.moc"
