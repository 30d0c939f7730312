// SPDX-License-Identifier: GPL-3.0-or-later
// Scramble in the game panel: building the board, the start, the status
// text, the commands it takes and its move count.
#include "gamepan/gamepan.h"
#include "gamepan/toolkit/direction.h"
#include "gamepan/wiring.h"
#include "games/scramble/scrmbl.h"

namespace Tolvane {

class TScrambleWiring final : public TGameWiring {
public:
    TScrambleWiring()
        : TGameWiring(QStringLiteral("Scramble"), &TGamePan::OnScrambleTime,
                      &TGamePan::OnScrambleOver) {}

    TGameBoard* Build(TGamePan& pan) const override {
        auto* board = new TScrmbl(&pan);
        board->SetActive(false);
        board->SetSize(pan.FSRowsColumns);
        board->AlignToClient();
        board->SetCaption(QString());
        board->SetColor(pan.FColorSB);
        board->SetPaused(false);
        board->OnMove = [&pan, board](QObject*) {
            pan.FScrambleMoves = board->Moves();
            Fire(pan.OnScrambleMove, &pan);
            pan.FocusBoard();
        };
        return board;
    }

    void Start(TGamePan& pan) const override {
        auto& board = *pan.BoardAs<TScrmbl>();
        pan.FScrambleMoves = 0;
        pan.SetCaption(pan.FShowScoresTime ? QStringLiteral(" Moves: 0") : QString());
        pan.FPicture.reset();
        board.SetCaption(QString());
        board.SetSize(pan.FSRowsColumns);
        board.SetActive(true);
    }

    QString Status(const TGamePan& pan) const override {
        return QStringLiteral(" Moves: ") + QString::number(pan.FScrambleMoves);
    }

    bool AcceptsDirection(std::uint8_t code) const override {
        return code != drDrop && code != drRotate;
    }
};

const TGameWiring& ScrambleWiring() {
    static const TScrambleWiring wiring;
    return wiring;
}

} // namespace Tolvane
