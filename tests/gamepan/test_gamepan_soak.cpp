// SPDX-License-Identifier: GPL-3.0-or-later
// The game panel under random use: settings changed at random while each
// game runs, refused values and notices included, with every box running
// the event loop as a real one does; modes switched in the middle of games;
// starts, pauses, commands and keys. Nothing may crash, and a board that
// was left never reaches the panel again.
#include "gamepan/gamepan.h"
#include "gamepan/toolkit/board/gameboard.h"
#include "gamepan/toolkit/platform/keys.h"
#include "gamepan/toolkit/platform/random.h"
#include "tests/support/recordingmessages.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QRandomGenerator>
#include <QTest>
#include <functional>
#include <vector>

using namespace Tolvane;

class TGamePanSoakTest : public QObject {
    Q_OBJECT

private slots:
    void randomUseNeverLetsALeftBoardTouchThePanel() {
        FixRandomSeed(3);
        QRandomGenerator dice(20261209);
        const auto roll = [&](int n) { return int(dice.bounded(n)); };
        TRecordingMessages messages;
        QWidget host;
        host.resize(700, 500);
        auto* pan = new TGamePan(&host);
        pan->setGeometry(80, 8, 433, 353);
        host.show();
        // A real box runs the event loop: the boards' timers tick behind it.
        messages.WhileShown = [](const QString&) { QTest::qWait(2); };
        pan->SetTDelay(5);
        pan->SetADelay(5);

        using TSetter = std::function<void(int)>;
        const std::vector<TSetter> setters{
            [&](int v) { pan->SetSRowsColumns(std::uint16_t(v % 12)); },
            [&](int v) { pan->SetTRows(std::uint16_t(v % 60)); },
            [&](int v) { pan->SetTColumns(std::uint16_t(v % 30)); },
            [&](int v) { pan->SetTDelay(1 + v % 30); },
            [&](int v) { pan->SetTCoeff(v - 50); },
            [&](int v) { pan->SetColorTShapes(TColorTAFShapes(v % 4)); },
            [&](int v) { pan->SetWidthTShapesPen(v % 5 - 1); },
            [&](int v) { pan->SetShapesTShape(TShapeType(v % 6)); },
            [&](int v) { pan->SetNextSColorT(v % 2); },
            [&](int v) { pan->SetARows(std::uint16_t(v % 60)); },
            [&](int v) { pan->SetAColumns(std::uint16_t(v % 30)); },
            [&](int v) { pan->SetALevels(v % 12 - 1); },
            [&](int v) { pan->SetABalls(v % 4 - 1); },
            [&](int v) { pan->SetADelay(v % 20 - 1); },
            [&](int v) { pan->SetACoeff(v * 1000000); },
            [&](int v) { pan->SetASteps(v % 120 - 5); },
            [&](int v) { pan->SetABSpeed(v * 7 % 600); },
            [&](int v) { pan->SetASSpeed(v % 300); },
            [&](int v) { pan->SetATN(v % 200 - 5); },
            [&](int v) { pan->SetATL(v % 200 - 5); },
            [&](int v) { pan->SetATS(v % 200 - 5); },
            [&](int v) { pan->SetABHW(v % 200 - 5); },
            [&](int v) { pan->SetAFriction(std::uint16_t(v % 120)); },
            [&](int v) { pan->SetACreSquShape(v % 4 - 1); },
            [&](int v) { pan->SetAStrongShapes(v % 2); },
            [&](int v) { pan->SetAIMMDelShapes(v % 2); },
            [&](int v) { pan->SetAEndStop(v % 2); },
            [&](int v) { pan->SetColorAShapes(TColorTAFShapes(v % 4)); },
            [&](int v) { pan->SetOneColorAShapes(v % 2 ? clBtnHighlight : clRed); },
            [&](int v) { pan->SetWidthAShapesPen(v % 4 - 1); },
            [&](int v) { pan->SetFSquare(TFSquare(v % 2)); },
            [&](int v) { pan->SetFWidthHeight(std::uint16_t(v % 110)); },
            [&](int v) { pan->SetColorFShapes(TColorTAFShapes(v % 4)); },
            [&](int v) { pan->SetShowScoresTime(v % 5 != 0); },
            [&](int v) { pan->SetShowAllDlgs(v % 2); },
            [&](int v) { pan->SetWithCaption(v % 2); },
            [&](int v) { pan->SetDefKeys(v % 7 != 0); },
        };
        // What the boards report, counted only while they are the panel's.
        int events = 0;
        for (TNotifyEvent* event :
             {&pan->OnScrambleMove, &pan->OnScrambleTime, &pan->OnScrambleOver,
              &pan->OnTetrisDelete, &pan->OnTetrisContact, &pan->OnTetrisTime, &pan->OnTetrisOver,
              &pan->OnArcanoidDelete, &pan->OnArcanoidContact, &pan->OnArcanoidEndLevel,
              &pan->OnArcnoidTime, &pan->OnArcanoidOver, &pan->OnFiguresMove, &pan->OnFiguresTime,
              &pan->OnFiguresOver})
            *event = [&](QObject* sender) {
                QCOMPARE(sender, pan);
                ++events;
            };

        std::vector<QPointer<TGameBoard>> left;
        QElapsedTimer clock;
        clock.start();
        int actions = 0;
        int switches = 0;
        int running = 0;
        while (clock.elapsed() < 6000) {
            ++actions;
            running += pan->Start() && !pan->Paused();
            // Watched from before the action: a box's event loop may free it within.
            const QPointer<TGameBoard> before(pan->Board());
            const TGameBoard* const boardBefore = pan->Board();
            // Every game gets its turn, besides the switches at random.
            if (actions % 300 == 0) {
                pan->SetState(TState(actions / 300 % 5));
                pan->SetStart(true);
            }
            switch (roll(10)) {
            case 0:
                if (roll(20) == 0) pan->SetState(TState(roll(5)));
                break;
            case 1:
            case 2:
                pan->SetStart(true);
                break;
            case 3:
                pan->SetPaused(roll(4) == 0);
                break;
            case 4:
                pan->SetDirection(std::uint8_t(roll(8)));
                break;
            case 5:
                if (pan->Board() && pan->Board()->OnKeyDown) {
                    std::uint16_t key = std::uint16_t(VK_NUMPAD0 + roll(10));
                    pan->Board()->OnKeyDown(pan->Board(), key, Qt::NoModifier);
                }
                break;
            case 6:
                QTest::qWait(roll(15));
                break;
            default:
                setters[std::size_t(roll(int(setters.size())))](roll(1000));
                break;
            }
            if (boardBefore && pan->Board() != boardBefore) {
                ++switches;
                if (before) left.push_back(before);
            }
            // A board left behind is cut off from the panel at once.
            for (const QPointer<TGameBoard>& board : left) {
                if (!board) continue;
                QVERIFY(!board->OnTime && !board->OnOver && !board->OnPaintBack &&
                        !board->OnKeyDown);
                QVERIFY(!board->isVisible());
            }
            if (QTest::currentTestFailed()) return;
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        int alive = 0;
        for (const QPointer<TGameBoard>& board : left) alive += !board.isNull();
        qInfo("%d actions (%d during play), %d boards left behind (%d still alive), %d game "
              "events, %lld boxes",
              actions, running, switches, alive, events, qlonglong(messages.Shown.size()));
        QCOMPARE(alive, 0);
        QVERIFY(switches > 10);
        ReleaseRandomSeed();
    }
};

QTEST_MAIN(TGamePanSoakTest)
#include "test_gamepan_soak.moc"
