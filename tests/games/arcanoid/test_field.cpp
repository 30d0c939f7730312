// SPDX-License-Identifier: GPL-3.0-or-later
// The Arcanoid field without a widget: level patterns, colours, geometry,
// the step's collisions, the paddle, the bonus squares and what owner code
// may do from inside a notification.
#include "gamepan/toolkit/platform/random.h"
#include "games/arcanoid/field.h"
#include "tests/games/arcanoid/field_probe.h"

#include <QTest>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <numbers>

using namespace Tolvane;
using namespace Tolvane::Arcanoid;

namespace {

class THost final : public TFieldHost {
public:
    QSize Size{512, 256};
    TColor Color = clBlack;
    QStringList Events;
    std::function<void(const QString&)> OnEvent;

    QSize ClientSize() const override { return Size; }
    TColor BoardColor() const override { return Color; }
    void Repaint(const QRect&) override {}
    void BrickDestroyed() override { Note("delete"); }
    void BallLost() override { Note("lost"); }
    void ExtraBall() override { Note("extra"); }
    void LevelCleared() override { Note("level"); }
    void GameOver() override { Note("over"); }
    void LevelLaidOut() override { Note("laid out"); }
    void SecondPassed() override { Note("second"); }

private:
    void Note(const QString& event) {
        Events << event;
        if (OnEvent) OnEvent(event);
    }
};

// Non-empty rows of a cell set as "row:pattern".
QStringList Picture(const TCellSet& cells, int rows, int columns) {
    QStringList picture;
    for (int r = 1; r <= rows; ++r) {
        QString line;
        for (int c = 1; c <= columns; ++c) line += cells[r - 1][c - 1] ? '#' : '.';
        if (line.contains('#')) picture << QString("%1:%2").arg(r).arg(line);
    }
    return picture;
}

QStringList Rows(int first, int last, int step, const QString& odd, QString even = {}) {
    if (even.isEmpty()) even = odd;
    QStringList rows;
    for (int r = first; r <= last; r += step)
        rows << QString("%1:%2").arg(r).arg(r % 2 ? odd : even);
    return rows;
}

bool Near(double a, double b) {
    return std::abs(a - b) < 1e-6;
}

// The test field: 512 × 256 pixels, 32 rows of 8 pixels, 16 columns of 32;
// balls and squares of 6 pixels; the paddle (32 × 4) at top 248.
constexpr int kW = 512;
constexpr int kH = 256;
constexpr int kPaddleTop = 248;

} // namespace

class TFieldTest : public QObject {
    Q_OBJECT

    std::unique_ptr<THost> FHost;
    std::unique_ptr<TField> FField;
    TField& F() { return *FField; }
    TFieldProbe P() { return TFieldProbe(*FField); }
    const TMotion& M() { return P().Motion(); }

    // A game in play on an empty grid, the ball launched and standing still.
    void StartEmpty() {
        F().SetRows(32);
        F().SetColumns(16);
        F().SetACreSquShape(1000000);
        F().StartGame();
        for (int r = 1; r <= 32; ++r)
            for (int c = 1; c <= 16; ++c) F().RemoveBrick(r, c);
        P().Launch();
        F().SetPaddleX(0.5);
        FHost->Events.clear();
    }
    // Velocity in pixels per step; the ball's box is at (left, top) after the next step.
    void Aim(int left, int top, double vx, double vy) { P().Aim(left, top, vx, vy); }
    // The main window's board: 425 × 327 pixels, 30 rows of 10, 11 columns
    // of 38, a ball of 8; the main window sets ASteps, ATN and ACreSquShape.
    void StartInTheMainWindow(int steps, int paddle) {
        FHost->Size = QSize(425, 327);
        F().SetASteps(steps);
        F().SetATN(paddle);
        F().SetACreSquShape(1);
        F().StartGame();
    }
    // A square of a kind whose bottom crosses the paddle's top at the next step.
    void DropOnPaddle(TBonus kind) {
        F().StartSquare(kind, 0, 0);
        P().MoveSquare(4.0f / kH);
        F().SetSquarePosition(269.0 / kW, 243.0 / kH - M().SquareVY);
    }

private slots:
    void init() {
        FixRandomSeed(11);
        FHost = std::make_unique<THost>();
        FField = std::make_unique<TField>(*FHost);
    }
    void cleanup() { ReleaseRandomSeed(); }

    void levelPatternsFillTheirCells_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QStringList>("picture");
        const QString full(11, '#');
        const QString odd = "#.#.#.#.#.#";
        const QString even = ".#.#.#.#.#.";
        QTest::newRow("1") << 1 << 30 << 11 << Rows(7, 12, 1, full);
        QTest::newRow("1, 14 rows") << 1 << 14 << 11 << Rows(3, 4, 1, full);
        QTest::newRow("2") << 2 << 30 << 11 << Rows(4, 7, 1, full) + Rows(11, 14, 1, full);
        QTest::newRow("3") << 3 << 30 << 11 << Rows(3, 15, 2, odd);
        QTest::newRow("4") << 4 << 30 << 11 << Rows(3, 14, 1, even);
        QTest::newRow("5") << 5 << 30 << 11 << Rows(3, 14, 1, odd);
        QTest::newRow("6") << 6 << 30 << 11 << Rows(3, 14, 1, even, odd);
        QTest::newRow("7") << 7 << 30 << 11 << Rows(2, 14, 2, full);
        QTest::newRow("9") << 9 << 30 << 11 << Rows(3, 14, 1, ".#########.");
        QTest::newRow("10, 6 columns")
            << 10 << 14 << 6
            << QStringList{"3:######", "4:##..##", "5:#.##.#", "6:#.##.#", "7:##..##", "8:######"};
        QTest::newRow("10 cut off below row 10")
            << 10 << 14 << 11
            << QStringList{"3:###########", "4:##.......##", "5:#.#.....#.#", "6:#..#...#..#",
                           "7:#...#.#...#", "8:#....#....#", "9:#...#.#...#", "10:#..#...#..#"};
    }
    void levelPatternsFillTheirCells() {
        QFETCH(int, level);
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(QStringList, picture);
        QCOMPARE(Picture(LevelCells(level, rows, columns), rows, columns), picture);
    }

    void levelEightDrawsEachCellRowByRow() {
        FixRandomSeed(5);
        const TCellSet cells = LevelCells(8, 30, 11);
        const int after = Random(1000);
        FixRandomSeed(5);
        for (int r = 1; r <= 30; ++r)
            for (int c = 1; c <= 11; ++c) {
                const bool inBand = r >= 2 && r <= 15;
                QCOMPARE(cells[r - 1][c - 1], inBand && Random(2) == 1);
            }
        QCOMPARE(Random(1000), after); // one draw per cell, no more
    }

    void bricksTakeTheColourOfTheirMode_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("colour");
        QTest::newRow("fixed, row 7") << int(colorFixed) << 7 << int(clGray);
        QTest::newRow("fixed, row 8") << int(colorFixed) << 8 << int(clMaroon);
        QTest::newRow("fixed2, row 14") << int(colorFixed2) << 14 << int(clSilver);
        QTest::newRow("fixed2, row 13") << int(colorFixed2) << 13 << int(clFuchsia);
        QTest::newRow("one colour") << int(colorOne) << 9 << int(clTeal);
        FixRandomSeed(3);
        const int blue = Random(256);
        const int green = Random(256);
        const int red = Random(256);
        QTest::newRow("random: blue, green, red")
            << int(colorRandom) << 9 << int(RGBToColor(red, green, blue));
    }
    void bricksTakeTheColourOfTheirMode() {
        QFETCH(int, mode);
        QFETCH(int, row);
        QFETCH(int, colour);
        StartEmpty();
        F().SetOneColorAShapes(clTeal);
        F().SetColorAShapes(static_cast<TColorTAFShapes>(mode));
        FixRandomSeed(3);
        F().PlaceBrick(row, 5);
        QCOMPARE(F().Brick(row, 5)->Look.BrushColor, colour);
    }

    void geometryCentresTheGridWithCellsOfAtLeastOnePixel_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QRect>("cells"); // margin, 0, cell width, cell height
        QTest::newRow("main window") << QSize(522, 340) << 30 << 11 << QRect(2, 0, 47, 11);
        QTest::newRow("smaller than the grid") << QSize(40, 20) << 48 << 24 << QRect(8, 0, 1, 1);
        QTest::newRow("no size yet") << QSize(0, 0) << 30 << 11 << QRect(-5, 0, 1, 1);
    }
    void geometryCentresTheGridWithCellsOfAtLeastOnePixel() {
        QFETCH(QSize, size);
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(QRect, cells);
        const TGeometry g = ComputeGeometry(size, rows, columns);
        QCOMPARE(QRect(g.Margin, 0, g.CellWidth, g.CellHeight), cells);
    }

    void aTinyBoardPlaysOnWithFinitePositions() {
        FHost->Size = QSize(20, 10);
        F().SetRows(48);
        F().SetColumns(24);
        F().StartGame();
        for (int step = 0; step < 3000 && F().InPlay(); ++step) {
            if (step % 40 == 0) step % 80 ? F().MoveLeft() : F().MoveRight();
            F().BallUp();
            F().Step();
            QVERIFY(std::isfinite(F().BallX()) && std::isfinite(F().BallY()));
            QVERIFY(std::isfinite(F().PaddleX()));
        }
        QVERIFY(FHost->Events.contains("lost"));
    }

    void theBallMeetsEachWallBySide_data() {
        QTest::addColumn<QPoint>("box"); // the ball's box after the move
        QTest::addColumn<QPointF>("velocity");
        QTest::addColumn<QPointF>("after"); // signs of the velocity afterwards
        QTest::newRow("left wall") << QPoint(-2, 100) << QPointF(-4, 2) << QPointF(1, 1);
        QTest::newRow("right wall") << QPoint(508, 100) << QPointF(4, 2) << QPointF(-1, 1);
        QTest::newRow("ceiling going up") << QPoint(200, -1) << QPointF(2, -4) << QPointF(1, 1);
        QTest::newRow("ceiling, already going down")
            << QPoint(200, -3) << QPointF(2, 1) << QPointF(1, 1);
    }
    void theBallMeetsEachWallBySide() {
        QFETCH(QPoint, box);
        QFETCH(QPointF, velocity);
        QFETCH(QPointF, after);
        StartEmpty();
        Aim(box.x(), box.y(), velocity.x(), velocity.y());
        F().Step();
        QCOMPARE(Sign(M().BallVX), after.x());
        QCOMPARE(Sign(M().BallVY), after.y());
    }

    // Brick at row 10, column 8: x 224..256, y 72..80.
    void bricksAreHitFromEachSide_data() {
        QTest::addColumn<QPoint>("box");
        QTest::addColumn<QPointF>("velocity");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<bool>("immediate");
        QTest::newRow("from below") << QPoint(237, 79) << QPointF(1, -4) << true << false;
        QTest::newRow("from above") << QPoint(237, 67) << QPointF(1, 4) << true << false;
        QTest::newRow("from the left") << QPoint(219, 73) << QPointF(4, 1) << false << false;
        QTest::newRow("from the right") << QPoint(255, 73) << QPointF(-4, 1) << false << false;
        QTest::newRow("from below, freed at once")
            << QPoint(237, 79) << QPointF(1, -4) << true << true;
    }
    void bricksAreHitFromEachSide() {
        QFETCH(QPoint, box);
        QFETCH(QPointF, velocity);
        QFETCH(bool, vertical);
        QFETCH(bool, immediate);
        StartEmpty();
        F().SetAIMMDelShapes(immediate);
        F().PlaceBrick(10, 8);
        Aim(box.x(), box.y(), velocity.x(), velocity.y());
        F().Step();
        QCOMPARE(FHost->Events, QStringList{"delete"});
        QCOMPARE(Sign(M().BallVX), float(vertical ? Sign(velocity.x()) : -Sign(velocity.x())));
        QCOMPARE(Sign(M().BallVY), float(vertical ? -Sign(velocity.y()) : Sign(velocity.y())));
        const TBrick* brick = F().Brick(10, 8);
        if (immediate) {
            QVERIFY(!brick);
            return;
        }
        QVERIFY(brick->Ghost);
        QCOMPARE(brick->Look.BrushColor, clBtnHighlight);
        QCOMPARE(brick->Look.BrushStyle, vertical ? bsDiagCross : bsCross);
        F().Step(); // a ghost takes no further hit
        QCOMPARE(FHost->Events, QStringList{"delete"});
    }

    void twoRowsHitInOneStepKeepTheDirection() {
        StartEmpty();
        F().PlaceBrick(10, 8);
        F().PlaceBrick(11, 8);
        Aim(220, 75, 4, 0); // centre y 78: within reach of both rows
        F().Step();
        QCOMPARE(FHost->Events, (QStringList{"delete", "delete"}));
        QVERIFY(M().BallVX > 0);
    }

    void aStrongBrickTakesFourHitsFromBlack() {
        StartEmpty();
        F().SetOneColorAShapes(clBlack);
        F().SetColorAShapes(colorOne);
        F().PlaceBrick(10, 8);
        QList<TColor> colours;
        for (int hit = 0; hit < 4; ++hit) {
            Aim(237, 79, 1, -4);
            F().Step();
            colours << F().Brick(10, 8)->Look.BrushColor;
        }
        QCOMPARE(colours.mid(0, 2), (QList<TColor>{clGray, clSilver}));
        QVERIFY(std::find(kStrongColors.begin(), kStrongColors.end(), colours[2]) ==
                kStrongColors.end()); // silver steps to a random colour
        QCOMPARE(colours[3], clBtnHighlight);
        QCOMPARE(FHost->Events, QStringList{"delete"});
    }

    // Paddle at x 256..288, top 248; ball speed 0.02.
    void thePaddleReturnsTheBall_data() {
        QTest::addColumn<double>("paddleV");
        QTest::addColumn<double>("vx");
        QTest::addColumn<int>("friction");
        QTest::addColumn<int>("left");
        QTest::addColumn<QPointF>("after");
        const double vy = 4.0 / kH;
        QTest::newRow("middle, no side speed: straight up")
            << 0.0 << 0.0 << 25 << 269 << QPointF(0, -0.02);
        QTest::newRow("friction clamped to 95%")
            << 0.01 << 0.018 << 100 << 269 << QPointF(0.019, -std::sqrt(0.0004 - 0.000361));
        QTest::newRow("friction 0 ignores the paddle")
            << 0.01 << 0.005 << 0 << 269 << QPointF(0.005, -std::sqrt(0.0004 - 0.000025));
        QTest::newRow("side share raised to 5%")
            << 0.0 << -0.0005 << 25 << 269 << QPointF(-0.001, -std::sqrt(0.0004 - 0.000001));
        QTest::newRow("left end swaps") << 0.0 << 0.008 << 25 << 256 << QPointF(-vy, -0.008);
        QTest::newRow("left end, no side speed: straight up")
            << 0.0 << 0.0 << 25 << 256 << QPointF(0, -0.02);
        QTest::newRow("right end swaps") << 0.0 << -0.008 << 25 << 284 << QPointF(vy, -0.008);
        QTest::newRow("right end, paddle going left: normal")
            << -0.01 << -0.008 << 25 << 284
            << QPointF(-0.0105, -std::sqrt(0.0004 - 0.0105 * 0.0105));
    }
    void thePaddleReturnsTheBall() {
        QFETCH(double, paddleV);
        QFETCH(double, vx);
        QFETCH(int, friction);
        QFETCH(int, left);
        QFETCH(QPointF, after);
        StartEmpty();
        F().SetAFriction(static_cast<std::uint16_t>(friction));
        P().SetBallSpeed(0.02f);
        Aim(left, 243, 0, 4);
        P().Steer(static_cast<float>(vx), M().BallVY);
        F().SetBallPosition(double(left) / kW - vx, F().BallY());
        P().MovePaddle(static_cast<float>(paddleV));
        F().SetPaddleX(0.5 - paddleV);
        F().Step();
        QVERIFY2(Near(M().BallVX, after.x()), qPrintable(QString::number(M().BallVX)));
        QVERIFY2(Near(M().BallVY, after.y()), qPrintable(QString::number(M().BallVY)));
        QCOMPARE(F().BallsLeft(), 3);
    }

    void launchesGoUpTowardsThePaddlesWay() {
        for (int way : {0, -1, 1}) {
            StartEmpty();
            P().Unlaunch();
            way<0 ? F().MoveLeft() : way> 0 ? F().MoveRight() : F().StopPaddle();
            F().BallUp();
            const double share = std::abs(M().BallVX / M().BallSpeed);
            QVERIFY(share >= 0.3 && share < 0.9);
            QCOMPARE(Sign(M().BallVX), way < 0 ? -1.0f : 1.0f); // standing: to the right
            QVERIFY(Near(std::hypot(M().BallVX, M().BallVY), M().BallSpeed) && M().BallVY < 0);
        }
    }

    void aFastBallIsSubSteppedThroughNoBrickAndNoPaddle_data() {
        QTest::addColumn<bool>("up");
        QTest::newRow("up into a row") << true;
        QTest::newRow("down onto the paddle") << false;
    }
    void aFastBallIsSubSteppedThroughNoBrickAndNoPaddle() {
        QFETCH(bool, up);
        StartEmpty();
        for (int c = 1; c <= 16; ++c) F().PlaceBrick(10, c);
        P().SetBallSpeed(0.5f);
        if (up)
            Aim(100, 40, 3, -60); // from y 100 up past the row at 72..80
        else
            Aim(269, 250, 0, 60); // from y 190 down past the paddle top at 248
        QVERIFY(F().SubSteps() >= 10);
        F().Step();
        QCOMPARE(F().BallsLeft(), 3);
        QCOMPARE(FHost->Events, up ? QStringList{"delete"} : QStringList{});
        QVERIFY(up ? M().BallVY > 0 : M().BallVY < 0);
        QVERIFY(up ? F().Ball()->Bounds.top() >= 76 : F().Ball()->Bounds.top() < kPaddleTop);
    }

    void theDefaultSpeedNeedsOneSubStep() {
        FHost->Size = QSize(522, 340);
        F().StartGame();
        for (int launch = 0; launch < 50; ++launch) {
            P().Unlaunch();
            F().BallUp();
            QCOMPARE(F().SubSteps(), 1);
            P().Steer(0.05f * M().BallSpeed, // the steepest paddle bounce
                      -std::sqrt(1 - 0.05f * 0.05f) * M().BallSpeed);
            QCOMPARE(F().SubSteps(), 1);
        }
    }

    // The main window's board is 425 × 327 pixels: cells of 38 × 10, a ball
    // of 8. No direction of the ball or the falling square there makes a
    // step longer than a cell or the ball, so every step is one whole step.
    void ordinaryStepsAreNeverSplit_data() {
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("paddle");
        QTest::newRow("main window: ASteps 80, ATN 110") << 80 << 110;
        QTest::newRow("panel defaults") << 100 << 100;
    }
    void ordinaryStepsAreNeverSplit() {
        QFETCH(int, steps);
        QFETCH(int, paddle);
        StartInTheMainWindow(steps, paddle);
        F().StartSquare(bnExtraBall, 0.5, 0);
        const double speed = M().BallSpeed;
        for (int degree = 0; degree < 360; ++degree) {
            const double angle = degree * std::numbers::pi / 180;
            P().Steer(static_cast<float>(speed * std::cos(angle)),
                      static_cast<float>(speed * std::sin(angle)));
            QVERIFY2(F().SubSteps() == 1, qPrintable(QString("%1 degrees").arg(degree)));
        }
    }

    // On the main window's board, bricks at rows 8 and 10 of column 6 (y 70
    // to 80 and 90 to 100); the ball crosses one edge in the row between
    // them. The whole step hits that brick alone; split in two, the rebound
    // would hit the other brick within the same step.
    void aStepInTheMainWindowHitsOneBrickOfAGap_data() {
        QTest::addColumn<int>("top"); // the ball's top after the move
        QTest::addColumn<int>("vy");  // pixels per step
        QTest::newRow("falling onto the lower brick") << 86 << 6;
        QTest::newRow("rising into the upper brick") << 76 << -6;
    }
    void aStepInTheMainWindowHitsOneBrickOfAGap() {
        QFETCH(int, top);
        QFETCH(int, vy);
        StartInTheMainWindow(80, 110);
        for (int r = 1; r <= 30; ++r)
            for (int c = 1; c <= 11; ++c) F().RemoveBrick(r, c);
        F().PlaceBrick(8, 6);
        F().PlaceBrick(10, 6);
        FHost->Events.clear();
        P().Aim(208, top, 0, vy);
        F().Step();
        QCOMPARE(FHost->Events, QStringList{"delete"});
        QCOMPARE(Sign(M().BallVY), -Sign(vy));
        QCOMPARE(F().Ball()->Bounds.top(), top);
    }

    void aHeldKeyCannotWalkThePaddleThroughAWall_data() {
        QTest::addColumn<bool>("endStop");
        QTest::newRow("bouncing") << false;
        QTest::newRow("end stop") << true;
    }
    void aHeldKeyCannotWalkThePaddleThroughAWall() {
        QFETCH(bool, endStop);
        StartEmpty();
        F().SetAEndStop(endStop);
        F().SetPaddleX(0.02);
        for (int step = 0; step < 100; ++step) {
            F().MoveLeft();
            F().Step();
            QVERIFY(F().Paddle()->Bounds.left() >= -(32 / 12) - kW / 100 - 1);
        }
        F().MoveRight();
        F().Step();
        QVERIFY(M().PaddleV > 0); // it leaves the wall when told to
    }

    void aPaddleGrowingAtAWallKeepsGoingInwards() {
        StartEmpty();
        F().SetPaddleX(0.95);
        F().MoveRight();
        F().Step(); // reaches the wall and turns
        QVERIFY(M().PaddleV < 0);
        DropOnPaddle(bnLong);
        F().SetSquarePosition(F().Paddle()->Bounds.left() / double(kW), F().SquareY());
        int right = std::numeric_limits<int>::max();
        for (int step = 0; step < 6; ++step) {
            F().Step();
            QVERIFY(M().PaddleV < 0);
            QVERIFY(F().Paddle()->Bounds.right() < right); // back out of the wall
            right = F().Paddle()->Bounds.right();
        }
        QVERIFY(M().LongOn);
    }

    void eachBonusTakesEffectAndEndsWithTheBall_data() {
        QTest::addColumn<int>("kind");
        for (int kind = 0; kind < kBonusKinds; ++kind)
            QTest::newRow(qPrintable(QString::number(kind))) << kind;
    }
    void eachBonusTakesEffectAndEndsWithTheBall() {
        QFETCH(int, kind);
        StartEmpty();
        DropOnPaddle(static_cast<TBonus>(kind));
        F().Step();
        const TPiece& square = *F().Square();
        const TPiece& paddle = *F().Paddle();
        QCOMPARE(square.Look.BrushColor, kind == bnGun ? clLime : clWhite);
        QCOMPARE(square.Look.BrushStyle, kind == bnGun ? bsSolid : bsDiagCross);
        QCOMPARE(paddle.Visible, kind != bnInvisible);
        QCOMPARE(M().GunOn && !M().GunFired, kind == bnGun);
        QCOMPARE(M().CatchOn, kind == bnCatch);
        QCOMPARE(F().BallY(), kind == bnLoseBall ? 1.0 : F().BallY());
        QCOMPARE(paddle.Bounds.width(), kind == bnLong ? 48 : kind == bnShort ? 24 : 32);
        QCOMPARE(F().BallsLeft(), kind == bnExtraBall ? 4 : 3);
        QCOMPARE(FHost->Events, kind == bnExtraBall ? QStringList{"extra"} : QStringList{});
        QCOMPARE(F().Line()->Visible, kind == bnLine);
        if (kind == bnLine) {
            QVERIFY(!M().LineIsFloor); // the ball was below the line
            QVERIFY(M().LineDuration >= 10 && M().LineDuration <= 39);
        }
        F().LoseBall();
        QVERIFY(!M().CatchOn && !M().GunOn && !M().LongOn && !M().ShortOn);
        QVERIFY(!F().Square()->Visible && !F().Line()->Visible && F().Paddle()->Visible);
        QCOMPARE(F().Paddle()->Bounds.width(), 32);
    }

    void heldBallsAreReleasedLostOrFreed_data() {
        QTest::addColumn<int>("second"); // the square caught while the ball is held
        QTest::newRow("yellow releases and ends the catch") << int(bnCatch);
        QTest::newRow("red still loses the ball") << int(bnLoseBall);
    }
    void heldBallsAreReleasedLostOrFreed() {
        QFETCH(int, second);
        StartEmpty();
        P().ArmCatch();
        Aim(269, 243, 2, 4);
        F().Step();
        QVERIFY(!M().BallFree);
        QCOMPARE(M().BallVY, 0.0f);
        DropOnPaddle(static_cast<TBonus>(second));
        F().Step();
        QVERIFY(!M().CatchOn);
        if (second == bnCatch) {
            QVERIFY(M().BallFree);
            QVERIFY(M().BallVY < 0);
            return;
        }
        for (int step = 0; step < 3 && !FHost->Events.contains("lost"); ++step) F().Step();
        QCOMPARE(FHost->Events, QStringList{"lost"});
    }

    void paddleWidthsToggle() {
        StartEmpty();
        QList<int> widths;
        for (TBonus kind : {bnLong, bnLong, bnLong, bnShort, bnShort}) {
            DropOnPaddle(kind);
            F().Step();
            widths << F().Paddle()->Bounds.width();
        }
        // Long, normal (rounded), long, short from long, normal (truncated).
        QCOMPARE(widths, (QList<int>{48, 32, 48, 24, 32}));
    }

    // Brick at row 10, column 8, bottom edge at y 80.
    void theGunHitsOnlyWithItsTopCrossingABrickBottom_data() {
        QTest::addColumn<int>("top"); // the square's top after the move, 4 px up
        QTest::addColumn<bool>("hits");
        QTest::newRow("crosses the bottom edge") << 78 << true;
        QTest::newRow("just below") << 81 << false;
        QTest::newRow("already inside") << 74 << false;
    }
    void theGunHitsOnlyWithItsTopCrossingABrickBottom() {
        QFETCH(int, top);
        QFETCH(bool, hits);
        StartEmpty();
        F().PlaceBrick(10, 8);
        DropOnPaddle(bnGun);
        F().Step();
        QVERIFY(M().GunOn && !M().GunFired);
        F().BallUp();
        QVERIFY(M().GunFired && M().SquareVY < 0);
        P().MoveSquare(-4.0f / kH);
        F().SetSquarePosition(236.0 / kW, double(top) / kH - M().SquareVY);
        F().Step();
        QCOMPARE(FHost->Events, hits ? QStringList{"delete"} : QStringList{});
        QCOMPARE(M().SquareVY > 0, hits);
        if (hits) QCOMPARE(F().Brick(10, 8)->Look.BrushStyle, bsBDiagonal);
    }

    // The line lies at y 176..178; the ball is below it when it appears.
    void theBarrierLineSendsABallBelowItDownForItsTime_data() {
        QTest::addColumn<QPoint>("box"); // the ball's top and velocity after the line appears
        QTest::newRow("under it, going up") << QPoint(177, -4);
        QTest::newRow("under it, going down") << QPoint(178, 3);
        QTest::newRow("overlapping it, going up") << QPoint(174, -4);
    }
    void theBarrierLineSendsABallBelowItDownForItsTime() {
        QFETCH(QPoint, box);
        StartEmpty();
        DropOnPaddle(bnLine);
        F().Step();
        QCOMPARE(F().Line()->Bounds.top(), kH - 10 * 8);
        QVERIFY(!M().LineIsFloor);
        Aim(100, box.x(), 2, box.y());
        for (int step = 0; step < 4; ++step) {
            F().Step();
            QVERIFY(M().BallVY > 0); // no blind reversal, no sliding along it
        }
        for (int second = 1; second < M().LineDuration; ++second) F().AdvanceLineClock();
        QVERIFY(F().Line()->Visible);
        F().AdvanceLineClock();
        QVERIFY(!F().Line()->Visible);
    }

    void theBonusDrawRangeNeverOverflows_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("range");
        QTest::newRow("1") << 1 << 8;
        QTest::newRow("past 32 bits") << 0x20000000 << std::numeric_limits<int>::max();
        QTest::newRow("largest") << std::numeric_limits<int>::max()
                                 << std::numeric_limits<int>::max();
        QTest::newRow("0 is never an empty range") << 0 << 8;
    }
    void theBonusDrawRangeNeverOverflows() {
        QFETCH(int, value);
        QFETCH(int, range);
        F().SetACreSquShape(value);
        QCOMPARE(M().SquareRange, range);
        F().StartGame();
        QCOMPARE(M().SquareRange, range);
    }

    void recolouringLeavesGhostsAlone_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("one");
        QTest::newRow("mode change") << int(colorFixed) << int(clBtnFace);
        QTest::newRow("one colour equal to a ghost's") << int(colorOne) << int(clBtnHighlight);
    }
    void recolouringLeavesGhostsAlone() {
        QFETCH(int, mode);
        QFETCH(int, one);
        StartEmpty();
        F().SetAStrongShapes(false);
        for (int c = 1; c <= 16; ++c) F().PlaceBrick(10, c);
        Aim(237, 79, 1, -4);
        F().Step();
        QCOMPARE(F().LiveBricks(), 15);
        F().SetOneColorAShapes(one);
        F().SetColorAShapes(static_cast<TColorTAFShapes>(mode));
        QCOMPARE(F().LiveBricks(), 15);
        QVERIFY(F().Brick(10, 8)->Ghost);
        QCOMPARE(F().Brick(10, 8)->Look.BrushColor, clBtnHighlight);
        QCOMPARE(F().Brick(10, 1)->Look.BrushColor, mode == colorOne ? one : clOlive);
        QCOMPARE(F().Sweep(), 16);
        QCOMPARE(F().Sweep(), 15);
        Aim(5, 79, 1, -4);
        F().Step();
        QCOMPARE(FHost->Events.count("delete"), 2); // live bricks in the ghost colour still score
    }

    void aResizeKeepsALongPaddleOnTheField() {
        StartEmpty();
        DropOnPaddle(bnLong);
        F().Step();
        FHost->Size = QSize(kW, 128);
        F().Relayout();
        QCOMPARE(F().Paddle()->Bounds, QRect(F().Paddle()->Bounds.left(), 124, 48, 2));
    }

    void ownerCodeInANotificationStopsTheStepOnANewGame_data() {
        QTest::addColumn<QString>("event");
        QTest::newRow("delete") << "delete";
        QTest::newRow("lost") << "lost";
    }
    void ownerCodeInANotificationStopsTheStepOnANewGame() {
        QFETCH(QString, event);
        StartEmpty();
        F().PlaceBrick(10, 8);
        FHost->OnEvent = [&](const QString& seen) {
            if (seen == event) F().StartGame();
        };
        if (event == "delete")
            Aim(237, 79, 1, -4);
        else
            Aim(20, 251, 0, 4);
        F().Step();
        FHost->OnEvent = nullptr;
        // The new game's ball rests on its paddle, untouched by the old step.
        QVERIFY(!M().Launched);
        QCOMPARE(M().BallVY, 0.0f);
        QCOMPARE(F().Ball()->Bounds.bottom() + 1, F().Paddle()->Bounds.top());
        QCOMPARE(F().BallsLeft(), 3);
    }

    // What one call delivers, in order. With `restart` the owner starts a
    // new game inside that notification and hears nothing more of the old.
    void eventsArriveInTheOrderTheyHappened_data() {
        QTest::addColumn<QString>("play");
        QTest::addColumn<QString>("restart");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<int>("level"); // afterwards; 0 when the game is over
        const QStringList brick{"delete", "extra"};
        QTest::newRow("a brick and an extra ball") << "step"
                                                   << "" << brick << 1;
        QTest::newRow("restarted at the brick")
            << "step"
            << "delete" << QStringList{"delete", "laid out"} << 1;
        QTest::newRow("the last ball lost") << "lose"
                                            << "" << QStringList{"lost", "over"} << 0;
        QTest::newRow("restarted at the lost ball")
            << "lose"
            << "lost" << QStringList{"lost", "laid out"} << 1;
        const QStringList cleared{"second", "level", "laid out"};
        QTest::newRow("a cleared level") << "clear"
                                         << "" << cleared << 2;
        QTest::newRow("restarted at the cleared level") << "clear"
                                                        << "level" << cleared << 1;
        QTest::newRow("the last level cleared") << "clear last"
                                                << "" << QStringList{"second", "over"} << 0;
    }
    void eventsArriveInTheOrderTheyHappened() {
        QFETCH(QString, play);
        QFETCH(QString, restart);
        QFETCH(QStringList, events);
        QFETCH(int, level);
        F().SetBalls(1);
        F().SetLevels(play == "clear last" ? 1 : 10);
        StartEmpty();
        FHost->OnEvent = [&](const QString& seen) {
            if (seen == restart) F().StartGame();
        };
        if (play == "step") {
            F().PlaceBrick(10, 8);
            Aim(237, 79, 1, -4);
            DropOnPaddle(bnExtraBall);
            F().Step();
        } else if (play == "lose") {
            Aim(20, 251, 0, 4);
            F().Step();
        } else {
            F().SecondTick(true);
        }
        FHost->OnEvent = nullptr;
        QCOMPARE(FHost->Events, events);
        QCOMPARE(F().InPlay() ? F().Level() : 0, level);
    }

private:
    static float Sign(double x) { return x > 0 ? 1.0f : x < 0 ? -1.0f : 0.0f; }
};

QTEST_GUILESS_MAIN(TFieldTest)
#include "test_field.moc"
