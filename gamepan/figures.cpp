// SPDX-License-Identifier: GPL-3.0-or-later
// Figures in the game panel: building the board, the start, the status text
// and the move count. Figures is played with the mouse alone: no keys, no
// direction commands, and the panel never gives it the keyboard focus.
#include "gamepan/gamepan.h"
#include "gamepan/wiring.h"
#include "games/figures/fgrs.h"

namespace Tolvane {

class TFiguresWiring final : public TGameWiring {
public:
    TFiguresWiring()
        : TGameWiring(QStringLiteral("Figures"), &TGamePan::OnFiguresTime,
                      &TGamePan::OnFiguresOver) {}

    TGameBoard* Build(TGamePan& pan) const override {
        auto* board = new TFgrs(&pan);
        board->SetActive(false);
        board->AlignToClient();
        board->SetCaption(QString());
        board->SetWidthHeight(pan.FFWidthHeight);
        board->SetColor(pan.FColorFB);
        board->SetPaused(false);
        board->SetColorMode(pan.FColorFShapes);
        board->SetSquareSize(pan.FFSquare);
        board->OnMove = [&pan, board](QObject*) {
            pan.FFiguresMoves = board->Moves();
            Fire(pan.OnFiguresMove, &pan);
            pan.FocusBoard();
        };
        return board;
    }

    void Start(TGamePan& pan) const override {
        auto& board = *pan.BoardAs<TFgrs>();
        pan.FFiguresMoves = 0;
        pan.SetCaption(pan.FShowScoresTime ? QStringLiteral(" Moves: 0") : QString());
        pan.FPicture.reset();
        board.SetCaption(QString());
        board.SetSquareSize(pan.FFSquare);
        board.SetWidthHeight(pan.FFWidthHeight);
        board.SetActive(true);
    }

    QString Status(const TGamePan& pan) const override {
        return QStringLiteral(" Moves: ") + QString::number(pan.FFiguresMoves);
    }

    bool AcceptsDirection(std::uint8_t) const override { return false; }
    bool Keyboard() const override { return false; }
    // Lower-case "open" at the end of a Figures game, unlike the others.
    QString CannotOpenOver() const override { return QStringLiteral("Cannot open "); }
};

const TGameWiring& FiguresWiring() {
    static const TFiguresWiring wiring;
    return wiring;
}

} // namespace Tolvane
