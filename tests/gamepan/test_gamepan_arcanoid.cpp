// SPDX-License-Identifier: GPL-3.0-or-later
// Arcanoid inside the game panel: its captions, score, levels, settings
// pushed into the running board and the end of a game.
#include "gamepan/gamepan.h"
#include "gamepan/toolkit/board/direction.h"
#include "gamepan/toolkit/platform/random.h"
#include "gamepan/toolkit/widgets/timer.h"
#include "games/arcanoid/rcnd.h"
#include "tests/gamepan/panelfixture.h"
#include "tests/support/recordingmessages.h"

#include <QTest>
#include <limits>

using namespace Tolvane;

class TGamePanArcanoidTest : public QObject, protected TPanelFixture {
    Q_OBJECT

    TRcnd& Board() { return *FPan->BoardAs<TRcnd>(); }
    void StartArcanoid() {
        FPan->SetState(TState::Arcanoid);
        FPan->SetStart(true);
    }

private slots:
    void init() { SetUpPanel(11, {600, 500}, {80, 8, 433, 353}); }
    void cleanup() { TearDownPanel(); }

    void captionsShowScoreBallsAndLevel() {
        StartArcanoid();
        QCOMPARE(FPan->Caption(), QStringLiteral("Score: 0 Balls: 3 Level: 1"));
        FPan->SetACoeff(60);
        Fire(Board().OnDelete, &Board());
        Fire(Board().OnDelete, &Board());
        Fire(Board().OnTime, &Board());
        QCOMPARE(FPan->Caption(), QStringLiteral("Score: 120 Balls: 3 Level:1"));
        FPan->SetShowScoresTime(false);
        Fire(Board().OnTime, &Board());
        QCOMPARE(FPan->Caption(), QString());
    }

    void theScoreStopsAtTheLargestNumberInsteadOfWrapping() {
        FPan->SetACoeff(std::numeric_limits<std::int32_t>::max() / 2 + 1);
        StartArcanoid();
        for (int brick = 0; brick < 3; ++brick) Fire(Board().OnDelete, &Board());
        QCOMPARE(FPan->ArcanoidScore(), std::numeric_limits<std::int32_t>::max());
    }

    // The event comes before the level is counted; rows and columns changed
    // during the level reach the next one.
    void aClearedLevelIsReportedThenTheNextOneTakesTheNewGrid() {
        StartArcanoid();
        FPan->SetARows(20);
        QCOMPARE(FMessages->Texts(),
                 QStringList{"This option will have effect with the new level"});
        std::int32_t levelSeen = 0;
        FPan->OnArcanoidEndLevel = [&](QObject*) { levelSeen = FPan->ArcanoidLevel(); };
        Board().Field().EndLevel();
        QCOMPARE(levelSeen, 1);
        QCOMPARE(FPan->ArcanoidLevel(), 2);
        QCOMPARE(Board().Field().GridRows(), 20);
    }

    // The level reported at the end never passes the number of levels the
    // game had, whatever the setting became meanwhile.
    void clearingTheLastLevelReportsItAndEndsTheGame() {
        FPan->SetALevels(2);
        StartArcanoid();
        FPan->SetALevels(7);
        int overs = 0;
        std::int32_t levelSeen = 0;
        FPan->OnArcanoidOver = [&](QObject*) {
            ++overs;
            levelSeen = FPan->ArcanoidLevel();
            QVERIFY(!FPan->Start());
        };
        Board().Field().EndLevel();
        Board().Field().EndLevel();
        QCOMPARE(overs, 1);
        QCOMPARE(levelSeen, 2);
        QCOMPARE(FPan->Caption(), QStringLiteral("Score: 0 Level:2"));
    }

    void onlyArcanoidDirectionsAreStoredAndSent_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("taken");
        for (int code = 0; code <= 6; ++code)
            QTest::addRow("%d", code) << code << (code <= 1 || code >= 5);
    }
    void onlyArcanoidDirectionsAreStoredAndSent() {
        QFETCH(int, code);
        QFETCH(bool, taken);
        StartArcanoid();
        FPan->SetDirection(drRight); // stored, so a refused code shows as a kept 1
        FPan->SetDirection(std::uint8_t(code));
        QCOMPARE(int(FPan->Direction()), taken ? code : 1);
        QCOMPARE(int(Board().Command()), taken ? code : 1);
    }

    void settingsReachTheRunningBoardWithTheirNotices() {
        StartArcanoid();
        FPan->SetADelay(25);
        QCOMPARE(Board().StepTimer()->Interval(), 25);
        FPan->SetADelay(25); // unchanged, still applied and without a notice
        FPan->SetABSpeed(200);
        FPan->SetAFriction(40);
        FPan->SetAFriction(40);
        FPan->SetALevels(5);
        QCOMPARE(FMessages->Texts(), QStringList({"This option will have effect with the new ball",
                                                  "Restart Arcanoid to have effect this option"}));
        QCOMPARE(Board().Field().Settings().ABSpeed, 200);
        QCOMPARE(Board().Levels(), 10); // at the next start only
    }
};

QTEST_MAIN(TGamePanArcanoidTest)
#include "test_gamepan_arcanoid.moc"
