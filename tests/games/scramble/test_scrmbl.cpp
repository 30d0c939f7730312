// SPDX-License-Identifier: GPL-3.0-or-later
// The sliding-tile board on its own: layout, shuffle, moves, solving, pause.
#include "gamepan/toolkit/keys.h"
#include "gamepan/toolkit/random.h"
#include "games/scramble/scrmbl.h"

#include <QPushButton>
#include <QSet>
#include <QTest>

using namespace Tolvane;

namespace {

struct TGap {
    int Row = 0;
    int Column = 0;
};

TGap FindGap(const TScrmbl& board) {
    for (int i = 1; i <= board.Size(); ++i)
        for (int j = 1; j <= board.Size(); ++j)
            if (board.Tile(i, j)->isHidden()) return {i, j};
    return {};
}

QStringList Captions(const TScrmbl& board) {
    QStringList captions;
    for (int i = 1; i <= board.Size(); ++i)
        for (int j = 1; j <= board.Size(); ++j) captions << board.Tile(i, j)->text();
    return captions;
}

// Sliding-puzzle solvability: for an even side the number of inversions plus
// the gap's row counted from the bottom must be odd; for an odd side the
// number of inversions must be even.
bool Solvable(const TScrmbl& board) {
    const int n = board.Size();
    QList<int> numbers;
    int gapRowFromBottom = 0;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) {
            if (board.Tile(i, j)->isHidden())
                gapRowFromBottom = n - i + 1;
            else
                numbers << board.Tile(i, j)->text().toInt();
        }
    int inversions = 0;
    for (int a = 0; a < numbers.size(); ++a)
        for (int b = a + 1; b < numbers.size(); ++b)
            if (numbers[a] > numbers[b]) ++inversions;
    if (n % 2 == 1) return inversions % 2 == 0;
    return (inversions + gapRowFromBottom) % 2 == 1;
}

bool Green(const QPushButton& tile) {
    return tile.palette().color(QPalette::ButtonText) == ToQColor(clGreen);
}

} // namespace

class TScrmblTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> FHost;
    TScrmbl* FBoard = nullptr;
    int FMovesSeen = 0;
    int FOvers = 0;

    void Start(int n) {
        FBoard->SetSize(static_cast<std::uint16_t>(n));
        FBoard->SetActive(true);
    }

    // Plays the shuffle backwards is not possible from outside, so solve
    // small boards by search over the four keypad moves.
    bool SolveByKeys(int maxDepth) {
        const std::uint16_t keys[] = {VK_NUMPAD4, VK_NUMPAD6, VK_NUMPAD8, VK_NUMPAD2};
        const std::uint16_t undo[] = {VK_NUMPAD6, VK_NUMPAD4, VK_NUMPAD2, VK_NUMPAD8};
        std::function<bool(int, int)> search = [&](int depth, int last) -> bool {
            if (FOvers > 0) return true;
            if (depth == 0) return false;
            for (int k = 0; k < 4; ++k) {
                if (last >= 0 && undo[last] == keys[k]) continue;
                const TGap before = FindGap(*FBoard);
                FBoard->DoKey(keys[k]);
                const TGap after = FindGap(*FBoard);
                if (before.Row == after.Row && before.Column == after.Column) continue;
                if (search(depth - 1, k)) return true;
                FBoard->DoKey(undo[k]);
            }
            return false;
        };
        return search(maxDepth, -1);
    }

private slots:
    void init() {
        FixRandomSeed(42);
        FHost = std::make_unique<QWidget>();
        FHost->resize(403, 300);
        FBoard = new TScrmbl(FHost.get());
        FBoard->setGeometry(0, 0, 403, 300);
        FMovesSeen = 0;
        FOvers = 0;
        FBoard->OnMove = [this](QObject* sender) {
            QCOMPARE(sender, FBoard);
            ++FMovesSeen;
        };
        FBoard->OnOver = [this](QObject*) { ++FOvers; };
        FHost->show();
    }

    void cleanup() {
        FHost.reset();
        ReleaseRandomSeed();
    }

    void tilesFillTheBoardWithCentringMargins() {
        Start(4);
        QCOMPARE(FBoard->CellWidth(), 100);
        QCOMPARE(FBoard->CellHeight(), 75);
        QCOMPARE(FBoard->XOff(), 1);
        QCOMPARE(FBoard->YOff(), 0);
        QCOMPARE(FBoard->Tile(2, 3)->geometry(), QRect(201, 75, 100, 75));
        QCOMPARE(FBoard->Tile(1, 1)->objectName().left(6), QStringLiteral("bitbtn"));
        QCOMPARE(FBoard->Tile(1, 1)->focusPolicy(), Qt::ClickFocus);
    }

    void shuffleLeavesASolvablePermutationWithOneHiddenGap_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<quint32>("seed");
        for (int n : {2, 3, 4, 8})
            for (quint32 seed : {1u, 7u, 2024u})
                QTest::addRow("n=%d seed=%u", n, seed) << n << seed;
    }
    void shuffleLeavesASolvablePermutationWithOneHiddenGap() {
        QFETCH(int, n);
        QFETCH(quint32, seed);
        FixRandomSeed(seed);
        Start(n);
        QSet<int> shown;
        int hidden = 0;
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j) {
                QPushButton* tile = FBoard->Tile(i, j);
                if (tile->isHidden()) {
                    ++hidden;
                    QCOMPARE(tile->text(), QString::number(n * n));
                } else {
                    shown.insert(tile->text().toInt());
                }
            }
        QCOMPARE(hidden, 1);
        QCOMPARE(shown.size(), n * n - 1);
        QCOMPARE(*std::min_element(shown.begin(), shown.end()), 1);
        QCOMPARE(*std::max_element(shown.begin(), shown.end()), n * n - 1);
        QCOMPARE(FBoard->GapCaption(), QString::number(n * n));
        QVERIFY(Solvable(*FBoard));
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j) {
                QPushButton* tile = FBoard->Tile(i, j);
                if (tile->isHidden()) continue;
                QCOMPARE(Green(*tile), tile->text() == QString::number((i - 1) * n + j));
            }
    }

    void movesTowardAWallChangeNothingAndCountNothing() {
        Start(4);
        // Walk the gap to the right edge, then ask for one more step that way.
        for (int k = 0; k < 4; ++k) FBoard->DoKey(VK_NUMPAD4);
        const int moves = FBoard->Moves();
        QCOMPARE(FindGap(*FBoard).Column, 4);
        const QStringList before = Captions(*FBoard);
        FBoard->DoKey(VK_NUMPAD4);
        QCOMPARE(Captions(*FBoard), before);
        QCOMPARE(FBoard->Moves(), moves);
        QCOMPARE(FMovesSeen, moves);
    }

    void eachKeySlidesTheNeighbourIntoTheGap_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("rowStep");
        QTest::addColumn<int>("columnStep");
        // The gap moves opposite to the tile.
        QTest::newRow("left") << int(VK_NUMPAD4) << 0 << 1;
        QTest::newRow("right") << int(VK_NUMPAD6) << 0 << -1;
        QTest::newRow("up") << int(VK_NUMPAD8) << 1 << 0;
        QTest::newRow("down") << int(VK_NUMPAD2) << -1 << 0;
    }
    void eachKeySlidesTheNeighbourIntoTheGap() {
        QFETCH(int, key);
        QFETCH(int, rowStep);
        QFETCH(int, columnStep);
        Start(4);
        // Bring the gap to an inner cell first so every direction can move.
        while (FindGap(*FBoard).Column > 2) FBoard->DoKey(VK_NUMPAD6);
        while (FindGap(*FBoard).Column < 2) FBoard->DoKey(VK_NUMPAD4);
        while (FindGap(*FBoard).Row > 2) FBoard->DoKey(VK_NUMPAD2);
        while (FindGap(*FBoard).Row < 2) FBoard->DoKey(VK_NUMPAD8);
        const TGap gap = FindGap(*FBoard);
        QCOMPARE(gap.Row, 2);
        QCOMPARE(gap.Column, 2);
        const QString moving = FBoard->Tile(gap.Row + rowStep, gap.Column + columnStep)->text();
        const int moves = FBoard->Moves();
        FBoard->DoKey(static_cast<std::uint16_t>(key));
        QCOMPARE(FBoard->Tile(2, 2)->text(), moving);
        QVERIFY(FBoard->Tile(2, 2)->isVisible());
        const TGap now = FindGap(*FBoard);
        QCOMPARE(now.Row, gap.Row + rowStep);
        QCOMPARE(now.Column, gap.Column + columnStep);
        QCOMPARE(FBoard->Moves(), moves + 1);
    }

    void commandsMatchTheirKeysAndUnknownOnesAreIgnored() {
        Start(4);
        const QStringList before = Captions(*FBoard);
        for (std::uint8_t command : {2, 3, 6, 7, 200}) FBoard->DoCommand(command);
        for (std::uint16_t key : {VK_NUMPAD5, VK_RETURN, VK_LEFT, std::uint16_t(0)})
            FBoard->DoKey(key);
        QCOMPARE(Captions(*FBoard), before);
        QCOMPARE(FBoard->Moves(), 0);
        QCOMPARE(FBoard->Command(), 200);
        FBoard->DoCommand(0);
        FBoard->DoCommand(1);
        QVERIFY(FBoard->Moves() >= 1);
    }

    void aClickOnAFarTileCountsAMoveButChangesNoCaption() {
        Start(4);
        const TGap gap = FindGap(*FBoard);
        // The cell diagonally across the board is never next to the gap.
        const int row = gap.Row <= 2 ? 4 : 1;
        const int column = gap.Column <= 2 ? 4 : 1;
        const QStringList before = Captions(*FBoard);
        QTest::mouseClick(FBoard->Tile(row, column), Qt::LeftButton);
        QCOMPARE(Captions(*FBoard), before);
        QCOMPARE(FBoard->Moves(), 1);
        QCOMPARE(FMovesSeen, 1);
    }

    void aClickNextToTheGapSlidesTheTile() {
        Start(4);
        const TGap gap = FindGap(*FBoard);
        const int column = gap.Column > 1 ? gap.Column - 1 : gap.Column + 1;
        const QString caption = FBoard->Tile(gap.Row, column)->text();
        QTest::mouseClick(FBoard->Tile(gap.Row, column), Qt::LeftButton);
        QCOMPARE(FBoard->Tile(gap.Row, gap.Column)->text(), caption);
        QVERIFY(FBoard->Tile(gap.Row, column)->isHidden());
        QCOMPARE(FBoard->Tile(gap.Row, column)->text(), QStringLiteral("16"));
    }

    void theSolvingMoveFiresOverOnceAndHidesEveryTile() {
        // A 2 x 2 puzzle is always within a few moves of solved.
        Start(2);
        QVERIFY(SolveByKeys(12));
        QCOMPARE(FOvers, 1);
        for (int i = 1; i <= 2; ++i)
            for (int j = 1; j <= 2; ++j) QVERIFY(FBoard->Tile(i, j)->isHidden());
        QVERIFY(FBoard->Active());
    }

    void pauseDisablesTilesAndClock() {
        Start(4);
        int ticks = 0;
        FBoard->OnTime = [&](QObject*) { ++ticks; };
        FBoard->SetPaused(true);
        QVERIFY(!FBoard->Tile(1, 1)->isEnabled());
        QTest::qWait(1300);
        QCOMPARE(ticks, 0);
        FBoard->SetPaused(false);
        QVERIFY(FBoard->Tile(1, 1)->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(ticks >= 1, 3000);
    }

    void resizingReLaysTilesOnlyWhileActive() {
        Start(4);
        FBoard->resize(200, 200);
        QCOMPARE(FBoard->Tile(1, 2)->geometry(), QRect(50, 0, 50, 50));
        FBoard->SetActive(false);
        FBoard->resize(400, 400);
        QCOMPARE(FBoard->Tile(1, 2)->geometry(), QRect(50, 0, 50, 50));
    }

    void aNewGameReplacesEveryTileOfTheOldSize() {
        Start(8);
        Start(3);
        QCOMPARE(FBoard->findChildren<QPushButton*>().size(), 9);
        QCOMPARE(FBoard->Tile(4, 4), nullptr);
        QCOMPARE(FBoard->Moves(), 0);
    }

    void sideLengthsOutsideTwoToEightStayInsideTheTileArray() {
        FBoard->SetSize(0);
        QCOMPARE(FBoard->Size(), 2);
        FBoard->SetSize(200);
        QCOMPARE(FBoard->Size(), 8);
        FBoard->SetActive(true);
        QCOMPARE(FBoard->findChildren<QPushButton*>().size(), 64);
    }
};

QTEST_MAIN(TScrmblTest)
#include "test_scrmbl.moc"
