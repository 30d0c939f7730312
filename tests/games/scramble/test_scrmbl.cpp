// SPDX-License-Identifier: GPL-3.0-or-later
// The sliding-tile board on its own: layout, shuffle, moves, solving, pause.
#include "gamepan/toolkit/platform/keys.h"
#include "gamepan/toolkit/platform/random.h"
#include "gamepan/toolkit/widgets/timer.h"
#include "games/scramble/scrmbl.h"

#include <QPushButton>
#include <QSet>
#include <QTest>
#include <functional>
#include <memory>

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

bool InOrder(const TScrmbl& board) {
    const int n = board.Size();
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            if (board.Tile(i, j)->text() != QString::number((i - 1) * n + j)) return false;
    return true;
}

TTimer* Clock(const TScrmbl& board) {
    return board.findChild<TTimer*>();
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

    // The shuffle cannot be replayed backwards from outside, so small boards
    // are solved by a depth-first search over the four keypad moves.
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

    void aRepeatedShuffleStillLeavesExactlyOneGap() {
        Start(4);
        FBoard->DoKey(VK_NUMPAD4);
        FBoard->DoKey(VK_NUMPAD8);
        FBoard->Shuffle();
        FBoard->ColorTiles();
        int hidden = 0;
        QSet<QString> captions;
        for (int i = 1; i <= 4; ++i)
            for (int j = 1; j <= 4; ++j) {
                captions.insert(FBoard->Tile(i, j)->text());
                if (FBoard->Tile(i, j)->isHidden()) {
                    ++hidden;
                    QCOMPARE(FBoard->Tile(i, j)->text(), FBoard->GapCaption());
                }
            }
        QCOMPARE(hidden, 1);
        QCOMPARE(captions.size(), 16);
        QVERIFY(Solvable(*FBoard));
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
        // Bounded, so a key that moves nothing fails the test instead of hanging it.
        for (int k = 0; k < 4 && FindGap(*FBoard).Column > 2; ++k) FBoard->DoKey(VK_NUMPAD6);
        for (int k = 0; k < 4 && FindGap(*FBoard).Column < 2; ++k) FBoard->DoKey(VK_NUMPAD4);
        for (int k = 0; k < 4 && FindGap(*FBoard).Row > 2; ++k) FBoard->DoKey(VK_NUMPAD2);
        for (int k = 0; k < 4 && FindGap(*FBoard).Row < 2; ++k) FBoard->DoKey(VK_NUMPAD8);
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

    void unknownKeysAndCommandsAreIgnored() {
        Start(4);
        const QStringList before = Captions(*FBoard);
        for (std::uint8_t command : {2, 3, 6, 7, 200}) FBoard->DoCommand(command);
        for (std::uint16_t key : {VK_NUMPAD5, VK_RETURN, VK_LEFT, VK_UP, std::uint16_t(0)})
            FBoard->DoKey(key);
        QCOMPARE(Captions(*FBoard), before);
        QCOMPARE(FBoard->Moves(), 0);
        QCOMPARE(FMovesSeen, 0);
        // The last code is kept even when it moves nothing.
        QCOMPARE(FBoard->Command(), 200);
    }

    void aLongWalkOfKeysFollowsTheGapAndCountsOnlyRealMoves_data() {
        QTest::addColumn<int>("n");
        for (int n : {2, 3, 5, 8}) QTest::addRow("n=%d", n) << n;
    }
    void aLongWalkOfKeysFollowsTheGapAndCountsOnlyRealMoves() {
        QFETCH(int, n);
        Start(n);
        // Key, and the step of the gap when the tile beside it slides in.
        struct TStep {
            std::uint16_t Key;
            int Row;
            int Column;
        };
        const TStep steps[] = {
            {VK_NUMPAD4, 0, 1}, {VK_NUMPAD6, 0, -1}, {VK_NUMPAD8, 1, 0}, {VK_NUMPAD2, -1, 0}};
        TGap gap = FindGap(*FBoard);
        int expectedMoves = 0;
        for (int k = 0; k < 400 && FOvers == 0; ++k) {
            const TStep& step = steps[Random(4)];
            const TGap to{gap.Row + step.Row, gap.Column + step.Column};
            const bool inside = to.Row >= 1 && to.Row <= n && to.Column >= 1 && to.Column <= n;
            const QString sliding = inside ? FBoard->Tile(to.Row, to.Column)->text() : QString();
            FBoard->DoKey(step.Key);
            if (FOvers > 0) break;
            if (inside) {
                ++expectedMoves;
                QCOMPARE(FBoard->Tile(gap.Row, gap.Column)->text(), sliding);
                QVERIFY(!FBoard->Tile(gap.Row, gap.Column)->isHidden());
                gap = to;
            }
            const TGap seen = FindGap(*FBoard);
            QCOMPARE(seen.Row, gap.Row);
            QCOMPARE(seen.Column, gap.Column);
            QCOMPARE(FBoard->Tile(gap.Row, gap.Column)->text(), FBoard->GapCaption());
            QCOMPARE(FBoard->Moves(), expectedMoves);
            QCOMPARE(FMovesSeen, expectedMoves);
        }
        // Whatever the walk did, every shown tile is coloured by whether it is home.
        for (int i = 1; i <= n && FOvers == 0; ++i)
            for (int j = 1; j <= n; ++j) {
                const QPushButton* tile = FBoard->Tile(i, j);
                if (tile->isHidden()) continue;
                QCOMPARE(Green(*tile), tile->text() == QString::number((i - 1) * n + j));
            }
    }

    void commandsMakeTheSameMovesAsTheirKeys() {
        TScrmbl byKeys(FHost.get());
        byKeys.setGeometry(FBoard->geometry());
        FixRandomSeed(9);
        Start(4);
        FixRandomSeed(9);
        byKeys.SetSize(4);
        byKeys.SetActive(true);
        QCOMPARE(Captions(byKeys), Captions(*FBoard));
        const std::pair<std::uint8_t, std::uint16_t> pairs[] = {
            {0, VK_NUMPAD4}, {1, VK_NUMPAD6}, {4, VK_NUMPAD2}, {5, VK_NUMPAD8}};
        for (int k = 0; k < 200 && FOvers == 0; ++k) {
            const auto& [command, key] = pairs[Random(4)];
            FBoard->DoCommand(command);
            byKeys.DoKey(key);
            QCOMPARE(FBoard->Command(), command);
            QCOMPARE(Captions(*FBoard), Captions(byKeys));
        }
        QCOMPARE(FBoard->Moves(), byKeys.Moves());
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
        QCOMPARE(FBoard->Moves(), FMovesSeen);
        for (int i = 1; i <= 2; ++i)
            for (int j = 1; j <= 2; ++j) QVERIFY(FBoard->Tile(i, j)->isHidden());
        // The owner stops the board; until then it stays active.
        QVERIFY(FBoard->Active());
        // With every tile hidden nothing slides and nothing more is counted.
        const int moves = FBoard->Moves();
        for (std::uint16_t key : {VK_NUMPAD2, VK_NUMPAD4, VK_NUMPAD6, VK_NUMPAD8})
            FBoard->DoKey(key);
        QCOMPARE(FBoard->Moves(), moves);
        QCOMPARE(FOvers, 1);
    }

    void pauseDisablesTilesAndClockAndResumingRestoresThem() {
        Start(4);
        int ticks = 0;
        FBoard->OnTime = [&](QObject* sender) {
            QCOMPARE(sender, FBoard);
            ++ticks;
        };
        FBoard->SetPaused(true);
        QVERIFY(FBoard->Paused());
        QVERIFY(!Clock(*FBoard)->Enabled());
        for (int i = 1; i <= 4; ++i)
            for (int j = 1; j <= 4; ++j) {
                const QPushButton& tile = *FBoard->Tile(i, j);
                QVERIFY(!tile.isEnabled());
                // Drawn greyed like any disabled button, not in its live red or green.
                const QColor shown = tile.palette().color(QPalette::Disabled, QPalette::ButtonText);
                QVERIFY(shown != ToQColor(clGreen) && shown != ToQColor(clRed));
            }
        // A greyed tile ignores the click: no move is counted.
        const TGap gap = FindGap(*FBoard);
        QTest::mouseClick(FBoard->Tile(gap.Row, gap.Column == 1 ? 2 : 1), Qt::LeftButton);
        QCOMPARE(FBoard->Moves(), 0);

        FBoard->SetPaused(false);
        QVERIFY(Clock(*FBoard)->Enabled());
        for (int i = 1; i <= 4; ++i)
            for (int j = 1; j <= 4; ++j) QVERIFY(FBoard->Tile(i, j)->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(ticks >= 1, 3000);
    }

    void pausingAnIdleBoardOnlyStoresTheFlag() {
        Start(4);
        FBoard->SetActive(false);
        FBoard->SetPaused(true);
        QVERIFY(FBoard->Paused());
        QVERIFY(FBoard->Tile(1, 1)->isEnabled());
        QVERIFY(Clock(*FBoard)->Enabled());
    }

    void theClockIsMadeAtTheFirstStartAndFreedWhenSolved() {
        QCOMPARE(Clock(*FBoard), nullptr);
        Start(2);
        QVERIFY(Clock(*FBoard));
        Start(2);
        QCOMPARE(FBoard->findChildren<TTimer*>().size(), 1);
        FOvers = 0;
        QVERIFY(SolveByKeys(12));
        QCOMPARE(Clock(*FBoard), nullptr);
        Start(2);
        QVERIFY(Clock(*FBoard));
    }

    void stoppingKeepsTheTilesAndClearsTheMoves() {
        Start(4);
        const TGap gap = FindGap(*FBoard);
        FBoard->DoKey(gap.Column == 4 ? VK_NUMPAD6 : VK_NUMPAD4);
        QCOMPARE(FBoard->Moves(), 1);
        const QStringList captions = Captions(*FBoard);
        FBoard->SetActive(false);
        QVERIFY(!FBoard->Active());
        QCOMPARE(FBoard->Moves(), 0);
        QCOMPARE(Captions(*FBoard), captions);
    }

    void aShuffleThatEndsInOrderIsNotReportedAndPlayGoesOn() {
        // One 2 x 2 shuffle in twelve ends where it began; find such a seed.
        bool found = false;
        for (quint32 seed = 1; seed < 500 && !found; ++seed) {
            FixRandomSeed(seed);
            Start(2);
            found = InOrder(*FBoard);
        }
        QVERIFY(found);
        QCOMPARE(FOvers, 0);
        QVERIFY(FBoard->Tile(2, 2)->isHidden());
        FBoard->DoKey(VK_NUMPAD2); // tile 2 leaves its home
        QCOMPARE(FBoard->Moves(), 1);
        QCOMPARE(FOvers, 0);
        QCOMPARE(FBoard->Tile(2, 2)->text(), QStringLiteral("2"));
        QVERIFY(!Green(*FBoard->Tile(2, 2)));
        QVERIFY(!FBoard->Tile(1, 1)->isHidden());
    }

    void paintTakesTheFocusOnceAfterEachStartAndEndsWithPaintBack() {
        int paintBacks = 0;
        FBoard->OnPaintBack = [&](QObject* sender) {
            QCOMPARE(sender, FBoard);
            ++paintBacks;
        };
        FHost->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(FHost.get()));
        Start(4);
        QVERIFY(!FBoard->Painted());
        FBoard->grab();
        QVERIFY(FBoard->Painted());
        QVERIFY(FBoard->hasFocus());
        QVERIFY(paintBacks >= 1);
        Start(4);
        QVERIFY(!FBoard->Painted());
    }

    void tilesAreNamedByTheirNumberAndNeverTakeTheTabFocus() {
        Start(3);
        QSet<QString> names;
        for (const QPushButton* tile : FBoard->findChildren<QPushButton*>()) {
            names.insert(tile->objectName());
            QCOMPARE(tile->focusPolicy(), Qt::ClickFocus);
        }
        QSet<QString> expected;
        for (int k = 1; k <= 9; ++k) expected.insert(QStringLiteral("bitbtn%1").arg(k));
        QCOMPARE(names, expected);
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
