// SPDX-License-Identifier: GPL-3.0-or-later
// The Arcanoid board: a game's lifecycle and events, its timers (also while
// a message box is up), keys and commands, painting and what a step
// repaints, owner code run from its notifications, and a random soak.
#include "gamepan/toolkit/board/direction.h"
#include "gamepan/toolkit/platform/keys.h"
#include "gamepan/toolkit/platform/messages.h"
#include "gamepan/toolkit/platform/random.h"
#include "gamepan/toolkit/widgets/timer.h"
#include "games/arcanoid/rcnd.h"
#include "tests/games/arcanoid/field_probe.h"
#include "tests/support/recordingmessages.h"

#include <QImage>
#include <QPaintEvent>
#include <QTest>
#include <cmath>
#include <memory>
#include <random>

using namespace Tolvane;
using Arcanoid::TField;
using Arcanoid::TFieldProbe;
using Arcanoid::TMotion;

namespace {

constexpr int kW = 512;
constexpr int kH = 256;

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

qint64 Area(const QRegion& region) {
    qint64 area = 0;
    for (const QRect& rect : region) area += qint64(rect.width()) * rect.height();
    return area;
}

} // namespace

class TRcndTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> FHost;
    TRcnd* FBoard = nullptr;
    QStringList FEvents;

    TRcnd& B() { return *FBoard; }
    TField& F() { return FBoard->Field(); }
    TFieldProbe P() { return TFieldProbe(F()); }
    const TMotion& M() { return P().Motion(); }

    // A running game on 32 × 16 cells of 32 × 8 pixels; the timers are too
    // slow to tick during a test, so ticks are called.
    void Start(bool empty = true) {
        B().SetRows(32);
        B().SetColumns(16);
        B().SetADelay(1000000);
        B().SetACreSquShape(1000000);
        B().SetActive(true);
        if (empty) ClearBricks();
        FEvents.clear();
    }
    void ClearBricks() {
        for (int r = 1; r <= F().GridRows(); ++r)
            for (int c = 1; c <= F().GridColumns(); ++c) F().RemoveBrick(r, c);
    }
    // Launched, with its box at (left, top) after the next step.
    void Aim(int left, int top, double vx, double vy) { P().Aim(left, top, vx, vy); }
    void AimDown() { Aim(20, 252, 0, 4); }
    // A ghost at row 10, column 8.
    void MakeGhost() {
        F().PlaceBrick(10, 8);
        Aim(237, 79, 1, -4);
        B().Tick();
        QVERIFY(F().Brick(10, 8) && F().Brick(10, 8)->Ghost);
    }

private slots:
    void init() {
        FixRandomSeed(7);
        FHost = std::make_unique<QWidget>();
        FHost->resize(kW, kH);
        FBoard = new TRcnd(FHost.get());
        auto note = [this](const char* name) {
            return [this, name](QObject*) { FEvents << name; };
        };
        B().OnDelete = note("delete");
        B().OnContact = note("contact");
        B().OnExtraBall = note("extra");
        B().OnEndLevel = note("level");
        B().OnTime = note("time");
        B().OnOver = note("over");
    }
    void cleanup() {
        FHost.reset();
        ReleaseRandomSeed();
    }

    void losingEveryBallEndsTheGameWithOneOverEvent() {
        B().SetABalls(3);
        Start();
        bool piecesGoneAtOver = false;
        B().OnOver = [&](QObject*) {
            FEvents << "over";
            piecesGoneAtOver = !F().InPlay() && !B().StepTimer() && !B().Active();
        };
        for (int ball = 0; ball < 3; ++ball) {
            QCOMPARE(B().BallsLeft(), 3 - ball);
            AimDown();
            B().Tick();
        }
        QCOMPARE(FEvents, (QStringList{"contact", "contact", "contact", "over"}));
        QVERIFY(piecesGoneAtOver);
        QCOMPARE(B().BallsLeft(), 0);
        QVERIFY(B().Level() <= B().Levels());
        B().Tick();
        B().SecondTick();
        QCOMPARE(FEvents.size(), 4);
    }

    void aGameEndedInsideARealTickDiscardsItsTimersSafely() {
        B().SetABalls(1);
        Start();
        B().SetADelay(1);
        AimDown();
        QTRY_COMPARE(FEvents.count("over"), 1);
        QTest::qWait(30);
        QCOMPARE(FEvents, (QStringList{"contact", "over"}));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(B().findChildren<TTimer*>().isEmpty());
        B().SetActive(true); // a new game gets new timers
        QVERIFY(B().StepTimer() && B().StepTimer()->Enabled());
        QCOMPARE(B().BallsLeft(), 1);
    }

    void aClearedLevelFiresEndLevelBeforeTheNextLayout() {
        Start();
        int levelSeen = 0;
        int bricksSeen = -1;
        B().OnEndLevel = [&](QObject*) {
            levelSeen = B().Level();
            bricksSeen = F().LiveBricks();
            B().SetRows(14); // the owner's rows apply to the level that follows
        };
        B().SecondTick();
        QCOMPARE(FEvents, QStringList{"time"});
        QCOMPARE(levelSeen, 2);
        QCOMPARE(bricksSeen, 0);
        QCOMPARE(F().GridRows(), 14);
        QCOMPARE(F().LiveBricks(), 4 * 16); // level 2 on 14 rows: rows 3 to 6
        QVERIFY(!M().Launched);
    }

    void theLevelsComeInOrderThenTheGameEnds() {
        Start();
        QList<int> levels;
        B().OnEndLevel = [&](QObject*) { levels << B().Level(); };
        for (int tick = 0; tick < 12 && B().Active(); ++tick) {
            ClearBricks();
            B().SecondTick();
        }
        QCOMPARE(levels, (QList<int>{2, 3, 4, 5, 6, 7, 8, 9, 10}));
        QCOMPARE(FEvents.count("over"), 1);
        QCOMPARE(B().Level(), B().Levels() + 1);
    }

    void aBoardCutOffNotifiesNobody() {
        B().SetABalls(1);
        Start();
        F().PlaceBrick(10, 8);
        B().CutOff();
        Aim(237, 79, 1, -4);
        B().Tick();
        AimDown();
        B().Tick();
        B().SecondTick();
        QVERIFY(FEvents.isEmpty());
        QVERIFY(!B().Active()); // the game still ran to its end
    }

    void ticksWaitWhileAMessageBoxIsUp() {
        Start();
        MakeGhost();
        P().MarkLong();
        F().StartSquare(Arcanoid::bnLine, 0.5, 0.1);
        const QRect square = F().Square()->Bounds;
        AimDown();
        FEvents.clear();
        TRecordingMessages messages;
        messages.WhileShown = [&](const QString&) {
            for (int tick = 0; tick < 30; ++tick) {
                B().Tick();
                if (tick % 10 == 0) B().SecondTick();
            }
        };
        ShowInformation("This option will have effect with the new ball");
        QVERIFY(FEvents.isEmpty());
        QCOMPARE(B().BallsLeft(), 3);
        QVERIFY(F().Brick(10, 8)); // the ghost is not swept either
        QVERIFY(M().LongOn);
        QCOMPARE(F().Square()->Bounds, square);
        B().Tick();
        QCOMPARE(FEvents, QStringList{"contact"});
    }

    void pausingStopsBothTimersAndFreesGhosts() {
        Start();
        MakeGhost();
        B().SetPaused(true);
        QVERIFY(B().Paused());
        QVERIFY(!B().StepTimer()->Enabled() && !B().ClockTimer()->Enabled());
        QVERIFY(!F().Brick(10, 8));
        B().SetPaused(false);
        QVERIFY(B().StepTimer()->Enabled() && B().ClockTimer()->Enabled());
        QCOMPARE(B().StepTimer()->Interval(), 1000000);
        QCOMPARE(B().ClockTimer()->Interval(), 1000);
    }

    void keysAndCommandsDriveThePaddleAndTheBall_data() {
        QTest::addColumn<bool>("command");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("way"); // sign of the paddle velocity afterwards
        QTest::addColumn<bool>("launched");
        QTest::newRow("key left") << false << int(VK_NUMPAD4) << -1 << false;
        QTest::newRow("key right") << false << int(VK_NUMPAD6) << 1 << false;
        QTest::newRow("key stop") << false << int(VK_NUMPAD2) << 0 << false;
        QTest::newRow("key ball up") << false << int(VK_NUMPAD8) << 1 << true;
        QTest::newRow("key rotate does nothing") << false << int(VK_NUMPAD5) << 1 << false;
        QTest::newRow("left") << true << int(drLeft) << -1 << false;
        QTest::newRow("right") << true << int(drRight) << 1 << false;
        QTest::newRow("stop") << true << int(drStop) << 0 << false;
        QTest::newRow("ball up") << true << int(drUp) << 1 << true;
        QTest::newRow("drop does nothing") << true << int(drDrop) << 1 << false;
    }
    void keysAndCommandsDriveThePaddleAndTheBall() {
        QFETCH(bool, command);
        QFETCH(int, code);
        QFETCH(int, way);
        QFETCH(bool, launched);
        Start();
        B().MoveRight();
        if (command)
            B().DoCommand(static_cast<std::uint8_t>(code));
        else
            B().DoKey(static_cast<std::uint16_t>(code));
        QCOMPARE(command ? int(B().Command()) : int(B().Key()), code);
        const float v = M().PaddleV;
        QCOMPARE(v > 0 ? 1 : v < 0 ? -1 : 0, way);
        QCOMPARE(M().Launched, launched);
        if (!launched) QCOMPARE(M().BallVX, v); // the ball rides along
    }

    void clicksOnTheBoardStartNothing() {
        FHost->show();
        Start();
        QTest::mouseClick(&B(), Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseClick(&B(), Qt::RightButton, {}, QPoint(100, 100));
        QVERIFY(!M().Launched);
        QCOMPARE(M().PaddleV, 0.0f);
    }

    void outOfRangeSizesAreKeptToTheGrid() {
        B().SetRows(200);
        B().SetColumns(1);
        B().SetLevels(0);
        QCOMPARE(B().Rows(), 48);
        QCOMPARE(B().Columns(), 6);
        QCOMPARE(B().Levels(), 1);
        B().SetLevels(99);
        QCOMPARE(B().Levels(), 10);
    }

    void aStepRepaintsOnlyWhatMoved() {
        FHost->show();
        QVERIFY(QTest::qWaitForWindowExposed(FHost.get()));
        B().SetABHW(100); // a ball of 8 px: no step (7.7 px at most) is split
        Start(false);
        B().BallUp();
        F().StartSquare(Arcanoid::bnLong, 0.4, 0.2);
        QTRY_VERIFY(B().Painted());
        QTest::qWait(50);
        TPaintRecorder recorder;
        B().installEventFilter(&recorder);
        auto boxes = [&] {
            QRegion region;
            for (const Arcanoid::TPiece* piece : {F().Ball(), F().Paddle(), F().Square()})
                if (piece && piece->Visible) region += piece->Bounds;
            return region;
        };
        for (int step = 0; step < 3; ++step) {
            const QRegion before = boxes();
            B().MoveLeft();
            B().Tick();
            const QRegion touched = before + boxes();
            QTRY_VERIFY(recorder.Paints > step);
            QCOMPARE(recorder.Painted - touched, QRegion());
            QVERIFY(Area(recorder.Painted) < kW * kH / 50);
            recorder.Painted = QRegion();
        }
    }

    void paintingDrawsBricksOverTheSquareAndPiecesOverTheBackground() {
        int backs = 0;
        B().OnPaintBack = [&](QObject*) { ++backs; };
        Start();
        B().SetShapesAShape(stRectangle);
        F().PlaceBrick(10, 8);
        F().StartSquare(Arcanoid::bnExtraBall, 236.0 / kW, 74.0 / kH); // beneath the brick
        QImage image(B().size(), QImage::Format_RGB32);
        B().render(&image);
        QVERIFY(backs > 0);
        const QColor brick = ToQColor(F().Brick(10, 8)->Look.BrushColor);
        QCOMPARE(image.pixelColor(F().Square()->Bounds.center()), brick);
        QCOMPARE(image.pixelColor(F().Ball()->Bounds.center()), ToQColor(clLime));
        QCOMPARE(image.pixelColor(F().Paddle()->Bounds.center()), ToQColor(clYellow));
        QCOMPARE(image.pixelColor(F().CellRect(20, 3).center()), ToQColor(B().Color()));
    }

    void ownerCodeInNotificationsMayChangeOrRestartTheGame() {
        B().SetABalls(2);
        Start();
        F().PlaceBrick(10, 8);
        B().OnDelete = [&](QObject*) {
            FEvents << "delete";
            B().SetColorAShapes(colorRandom);
            B().SetABHW(150);
            B().SetPaused(true);
            B().SetPaused(false);
        };
        Aim(237, 79, 1, -4);
        B().Tick();
        QCOMPARE(FEvents, QStringList{"delete"});
        QVERIFY(!F().Brick(10, 8)); // the pause in the handler swept the ghost
        B().OnContact = [&](QObject*) {
            FEvents << "contact";
            B().SetActive(false);
            B().SetActive(true);
        };
        AimDown();
        B().Tick();
        QCOMPARE(FEvents, (QStringList{"delete", "contact"}));
        QVERIFY(B().Active() && F().InPlay());
        QCOMPARE(B().BallsLeft(), 2); // a whole new game
        QVERIFY(!M().Launched);
        QCOMPARE(F().Ball()->Bounds.bottom() + 1, F().Paddle()->Bounds.top());
        QVERIFY(B().StepTimer()->Enabled());
    }

    // Random commands, keys, resizes, setting changes and whole games with
    // bonuses; after every step the board's invariants must hold.
    void aRandomSoakKeepsTheInvariants() {
        std::mt19937 rng(20240611);
        auto pick = [&](int n) { return int(rng() % unsigned(n)); };
        const std::uint16_t keys[] = {VK_NUMPAD2, VK_NUMPAD4, VK_NUMPAD6, VK_NUMPAD8, VK_NUMPAD5};
        const TColor colours[] = {clBlack, clSilver, clBtnFace, clBtnHighlight, clRed, clGray};
        QImage image(900, 700, QImage::Format_RGB32);
        B().SetADelay(1000000);
        B().SetACreSquShape(1);
        int games = 0;
        std::pair<int, int> level{-1, -1};
        int live = 0;
        for (int step = 0; step < 100000; ++step) {
            if (!B().Active()) {
                B().SetActive(true);
                ++games;
            }
            const int action = pick(1000);
            if (action < 80) {
                B().DoKey(keys[pick(5)]);
            } else if (action < 120) {
                B().DoCommand(static_cast<std::uint8_t>(pick(8)));
            } else if (action < 123) {
                B().resize(10 + pick(890), 10 + pick(690));
            } else if (action < 130) {
                switch (pick(16)) {
                case 0:
                    B().SetColorAShapes(static_cast<TColorTAFShapes>(pick(4)));
                    break;
                case 1:
                    B().SetOneColorAShapes(colours[pick(6)]);
                    break;
                case 2:
                    B().SetColor(colours[pick(6)]);
                    break;
                case 3:
                    B().SetABHW(25 + pick(175));
                    break;
                case 4:
                    B().SetATN(50 + pick(150));
                    break;
                case 5:
                    B().SetATL(100 + pick(200));
                    break;
                case 6:
                    B().SetATS(25 + pick(75));
                    break;
                case 7:
                    B().SetAFriction(static_cast<std::uint16_t>(pick(101)));
                    break;
                case 8:
                    B().SetAStrongShapes(pick(2));
                    break;
                case 9:
                    B().SetAIMMDelShapes(pick(2));
                    break;
                case 10:
                    B().SetAEndStop(pick(2));
                    break;
                case 11:
                    B().SetABSpeed(50 + pick(550));
                    break;
                case 12:
                    B().SetASteps(20 + pick(180));
                    break;
                case 13:
                    B().SetASSpeed(20 + pick(280));
                    break;
                case 14:
                    B().SetRows(static_cast<std::uint16_t>(10 + pick(45)));
                    break;
                default:
                    B().SetColumns(static_cast<std::uint16_t>(4 + pick(24)));
                    break;
                }
            } else if (action < 131) {
                ClearBricks();
            } else if (action < 132) {
                B().SetPaused(true);
                B().SetPaused(false);
            }
            B().Tick();
            if (step % 25 == 0) B().SecondTick();
            if (step % 4000 == 0) B().render(&image);

            QCOMPARE(B().Active(), F().InPlay());
            if (!F().InPlay()) continue;
            const TMotion& m = M();
            const int w = B().width();
            const int h = B().height();
            QVERIFY(std::isfinite(F().BallX()) && std::isfinite(F().BallY()));
            QVERIFY(std::isfinite(F().PaddleX()));
            const QRect paddle = F().Paddle()->Bounds;
            const int paddleGive = int(w * m.StepUnit) + paddle.width() + 2;
            QVERIFY2(paddle.left() >= -paddleGive && paddle.left() <= w + paddleGive,
                     qPrintable(QString("step %1 paddle %2").arg(step).arg(paddle.left())));
            const QRect ball = F().Ball()->Bounds;
            if (m.Launched && (m.BallFree || !m.CatchOn)) {
                const int give = int(w * std::max(std::abs(m.BallSpeed), m.StepUnit)) +
                                 F().Geometry().CellWidth + ball.width() + 2;
                QVERIFY2(ball.left() >= -give && ball.right() <= w + give,
                         qPrintable(QString("step %1 ball x %2").arg(step).arg(ball.left())));
                QVERIFY2(ball.bottom() < h && ball.top() >= -int(h * std::abs(m.BallSpeed)) - 2,
                         qPrintable(QString("step %1 ball y %2").arg(step).arg(ball.top())));
            }
            QVERIFY(B().BallsLeft() >= 1);
            const std::pair<int, int> now{games, B().Level()};
            const int bricks = F().LiveBricks();
            if (now == level) QVERIFY2(bricks <= live, qPrintable(QString("step %1").arg(step)));
            level = now;
            live = bricks;
        }
        QVERIFY(games > 3);
        for (const char* event : {"delete", "contact", "level", "over", "time"})
            QVERIFY2(FEvents.contains(event), event);
    }
};

QTEST_MAIN(TRcndTest)
#include "test_rcnd.moc"
