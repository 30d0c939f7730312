// SPDX-License-Identifier: GPL-3.0-or-later
// The board's hot paths on a full-HD board (U = 756 pixels): one drag
// motion with the repaint of the boxes it touched, one press and release on
// a shape (hit test, drop, count and the arrangement test), the arrangement
// test alone, and one full repaint.
#include "bench/support/benchsupport.h"
#include "gamepan/toolkit/platform/random.h"
#include "games/figures/fgrs.h"
#include "tests/games/figures/arrange.h"

#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <benchmark/benchmark.h>

namespace {

using namespace Tolvane;
using namespace Tolvane::Figures;

// Sums the area of every region the board paints.
class TPaintArea : public QObject {
public:
    long long Pixels = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            for (const QRect& rect : static_cast<QPaintEvent*>(event)->region())
                Pixels += static_cast<long long>(rect.width()) * rect.height();
        return false;
    }
};

// A shown board in a running game, the five pieces side by side; paints
// are flushed outside the timed part.
class TBoard {
public:
    TBoard() {
        FixRandomSeed(1);
        FBoard.resize(1920, 1080);
        FBoard.SetColor(clBlack);
        FBoard.show();
        FBoard.SetActive(true);
        // Piece 5 lies apart from every other box, so presses on it reach it
        // again after it went to the back.
        const std::array<QPoint, kPieces> places{
            {{1, 1}, {1, 270}, {1400, 1}, {600, 1}, {1380, 540}}};
        for (int n = 1; n <= kPieces; ++n)
            FBoard.PlacePiece(n, places[n - 1].x(), places[n - 1].y(), FBoard.Piece(n)->Tag());
        Flush();
    }
    TFgrs& operator*() { return FBoard; }
    TFgrs* operator->() { return &FBoard; }
    static void Flush() { QApplication::processEvents(); }

private:
    TFgrs FBoard;
};

void BM_DragMotion(benchmark::State& state) {
    TBoard board;
    const TFgr& piece = *board->Piece(5);
    const QPoint grab = *FiguresTest::PointOnShape(piece);
    board->MouseDown(Qt::LeftButton, Qt::LeftButton, Qt::NoModifier, grab);
    TBoard::Flush();
    TPaintArea area;
    board->installEventFilter(&area);
    const long long box = static_cast<long long>(piece.Width()) * piece.Height();
    int step = 3;
    for (auto _ : state) {
        board->MouseMove(grab + QPoint(step, step));
        TBoard::Flush();
        step = -step;
    }
    board->removeEventFilter(&area);
    state.counters["box_px"] = static_cast<double>(box);
    state.counters["painted_px"] =
        benchmark::Counter(static_cast<double>(area.Pixels), benchmark::Counter::kAvgIterations);
    state.counters["board_px"] = 1920.0 * 1080.0;
}
BENCHMARK(BM_DragMotion)->Unit(benchmark::kMicrosecond);

// A click on the shape: the hit test, the drop, the move, the arrangement
// test and the repaint.
void BM_ClickOnShape(benchmark::State& state) {
    TBoard board;
    const QPoint point = *FiguresTest::PointOnShape(*board->Piece(5));
    for (auto _ : state) {
        board->MouseDown(Qt::LeftButton, Qt::LeftButton, Qt::NoModifier, point);
        board->MouseUp(Qt::LeftButton, Qt::NoButton, point);
        TBoard::Flush();
    }
    state.counters["moves"] = board->Moves();
}
BENCHMARK(BM_ClickOnShape)->Unit(benchmark::kMicrosecond);

// Argument: the arrangement laid out (16 is tried last), or 0 for pieces
// that form none.
void BM_ArrangementTest(benchmark::State& state) {
    const int number = static_cast<int>(state.range(0));
    const TLengths lengths = CalcLengths(756);
    TPlacements placements{{{1, 1, 2}, {300, 300, 1}, {1100, 1, 3}, {1100, 300, 8}, {20, 500, 2}}};
    if (number > 0) placements = *FiguresTest::LayOut(number, lengths, {100, 100});
    const TFSquare square = number > 8 ? Small : Big;
    int found = 0;
    for (auto _ : state) {
        found = SolvedArrangement(square, placements, lengths);
        benchmark::DoNotOptimize(found);
    }
    if (found != number) state.SkipWithError("the arrangement was not recognised");
}
BENCHMARK(BM_ArrangementTest)->Arg(0)->Arg(8)->Arg(16)->Unit(benchmark::kNanosecond);

// Argument 1: the finished square, every piece filled.
void BM_FullRepaint(benchmark::State& state) {
    TBoard board;
    if (state.range(0) == 1) {
        const auto placements =
            FiguresTest::LayOut(1, CalcLengths(board->FigureUnit()), {200, 100});
        for (int n = 1; n <= kPieces; ++n) {
            const TPlacement& at = (*placements)[n - 1];
            board->PlacePiece(n, at.Left, at.Top, at.Orientation);
        }
        const QPoint point = *FiguresTest::PointOnShape(*board->Piece(5));
        board->MouseDown(Qt::LeftButton, Qt::LeftButton, Qt::NoModifier, point);
        board->MouseUp(Qt::LeftButton, Qt::NoButton, point);
        if (board->Active()) state.SkipWithError("the square was not finished");
    }
    RenderEachIteration(state, *board);
}
BENCHMARK(BM_FullRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
