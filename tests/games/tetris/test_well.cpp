// SPDX-License-Identifier: GPL-3.0-or-later
// The well's tables and arithmetic, without a board: a typo in a rotation
// or spawn table shows here as a piece that changes shape.
#include "gamepan/toolkit/platform/random.h"
#include "games/tetris/well.h"

#include <QTest>
#include <algorithm>

using namespace Tolvane;

namespace {

using TShape = std::array<TOffset, 3>;

// Quarter turn about the pivot as seen on screen (rows grow downwards).
TOffset Turned(TOffset offset, bool clockwise) {
    return clockwise ? TOffset{offset.Column, -offset.Row} : TOffset{-offset.Column, offset.Row};
}

bool SameCells(TShape a, TShape b) {
    auto less = [](TOffset x, TOffset y) {
        return x.Row != y.Row ? x.Row < y.Row : x.Column < y.Column;
    };
    std::sort(a.begin(), a.end(), less);
    std::sort(b.begin(), b.end(), less);
    return a == b;
}

} // namespace

class TWellTest : public QObject {
    Q_OBJECT

private slots:
    void eachStateIsTheLastTurnedAboutThePivot_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("clockwise");
        for (int kind : {1, 2, 3, 6}) QTest::addRow("kind %d", kind) << kind << true;
        for (int kind : {4, 5}) QTest::addRow("kind %d", kind) << kind << false;
    }
    void eachStateIsTheLastTurnedAboutThePivot() {
        QFETCH(int, kind);
        QFETCH(bool, clockwise);
        int state = kind;
        for (int turn = 0; turn < kTurns; ++turn) {
            const int next = NextState(state);
            QCOMPARE(KindOf(next), kind);
            TShape expected = *OffsetsOf(state);
            for (TOffset& offset : expected) offset = Turned(offset, clockwise);
            QVERIFY2(SameCells(*OffsetsOf(next), expected),
                     qPrintable(QString("state %1 to %2").arg(state).arg(next)));
            state = next;
        }
        QCOMPARE(state, kind);
    }

    void theSquareHasNoTurns() {
        for (int state : {7, 14, 21, 28}) QVERIFY(!OffsetsOf(state));
        QVERIFY(!OffsetsOf(0));
        QVERIFY(!OffsetsOf(29));
    }

    void aNewPieceStartsInItsFirstState() {
        for (int kind = 1; kind < kSquareKind; ++kind) {
            const TSpawn& spawn = kSpawnCells[kind - 1];
            TShape relative{};
            for (int i = 0; i < 3; ++i)
                relative[i] = {spawn.Others[i].Row - spawn.Pivot.Row,
                               spawn.Others[i].Column - spawn.Pivot.Column};
            QVERIFY2(SameCells(relative, *OffsetsOf(kind)), qPrintable(QString::number(kind)));
        }
        const TSpawn& square = kSpawnCells[kSquareKind - 1];
        QVERIFY(SameCells(square.Others, {{{2, +1}, {1, +1}, {1, 0}}}));
    }

    void geometryCentresTheWellAndLeavesTheFloor_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QList<int>>("expected"); // cell width, cell height, x offset, floor
        QTest::newRow("main window") << 300 << 430 << 21 << 11 << QList<int>{27, 20, 1, 10};
        QTest::newRow("exact fit") << 200 << 400 << 20 << 10 << QList<int>{20, 20, 0, 0};
        QTest::newRow("odd margin") << 305 << 419 << 20 << 10 << QList<int>{30, 20, 2, 19};
        QTest::newRow("smaller than the well") << 5 << 3 << 6 << 6 << QList<int>{0, 0, 2, 3};
    }
    void geometryCentresTheWellAndLeavesTheFloor() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(QList<int>, expected);
        const TWellGeometry g = ComputeGeometry(width, height, rows, columns);
        QCOMPARE((QList<int>{g.CellWidth, g.CellHeight, g.XOff, g.FloorHeight}), expected);
    }

    void eachKindHasItsDarkAndBrightColour_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("dark");
        QTest::addColumn<int>("bright");
        const int colours[][2] = {{0x000080, 0xFFFF00}, {0x008000, 0x0000FF}, {0x008080, 0x00FF00},
                                  {0x800000, 0x00FFFF}, {0x800080, 0xFF0000}, {0x808000, 0xFF00FF},
                                  {0x808080, 0xC0C0C0}};
        for (int kind = 1; kind <= 7; ++kind)
            QTest::addRow("kind %d", kind) << kind << colours[kind - 1][0] << colours[kind - 1][1];
    }
    void eachKindHasItsDarkAndBrightColour() {
        QFETCH(int, kind);
        QFETCH(int, dark);
        QFETCH(int, bright);
        QCOMPARE(PaletteColor(colorFixed, kind), std::optional<TColor>(dark));
        QCOMPARE(PaletteColor(colorFixed2, kind), std::optional<TColor>(bright));
        QCOMPARE(PaletteColor(colorOne, kind), std::nullopt);
        QCOMPARE(PaletteColor(colorFixed, kind + 7), std::nullopt);
    }

    void randomColoursHaveOneFullChannel() {
        FixRandomSeed(5);
        int full[3] = {};
        for (int i = 0; i < 3000; ++i) {
            const TColor color = RandomBlockColor();
            QCOMPARE(color & ~0xFFFFFF, 0);
            const int channels[3] = {color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF};
            const int at = int(std::find(channels, channels + 3, 255) - channels);
            QVERIFY(at < 3);
            ++full[at];
        }
        ReleaseRandomSeed();
        // Red is raised half the time, green and blue a quarter each.
        QVERIFY(full[0] > 1300 && full[0] < 1700);
        QVERIFY(full[1] > 550 && full[2] > 550);
    }
};

QTEST_APPLESS_MAIN(TWellTest)
#include "test_well.moc"
