// SPDX-License-Identifier: GPL-3.0-or-later
// Figures inside the game panel: its settings, the mouse-only rules, the
// move count and the end of a game.
#include "gamepan/gamepan.h"
#include "gamepan/toolkit/platform/keys.h"
#include "gamepan/toolkit/platform/random.h"
#include "games/figures/fgrs.h"
#include "tests/gamepan/panelfixture.h"
#include "tests/games/figures/arrange.h"
#include "tests/support/recordingmessages.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace Tolvane;

class TGamePanFiguresTest : public QObject, protected TPanelFixture {
    Q_OBJECT

    TFgrs& Board() { return *FPan->BoardAs<TFgrs>(); }
    void StartFigures() {
        FPan->SetState(TState::Figures);
        FPan->SetStart(true);
    }

private slots:
    void init() { SetUpPanel(5, {600, 500}, {80, 8, 400, 400}); }
    void cleanup() { TearDownPanel(); }

    void onlyTheFixedPalettesAreTakenEvenWithoutAGame_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("taken");
        QTest::newRow("fixed") << int(colorFixed) << true;
        QTest::newRow("one") << int(colorOne) << false;
        QTest::newRow("random") << int(colorRandom) << false;
    }
    void onlyTheFixedPalettesAreTakenEvenWithoutAGame() {
        QFETCH(int, mode);
        QFETCH(bool, taken);
        FPan->SetColorFShapes(TColorTAFShapes(mode));
        QCOMPARE(FPan->ColorFShapes(), taken ? TColorTAFShapes(mode) : colorFixed2);
        QCOMPARE(FMessages->Texts(),
                 taken ? QStringList()
                       : QStringList{"This Value is Available only for Tetris and Arcanoid"});
    }

    void pieceSizeReachesOnlyARunningGame() {
        FPan->SetFWidthHeight(39);
        FPan->SetFWidthHeight(91);
        QCOMPARE(FMessages->Texts(),
                 QStringList({"Value must be in [40..90]", "Value must be in [40..90]"}));
        FPan->SetState(TState::Figures);
        FPan->SetFWidthHeight(50);
        QCOMPARE(Board().WidthHeight(), 70); // chosen, not started: stored only
        FPan->SetStart(true);
        QCOMPARE(Board().WidthHeight(), 50);
        FPan->SetFWidthHeight(90);
        QCOMPARE(Board().WidthHeight(), 90);
        QCOMPARE(FMessages->Shown.size(), 2);
    }

    void theSquareChangesWithTheNextGameWithANotice() {
        StartFigures();
        FPan->SetFSquare(Small);
        QCOMPARE(FMessages->Texts(), QStringList{"Restart Figures to have effect this option"});
        QCOMPARE(Board().DealtSquare(), Big);
        QCOMPARE(Board().Piece(2)->Kind(), 2);
        Fire(Board().OnOver, &Board());
        FPan->SetStart(true);
        QCOMPARE(Board().Piece(2)->Kind(), 6);
    }

    // Played by mouse alone: no keys, no commands, never the focus from the panel.
    void keysAndDirectionsDoNothingAndTheFocusIsNotGiven() {
        StartFigures();
        QVERIFY(!Board().OnKeyDown);
        for (std::uint8_t code = 0; code <= 6; ++code) FPan->SetDirection(code);
        QCOMPARE(FPan->Direction(), 0);
        QTest::qWait(50); // the board paints once
        FHost->setFocus();
        FPan->FocusBoard();
        QVERIFY(!Board().hasFocus());
    }

    void movesAreCountedAndShownAtTheClock() {
        StartFigures();
        QCOMPARE(FPan->Caption(), QStringLiteral(" Moves: 0"));
        int seen = -1;
        FPan->OnFiguresMove = [&](QObject*) { seen = FPan->FiguresMoves(); };
        // A point inside the topmost piece, which takes the press.
        const QPoint on = *FiguresTest::PointOnShape(*Board().Piece(Board().ZOrder().back()));
        Board().MouseDown(Qt::LeftButton, Qt::LeftButton, Qt::NoModifier, on);
        Board().MouseUp(Qt::LeftButton, Qt::NoButton, on);
        QCOMPARE(seen, 1);
        Fire(Board().OnTime, &Board());
        QCOMPARE(FPan->Caption(), QStringLiteral(" Moves: 1"));
    }

    void theOverPictureShowsBehindTheFinishedPieces() {
        QTemporaryDir dir;
        QImage red(4, 4, QImage::Format_RGB32);
        red.fill(Qt::red);
        const QString path = dir.filePath(QStringLiteral("over.bmp"));
        QVERIFY(red.save(path, "BMP"));
        FPan->SetAOverPicture(path);
        StartFigures();
        Fire(Board().OnOver, &Board());
        QVERIFY(FPan->Picture());
        QImage shown(Board().size(), QImage::Format_RGB32);
        Board().render(&shown);
        QCOMPARE(shown.pixelColor(2, 2), QColor(Qt::red));
    }

    void aMissingOverPictureIsReportedInLowerCase() {
        FPan->SetAOverPicture(QStringLiteral("/no/such.bmp"));
        StartFigures();
        Fire(Board().OnOver, &Board());
        QVERIFY(!FPan->Start());
        QCOMPARE(FMessages->Texts(), QStringList{"Cannot open /no/such.bmp"});
        QVERIFY(FPan->AOverPicture().isEmpty());
    }
};

QTEST_MAIN(TGamePanFiguresTest)
#include "test_gamepan_figures.moc"
