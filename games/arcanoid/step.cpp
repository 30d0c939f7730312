// SPDX-License-Identifier: GPL-3.0-or-later
// The step of the step timer: the paddle controls, the moves, the
// collisions with walls, bricks and paddle, and the bonus squares. Nothing
// here calls the owner: what happens is recorded and delivered by the step.
#include "field.h"

#include "gamepan/toolkit/platform/random.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace Tolvane::Arcanoid {

namespace {

float Sign(float x) {
    return x > 0 ? 1.0f : x < 0 ? -1.0f : 0.0f;
}

} // namespace

// Bonus squares

void TField::StartSquare(TBonus kind, double x, double y) {
    if (!FSquare) return;
    const QSize client = Client();
    TShapeLook look = FSquare->Look;
    look.BrushColor = kBonusColors[kind];
    SetLook(*FSquare, look);
    SetVisible(*FSquare, true);
    FSquareX = x;
    FSquareY = y;
    MoveTo(*FSquare, Round(client.width() * FSquareX), Round(client.height() * FSquareY));
    FMotion.SquareVY =
        static_cast<float>(std::abs(FSettings.ASSpeed * 0.01 * double(FMotion.StepUnit)));
    FMotion.SquareVX = 0;
}

// Paddle controls

void TField::FollowPaddle() {
    if (!FMotion.Launched || Held()) FMotion.BallVX = FMotion.PaddleV;
    if (GunLoaded()) FMotion.SquareVX = FMotion.PaddleV;
}

void TField::MoveLeft() {
    FMotion.PaddleV = -std::abs(FMotion.StepUnit);
    FollowPaddle();
}

void TField::MoveRight() {
    FMotion.PaddleV = std::abs(FMotion.StepUnit);
    FollowPaddle();
}

void TField::StopPaddle() {
    FMotion.PaddleV = 0;
    FollowPaddle();
}

void TField::BallUp() {
    if (!FBall) return;
    TMotion& m = FMotion;
    if (!m.Launched) {
        m.Launched = true;
        double v = 0.3 + 0.6 * RandomFloat();
        if (m.PaddleV < 0) v = -v;
        m.BallVX = static_cast<float>(v * m.BallSpeed);
        m.BallVY = static_cast<float>(-std::sqrt(1 - v * v) * m.BallSpeed);
    } else if (Held()) {
        m.BallFree = true;
        if (m.PaddleV < 0)
            m.BallVX = -std::abs(m.SavedVX);
        else if (m.PaddleV > 0)
            m.BallVX = std::abs(m.SavedVX);
        else
            m.BallVX = m.SavedVX;
        m.BallVY = -m.SavedVY;
    } else if (GunLoaded() && FSquare) {
        m.GunFired = true;
        m.SquareVX = 0;
        m.SquareVY = static_cast<float>(
            -std::abs(FSettings.ASSpeed * 0.01 * static_cast<double>(m.StepUnit)));
    }
}

// At a wall the paddle's velocity points inwards (or, with AEndStop, an
// outward one stops): a held key cannot walk it through the wall, and a
// paddle that grows against a wall does not turn round at every step. It may
// overhang a wall by up to a twelfth of its width.
void TField::PaddleAgainstWalls(int width) {
    const QRect& paddle = FPaddle->Bounds;
    const int overhang = paddle.width() / 12;
    const bool atLeft = paddle.left() + overhang <= 0;
    const bool atRight = paddle.left() + paddle.width() - overhang >= width;
    const bool outward = atLeft ? FMotion.PaddleV < 0 : atRight && FMotion.PaddleV > 0;
    if (!outward) return;
    if (FSettings.AEndStop) {
        StopPaddle();
        return;
    }
    FMotion.PaddleV = -FMotion.PaddleV;
    if (!FMotion.Launched || !FMotion.BallFree) FMotion.BallVX = FMotion.PaddleV;
    if (GunLoaded()) FMotion.SquareVX = FMotion.PaddleV;
}

// The step

int TField::SubSteps(double share) const {
    // A step no longer than a cell or the ball is the whole step: it
    // jumps over neither, and splitting it would change where it ends.
    const QSize client = Client();
    const QSize ball = FBall ? FBall->Bounds.size() : QSize(BallSide(), BallSide());
    const double limitX = std::max(1, std::min(FGeometry.CellWidth, ball.width()));
    const double limitY = std::max(1, std::min(FGeometry.CellHeight, ball.height()));
    const double worst = share * std::max({
                                     std::abs(client.width() * double(FMotion.BallVX)) / limitX,
                                     std::abs(client.height() * double(FMotion.BallVY)) / limitY,
                                     std::abs(client.width() * double(FMotion.SquareVX)) / limitX,
                                     std::abs(client.height() * double(FMotion.SquareVY)) / limitY,
                                 });
    if (!(worst > 1)) return 1; // also for NaN
    return static_cast<int>(std::min(std::ceil(worst), double(kMaxSubSteps)));
}

// A bounce can make the ball faster than the sub-steps were planned for, so
// what is left of the step is planned again after each sub-step. At the
// normal speeds the whole step is one sub-step.
void TField::Step() {
    if (!InPlay()) return;
    if (Client() != FLaidOut) Relayout();
    double left = 1;
    for (int taken = 0; left > 0 && taken < kMaxSubSteps; ++taken) {
        const int count = std::min(SubSteps(left), kMaxSubSteps - taken);
        const float share =
            count == 1 ? static_cast<float>(left) : static_cast<float>(left / count);
        // What the sub-step recorded reaches the owner before the next one.
        const bool ballKept = SubStep(share);
        if (!Deliver() || !ballKept) return;
        left = count == 1 ? 0 : left - double(share);
    }
}

// One sub-step: velocities are taken at `share` of their length (1 for a
// whole step). It only records what happened for the owner.
bool TField::SubStep(float share) {
    TMotion& m = FMotion;
    const QSize client = Client();
    const int width = client.width();
    const int height = client.height();

    FBallX += m.BallVX * share;
    FBallY += m.BallVY * share;
    MoveTo(*FBall, Round(width * FBallX), Round(height * FBallY));

    PaddleAgainstWalls(width);
    FPaddleX += m.PaddleV * share;
    MoveTo(*FPaddle, Round(width * FPaddleX), FPaddle->Bounds.top());

    if (FSquare->Visible) MoveSquare(client, share);

    PaddleAgainstWalls(width);

    const QRect ball = FBall->Bounds;
    if (m.Launched && !Held()) {
        if (ball.left() <= 0)
            m.BallVX = std::abs(m.BallVX);
        else if (ball.left() + ball.width() >= width)
            m.BallVX = -std::abs(m.BallVX);
        if (FLine->Visible) {
            // By side: a ball above the line goes up, one below goes down.
            const QRect& line = FLine->Bounds;
            if (m.LineIsFloor && ball.top() + ball.height() >= line.top())
                m.BallVY = -std::abs(m.BallVY);
            else if (!m.LineIsFloor && line.top() + line.height() >= ball.top())
                m.BallVY = std::abs(m.BallVY);
        }
        if (ball.top() + ball.height() >= height) {
            DropBall();
            return false;
        }
        if (ball.top() <= 0) m.BallVY = std::abs(m.BallVY);
    }

    const int dx = Trunc(width * double(m.BallVX) * share);
    const int dy = Trunc(height * double(m.BallVY) * share);
    TSweep sweep{};
    sweep.VX = m.BallVX;
    sweep.VY = m.BallVY;
    sweep.Left = ball.left();
    sweep.Top = ball.top();
    sweep.Width = ball.width();
    sweep.Right = ball.left() + ball.width();
    sweep.Bottom = ball.top() + ball.height();
    sweep.CentreX = ball.left() + m.HalfW;
    sweep.CentreY = ball.top() + m.HalfH;
    sweep.PrevLeft = sweep.Left - dx;
    sweep.PrevRight = sweep.Right - dx;
    sweep.PrevTop = sweep.Top - dy;
    sweep.PrevBottom = sweep.Bottom - dy;
    BallAgainstBricks(sweep);
    BallAgainstPaddle(sweep);
    GunAgainstBricks(client, share);
    SquareAgainstPaddle(client, share);
    return true;
}

void TField::MoveSquare(QSize client, float share) {
    FSquareY += FMotion.SquareVY * share;
    FSquareX += FMotion.SquareVX * share;
    MoveTo(*FSquare, Round(client.width() * FSquareX), Round(client.height() * FSquareY));
    const QRect& square = FSquare->Bounds;
    if (square.top() < 0 || square.top() + square.height() >= client.height()) HideSquare();
}

// The live bricks of the three rows and columns around the cell of a point,
// from the lower row up; in each row the first brick the judge finds hit
// (its cell given) is hit, and the row is done.
template <typename TJudge> void TField::HitAround(int x, int y, TJudge judge) {
    const int column0 = x / FGeometry.CellWidth + 1;
    const int row0 = y / FGeometry.CellHeight + 1;
    for (int row : {row0 + 1, row0, row0 - 1}) {
        if (row < 1 || row > FGridRows) continue;
        for (int column : {column0 - 1, column0, column0 + 1}) {
            const TBrick* brick = Brick(row, column);
            if (!brick || brick->Ghost) continue;
            if (const std::optional<THit> hit = judge(CellRect(row, column))) {
                HitBrick(row, column, *hit);
                break;
            }
        }
    }
}

void TField::BallAgainstBricks(const TSweep& s) {
    const TMotion& m = FMotion; // half sizes only: directions come from the sweep
    const int cellWidth = FGeometry.CellWidth;
    const int cellHeight = FGeometry.CellHeight;
    // The grid's left margin is not taken off: the scan of three columns covers it.
    HitAround(s.CentreX, s.CentreY, [&](const QRect& cell) -> std::optional<THit> {
        const int l = cell.left();
        const int t = cell.top();
        const int r = l + cellWidth;
        const int b = t + cellHeight;
        if (l - m.HalfW <= s.CentreX && s.CentreX <= r + m.HalfW &&
            ((s.Top <= b && b <= s.PrevTop && s.VY < 0) ||
             (s.PrevBottom <= t && t <= s.Bottom && s.VY > 0)))
            return THit::Vertical;
        if (t - m.HalfH <= s.CentreY && s.CentreY <= b + m.HalfH &&
            ((s.Left <= r && r <= s.PrevLeft && s.VX < 0) ||
             (s.PrevRight <= l && l <= s.Right && s.VX > 0)))
            return THit::Side;
        return std::nullopt;
    });
}

void TField::HitBrick(int row, int column, THit hit) {
    TMotion& m = FMotion;
    auto reverse = [&] {
        switch (hit) {
        case THit::Vertical:
            m.BallVY = -m.BallVY;
            break;
        case THit::Side:
            m.BallVX = -m.BallVX;
            break;
        case THit::Gun:
            m.SquareVY = -m.SquareVY;
            break;
        }
    };
    TBrick& brick = *At(row, column);
    FHost.Repaint(CellRect(row, column));
    const int strong = FSettings.AStrongShapes ? StrongIndex(brick.Look.BrushColor) : -1;
    if (strong >= 0) {
        brick.Look.BrushColor =
            strong + 1 < int(kStrongColors.size()) ? kStrongColors[strong + 1] : RandomColor();
        reverse();
        return;
    }
    if (FSettings.AIMMDelShapes) {
        At(row, column).reset();
    } else {
        brick.Ghost = true;
        brick.Look.BrushColor = clBtnHighlight;
        brick.Look.PenColor = FHost.BoardColor();
        brick.Look.BrushStyle = hit == THit::Vertical ? bsDiagCross
                                : hit == THit::Side   ? bsCross
                                                      : bsBDiagonal;
    }
    reverse();
    Destroyed();
}

// The bonus draw of a destroyed brick, then the owner's notification.
void TField::Destroyed() {
    if (!FSquare->Visible && !FLine->Visible) {
        int kind = Random(FMotion.SquareRange);
        if (kind < kBonusKinds) {
            if (FMotion.CatchOn && (kind == bnGun || kind == bnLine)) kind = bnLoseBall;
            StartSquare(static_cast<TBonus>(kind), 0.25 + 0.5 * RandomFloat(), 0);
        }
    }
    // The square is always drawn beneath bricks, paddle and ball.
    Put(TEvent::BrickDestroyed);
}

void TField::BallAgainstPaddle(const TSweep& s) {
    TMotion& m = FMotion;
    const QRect& paddle = FPaddle->Bounds;
    if (!(paddle.left() <= s.CentreX && s.CentreX <= paddle.left() + paddle.width() &&
          s.PrevBottom <= paddle.top() && paddle.top() <= s.Bottom && m.BallVY > 0))
        return;
    // An end turn swaps the components; with hardly any sideways speed it
    // would send the ball sideways for ever, so a normal bounce is made.
    const bool turns = m.BallVX != 0 &&
                       std::abs(double(m.BallVX)) >= kMinSideShare * std::abs(double(m.BallSpeed));
    if (m.CatchOn) {
        m.SavedVX = m.BallVX;
        m.SavedVY = m.BallVY;
        m.BallVY = 0;
        m.BallVX = m.PaddleV;
        m.BallFree = false;
    } else if (turns && m.PaddleV <= 0 && m.BallVX >= 0 && s.Left <= paddle.left() + m.HalfW) {
        const float vx = m.BallVX;
        m.BallVX = -m.BallVY;
        m.BallVY = -vx;
    } else if (turns && m.PaddleV >= 0 && m.BallVX <= 0 &&
               s.Left >= paddle.left() + paddle.width() - s.Width) {
        std::swap(m.BallVX, m.BallVY);
    } else {
        const double speed = m.BallSpeed;
        double vx = m.BallVX + FSettings.AFriction * 0.01 * double(m.PaddleV);
        if (std::abs(vx) >= kMaxSideShare * speed)
            vx = Sign(float(vx)) * kMaxSideShare * speed;
        else if (std::abs(vx) <= kMinSideShare * speed)
            vx = Sign(float(vx)) * kMinSideShare * speed;
        m.BallVX = static_cast<float>(vx);
        m.BallVY =
            static_cast<float>(-Sign(m.BallVY) * std::sqrt(std::max(0.0, speed * speed - vx * vx)));
    }
    SetVisible(*FPaddle, true);
}

void TField::GunAgainstBricks(QSize client, float share) {
    TMotion& m = FMotion;
    if (!m.GunOn || !(m.SquareVY < 0) || !FSquare->Visible) return;
    const QRect square = FSquare->Bounds;
    const int cx = square.left() + m.HalfW;
    const int cy = square.top() + m.HalfH;
    const int prevTop = square.top() - Trunc(client.height() * double(m.SquareVY) * share);
    // Only the square's top edge crossing a brick's bottom edge hits.
    HitAround(cx, cy, [&](const QRect& cell) -> std::optional<THit> {
        const int b = cell.top() + FGeometry.CellHeight;
        if (cell.left() - m.HalfW <= cx && cx <= cell.left() + FGeometry.CellWidth + m.HalfW &&
            square.top() <= b && b <= prevTop)
            return THit::Gun;
        return std::nullopt;
    });
}

void TField::SquareAgainstPaddle(QSize client, float share) {
    if (!FSquare->Visible || !(FMotion.SquareVY > 0)) return;
    const QRect& square = FSquare->Bounds;
    const QRect& paddle = FPaddle->Bounds;
    const int cx = square.left() + FMotion.HalfW;
    const int bottom = square.top() + square.height();
    const int prevBottom = bottom - Trunc(client.height() * double(FMotion.SquareVY) * share);
    if (paddle.left() <= cx && cx <= paddle.left() + paddle.width() && prevBottom <= paddle.top() &&
        paddle.top() <= bottom)
        CatchSquare();
}

// A long or short square makes the paddle that size; caught again it
// gives the normal width back, rounded as the square asks.
void TField::ToggleSize(bool& on, bool& other, std::int32_t percent, TRounding normal) {
    on = !on;
    if (on) other = false;
    SetPaddleWidth(on ? PercentOf(FGeometry.CellWidth, percent, TRounding::Truncate)
                      : PercentOf(FGeometry.CellWidth, FSettings.ATN, normal));
}

void TField::CatchSquare() {
    TMotion& m = FMotion;
    const TColor color = FSquare->Look.BrushColor;
    switch (BonusOf(color).value_or(bnInvisible)) {
    case bnLoseBall:
        // Onto the bottom edge, where the wall test of a step loses it.
        m.CatchOn = false;
        m.GunOn = false;
        FBallY = 1.0;
        break;
    case bnLong:
        ToggleSize(m.LongOn, m.ShortOn, FSettings.ATL, TRounding::Nearest);
        break;
    case bnShort:
        ToggleSize(m.ShortOn, m.LongOn, FSettings.ATS, TRounding::Truncate);
        break;
    case bnGun:
        // Loaded: the square rides on the paddle where it was caught.
        m.GunOn = true;
        m.SquareVY = 0;
        m.SquareVX = m.PaddleV;
        m.GunFired = false;
        break;
    case bnCatch:
        if (m.CatchOn) {
            if (!m.BallFree) BallUp();
            m.CatchOn = false;
        } else {
            m.CatchOn = true;
            m.BallFree = true;
        }
        break;
    case bnExtraBall:
        ++FBallsLeft;
        Put(TEvent::ExtraBall);
        break;
    case bnLine: {
        const TColor board = FHost.BoardColor();
        const TColor brush = board == clSilver || board == clBtnFace ? clWhite : clSilver;
        SetLook(*FLine, {stRectangle, brush, FLine->Look.PenWidth, brush, FLine->Look.BrushStyle});
        SetVisible(*FLine, true);
        const QRect& ball = FBall->Bounds;
        m.LineIsFloor = ball.top() + ball.height() < FLine->Bounds.top();
        m.LineSeconds = 0;
        m.LineDuration = kLineMinSeconds + Random(kLineExtraSeconds);
        break;
    }
    case bnInvisible:
        break;
    }
    SetVisible(*FPaddle, color != clFuchsia);
    if (color != clLime) {
        TShapeLook look = FSquare->Look;
        look.BrushColor = clWhite;
        if (FSettings.AIMMDelShapes)
            SetVisible(*FSquare, false);
        else
            look.BrushStyle = bsDiagCross;
        SetLook(*FSquare, look);
    }
}

} // namespace Tolvane::Arcanoid
