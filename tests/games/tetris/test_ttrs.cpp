// SPDX-License-Identifier: GPL-3.0-or-later
// The Tetris board: spawning, turning, moving, falling, row deletion, the
// game's lifecycle, its colours and what it repaints.
#include "gamepan/toolkit/platform/keys.h"
#include "gamepan/toolkit/platform/random.h"
#include "gamepan/toolkit/widgets/timer.h"
#include "games/tetris/ttrs.h"

#include <QImage>
#include <QPaintEvent>
#include <QRegularExpression>
#include <QTest>
#include <memory>

using namespace Tolvane;

namespace {

using TCells = QList<QPoint>; // (column, row) of every block of the falling piece

TCells Piece(const TTtrs& board) {
    TCells cells;
    for (int r = 1; r <= board.Rows(); ++r)
        for (int c = 1; c <= board.Columns(); ++c)
            if (const TBlock* block = board.Cell(r, c); block && block->Tag != 0)
                cells << QPoint(c, r);
    return cells;
}

TCells Shifted(TCells cells, int rows, int columns) {
    for (QPoint& cell : cells) cell += QPoint(columns, rows);
    return cells;
}

void RemovePiece(TTtrs& board) {
    for (const QPoint& cell : Piece(board)) board.RemoveBlock(cell.y(), cell.x());
}

// Lays a piece in state t with its pivot at (row, column), like a turn would.
void LayPiece(TTtrs& board, int state, int row, int column) {
    board.PlaceBlock(row, column, state);
    for (const TOffset& offset : *OffsetsOf(state))
        board.PlaceBlock(row + offset.Row, column + offset.Column, -state);
}

// A picture of the bottom rows of the well: '.' empty, a letter a fixed
// block whose colour (through colorOne) is that letter.
TColor LetterColor(QChar letter) {
    return RGBToColor(letter.unicode() * 2, 0x40, 0x80);
}

void LayHeap(TTtrs& board, const QStringList& rows) {
    const TColorTAFShapes mode = board.ColorMode();
    board.SetColorMode(colorOne);
    for (int i = 0; i < rows.size(); ++i)
        for (int c = 1; c <= rows[i].size(); ++c)
            if (rows[i][c - 1] != '.') {
                board.SetOneColor(LetterColor(rows[i][c - 1]));
                board.PlaceBlock(board.Rows() - int(rows.size()) + 1 + i, c, 0);
            }
    board.SetColorMode(mode);
}

QStringList Heap(const TTtrs& board) {
    QStringList rows;
    for (int r = 1; r <= board.Rows(); ++r) {
        QString line;
        for (int c = 1; c <= board.Columns(); ++c) {
            const TBlock* block = board.Cell(r, c);
            QChar letter = '.';
            if (block && block->Tag == 0)
                for (char l = 'a'; l <= 'z'; ++l)
                    if (block->Look.BrushColor == LetterColor(QChar(l))) letter = QChar(l);
            line += letter;
        }
        rows << line;
    }
    return rows;
}

// Records the region of every paint the board receives.
class TPaintRecorder : public QObject {
public:
    QRegion Painted;
    int Paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            Painted += static_cast<QPaintEvent*>(event)->region();
            ++Paints;
        }
        return false;
    }
};

} // namespace

class TTtrsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> FHost;
    TTtrs* FBoard = nullptr;
    QStringList FEvents;

    TTtrs& Board() { return *FBoard; }

    // A running game in an empty well, without its first piece; the timers
    // are too slow to tick during a test.
    void StartEmpty(int rows = 20, int columns = 10) {
        Board().SetRows(static_cast<std::uint16_t>(rows));
        Board().SetColumns(static_cast<std::uint16_t>(columns));
        Board().SetDelay(1000000);
        Board().SetActive(true);
        RemovePiece(Board());
        FEvents.clear();
    }

private slots:
    void init() {
        FixRandomSeed(7);
        FHost = std::make_unique<QWidget>();
        FHost->resize(300, 430);
        FBoard = new TTtrs(FHost.get());
        Board().OnDelete = [this](QObject*) { FEvents << "delete"; };
        Board().OnContact = [this](QObject*) { FEvents << "contact"; };
        Board().OnOver = [this](QObject*) { FEvents << "over"; };
        Board().OnTime = [this](QObject*) { FEvents << "time"; };
    }
    void cleanup() {
        FHost.reset();
        ReleaseRandomSeed();
    }

    void newPiecesEnterAroundTheMiddleColumn_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("columns");
        QTest::addColumn<TCells>("cells");
        const TCells bar{{4, 1}, {5, 1}, {6, 1}, {7, 1}};
        QTest::newRow("bar, 10 columns") << 6 << 10 << bar;
        QTest::newRow("bar, 11 columns") << 6 << 11 << bar;
        QTest::newRow("bar, 6 columns") << 6 << 6 << Shifted(bar, 0, -2);
        QTest::newRow("L, 6 columns") << 1 << 6 << TCells{{3, 1}, {4, 1}, {3, 2}, {3, 3}};
        QTest::newRow("S") << 4 << 10 << TCells{{6, 1}, {5, 2}, {6, 2}, {5, 3}};
        QTest::newRow("Z") << 5 << 10 << TCells{{4, 1}, {4, 2}, {5, 2}, {5, 3}};
        QTest::newRow("square") << 7 << 10 << TCells{{5, 1}, {6, 1}, {5, 2}, {6, 2}};
    }
    void newPiecesEnterAroundTheMiddleColumn() {
        QFETCH(int, kind);
        QFETCH(int, columns);
        QFETCH(TCells, cells);
        StartEmpty(48, columns);
        Board().SetNextKind(static_cast<std::uint16_t>(kind));
        Board().NewPiece();
        QCOMPARE(Piece(Board()), cells);
        int pivots = 0;
        for (const QPoint& cell : cells) {
            const int tag = Board().Cell(cell.y(), cell.x())->Tag;
            QCOMPARE(std::abs(tag), kind);
            pivots += tag > 0;
        }
        QCOMPARE(pivots, 1);
        QCOMPARE(FEvents, QStringList{"contact"});
        QVERIFY(Board().NextKind() >= 1 && Board().NextKind() <= 7);
    }

    void aBlockedSpawnEndsTheGameInAnEmptyWell() {
        StartEmpty();
        Board().SetNextKind(3);
        Board().PlaceBlock(2, 5, 0);
        LayPiece(Board(), 6, 20, 2);
        Board().FallTick();
        Board().FallTick();
        QCOMPARE(FEvents, QStringList{"over"});
        QVERIFY(!Board().Active());
        QVERIFY(!Board().FloorVisible());
        for (int r = 1; r <= 20; ++r)
            for (int c = 1; c <= 10; ++c) QVERIFY(!Board().Cell(r, c));
        Board().SetActive(true);
        QCOMPARE(Piece(Board()).size(), 4);
    }

    void turnsNeedFreeCellsInsideTheWell_data() {
        QTest::addColumn<int>("state");
        QTest::addColumn<QPoint>("pivot"); // (column, row)
        QTest::addColumn<QPoint>("blocker");
        QTest::addColumn<TCells>("after"); // empty: the piece stays as it was
        const QPoint none;
        QTest::newRow("bar in the top row") << 6 << QPoint(5, 1) << none << TCells{};
        QTest::newRow("bar one row lower")
            << 6 << QPoint(5, 2) << none << TCells{{5, 1}, {5, 2}, {5, 3}, {5, 4}};
        QTest::newRow("S back to its first state at the right edge")
            << 25 << QPoint(9, 5) << none << TCells{{10, 4}, {9, 5}, {10, 5}, {9, 6}};
        QTest::newRow("S last state in the top row") << 25 << QPoint(9, 1) << none << TCells{};
        QTest::newRow("Z third state at the left edge") << 19 << QPoint(1, 5) << none << TCells{};
        QTest::newRow("T onto a fixed block") << 3 << QPoint(5, 5) << QPoint(5, 6) << TCells{};
        QTest::newRow("square never turns") << 7 << QPoint(5, 5) << none << TCells{};
    }
    void turnsNeedFreeCellsInsideTheWell() {
        QFETCH(int, state);
        QFETCH(QPoint, pivot);
        QFETCH(QPoint, blocker);
        QFETCH(TCells, after);
        StartEmpty();
        if (state == 7) {
            for (QPoint cell : {QPoint(5, 5), QPoint(6, 5), QPoint(5, 4), QPoint(6, 4)})
                Board().PlaceBlock(cell.y(), cell.x(), cell == pivot ? 7 : -7);
        } else {
            LayPiece(Board(), state, pivot.y(), pivot.x());
        }
        if (!blocker.isNull()) Board().PlaceBlock(blocker.y(), blocker.x(), 0);
        const TCells before = Piece(Board());
        Board().Rotate();
        if (after.isEmpty()) {
            QCOMPARE(Piece(Board()), before);
            QCOMPARE(Board().Cell(pivot.y(), pivot.x())->Tag, state);
        } else {
            QCOMPARE(Piece(Board()), after);
            QCOMPARE(Board().Cell(pivot.y(), pivot.x())->Tag, NextState(state));
        }
    }

    void aTurnKeepsTheStayingBlockAndFourTurnsComeBack() {
        StartEmpty();
        LayPiece(Board(), 1, 5, 5);
        const TCells start = Piece(Board());
        Board().Rotate();
        QCOMPARE(Board().Cell(5, 5)->Tag, 8);
        QCOMPARE(Board().Cell(6, 5)->Tag, -1); // in both states: not remade
        QCOMPARE(Board().Cell(5, 4)->Tag, -8);
        for (int i = 0; i < 3; ++i) Board().Rotate();
        QCOMPARE(Piece(Board()), start);
        QCOMPARE(Board().Cell(5, 5)->Tag, 1);
    }

    void sidewaysMovesStopAtEdgesAndTheHeap_data() {
        QTest::addColumn<bool>("left");
        QTest::addColumn<QPoint>("pivot");
        QTest::addColumn<QPoint>("blocker");
        QTest::addColumn<bool>("moves");
        QTest::newRow("left, own blocks beside") << true << QPoint(3, 5) << QPoint() << true;
        QTest::newRow("left at column 1") << true << QPoint(2, 5) << QPoint() << false;
        QTest::newRow("left onto the heap") << true << QPoint(3, 5) << QPoint(1, 5) << false;
        QTest::newRow("right, heap below") << false << QPoint(7, 5) << QPoint(8, 6) << true;
        QTest::newRow("right at the last column") << false << QPoint(8, 5) << QPoint() << false;
        QTest::newRow("right onto the heap") << false << QPoint(7, 5) << QPoint(10, 5) << false;
    }
    void sidewaysMovesStopAtEdgesAndTheHeap() {
        QFETCH(bool, left);
        QFETCH(QPoint, pivot);
        QFETCH(QPoint, blocker);
        QFETCH(bool, moves);
        StartEmpty();
        LayPiece(Board(), 6, pivot.y(), pivot.x()); // a horizontal bar, pivot second from left
        if (!blocker.isNull()) Board().PlaceBlock(blocker.y(), blocker.x(), 0);
        const TCells before = Piece(Board());
        left ? Board().MoveLeft() : Board().MoveRight();
        QCOMPARE(Piece(Board()), moves ? Shifted(before, 0, left ? -1 : 1) : before);
        QCOMPARE(Board().Cell(pivot.y(), pivot.x() + (moves ? (left ? -1 : 1) : 0))->Tag, 6);
    }

    void keysAndCommandsReachTheirMoves_data() {
        QTest::addColumn<bool>("command");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("columnShift");
        QTest::addColumn<bool>("turned");
        QTest::addColumn<int>("interval");
        QTest::newRow("key left") << false << int(VK_NUMPAD4) << -1 << false << 1000000;
        QTest::newRow("key right") << false << int(VK_NUMPAD6) << 1 << false << 1000000;
        QTest::newRow("key rotate") << false << int(VK_NUMPAD5) << 0 << true << 1000000;
        QTest::newRow("key drop") << false << int(VK_NUMPAD2) << 0 << false << kDropIntervalMs;
        QTest::newRow("key up") << false << int(VK_NUMPAD8) << 0 << false << 1000000;
        QTest::newRow("cmd left") << true << 0 << -1 << false << 1000000;
        QTest::newRow("cmd right") << true << 1 << 1 << false << 1000000;
        QTest::newRow("cmd drop") << true << 2 << 0 << false << kDropIntervalMs;
        QTest::newRow("cmd rotate") << true << 3 << 0 << true << 1000000;
        QTest::newRow("cmd stop") << true << 6 << 0 << false << 1000000;
    }
    void keysAndCommandsReachTheirMoves() {
        QFETCH(bool, command);
        QFETCH(int, code);
        QFETCH(int, columnShift);
        QFETCH(bool, turned);
        QFETCH(int, interval);
        StartEmpty();
        LayPiece(Board(), 1, 5, 5);
        const TCells before = Piece(Board());
        if (command)
            Board().DoCommand(static_cast<std::uint8_t>(code));
        else
            Board().DoKey(static_cast<std::uint16_t>(code));
        if (command) QCOMPARE(int(Board().Command()), code);
        QCOMPARE(Board().FallInterval(), interval);
        if (turned)
            QCOMPARE(Board().Cell(5, 5)->Tag, 8);
        else
            QCOMPARE(Piece(Board()), Shifted(before, 0, columnShift));
    }

    void aRestingPieceIsFixedOnlyOnTheNextTick() {
        StartEmpty();
        LayPiece(Board(), 13, 16, 3); // vertical bar, rows 15..18
        Board().FallTick();
        Board().FallTick();
        QCOMPARE(Piece(Board()), (TCells{{3, 17}, {3, 18}, {3, 19}, {3, 20}}));
        QVERIFY(FEvents.isEmpty());
        Board().FallTick();
        QCOMPARE(Board().Cell(20, 3)->Tag, 0);
        QCOMPARE(FEvents, QStringList{"contact"});
    }

    void aPieceOnTheHeapIsFixedOnTheNextTick() {
        StartEmpty();
        LayHeap(Board(), {"aa........"});
        LayPiece(Board(), 13, 17, 2); // rows 16..19 of column 2, on the heap
        Board().FallTick();
        QCOMPARE(Board().Cell(19, 2)->Tag, 0);
        QCOMPARE(FEvents, QStringList{"contact"});
    }

    void aPieceSlidOverAHoleFallsOn() {
        StartEmpty();
        LayHeap(Board(), {"aa........"});
        LayPiece(Board(), 13, 17, 2); // rows 16..19 of column 2, on the heap
        Board().MoveRight();
        Board().FallTick();
        QCOMPARE(Piece(Board()), (TCells{{3, 17}, {3, 18}, {3, 19}, {3, 20}}));
        QVERIFY(FEvents.isEmpty());
    }

    void landingDeletesFullRowsAndKeepsColours_data() {
        QTest::addColumn<QStringList>("heap");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("deleted");
        QTest::newRow("two adjacent rows")
            << QStringList{"..b.c.....", "aaaaaaaaaa", "dddddddddd"}
            << QStringList{"..........", "..........", "..b.c....."} << 2;
        QTest::newRow("a gap row between")
            << QStringList{"aaaaaaaaaa", "b.c.....ee", "dddddddddd"}
            << QStringList{"..........", "..........", "b.c.....ee"} << 2;
        QTest::newRow("four rows")
            << QStringList{"f.........", "aaaaaaaaaa", "bbbbbbbbbb", "cccccccccc", "dddddddddd"}
            << QStringList{"..........", "f........."} << 4;
        QTest::newRow("nothing full")
            << QStringList{"abcabcabc."} << QStringList{"abcabcabc."} << 0;
    }
    void landingDeletesFullRowsAndKeepsColours() {
        QFETCH(QStringList, heap);
        QFETCH(QStringList, after);
        QFETCH(int, deleted);
        StartEmpty();
        LayHeap(Board(), heap);
        Board().SetShapeType(stCircle);
        Board().PieceLanded();
        QStringList expected = QStringList(20 - after.size(), "..........") + after;
        QStringList seen = Heap(Board());
        QCOMPARE(seen, expected);
        QStringList events(deleted, "delete");
        QCOMPARE(FEvents, events << "contact");
        const TBlock* moved =
            Board().Cell(20, 1 + after.last().indexOf(QRegularExpression("[a-z]")));
        if (deleted > 0) QCOMPARE(moved->Look.Shape, stCircle);
    }

    // Each block a deletion moves is remade, and in random colours a remade
    // block draws its colour before getting its old one back: a game from a
    // fixed seed then deals the same pieces in the same colours.
    void movedBlocksDrawTheirRandomColoursBeforeTheNextPiece() {
        StartEmpty();
        Board().SetColorMode(colorRandom);
        LayHeap(Board(), {"..b.c.....", "aaaaaaaaaa"});
        const int kind = Board().NextKind();
        FixRandomSeed(99);
        Board().PieceLanded();
        QCOMPARE(Heap(Board()).last(), QStringLiteral("..b.c....."));

        FixRandomSeed(99);
        for (int moved = 0; moved < 2; ++moved) RandomBlockColor();
        const TColor pivotColour = RandomBlockColor();
        for (int other = 0; other < 3; ++other) RandomBlockColor();
        const int nextKind = Random(kKinds) + 1;

        const TSpawn& spawn = kSpawnCells[kind - 1];
        const TBlock* pivot = Board().Cell(spawn.Pivot.Row, 5 + spawn.Pivot.Column);
        QVERIFY(pivot && pivot->Tag == kind);
        QCOMPARE(pivot->Look.BrushColor, pivotColour);
        QCOMPARE(int(Board().NextKind()), nextKind);
    }

    void aFullTopRowIsRemovedToo() {
        StartEmpty(6, 6);
        LayHeap(Board(), {"aaaaaa", "......", "......", "......", "......", "b....."});
        Board().PieceLanded();
        QCOMPARE(FEvents, (QStringList{"delete", "contact"}));
        QCOMPARE(Heap(Board()).first(), "......");
        QCOMPARE(Heap(Board()).last(), "b.....");
    }

    void afterADropTheNextPieceFallsAtTheDelayAgain() {
        StartEmpty();
        Board().SetDelay(200);
        LayPiece(Board(), 13, 18, 1);
        Board().Drop();
        QCOMPARE(Board().FallInterval(), kDropIntervalMs);
        Board().FallTick();
        Board().FallTick();
        QCOMPARE(Board().FallInterval(), 200);
        Board().SetDelay(90);
        QCOMPARE(Board().FallInterval(), 90);
        QCOMPARE(Board().Delay(), 90);
    }

    void blocksTakeTheLookOfTheirMode_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("tag");
        QTest::addColumn<int>("brush");
        QTest::newRow("fixed, kind 2 turned") << int(colorFixed) << -9 << int(clGreen);
        QTest::newRow("fixed2, kind 2") << int(colorFixed2) << 2 << int(clRed);
        QTest::newRow("fixed2, last state") << int(colorFixed2) << 28 << int(clSilver);
        QTest::newRow("fixed, a heap block keeps the default brush")
            << int(colorFixed) << 0 << int(clWhite);
        QTest::newRow("one colour") << int(colorOne) << 0 << int(clPurple);
    }
    void blocksTakeTheLookOfTheirMode() {
        QFETCH(int, mode);
        QFETCH(int, tag);
        QFETCH(int, brush);
        Board().SetColorMode(static_cast<TColorTAFShapes>(mode));
        Board().SetOneColor(clPurple);
        Board().SetPenColor(clYellow);
        Board().SetPenWidth(3);
        Board().SetBrushStyle(bsCross);
        Board().PlaceBlock(4, 4, tag);
        const TShapeLook expected{stRoundRect, clYellow, 3, brush, bsCross};
        QCOMPARE(Board().Cell(4, 4)->Look, expected);
    }

    void randomModeRecoloursEveryStep() {
        StartEmpty();
        Board().SetColorMode(colorRandom);
        LayPiece(Board(), 6, 5, 5);
        for (int step = 0; step < 3; ++step) {
            QList<TColor> before;
            for (const QPoint& cell : Piece(Board()))
                before << Board().Cell(cell.y(), cell.x())->Look.BrushColor;
            step == 1 ? Board().MoveLeft() : Board().FallTick();
            const TCells piece = Piece(Board());
            for (int i = 0; i < piece.size(); ++i)
                QVERIFY(Board().Cell(piece[i].y(), piece[i].x())->Look.BrushColor != before[i]);
        }
    }

    void theBackgroundShowsTheNextKindInPaletteModes() {
        Board().SetColor(clBlack);
        Board().SetColorMode(colorFixed2);
        Board().SetNextKind(2);
        QCOMPARE(Board().Color(), clBlack); // next colour still off
        Board().SetNextColor(true);
        Board().SetNextKind(2);
        QCOMPARE(Board().Color(), clRed);
        Board().SetNextKind(0);
        QCOMPARE(Board().Color(), clRed);
        Board().SetColorMode(colorFixed);
        Board().SetNextKind(2);
        QCOMPARE(Board().Color(), clGreen);
        Board().SetActive(true);
        const TColor shown = *PaletteColor(colorFixed, Board().NextKind());
        QCOMPARE(Board().Color(), shown);
        Board().SetColorMode(colorOne);
        Board().SetNextKind(Board().NextKind() == 6 ? 5 : 6);
        QCOMPARE(Board().Color(), shown);
    }

    void theMainWindowWellGeometry() {
        FHost->show();
        Board().resize(50, 50);
        StartEmpty(21, 11);
        QCOMPARE(Board().size(), QSize(300, 430)); // aligned to the host at the start
        QCOMPARE(Board().CellWidth(), 27);
        QCOMPARE(Board().CellHeight(), 20);
        QCOMPARE(Board().XOff(), 1);
        QCOMPARE(Board().FloorHeight(), 10);
        QVERIFY(Board().FloorVisible());
        QCOMPARE(Board().CellRect(21, 11), QRect(271, 400, 27, 20));
        Board().resize(330, 450);
        QCOMPARE(Board().CellWidth(), 30);
        QCOMPARE(Board().FloorRect(), QRect(0, 441, 330, 9));
        Board().SetActive(false);
        Board().resize(300, 430);
        QCOMPARE(Board().FloorHeight(), 0);
    }

    void outOfRangeSizesAreClampedToTheGrid() {
        Board().SetRows(200);
        Board().SetColumns(2);
        QCOMPARE(Board().Rows(), 48);
        QCOMPARE(Board().Columns(), 6);
        Board().SetRows(0);
        QCOMPARE(Board().Rows(), 6);
        Board().SetColumns(99);
        Board().SetActive(true);
        QCOMPARE(Piece(Board()).size(), 4);
        QVERIFY(!Board().Cell(7, 1));
        QVERIFY(!Board().Cell(1, 25));
        Board().PlaceBlock(0, 30, 0);
        Board().RemoveBlock(49, -1);
        QVERIFY(!Board().Cell(0, 30));
        // A bar whose left block would lie outside: its turn vacates that cell.
        LayPiece(Board(), 6, 2, 1);
        Board().Rotate();
        QCOMPARE(Board().Cell(2, 1)->Tag, 13);
        QCOMPARE(Board().Cell(4, 1)->Tag, -13);
    }

    void pauseStopsTheFallAndTheClock() {
        FHost->show();
        Board().SetDelay(20);
        Board().SetActive(true);
        Board().SetPaused(true);
        const TCells held = Piece(Board());
        for (TTimer* timer : Board().findChildren<TTimer*>()) QVERIFY(!timer->Enabled());
        QTest::qWait(100);
        QCOMPARE(Piece(Board()), held);
        Board().SetPaused(false);
        QTRY_VERIFY(Piece(Board()) != held);
        const TCells moved = Piece(Board());
        QCOMPARE(moved, Shifted(held, moved.first().y() - held.first().y(), 0));
        QTRY_VERIFY_WITH_TIMEOUT(FEvents.contains("time"), 3000);
    }

    void aStepRepaintsOnlyTheCellsItTouched() {
        FHost->show();
        QVERIFY(QTest::qWaitForWindowExposed(FHost.get()));
        StartEmpty();
        LayHeap(Board(), {"aaaaaaaaa.", "aaaaaaaaa."});
        LayPiece(Board(), 3, 5, 5);
        QTRY_VERIFY(Board().Painted());
        QTest::qWait(50);
        TPaintRecorder recorder;
        Board().installEventFilter(&recorder);
        auto touched = [&](const TCells& a, const TCells& b) {
            QRegion cells;
            for (const QPoint& cell : a + b) cells += Board().CellRect(cell.y(), cell.x());
            return cells;
        };
        int paints = 0;
        for (bool fall : {true, false}) {
            const TCells before = Piece(Board());
            fall ? Board().FallTick() : Board().MoveRight();
            QTRY_VERIFY(recorder.Paints > paints);
            paints = recorder.Paints;
            QCOMPARE(recorder.Painted - touched(before, Piece(Board())), QRegion());
            recorder.Painted = QRegion();
        }
    }

    void paintingShowsBlocksFloorAndOwnerBackground() {
        int backs = 0;
        Board().OnPaintBack = [&](QObject*) { ++backs; };
        Board().SetFloorColor(clLime);
        // An owner with white text, as the main window has.
        SetRoleColor(Board(), {QPalette::WindowText}, Qt::white, true);
        StartEmpty(21, 11);
        Board().SetPenWidth(1);
        Board().SetShapeType(stRectangle);
        Board().SetOneColor(clBlue);
        Board().SetColorMode(colorOne);
        Board().PlaceBlock(3, 4, 0);
        QImage image(Board().size(), QImage::Format_RGB32);
        Board().render(&image);
        QVERIFY(backs > 0);
        QCOMPARE(image.pixelColor(Board().CellRect(3, 4).center()), ToQColor(clBlue));
        QCOMPARE(image.pixelColor(Board().CellRect(3, 5).center()), ToQColor(Board().Color()));
        QCOMPARE(image.pixelColor(Board().FloorRect().center()), ToQColor(clLime));
        // The floor's outer line is the dark frame line, not the owner's text colour.
        const QColor line = image.pixelColor(Board().FloorRect().topLeft());
        QVERIFY2(line.lightness() < 80, qPrintable(line.name()));
    }
};

QTEST_MAIN(TTtrsTest)
#include "test_ttrs.moc"
