// SPDX-License-Identifier: GPL-3.0-or-later
#include "scrmbl.h"

#include "gamepan/toolkit/board/direction.h"
#include "gamepan/toolkit/platform/keys.h"
#include "gamepan/toolkit/platform/random.h"
#include "gamepan/toolkit/widgets/timer.h"

#include <QLoggingCategory>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

namespace Tolvane {

// Silent unless QT_LOGGING_RULES turns "tolvane.scramble.debug" on.
Q_LOGGING_CATEGORY(lcScramble, "tolvane.scramble", QtWarningMsg)

namespace {
constexpr int kClockIntervalMs = 1000;
constexpr int kMinShuffleSteps = 10000;
constexpr int kExtraShuffleSteps = 10000; // steps are 10000..19999
} // namespace

TScrmbl::TScrmbl(QWidget* parent) : TGameBoard(parent) {
    Randomize();
    SetTabStop(true);
}

void TScrmbl::SetSize(std::uint16_t n) {
    FSize = std::clamp<std::uint16_t>(n, kMinSize, kMaxSize);
}

QPushButton* TScrmbl::Tile(int row, int column) const {
    if (row < 1 || row > FTilesSize || column < 1 || column > FTilesSize) return nullptr;
    return FTiles[row][column];
}

QString TScrmbl::HomeCaption(int row, int column, int size) {
    return QString::number((row - 1) * size + column);
}

// Only the enabled look: a paused (disabled) tile keeps the greyed caption
// of a disabled button.
void TScrmbl::SetFontColor(QPushButton& tile, TColor color) {
    SetRoleColor(tile, {QPalette::ButtonText}, ToQColor(color));
}

bool TScrmbl::IsHomeColor(const QPushButton& tile) {
    return tile.palette().color(QPalette::Active, QPalette::ButtonText) == ToQColor(kHomeColor);
}

bool TScrmbl::IsGap(int row, int column) const {
    const QPushButton* tile = Tile(row, column);
    return tile && tile->text() == FGapCaption;
}

void TScrmbl::Layout() {
    if (FTilesSize == 0) return;
    FCellHeight = height() / FTilesSize;
    FCellWidth = width() / FTilesSize;
    FXOff = (width() - FTilesSize * FCellWidth) / 2;
    FYOff = (height() - FTilesSize * FCellHeight) / 2;
}

void TScrmbl::PlaceTiles() {
    for (int i = 1; i <= FTilesSize; ++i)
        for (int j = 1; j <= FTilesSize; ++j)
            if (QPushButton* tile = FTiles[i][j])
                tile->setGeometry((j - 1) * FCellWidth + FXOff, (i - 1) * FCellHeight + FYOff,
                                  FCellWidth, FCellHeight);
}

void TScrmbl::CreateTiles() {
    // Every tile of an earlier game goes, whatever side length it was made
    // for, so tile names stay unique among the board's children.
    for (auto& row : FTiles)
        for (QPushButton*& tile : row) {
            delete tile;
            tile = nullptr;
        }
    FTilesSize = FSize;
    Layout();
    for (int i = 1; i <= FTilesSize; ++i)
        for (int j = 1; j <= FTilesSize; ++j) {
            auto* tile = new QPushButton(this);
            tile->hide();
            FTags[i][j] = (i - 1) * FTilesSize + j;
            tile->setText(QString::number(FTags[i][j]));
            tile->setObjectName(QStringLiteral("bitbtn") + tile->text());
            tile->setFocusPolicy(Qt::ClickFocus);
            connect(tile, &QPushButton::clicked, this, [this, tile] { TileClick(tile); });
            FTiles[i][j] = tile;
        }
    PlaceTiles();
}

void TScrmbl::Shuffle() {
    if (FTilesSize == 0) return;
    const int gap = GapNumber();
    FGapCaption = QString::number(gap).left(2);
    const int steps = Random(kExtraShuffleSteps) + kMinShuffleSteps;
    // A fresh set of tiles has the gap at home in the corner; a repeated
    // shuffle goes on from wherever the gap now is, so exactly one cell
    // keeps the gap number.
    int gr = FTilesSize;
    int gc = FTilesSize;
    for (int i = 1; i <= FTilesSize; ++i)
        for (int j = 1; j <= FTilesSize; ++j)
            if (FTags[i][j] == gap) {
                gr = i;
                gc = j;
            }
    // The gap walks sideways and turns up or down only on a step that would
    // carry it past the left or right edge.
    for (int step = 0; step < steps; ++step) {
        const int d = 2 * Random(2) - 1;
        if (gc + d >= 1 && gc + d <= FTilesSize) {
            FTags[gr][gc] = FTags[gr][gc + d];
            FTags[gr][gc + d] = gap;
            gc += d;
        } else if (gr + d >= 1 && gr + d <= FTilesSize) {
            FTags[gr][gc] = FTags[gr + d][gc];
            FTags[gr + d][gc] = gap;
            gr += d;
        }
    }
    for (int i = 1; i <= FTilesSize; ++i)
        for (int j = 1; j <= FTilesSize; ++j) {
            FTiles[i][j]->setText(QString::number(FTags[i][j]));
            FTiles[i][j]->setVisible(FTags[i][j] != gap);
        }
}

void TScrmbl::ColorTiles() {
    const int gap = GapNumber();
    for (int i = 1; i <= FTilesSize; ++i)
        for (int j = 1; j <= FTilesSize; ++j) {
            QPushButton& tile = *FTiles[i][j];
            SetFontColor(tile,
                         tile.text() == HomeCaption(i, j, FTilesSize) ? kHomeColor : kAwayColor);
            if (FTags[i][j] != gap) tile.show();
        }
}

void TScrmbl::MoveTile(int row, int column) {
    // The first gap among left, up, right, down is the target.
    int ti = 0;
    int tj = 0;
    for (int d : {-1, 1}) {
        if (IsGap(row, column + d)) {
            ti = row;
            tj = column + d;
        } else if (IsGap(row + d, column)) {
            ti = row + d;
            tj = column;
        } else {
            continue;
        }
        break;
    }
    if (ti == 0) return;
    QPushButton& from = *FTiles[row][column];
    QPushButton& to = *FTiles[ti][tj];
    to.setText(from.text());
    SetFontColor(to, to.text() == HomeCaption(ti, tj, FTilesSize) ? kHomeColor : kAwayColor);
    to.show();
    from.hide();
    from.setText(FGapCaption);
}

bool TScrmbl::CanSlide(int row, int column) const {
    // Once solved every tile is hidden, and then nothing slides.
    return FTiles[row][column] && !FTiles[row][column]->isHidden();
}

void TScrmbl::SlideIntoGap(int row, int column) {
    FTiles[row][column]->setFocus(Qt::OtherFocusReason);
    MoveTile(row, column);
    setFocus(Qt::OtherFocusReason);
    DoMove();
    CheckSolved();
}

void TScrmbl::MoveLeft() {
    for (int i = 1; i <= FTilesSize; ++i)
        for (int j = 2; j <= FTilesSize; ++j)
            if (CanSlide(i, j) && FTiles[i][j - 1]->isHidden()) {
                SlideIntoGap(i, j);
                return;
            }
}

void TScrmbl::MoveRight() {
    for (int i = 1; i <= FTilesSize; ++i)
        for (int j = 1; j < FTilesSize; ++j)
            if (CanSlide(i, j) && FTiles[i][j + 1]->isHidden()) {
                SlideIntoGap(i, j);
                return;
            }
}

void TScrmbl::MoveUp() {
    for (int j = 1; j <= FTilesSize; ++j)
        for (int i = 2; i <= FTilesSize; ++i)
            if (CanSlide(i, j) && FTiles[i - 1][j]->isHidden()) {
                SlideIntoGap(i, j);
                return;
            }
}

void TScrmbl::MoveDown() {
    for (int j = 1; j <= FTilesSize; ++j)
        for (int i = 1; i < FTilesSize; ++i)
            if (CanSlide(i, j) && FTiles[i + 1][j]->isHidden()) {
                SlideIntoGap(i, j);
                return;
            }
}

void TScrmbl::TileClick(QPushButton* clicked) {
    // The clicked button is the one that took the focus with the press.
    for (int i = 1; i <= FTilesSize; ++i)
        for (int j = 1; j <= FTilesSize; ++j)
            if (FTiles[i][j] == clicked) {
                MoveTile(i, j);
                i = j = FTilesSize + 1;
            }
    setFocus(Qt::OtherFocusReason);
    // A click on a tile away from the gap still counts as a move.
    DoMove();
    CheckSolved();
}

void TScrmbl::CheckSolved() {
    int atHome = 0;
    for (int i = 1; i <= FTilesSize; ++i)
        for (int j = 1; j <= FTilesSize; ++j) {
            const QPushButton* tile = FTiles[i][j];
            if (tile && !tile->isHidden() && IsHomeColor(*tile)) ++atHome;
        }
    if (atHome == GapNumber() - 1) DoOver();
}

void TScrmbl::DoMove() {
    ++FMoves;
    Fire(OnMove, this);
}

void TScrmbl::DoOver() {
    qCDebug(lcScramble) << "solved in" << FMoves << "moves";
    for (auto& row : FTiles)
        for (QPushButton* tile : row)
            if (tile) tile->hide();
    delete FSecondTimer;
    FSecondTimer = nullptr;
    Fire(OnOver, this);
}

void TScrmbl::SecondTick() {
    if (FActive) DoTime();
}

void TScrmbl::SetActive(bool value) {
    FActive = value;
    if (value) {
        AlignToClient();
        CreateTiles();
        Shuffle();
        ColorTiles();
        FPainted = false;
        if (!FSecondTimer) {
            FSecondTimer = new TTimer([this] { SecondTick(); }, this);
            FSecondTimer->SetInterval(kClockIntervalMs);
        }
    }
    FMoves = 0;
}

void TScrmbl::SetPaused(bool value) {
    FPaused = value;
    if (!FActive) return;
    if (FSecondTimer) FSecondTimer->SetEnabled(!value);
    for (int i = 1; i <= FTilesSize; ++i)
        for (int j = 1; j <= FTilesSize; ++j)
            if (FTiles[i][j]) FTiles[i][j]->setEnabled(!value);
}

std::span<const TKeyBinding> TScrmbl::Keys() const {
    static constexpr TKeyBinding kKeys[] = {
        Bind<&TScrmbl::MoveLeft>(VK_NUMPAD4, drLeft, VK_LEFT),
        Bind<&TScrmbl::MoveRight>(VK_NUMPAD6, drRight, VK_RIGHT),
        Bind<&TScrmbl::MoveUp>(VK_NUMPAD8, drUp, VK_UP),
        Bind<&TScrmbl::MoveDown>(VK_NUMPAD2, drDown, VK_DOWN),
    };
    return kKeys;
}

void TScrmbl::resizeEvent(QResizeEvent* event) {
    TGameBoard::resizeEvent(event);
    if (!FActive) return;
    Layout();
    PlaceTiles();
}

} // namespace Tolvane
