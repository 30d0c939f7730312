// SPDX-License-Identifier: GPL-3.0-or-later
// Arcanoid in the game panel: building the board, the start, the status
// text, the commands it takes, the score and the level.
#include "gamepan/gamepan.h"
#include "gamepan/toolkit/direction.h"
#include "gamepan/wiring.h"
#include "games/arcanoid/rcnd.h"

#include <algorithm>
#include <limits>

namespace Tolvane {

class TArcanoidWiring final : public TGameWiring {
public:
    TArcanoidWiring()
        : TGameWiring(QStringLiteral("Arcanoid"), &TGamePan::OnArcnoidTime,
                      &TGamePan::OnArcanoidOver) {}

    TGameBoard* Build(TGamePan& pan) const override {
        auto* board = new TRcnd(&pan);
        board->SetActive(false);
        board->AlignToClient();
        board->SetCaption(QString());
        board->SetRows(pan.FARows);
        board->SetColumns(pan.FAColumns);
        board->SetADelay(pan.FADelay);
        board->SetColor(pan.FColorAB);
        board->SetABSpeed(pan.FABSpeed);
        board->SetASSpeed(pan.FASSpeed);
        board->SetColorABl(pan.FColorABl);
        board->SetColorAT(pan.FColorAT);
        board->SetPaused(false);
        board->SetShapesABrushStyle(pan.FShapesABrushStyle);
        board->SetColorAShapesPen(pan.FColorAShapesPen);
        board->SetWidthAShapesPen(pan.FWidthAShapesPen);
        board->SetOneColorAShapes(pan.FOneColorAShapes);
        board->SetColorAShapes(pan.FColorAShapes);
        board->SetShapesAShape(pan.FShapesAShape);
        board->SetAStrongShapes(pan.FAStrongShapes);
        board->SetAIMMDelShapes(pan.FAIMMDelShapes);
        board->SetACreSquShape(pan.FACreSquShape);
        board->SetABalls(pan.FABalls);
        board->SetLevels(pan.FALevels);
        board->SetAEndStop(pan.FAEndStop);
        board->SetABHW(pan.FABHW);
        board->SetATN(pan.FATN);
        board->SetATL(pan.FATL);
        board->SetATS(pan.FATS);
        board->SetASteps(pan.FASteps);
        board->SetAFriction(pan.FAFriction);
        board->OnDelete = [&pan](QObject*) {
            // A long game at a high coefficient must not wrap round.
            const std::int64_t score = std::int64_t(pan.FArcanoidScore) + pan.FACoeff;
            pan.FArcanoidScore = std::int32_t(
                std::clamp<std::int64_t>(score, std::numeric_limits<std::int32_t>::min(),
                                         std::numeric_limits<std::int32_t>::max()));
            Fire(pan.OnArcanoidDelete, &pan);
            pan.FocusBoard();
        };
        board->OnContact = [&pan](QObject*) { Fire(pan.OnArcanoidContact, &pan); };
        board->OnExtraBall = [&pan](QObject*) { pan.FocusBoard(); };
        board->OnEndLevel = [&pan, board](QObject*) {
            Fire(pan.OnArcanoidEndLevel, &pan);
            // The owner may have left the game in its event.
            if (pan.Board() != board) return;
            // The board lays out the next level after this returns.
            board->SetRows(pan.FARows);
            board->SetColumns(pan.FAColumns);
            pan.FArcanoidLevel = board->Level();
        };
        return board;
    }

    void Start(TGamePan& pan) const override {
        auto& board = *pan.BoardAs<TRcnd>();
        pan.FArcanoidScore = 0;
        pan.FArcanoidLevel = 1;
        board.SetCaption(QString());
        pan.SetCaption(pan.FShowScoresTime
                           ? QStringLiteral("Score: 0 Balls: ") + QString::number(pan.FABalls) +
                                 QStringLiteral(" Level: 1")
                           : QString());
        pan.FPicture.reset();
        board.SetABalls(pan.FABalls);
        board.SetLevels(pan.FALevels);
        board.SetRows(pan.FARows);
        board.SetColumns(pan.FAColumns);
        board.SetActive(true);
    }

    QString Status(const TGamePan& pan) const override {
        return QStringLiteral("Score: ") + QString::number(pan.FArcanoidScore) +
               QStringLiteral(" Balls: ") + QString::number(pan.BoardAs<TRcnd>()->BallsLeft()) +
               QStringLiteral(" Level:") + QString::number(pan.FArcanoidLevel);
    }

    bool AcceptsDirection(std::uint8_t code) const override {
        return code == drLeft || code == drRight || code == drUp || code == drStop;
    }

    // Every level cleared: the level reported is the last the game had, by
    // the board's own count, whatever the setting is now.
    void BeforeOverEvent(TGamePan& pan) const override {
        const TRcnd& board = *pan.BoardAs<TRcnd>();
        if (board.Level() == board.Levels() + 1) pan.FArcanoidLevel = board.Levels();
    }

    void AfterOverPicture(TGamePan& pan) const override {
        pan.SetCaption(pan.FShowScoresTime
                           ? QStringLiteral("Score: ") + QString::number(pan.FArcanoidScore) +
                                 QStringLiteral(" Level:") + QString::number(pan.FArcanoidLevel)
                           : QString());
    }
};

const TGameWiring& ArcanoidWiring() {
    static const TArcanoidWiring wiring;
    return wiring;
}

} // namespace Tolvane
