// SPDX-License-Identifier: GPL-3.0-or-later
// A random-input soak of the Figures board: presses, chords, drags, turns
// with and without Ctrl, releases, resizes, setting changes, pauses, stops,
// new deals and finished squares, checking after every event what must
// always hold.
#include "gamepan/toolkit/platform/random.h"
#include "games/figures/fgrs.h"
#include "tests/games/figures/arrange.h"

#include <QElapsedTimer>
#include <QTest>
#include <memory>
#include <random>

using namespace Tolvane;
using namespace Tolvane::Figures;

class TFgrsSoakTest : public QObject {
    Q_OBJECT

private slots:
    void randomInputKeepsTheBoardSound() {
        constexpr int kEvents = 100000;
        FixRandomSeed(20240601);
        std::mt19937 rng(12345);
        auto chance = [&](int percentTimesTen) {
            return std::uniform_int_distribution<int>(0, 999)(rng) < percentTimesTen;
        };
        auto between = [&](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(rng);
        };

        QWidget host;
        host.resize(900, 700);
        auto* board = new TFgrs(&host);
        board->setGeometry(0, 0, 600, 400);
        int notified = 0;
        int overs = 0;
        int games = 0;
        board->OnMove = [&](QObject*) { ++notified; };
        board->OnOver = [&](QObject*) { ++overs; };
        host.show();
        board->SetActive(true);

        Qt::MouseButtons held;
        QPoint pointer(100, 100);
        int expected = 0;
        int counted = 0;
        int finished = 0;
        QElapsedTimer clock;
        clock.start();

        auto piece = [&](int n) { return board->Piece(n); };
        auto allInside = [&] {
            for (int n = 1; n <= kPieces; ++n) {
                const QRect box = piece(n)->BoundsRect();
                if (box.left() < 1 || box.top() < 1 || box.right() + 1 > board->width() - 1 ||
                    box.bottom() + 1 > board->height() - 1)
                    return false;
            }
            return true;
        };
        auto endsPress = [&](bool ends) {
            bool inHand = false;
            for (int n = 1; n <= kPieces; ++n)
                inHand = inHand || piece(n)->Hit() || piece(n)->Dragging();
            expected += ends && inHand;
            counted += ends && inHand;
        };
        auto deal = [&] {
            board->SetActive(true);
            expected = notified = overs = 0;
            ++games;
        };

        for (int event = 0; event < kEvents; ++event) {
            const int kind = between(0, 999);
            const bool playing = board->Active() && !board->Paused();
            if (kind < 350) {
                pointer += QPoint(between(-40, 40), between(-40, 40));
                if (chance(20)) pointer = {between(-50, 700), between(-50, 500)};
                board->MouseMove(pointer);
            } else if (kind < 550) {
                Qt::MouseButton button = between(0, 9) < 6   ? Qt::LeftButton
                                         : between(0, 3) < 3 ? Qt::RightButton
                                                             : Qt::MiddleButton;
                if (held.testFlag(button)) continue;
                // Mostly into some piece's box, where about half the presses
                // land on the shape.
                if (chance(800)) {
                    const QRect box = piece(between(1, kPieces))->BoundsRect();
                    pointer = {between(box.left(), box.right()), between(box.top(), box.bottom())};
                }
                held |= button;
                board->MouseDown(button, held, chance(500) ? Qt::ControlModifier : Qt::NoModifier,
                                 pointer);
            } else if (kind < 770) {
                if (held == Qt::NoButton) continue;
                QList<Qt::MouseButton> down;
                for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
                    if (held.testFlag(b)) down << b;
                const Qt::MouseButton released = down[between(0, int(down.size()) - 1)];
                // The release counts when its own press landed on the shape,
                // or when it ends a drag.
                bool counts = false;
                for (int n = 1; n <= kPieces; ++n)
                    counts = counts || piece(n)->HitButtons().testFlag(released) ||
                             (released == Qt::LeftButton && piece(n)->Dragging());
                counts = counts && playing;
                held &= ~Qt::MouseButtons(released);
                board->MouseUp(released, held, pointer);
                expected += counts;
                counted += counts;
                if (held == Qt::NoButton) {
                    QVERIFY2(allInside(), qPrintable(QString::number(event)));
                    for (int n = 1; n <= kPieces; ++n) QVERIFY(!piece(n)->Dragging());
                }
            } else if (kind < 800) {
                QSize size(between(200, 900), between(200, 700));
                if (chance(500)) {
                    // Only the longer side changes, so U stays.
                    size = board->size();
                    const int shorter = std::min(size.width(), size.height());
                    (size.width() > size.height() ? size.rwidth() : size.rheight()) =
                        between(shorter, shorter + 300);
                }
                board->resize(size);
                if (held == Qt::NoButton) QVERIFY(allInside());
            } else if (kind < 830) {
                board->SetWidthHeight(static_cast<std::uint16_t>(between(40, 90)));
            } else if (kind < 840) {
                board->SetSquareSize(chance(500) ? Big : Small);
            } else if (kind < 850) {
                board->SetColorMode(chance(500) ? colorFixed : colorFixed2);
            } else if (kind < 880) {
                // Paused now and then, and never for long. A piece in hand
                // counts its move at the pause or the stop, as its release
                // would; the owner hears of it from the event loop.
                if (board->Paused() ? chance(300) : chance(50)) {
                    endsPress(playing && !board->Paused());
                    board->SetPaused(!board->Paused());
                    QCoreApplication::processEvents();
                }
            } else if (kind < 884) {
                deal();
            } else if (kind < 887) {
                endsPress(playing);
                board->SetActive(false);
                QCoreApplication::processEvents();
            } else if (kind < 900 && board->Active() && held == Qt::NoButton) {
                // One of the dealt square's arrangements; a new deal where it does not fit.
                const int number = between(1, 8) + (board->DealtSquare() == Big ? 0 : 8);
                const auto at =
                    FiguresTest::LayOut(number, CalcLengths(board->FigureUnit()), {2, 2});
                for (int n = 1; n <= kPieces; ++n)
                    board->PlacePiece(n, (*at)[n - 1].Left, (*at)[n - 1].Top,
                                      (*at)[n - 1].Orientation);
                if (!allInside()) deal();
            }
            QCOMPARE(board->Moves(), expected);
            QCOMPARE(notified, expected);
            QVERIFY(overs <= 1);
            if (overs == 1) {
                QVERIFY(!board->Active());
                for (int n = 1; n <= kPieces; ++n) QVERIFY(piece(n)->Finished());
            }
            if (overs == 1 && chance(100)) {
                ++finished;
                deal();
            } else if (!board->Active() && chance(20)) {
                deal();
            }
            if (event % 64 == 0) QCoreApplication::processEvents();
        }
        qInfo("%d events, %d games, %d squares finished, %d moves counted, %lld ms", kEvents, games,
              finished, counted, static_cast<long long>(clock.elapsed()));
        QVERIFY(counted > 1000);
        QVERIFY(finished > 0);
        ReleaseRandomSeed();
    }
};

QTEST_MAIN(TFgrsSoakTest)
#include "test_fgrs_soak.moc"
