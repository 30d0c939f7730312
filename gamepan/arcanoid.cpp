// SPDX-License-Identifier: GPL-3.0-or-later
// Arcanoid in the game panel: its settings, building the board, the status
// text, the commands it takes, the score and the level.
#include "gamepan/toolkit/board/direction.h"
#include "gamepan/wiring.h"
#include "games/arcanoid/rcnd.h"

#include <algorithm>
#include <limits>

namespace Tolvane {
namespace {

using R = TRowsOf<TState::Arcanoid, &TPanSettings::Arcanoid>;

constexpr const char* kNewLevel = "This option will have effect with the new level";
constexpr const char* kNewBall = "This option will have effect with the new ball";
constexpr const char* kRestart = "Restart Arcanoid to have effect this option";
constexpr TRowRule kAtOnce{.Push = TPush::AtOnce};
// Pushed at once, refused unless above 0, noticed until the next ball.
constexpr TRowRule kBallSize{.Push = TPush::AtOnce, .Check = kPositive, .Notice = kNewBall};

// In the order a new board takes them. Rows and columns are also written
// at the end of every level.
using S = TArcanoidSettings;
constexpr TSettingRow kRows[] = {
    R::Row<&S::ARows, &TRcnd::SetRows>("ARows",
                                       {.Push = TPush::WhenIdle,
                                        .Check = InRange(Arcanoid::kMinRows, Arcanoid::kMaxRows),
                                        .Notice = kNewLevel}),
    R::Row<&S::AColumns, &TRcnd::SetColumns>(
        "AColumns", {.Push = TPush::WhenIdle,
                     .Check = InRange(Arcanoid::kMinColumns, Arcanoid::kMaxColumns),
                     .Notice = kNewLevel}),
    R::Row<&S::ADelay, &TRcnd::SetADelay>(
        "ADelay", {.Push = TPush::AtOnce, .Check = kPositive, .ApplyUnchanged = true}),
    R::Row<&S::ColorAB, &TRcnd::SetColor>("ColorAB", kAtOnce),
    R::Row<&S::ABSpeed, &TRcnd::SetABSpeed>("ABSpeed", {.Push = TPush::AtOnce, .Notice = kNewBall}),
    R::Row<&S::ASSpeed, &TRcnd::SetASSpeed>("ASSpeed", {.Push = TPush::AtOnce, .Notice = kNewBall}),
    R::Row<&S::ColorABl, &TRcnd::SetColorABl>("ColorABl", kAtOnce),
    R::Row<&S::ColorAT, &TRcnd::SetColorAT>("ColorAT", kAtOnce),
    R::Row<&S::ShapesABrushStyle, &TRcnd::SetShapesABrushStyle>("ShapesABrushStyle", kAtOnce),
    R::Row<&S::ColorAShapesPen, &TRcnd::SetColorAShapesPen>("ColorAShapesPen", kAtOnce),
    R::Row<&S::WidthAShapesPen, &TRcnd::SetWidthAShapesPen>(
        "WidthAShapesPen", {.Push = TPush::AtOnce, .Check = kNotNegative}),
    R::Row<&S::OneColorAShapes, &TRcnd::SetOneColorAShapes>("OneColorAShapes", kAtOnce),
    R::Row<&S::ColorAShapes, &TRcnd::SetColorAShapes>("ColorAShapes", kAtOnce),
    R::Row<&S::ShapesAShape, &TRcnd::SetShapesAShape>("ShapesAShape", kAtOnce),
    R::Row<&S::AStrongShapes, &TRcnd::SetAStrongShapes>("AStrongShapes", kAtOnce),
    R::Row<&S::AIMMDelShapes, &TRcnd::SetAIMMDelShapes>("AIMMDelShapes", kAtOnce),
    R::Row<&S::ACreSquShape, &TRcnd::SetACreSquShape>("ACreSquShape",
                                                      {.Push = TPush::AtOnce, .Check = kPositive}),
    R::Row<&S::ABalls, &TRcnd::SetABalls>(
        "ABalls", {.Check = kPositive, .Notice = kRestart, .ApplyUnchanged = true}),
    R::Row<&S::ALevels, &TRcnd::SetLevels>(
        "ALevels",
        {.Check = InRange(Arcanoid::kMinLevels, Arcanoid::kMaxLevels), .Notice = kRestart}),
    R::Row<&S::AEndStop, &TRcnd::SetAEndStop>("AEndStop", kAtOnce),
    R::Row<&S::ABHW, &TRcnd::SetABHW>("ABHW", kBallSize),
    R::Row<&S::ATN, &TRcnd::SetATN>("ATN", kBallSize),
    R::Row<&S::ATL, &TRcnd::SetATL>("ATL", kBallSize),
    R::Row<&S::ATS, &TRcnd::SetATS>("ATS", kBallSize),
    R::Row<&S::ASteps, &TRcnd::SetASteps>(
        "ASteps",
        {.Push = TPush::AtOnce, .Check = kPositive, .Notice = kNewBall, .ApplyUnchanged = true}),
    R::Row<&S::AFriction, &TRcnd::SetAFriction>(
        "AFriction", {.Push = TPush::AtOnce, .Check = InRange(0, 100), .ApplyUnchanged = true}),
    // Added to the score by the panel.
    R::Row<&S::ACoeff>("ACoeff"),
};

QString ScoreText(const TGamePan& pan) {
    return QStringLiteral("Score: ") + QString::number(pan.ArcanoidScore());
}

class TArcanoidWiring final : public TGameWiring {
public:
    TArcanoidWiring()
        : TGameWiring(QStringLiteral("Arcanoid"), &TGamePan::OnArcnoidTime,
                      &TGamePan::OnArcanoidOver, kRows) {}

    TGameBoard* Make(TWiringHost& host) const override {
        auto* board = new TRcnd(&host.Panel());
        board->OnDelete = [&host](QObject*) {
            TGamePan& pan = host.Panel();
            // A long game at a high coefficient must not wrap round.
            std::int32_t& score = host.Counters().ArcanoidScore;
            score = std::int32_t(std::clamp<std::int64_t>(
                std::int64_t(score) + pan.ACoeff(), std::numeric_limits<std::int32_t>::min(),
                std::numeric_limits<std::int32_t>::max()));
            Fire(pan.OnArcanoidDelete, &pan);
            pan.FocusBoard();
        };
        board->OnContact = [&host](QObject*) {
            Fire(host.Panel().OnArcanoidContact, &host.Panel());
        };
        board->OnExtraBall = [&host](QObject*) { host.Panel().FocusBoard(); };
        board->OnEndLevel = [&host, board](QObject*) {
            TGamePan& pan = host.Panel();
            Fire(pan.OnArcanoidEndLevel, &pan);
            // The owner may have left the game in its event.
            if (pan.Board() != board) return;
            // The board lays out the next level after this returns.
            board->SetRows(pan.ARows());
            board->SetColumns(pan.AColumns());
            host.Counters().ArcanoidLevel = board->Level();
        };
        return board;
    }

    void ResetCounters(TGameCounters& counters) const override {
        counters.ArcanoidScore = 0;
        counters.ArcanoidLevel = 1;
    }

    QString StartStatus(const TGamePan& pan) const override {
        return ScoreText(pan) + QStringLiteral(" Balls: ") + QString::number(pan.ABalls()) +
               QStringLiteral(" Level: 1");
    }

    QString Status(const TGamePan& pan) const override {
        return ScoreText(pan) + QStringLiteral(" Balls: ") +
               QString::number(pan.BoardAs<TRcnd>()->BallsLeft()) + QStringLiteral(" Level:") +
               QString::number(pan.ArcanoidLevel());
    }

    bool AcceptsDirection(std::uint8_t code) const override {
        return code == drLeft || code == drRight || code == drUp || code == drStop;
    }

    // Every level cleared: the level reported is the last the game had, by
    // the board's own count, whatever the setting is now.
    void BeforeOverEvent(TWiringHost& host) const override {
        const TRcnd& board = *host.Panel().BoardAs<TRcnd>();
        if (board.Level() == board.Levels() + 1) host.Counters().ArcanoidLevel = board.Levels();
    }

    void AfterOverPicture(TWiringHost& host) const override {
        const TGamePan& pan = host.Panel();
        host.ShowStatus(ScoreText(pan) + QStringLiteral(" Level:") +
                        QString::number(pan.ArcanoidLevel()));
    }
};

} // namespace

const TGameWiring& ArcanoidWiring() {
    static const TArcanoidWiring wiring;
    return wiring;
}

} // namespace Tolvane
