// SPDX-License-Identifier: GPL-3.0-or-later
// The Figures board and its pieces: dealing, pressing, turning, dragging,
// counting, judging the square, the finished look, the clock, resizing and
// what is repainted.
#include "gamepan/toolkit/platform/random.h"
#include "gamepan/toolkit/widgets/timer.h"
#include "games/figures/fgrs.h"
#include "tests/games/figures/arrange.h"

#include <QImage>
#include <QPaintEvent>
#include <QPointer>
#include <QTest>
#include <memory>

using namespace Tolvane;
using namespace Tolvane::Figures;

namespace {

class TPaintRecorder : public QObject {
public:
    QRegion Painted;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) Painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

QRgb Rgb(TColor color) {
    return ToQColor(color).rgb();
}

int Count(const QImage& image, const QRect& area, TColor color) {
    int pixels = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) pixels += image.pixel(x, y) == Rgb(color);
    return pixels;
}

} // namespace

class TFgrsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> FHost;
    TFgrs* FBoard = nullptr;
    QStringList FEvents;

    TFgrs& Board() { return *FBoard; }
    const TFgr& P(int number) { return *FBoard->Piece(number); }

    // On the 800 × 300 board U is 120, and five boxes fit side by side.
    void Start(TFSquare square = Big) {
        Board().SetSquareSize(square);
        Board().SetActive(true);
        for (int n = 1; n <= kPieces; ++n)
            Board().PlacePiece(n, 40 + (n - 1) * 150, 90, P(n).Tag());
        FEvents.clear();
    }
    void LayOut(int number, QPoint origin = {300, 60}) {
        const auto at = FiguresTest::LayOut(number, CalcLengths(Board().FigureUnit()), origin);
        for (int n = 1; n <= kPieces; ++n)
            Board().PlacePiece(n, (*at)[n - 1].Left, (*at)[n - 1].Top, (*at)[n - 1].Orientation);
    }
    // A point on piece n that no box above it in the z-order covers.
    QPoint On(int number) {
        QList<QRect> above;
        const auto order = Board().ZOrder();
        for (auto it = std::find(order.begin(), order.end(), number) + 1; it != order.end(); ++it)
            above << P(*it).BoundsRect();
        return FiguresTest::PointOnShape(P(number), above).value_or(QPoint(-1, -1));
    }
    void Click(Qt::MouseButton button, QPoint point, Qt::KeyboardModifiers keys = {}) {
        QTest::mouseClick(FBoard, button, keys, point);
    }
    void Press(Qt::MouseButton button, Qt::MouseButtons held, QPoint point) {
        Board().MouseDown(button, held, Qt::NoModifier, point);
    }
    QImage Render() {
        QImage image(Board().size(), QImage::Format_RGB32);
        Board().render(&image);
        return image;
    }

private slots:
    void init() {
        FixRandomSeed(7);
        FHost = std::make_unique<QWidget>();
        FHost->resize(800, 300);
        FBoard = new TFgrs(FHost.get());
        Board().setGeometry(0, 0, 800, 300);
        Board().SetColor(clBlack);
        Board().SetWidthHeight(40);
        Board().OnMove = [this](QObject*) {
            FEvents << QStringLiteral("move %1").arg(FBoard->Moves());
        };
        Board().OnOver = [this](QObject*) { FEvents << "over"; };
        Board().OnTime = [this](QObject*) { FEvents << "time"; };
        FHost->show();
        QVERIFY(QTest::qWaitForWindowExposed(FHost.get()));
    }
    void cleanup() {
        FHost.reset();
        ReleaseRandomSeed();
    }

    // Left, top, then the orientation, piece after piece from one seed; the
    // position scales from the fresh 65 × 17 box to the piece's own.
    void aStartDealsFivePiecesFromOneSeed() {
        QVERIFY(!Board().Piece(1));
        for (TFSquare square : {Big, Small}) {
            FixRandomSeed(11);
            Board().SetSquareSize(square);
            Board().SetActive(true);
            FixRandomSeed(11);
            QCOMPARE(Board().FigureUnit(), 120);
            for (int n = 1; n <= kPieces; ++n) {
                const int left = 5 + Random(10), top = 5 + Random(10), tag = 1 + Random(8);
                QCOMPARE(int(P(n).Kind()), n == 2 && square == Small ? 6 : n);
                QCOMPARE(P(n).Tag(), tag);
                QCOMPARE(P(n).BoundsRect(),
                         QRect(QPoint(std::max(1, left * P(n).Width() / kFreshWidthPx),
                                      std::max(1, top * P(n).Height() / kFreshHeightPx)),
                               BoxSize(P(n).Kind(), tag, CalcLengths(120))));
                QCOMPARE(P(n).Color(), PieceColor(colorFixed2, n));
            }
        }
    }

    // Reseeding from the clock in every piece gave all five the same draws.
    void piecesDealtWithinOneClockTickDiffer() {
        ReleaseRandomSeed();
        int alike = 0;
        for (int deal = 0; deal < 200; ++deal) {
            Board().SetActive(true);
            bool same = true;
            for (int n = 2; n <= kPieces; ++n) same = same && P(n).Tag() == P(1).Tag();
            alike += same;
        }
        QVERIFY2(alike <= 2, qPrintable(QString::number(alike))); // by chance 1 in 4096
    }

    void aPressAndReleaseOnTheShapeCountsOneMove() {
        Start();
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
            const QRect box = P(3).BoundsRect();
            const int tag = P(3).Tag();
            Click(button, On(3));
            QCOMPARE(Board().ZOrder()[0], 3);
            QCOMPARE(P(3).Tag(), button == Qt::RightButton ? Turned(tag, false) : tag);
            if (button != Qt::RightButton) QCOMPARE(P(3).BoundsRect(), box);
        }
        QCOMPARE(FEvents, (QStringList{"move 1", "move 2", "move 3"}));
    }

    // Piece 2's empty half lies over piece 1: a press there reaches piece 2,
    // counts nothing and sends it back, so the next press takes piece 1.
    void aPressOffTheShapeSendsThePieceBackForThePieceBeneath() {
        Start();
        Board().PlacePiece(2, 300, 150, 1);
        const QPoint empty = P(2).BoundsRect().topLeft() + QPoint(P(2).Width() - 8, 6);
        Board().PlacePiece(1, 0, 0, 1);
        const QPoint offset = *FiguresTest::PointOnShape(P(1)) - P(1).BoundsRect().topLeft();
        Board().PlacePiece(1, empty.x() - offset.x(), empty.y() - offset.y(), 1);
        for (int count = 0; count <= 1; ++count) {
            const QRect box1 = P(1).BoundsRect();
            QTest::mousePress(FBoard, Qt::LeftButton, {}, empty);
            QTest::mouseMove(FBoard, empty + QPoint(15, 10));
            QTest::mouseRelease(FBoard, Qt::LeftButton, {}, empty + QPoint(15, 10));
            QCOMPARE(Board().Moves(), count);
            QCOMPARE(Board().ZOrder()[0], 2 - count);
            QCOMPARE(P(1).BoundsRect(), box1.translated(count * QPoint(15, 10)));
        }
    }

    // About the box centre, Ctrl the other way; eight turns bring the outline back.
    void aRightClickTurnsAboutTheBoxCentre() {
        Start();
        for (int n = 1; n <= kPieces; ++n) {
            const QPolygon first = P(n).Outline();
            for (int turn = 1; turn <= 2 * kOrientations; ++turn) {
                const bool ctrl = turn > kOrientations;
                const QRect before = P(n).BoundsRect();
                const int tag = Turned(P(n).Tag(), ctrl);
                const QSize box = BoxSize(P(n).Kind(), tag, CalcLengths(120));
                Click(Qt::RightButton, On(n), ctrl ? Qt::ControlModifier : Qt::NoModifier);
                QCOMPARE(P(n).Tag(), tag);
                const QPoint shift((box.width() - before.width()) / 2, // div truncates
                                   (box.height() - before.height()) / 2);
                QCOMPARE(P(n).BoundsRect(), QRect(before.topLeft() - shift, box));
                if (turn % kOrientations == 0) QCOMPARE(P(n).Outline(), first);
            }
        }
        QCOMPARE(Board().Moves(), kPieces * 2 * kOrientations);
    }

    // No pulling in during the drag; the drop leaves a pixel of board at each edge.
    void aDragCarriesThePieceAndTheDropKeepsItOnTheBoard_data() {
        QTest::addColumn<QPoint>("by");
        QTest::addColumn<QPoint>("dropped"); // (-1, -1): against the far edges
        QTest::newRow("within") << QPoint(37, -21) << QPoint(527, 69);
        QTest::newRow("beyond right and bottom") << QPoint(900, 400) << QPoint(-1, -1);
        QTest::newRow("beyond left and top") << QPoint(-900, -400) << QPoint(1, 1);
    }
    void aDragCarriesThePieceAndTheDropKeepsItOnTheBoard() {
        QFETCH(QPoint, by);
        QFETCH(QPoint, dropped);
        Start();
        const QRect box = P(4).BoundsRect();
        const QPoint grab = On(4);
        Press(Qt::LeftButton, Qt::LeftButton, grab);
        Board().MouseMove(grab + by / 2);
        Board().MouseMove(grab + by);
        QVERIFY(P(4).Dragging());
        QCOMPARE(P(4).BoundsRect(), box.translated(by));
        Board().MouseUp(Qt::LeftButton, Qt::NoButton, grab + by);
        if (dropped == QPoint(-1, -1)) dropped = {800 - box.width() - 1, 300 - box.height() - 1};
        QCOMPARE(P(4).BoundsRect(), QRect(dropped, box.size()));
        QVERIFY(!P(4).Dragging());
        QCOMPARE(Board().Moves(), 1);
    }

    // A right press off the shape during a drag, and its release, left the
    // drag on: the piece then followed the pointer with no button held.
    void everyLeftReleaseEndsTheDrag() {
        Start();
        Board().PlacePiece(2, 300, 150, 1);
        const QPoint grab = On(2);
        Press(Qt::LeftButton, Qt::LeftButton, grab);
        const QPoint off = P(2).BoundsRect().topLeft() + QPoint(P(2).Width() - 8, 6);
        Press(Qt::RightButton, Qt::LeftButton | Qt::RightButton, off);
        Board().MouseUp(Qt::RightButton, Qt::LeftButton, off);
        QCOMPARE(Board().Moves(), 0);
        Board().MouseUp(Qt::LeftButton, Qt::NoButton, grab);
        QVERIFY(!P(2).Dragging());
        QCOMPARE(Board().Moves(), 1);
        const QRect box = P(2).BoundsRect();
        Board().MouseMove(grab + QPoint(80, 40));
        QCOMPARE(P(2).BoundsRect(), box);
    }

    // A piece held while the game is paused (Alt+U) or stopped kept its new
    // place or turn without a move: most of the square could be built free.
    // The owner hears of the move only after its own call, which may be a
    // mode switch; a new deal forgets it.
    void aPressOnTheShapeCountsItsMoveHoweverItEnds_data() {
        QTest::addColumn<QString>("press");
        QTest::addColumn<QString>("end");
        QTest::addColumn<int>("moves");
        for (const char* end : {"release", "pause", "stop"}) {
            QTest::addRow("drag, %s", end) << "drag" << end << 1;
            QTest::addRow("turn, %s", end) << "turn" << end << 1;
            QTest::addRow("click, %s", end) << "click" << end << 1;
            QTest::addRow("off the shape, %s", end) << "off" << end << 0;
        }
        QTest::newRow("drag, deal again") << "drag"
                                          << "deal" << 0;
    }
    void aPressOnTheShapeCountsItsMoveHoweverItEnds() {
        QFETCH(QString, press);
        QFETCH(QString, end);
        QFETCH(int, moves);
        Start();
        Board().PlacePiece(2, 300, 150, 1);
        const QPoint on =
            press == "off" ? P(2).BoundsRect().topLeft() + QPoint(P(2).Width() - 8, 6) : On(2);
        const int tag = P(2).Tag();
        const QRect before = P(2).BoundsRect();
        const Qt::MouseButton button = press == "turn" ? Qt::RightButton : Qt::LeftButton;
        Press(button, button, on);
        if (press == "drag") Board().MouseMove(on + QPoint(700, 30)); // off the right edge
        if (end == "release") Board().MouseUp(button, Qt::NoButton, on);
        if (end == "pause") Board().SetPaused(true);
        if (end == "stop") Board().SetActive(false);
        if (end == "deal") Board().SetActive(true);
        QCOMPARE(Board().Moves(), moves);
        QCoreApplication::processEvents();
        QCOMPARE(FEvents.size(), moves);
        if (end == "deal") return;
        QVERIFY(!P(2).Dragging() && !P(2).Hit());
        QCOMPARE(P(2).Tag(), press == "turn" ? Turned(tag, false) : tag);
        if (press == "drag") QCOMPARE(P(2).BoundsRect().right(), 800 - 2); // pulled back on
        if (press == "click" || press == "off") QCOMPARE(P(2).BoundsRect(), before);
        // The release that follows is no second move.
        Board().SetPaused(false);
        Board().MouseUp(Qt::LeftButton, Qt::NoButton, on);
        QCOMPARE(Board().Moves(), moves);
    }

    void noPressReachesThePiecesWhilePausedOrStopped() {
        Click(Qt::LeftButton, {60, 120}); // before the first start
        for (bool pause : {true, false}) {
            Start();
            pause ? Board().SetPaused(true) : Board().SetActive(false);
            const QPolygon outline = P(5).Outline();
            const QPoint on = On(5);
            QTest::mousePress(FBoard, Qt::LeftButton, {}, on);
            QTest::mouseMove(FBoard, on + QPoint(30, 30));
            QTest::mouseRelease(FBoard, Qt::LeftButton, {}, on + QPoint(30, 30));
            Click(Qt::RightButton, on);
            QCOMPARE(P(5).Outline(), outline);
            QCOMPARE(Board().Moves(), 0);
            QVERIFY(FEvents.isEmpty());
            Board().SetPaused(false);
        }
    }

    // Finished pieces keep painting filled in their own colour with the
    // finish-colour outline (teal on gray, yellow on silver).
    void aBuiltSquareEndsTheGameAtTheNextMove_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("piece"); // the one clicked
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("board");
        QTest::addColumn<int>("finish");
        QTest::newRow("1") << 1 << 4 << int(colorFixed2) << int(clBlack) << int(clSilver);
        QTest::newRow("6, on a corner") << 6 << 1 << int(colorFixed) << int(clBlack) << int(clGray);
        QTest::newRow("7, on gray") << 7 << 5 << int(colorFixed) << int(clGray) << int(clTeal);
        QTest::newRow("11, small") << 11 << 5 << int(colorFixed2) << int(clSilver) << int(clYellow);
        QTest::newRow("16, small on a corner")
            << 16 << 2 << int(colorFixed2) << int(clBlack) << int(clSilver);
    }
    void aBuiltSquareEndsTheGameAtTheNextMove() {
        QFETCH(int, number);
        QFETCH(int, piece);
        QFETCH(int, mode);
        QFETCH(int, board);
        QFETCH(int, finish);
        Board().SetColor(board);
        Board().SetColorMode(static_cast<TColorTAFShapes>(mode));
        Start(kArrangements[number - 1].Square);
        LayOut(number);
        QVERIFY(Board().Active()); // nothing is judged before a move
        QList<QPoint> inside;
        for (int n = 1; n <= kPieces; ++n) inside << *FiguresTest::PointOnShape(P(n));
        Click(Qt::LeftButton, On(piece));
        QCOMPARE(FEvents, (QStringList{"move 1", "over"}));
        QVERIFY(!Board().Active());
        QVERIFY(!Board().findChild<TTimer*>());
        for (int paint = 0; paint < 2; ++paint) {
            const QImage image = Render();
            for (int n = 1; n <= kPieces; ++n) {
                QVERIFY(P(n).Finished());
                QCOMPARE(P(n).FinishColor(), finish);
                QCOMPARE(image.pixel(inside[n - 1]), Rgb(P(n).Color()));
            }
            QVERIFY(Count(image, image.rect(), finish) > 4 * 120);
        }
        // Nothing counts any more, and nothing moves.
        const QPolygon outline = P(5).Outline();
        Click(Qt::RightButton, On(5));
        QTest::mousePress(FBoard, Qt::LeftButton, {}, On(5));
        QTest::mouseMove(FBoard, On(5) + QPoint(20, 20));
        QTest::mouseRelease(FBoard, Qt::LeftButton, {}, On(5) + QPoint(20, 20));
        Board().SetPaused(true);
        Board().SetPaused(false);
        QCOMPARE(P(5).Outline(), outline);
        QCOMPARE(FEvents, (QStringList{"move 1", "over"}));
    }

    // Ten pixels off is no square; the square dealt at the start is judged
    // even after the setting changed, since piece 2 keeps its kind.
    void theDealtSquareIsJudgedWithinNinePixels() {
        Start(Big);
        Board().SetSquareSize(Small);
        QCOMPARE(Board().DealtSquare(), Big);
        LayOut(3);
        Board().PlacePiece(4, P(4).Left() + 10, P(4).Top(), P(4).Tag());
        Click(Qt::LeftButton, On(5));
        QCOMPARE(FEvents, QStringList{"move 1"});
        Board().PlacePiece(4, P(4).Left() - 1, P(4).Top(), P(4).Tag());
        Click(Qt::LeftButton, On(5));
        QCOMPARE(FEvents, (QStringList{"move 1", "move 2", "over"}));
        Board().SetActive(true);
        QCOMPARE(Board().DealtSquare(), Small);
        QCOMPARE(int(P(2).Kind()), 6);
    }

    // The release that built the square touches nothing after the over
    // notification, so the owner may deal again or free the board there.
    void anOverHandlerMayDealAgainOrFreeTheBoard_data() {
        QTest::addColumn<QString>("handler");
        QTest::newRow("deals again") << "deal";
        QTest::newRow("frees later") << "later";
        QTest::newRow("frees at once") << "delete";
    }
    void anOverHandlerMayDealAgainOrFreeTheBoard() {
        QFETCH(QString, handler);
        Start();
        LayOut(2);
        QPointer<TFgrs> board(FBoard);
        int overs = 0;
        Board().OnOver = [&](QObject*) {
            ++overs;
            if (handler == "deal") board->SetActive(true);
            if (handler == "later") board->deleteLater();
            if (handler == "delete") delete board.data();
        };
        const QPoint on = On(5);
        Press(Qt::LeftButton, Qt::LeftButton, on);
        Board().MouseUp(Qt::LeftButton, Qt::NoButton, on);
        QCOMPARE(overs, 1);
        if (handler == "deal") {
            QVERIFY(Board().Active() && Board().Moves() == 0 && !P(5).Finished());
        } else {
            QTRY_VERIFY(!board);
            FBoard = nullptr;
        }
    }

    // The pause stops the clock; a stopped game keeps pieces and clock, but
    // the ticks fire nothing.
    void theClockTicksOnlyWhileAGameRuns() {
        Board().SetPaused(true);
        QVERIFY(!Board().Paused()); // no game runs
        Start();
        auto* timer = Board().findChild<TTimer*>();
        QCOMPARE(timer->Interval(), 1000);
        Board().SetPaused(true);
        QVERIFY(Board().Paused() && !timer->Enabled());
        Board().SetPaused(false);
        QVERIFY(timer->Enabled());
        QTRY_VERIFY_WITH_TIMEOUT(FEvents.contains("time"), 2500);
        Board().SetActive(false);
        FEvents.clear();
        QTest::qWait(1200);
        QVERIFY(FEvents.isEmpty());
        QVERIFY(Board().findChild<TTimer*>() && Board().Piece(1));
    }

    // The same U leaves every piece; a new U scales each position with its
    // box, Trunc(|Left × W / W0|), kept on the board.
    void aResizeScalesThePiecesOnlyWhenTheUnitChanges() {
        Start();
        QList<QRect> boxes;
        for (int n = 1; n <= kPieces; ++n) boxes << P(n).BoundsRect();
        Board().resize(1000, 301);
        for (int n = 1; n <= kPieces; ++n) QCOMPARE(P(n).BoundsRect(), boxes[n - 1]);
        Board().resize(800, 300);
        Board().SetWidthHeight(60);
        QCOMPARE(Board().FigureUnit(), 180);
        for (int n = 1; n <= kPieces; ++n) {
            const QSize box = BoxSize(P(n).Kind(), P(n).Tag(), CalcLengths(180));
            const QRect& old = boxes[n - 1];
            QCOMPARE(P(n).BoundsRect(),
                     QRect(KeptInside(old.left() * box.width() / old.width(), box.width(), 800),
                           KeptInside(old.top() * box.height() / old.height(), box.height(), 300),
                           box.width(), box.height()));
        }
        Board().resize(250, 400); // narrower than high: U from the width
        QCOMPARE(Board().FigureUnit(), 150);
    }

    // At rest only the outline is drawn, 2 pixels wide; dragged, 1 pixel
    // dotted. A drag motion repaints the old and the new box only.
    void piecesDrawTheirOutlinesAndRepaintWhatTheyTouch() {
        Board().SetColorMode(colorFixed);
        Start();
        Board().PlacePiece(3, 340, 90, 1); // the little square, (1, 1) to (q + 1, q + 1)
        const QRect box = P(3).BoundsRect();
        QImage image = Render();
        QCOMPARE(image.pixel(box.left() + 1, box.top() + 10), Rgb(clOlive));
        QCOMPARE(image.pixel(box.center()), Rgb(clBlack));
        const int atRest = Count(image, box, clOlive);
        QVERIFY(atRest > 4 * 30);
        const QPoint grab = On(3);
        Press(Qt::LeftButton, Qt::LeftButton, grab);
        const int dragged = Count(Render(), box, clOlive);
        QVERIFY2(dragged > 0 && dragged < atRest / 2, qPrintable(QString::number(dragged)));
        QCoreApplication::processEvents();
        TPaintRecorder recorder;
        Board().installEventFilter(&recorder);
        Board().MouseMove(grab + QPoint(7, 3));
        QCoreApplication::processEvents();
        Board().removeEventFilter(&recorder);
        QCOMPARE(recorder.Painted, QRegion(box) + QRegion(box.translated(7, 3)));
        Board().MouseUp(Qt::LeftButton, Qt::NoButton, grab + QPoint(7, 3));
        QCOMPARE(Count(Render(), box.translated(7, 3), clOlive), atRest);
        Board().SetColorMode(colorFixed2);
        QCOMPARE(P(3).Color(), clLime);
    }
};

QTEST_MAIN(TFgrsTest)
#include "test_fgrs.moc"
