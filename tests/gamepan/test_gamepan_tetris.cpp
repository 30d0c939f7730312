// SPDX-License-Identifier: GPL-3.0-or-later
// Tetris inside the game panel: its settings, score and events.
#include "gamepan/gamepan.h"
#include "gamepan/toolkit/platform/random.h"
#include "games/scramble/scrmbl.h"
#include "games/tetris/ttrs.h"
#include "tests/gamepan/panelfixture.h"
#include "tests/support/recordingmessages.h"

#include <QPointer>
#include <QTest>

using namespace Tolvane;

class TGamePanTetrisTest : public QObject, protected TPanelFixture {
    Q_OBJECT

    TTtrs& Board() { return *FPan->BoardAs<TTtrs>(); }

    void StartTetris() {
        FPan->SetState(TState::Tetris);
        FPan->SetStart(true);
    }

private slots:
    void init() { SetUpPanel(99, {600, 500}, {80, 8, 300, 460}); }

    void cleanup() { TearDownPanel(); }

    void rangeChecksRefuseWithTheirTexts_data() {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("rows 5") << "TRows" << 5 << "Value must be in [6..48]";
        QTest::newRow("rows 6") << "TRows" << 6 << "";
        QTest::newRow("rows 48") << "TRows" << 48 << "";
        QTest::newRow("rows 49") << "TRows" << 49 << "Value must be in [6..48]";
        QTest::newRow("columns 5") << "TColumns" << 5 << "Value must be in [6..24]";
        QTest::newRow("columns 24") << "TColumns" << 24 << "";
        QTest::newRow("columns 25") << "TColumns" << 25 << "Value must be in [6..24]";
        QTest::newRow("pen 0") << "WidthTShapesPen" << 0 << "Value must be >0";
        QTest::newRow("pen -3") << "WidthTShapesPen" << -3 << "Value must be >0";
        QTest::newRow("pen 1") << "WidthTShapesPen" << 3 << "";
    }
    void rangeChecksRefuseWithTheirTexts() {
        QFETCH(QString, setting);
        QFETCH(int, value);
        QFETCH(QString, refusal);
        int stored = 0;
        int initial = 0;
        if (setting == "TRows") {
            initial = FPan->TRows();
            FPan->SetTRows(static_cast<std::uint16_t>(value));
            stored = FPan->TRows();
        } else if (setting == "TColumns") {
            initial = FPan->TColumns();
            FPan->SetTColumns(static_cast<std::uint16_t>(value));
            stored = FPan->TColumns();
        } else {
            initial = FPan->WidthTShapesPen();
            FPan->SetWidthTShapesPen(value);
            stored = FPan->WidthTShapesPen();
        }
        if (refusal.isEmpty()) {
            QCOMPARE(stored, value);
            QVERIFY(FMessages->Shown.isEmpty());
        } else {
            QCOMPARE(stored, initial);
            QCOMPARE(FMessages->Texts(), QStringList{refusal});
        }
    }

    void rowsDuringAGameWaitForTheNextStart() {
        StartTetris();
        FPan->SetTRows(30);
        QCOMPARE(FMessages->Texts(), QStringList{"Restart Tetris to have effect this option"});
        QCOMPARE(Board().Rows(), 20);
        Fire(Board().OnOver, &Board());
        QVERIFY(!FPan->Start());
        FPan->SetStart(true);
        QCOMPARE(Board().Rows(), 30);
    }

    void rowsOnAnIdleBoardApplyAtOnce() {
        FPan->SetState(TState::Tetris);
        FPan->SetTRows(30);
        FPan->SetTColumns(12);
        QVERIFY(FMessages->Shown.isEmpty());
        QCOMPARE(Board().Rows(), 30);
        QCOMPARE(Board().Columns(), 12);
    }

    void delayReachesTheRunningFallTimerAtOnceEvenUnchanged() {
        StartTetris();
        FPan->SetTDelay(100);
        QCOMPARE(Board().FallInterval(), 100);
        Board().Drop();
        QCOMPARE(Board().FallInterval(), 20);
        FPan->SetTDelay(100);
        QCOMPARE(Board().FallInterval(), 100);
        QVERIFY(FMessages->Shown.isEmpty());
    }

    void theBoardIsBuiltFromTheSettings() {
        FPan->SetTRows(21);
        FPan->SetTColumns(11);
        FPan->SetTDelay(333);
        FPan->SetColorTB(clNavy);
        FPan->SetState(TState::Tetris);
        QCOMPARE(Board().Rows(), 21);
        QCOMPARE(Board().Columns(), 11);
        QCOMPARE(Board().Delay(), 333);
        QCOMPARE(Board().Color(), clNavy);
        QCOMPARE(Board().NextKind(), 7);
        QCOMPARE(Board().geometry(), FPan->contentsRect());
    }

    void theFirstPieceReportsTheNextKind() {
        FPan->SetState(TState::Tetris);
        int contacts = 0;
        std::uint16_t nextSeen = 0;
        FPan->OnTetrisContact = [&](QObject*) {
            ++contacts;
            nextSeen = FPan->TetrisNext();
        };
        FPan->SetStart(true);
        QCOMPARE(contacts, 1);
        QCOMPARE(nextSeen, Board().NextKind());
        QVERIFY(nextSeen >= 1 && nextSeen <= 7);
        QCOMPARE(FPan->Caption(), QStringLiteral("Score: 0"));
    }

    void eachDeletedRowAddsTheCoefficient() {
        FPan->SetTCoeff(7);
        StartTetris();
        std::int32_t scoreSeen = -1;
        FPan->OnTetrisDelete = [&](QObject*) { scoreSeen = FPan->TetrisScore(); };
        Fire(Board().OnDelete, &Board());
        Fire(Board().OnDelete, &Board());
        QCOMPARE(scoreSeen, 14);
        Fire(Board().OnTime, &Board());
        QCOMPARE(FPan->Caption(), QStringLiteral("Score: 14"));
    }

    // The board's notification runs on after the owner's handler; the owner
    // may have cut the board off and freed it in between.
    void anOwnerMayLeaveTheGameInsideAnyBoardEvent_data() {
        QTest::addColumn<QString>("event");
        for (const char* event : {"delete", "contact", "time", "over"})
            QTest::newRow(event) << event;
    }
    void anOwnerMayLeaveTheGameInsideAnyBoardEvent() {
        QFETCH(QString, event);
        StartTetris();
        const auto leave = [this](QObject*) { FPan->SetState(TState::Scramble); };
        FPan->OnTetrisDelete = FPan->OnTetrisContact = FPan->OnTetrisTime = FPan->OnTetrisOver =
            leave;
        QPointer<TTtrs> board = &Board();
        const TNotifyEvent& notification = event == "delete"    ? board->OnDelete
                                           : event == "contact" ? board->OnContact
                                           : event == "time"    ? board->OnTime
                                                                : board->OnOver;
        Fire(notification, board);
        QCOMPARE(FPan->State(), TState::Scramble);
        QVERIFY(FPan->BoardAs<TScrmbl>());
        QVERIFY(board && !board->OnDelete && !board->OnTime && !board->OnKeyDown);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!board);
    }

    void onlyTetrisDirectionsAreStored() {
        StartTetris();
        FPan->SetDirection(3);
        QCOMPARE(FPan->Direction(), 3);
        FPan->SetDirection(6);
        QCOMPARE(FPan->Direction(), 3);
        FPan->SetDirection(2);
        QCOMPARE(Board().FallInterval(), 20);
    }

    void appearanceSettingsReachTheLiveBoard() {
        StartTetris();
        FPan->SetColorTB(clTeal);
        QCOMPARE(Board().Color(), clTeal);
        FPan->SetTDelay(250);
        QCOMPARE(Board().Delay(), 250);
    }

    void overClearsStartAndFiresOnce() {
        StartTetris();
        int overs = 0;
        FPan->OnTetrisOver = [&](QObject*) {
            QVERIFY(!FPan->Start());
            ++overs;
        };
        Fire(Board().OnOver, &Board());
        QCOMPARE(overs, 1);
        QVERIFY(!Board().Active());
    }
};

QTEST_MAIN(TGamePanTetrisTest)
#include "test_gamepan_tetris.moc"
