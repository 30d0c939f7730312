// SPDX-License-Identifier: GPL-3.0-or-later
// Tetris in the game panel: building the board, the start, the status
// text, the commands it takes, the score and the next piece.
#include "gamepan/gamepan.h"
#include "gamepan/toolkit/direction.h"
#include "gamepan/wiring.h"
#include "games/tetris/ttrs.h"

namespace Tolvane {

class TTetrisWiring final : public TGameWiring {
public:
    TTetrisWiring()
        : TGameWiring(QStringLiteral("Tetris"), &TGamePan::OnTetrisTime, &TGamePan::OnTetrisOver) {}

    TGameBoard* Build(TGamePan& pan) const override {
        auto* board = new TTtrs(&pan);
        board->SetActive(false);
        board->SetColumns(pan.FTColumns);
        board->SetRows(pan.FTRows);
        board->AlignToClient();
        board->SetPaused(false);
        board->SetCaption(QString());
        board->SetColor(pan.FColorTB);
        board->SetFloorColor(pan.FColorTF);
        board->SetColorMode(pan.FColorTShapes);
        board->SetNextColor(pan.FNextSColorT);
        board->SetNextKind(pan.FTetrisNext);
        board->SetBrushStyle(pan.FShapesTBrushStyle);
        board->SetPenColor(pan.FColorTShapesPen);
        board->SetPenWidth(pan.FWidthTShapesPen);
        board->SetShapeType(pan.FShapesTShape);
        board->SetOneColor(pan.FOneColorTShapes);
        board->SetDelay(pan.FTDelay);
        board->OnDelete = [&pan](QObject*) {
            pan.FTetrisScore += pan.FTCoeff;
            Fire(pan.OnTetrisDelete, &pan);
            pan.FocusBoard();
        };
        board->OnContact = [&pan, board](QObject*) {
            pan.FTetrisNext = board->NextKind();
            Fire(pan.OnTetrisContact, &pan);
        };
        return board;
    }

    void Start(TGamePan& pan) const override {
        auto& board = *pan.BoardAs<TTtrs>();
        pan.FTetrisScore = 0;
        board.SetCaption(QString());
        pan.SetCaption(pan.FShowScoresTime ? QStringLiteral("Score: 0") : QString());
        pan.FPicture.reset();
        board.SetRows(pan.FTRows);
        board.SetColumns(pan.FTColumns);
        board.SetActive(true);
    }

    QString Status(const TGamePan& pan) const override {
        return QStringLiteral("Score: ") + QString::number(pan.FTetrisScore);
    }

    bool AcceptsDirection(std::uint8_t code) const override { return code <= drRotate; }
};

const TGameWiring& TetrisWiring() {
    static const TTetrisWiring wiring;
    return wiring;
}

} // namespace Tolvane
