// SPDX-License-Identifier: GPL-3.0-or-later
// Arcanoid in the game panel: its settings, building the board, the status
// text, the commands it takes, the score and the level.
#include "gamepan/toolkit/direction.h"
#include "gamepan/wiring.h"
#include "games/arcanoid/rcnd.h"

#include <algorithm>
#include <limits>

namespace Tolvane {
namespace {

template <auto Field, auto Setter = nullptr>
constexpr TSettingRow Row(const char* name, TRowRule rule = {}) {
    return SettingRow<&TPanSettings::Arcanoid, Field, Setter>(TState::Arcanoid, name, rule);
}

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
    Row<&S::ARows, &TRcnd::SetRows>("ARows",
                                    {.Push = TPush::WhenIdle,
                                     .Check = InRange(Arcanoid::kMinRows, Arcanoid::kMaxRows),
                                     .Notice = kNewLevel}),
    Row<&S::AColumns, &TRcnd::SetColumns>(
        "AColumns", {.Push = TPush::WhenIdle,
                     .Check = InRange(Arcanoid::kMinColumns, Arcanoid::kMaxColumns),
                     .Notice = kNewLevel}),
    Row<&S::ADelay, &TRcnd::SetADelay>(
        "ADelay", {.Push = TPush::AtOnce, .Check = kPositive, .ApplyUnchanged = true}),
    Row<&S::ColorAB, &TRcnd::SetColor>("ColorAB", kAtOnce),
    Row<&S::ABSpeed, &TRcnd::SetABSpeed>("ABSpeed", {.Push = TPush::AtOnce, .Notice = kNewBall}),
    Row<&S::ASSpeed, &TRcnd::SetASSpeed>("ASSpeed", {.Push = TPush::AtOnce, .Notice = kNewBall}),
    Row<&S::ColorABl, &TRcnd::SetColorABl>("ColorABl", kAtOnce),
    Row<&S::ColorAT, &TRcnd::SetColorAT>("ColorAT", kAtOnce),
    Row<&S::ShapesABrushStyle, &TRcnd::SetShapesABrushStyle>("ShapesABrushStyle", kAtOnce),
    Row<&S::ColorAShapesPen, &TRcnd::SetColorAShapesPen>("ColorAShapesPen", kAtOnce),
    Row<&S::WidthAShapesPen, &TRcnd::SetWidthAShapesPen>(
        "WidthAShapesPen", {.Push = TPush::AtOnce, .Check = kNotNegative}),
    Row<&S::OneColorAShapes, &TRcnd::SetOneColorAShapes>("OneColorAShapes", kAtOnce),
    Row<&S::ColorAShapes, &TRcnd::SetColorAShapes>("ColorAShapes", kAtOnce),
    Row<&S::ShapesAShape, &TRcnd::SetShapesAShape>("ShapesAShape", kAtOnce),
    Row<&S::AStrongShapes, &TRcnd::SetAStrongShapes>("AStrongShapes", kAtOnce),
    Row<&S::AIMMDelShapes, &TRcnd::SetAIMMDelShapes>("AIMMDelShapes", kAtOnce),
    Row<&S::ACreSquShape, &TRcnd::SetACreSquShape>("ACreSquShape",
                                                   {.Push = TPush::AtOnce, .Check = kPositive}),
    Row<&S::ABalls, &TRcnd::SetABalls>(
        "ABalls", {.Check = kPositive, .Notice = kRestart, .ApplyUnchanged = true}),
    Row<&S::ALevels, &TRcnd::SetLevels>(
        "ALevels",
        {.Check = InRange(Arcanoid::kMinLevels, Arcanoid::kMaxLevels), .Notice = kRestart}),
    Row<&S::AEndStop, &TRcnd::SetAEndStop>("AEndStop", kAtOnce),
    Row<&S::ABHW, &TRcnd::SetABHW>("ABHW", kBallSize),
    Row<&S::ATN, &TRcnd::SetATN>("ATN", kBallSize),
    Row<&S::ATL, &TRcnd::SetATL>("ATL", kBallSize),
    Row<&S::ATS, &TRcnd::SetATS>("ATS", kBallSize),
    Row<&S::ASteps, &TRcnd::SetASteps>(
        "ASteps",
        {.Push = TPush::AtOnce, .Check = kPositive, .Notice = kNewBall, .ApplyUnchanged = true}),
    Row<&S::AFriction, &TRcnd::SetAFriction>(
        "AFriction", {.Push = TPush::AtOnce, .Check = InRange(0, 100), .ApplyUnchanged = true}),
    // Added to the score by the panel.
    Row<&S::ACoeff>("ACoeff"),
};

QString ScoreText(const TGamePan& pan) {
    return QStringLiteral("Score: ") + QString::number(pan.ArcanoidScore());
}

class TArcanoidWiring final : public TGameWiring {
public:
    TArcanoidWiring()
        : TGameWiring(QStringLiteral("Arcanoid"), &TGamePan::OnArcnoidTime,
                      &TGamePan::OnArcanoidOver, kRows) {}

    TGameBoard* Build(TWiringHost& host) const override {
        TGamePan& pan = host.Panel();
        auto* board = new TRcnd(&pan);
        board->SetActive(false);
        board->AlignToClient();
        board->SetCaption(QString());
        PushAll(*board, pan.Settings());
        board->SetPaused(false);
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
