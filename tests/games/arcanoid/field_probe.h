// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "games/arcanoid/field.h"

namespace Tolvane::Arcanoid {

// The tests' way into a field's motion: the whole state to read, and the
// situations a test sets up, each by name. Velocities are fractions of the
// client width or height per step, as the field keeps them.
class TFieldProbe {
public:
    explicit TFieldProbe(TField& field) : FField(field) {}

    const TMotion& Motion() const { return FField.FMotion; }

    // The ball in flight with this velocity in pixels per step, its box at
    // (left, top) after the next step.
    void Aim(int left, int top, double vx, double vy) {
        const QSize client = FField.Client();
        Launch();
        Steer(static_cast<float>(vx / client.width()), static_cast<float>(vy / client.height()));
        FField.SetBallPosition(double(left) / client.width() - M().BallVX,
                               double(top) / client.height() - M().BallVY);
    }
    // A new velocity for the ball, where it is.
    void Steer(float vx, float vy) {
        M().BallVX = vx;
        M().BallVY = vy;
    }
    // Launched, as BallUp would, but without its random direction.
    void Launch() { M().Launched = true; }
    // Back to not launched: the next BallUp launches it.
    void Unlaunch() { M().Launched = false; }
    void SetBallSpeed(float speed) { M().BallSpeed = speed; }
    // Any paddle velocity, not only the ±StepUnit the keys give.
    void MovePaddle(float v) { M().PaddleV = v; }
    // The square's vertical velocity: positive falls, negative rises.
    void MoveSquare(float vy) { M().SquareVY = vy; }
    // The catch bonus on: the next paddle contact holds the ball.
    void ArmCatch() { M().CatchOn = true; }
    // The long paddle's state, without its width.
    void MarkLong() { M().LongOn = true; }
    // A fired gun square rising at this velocity (negative).
    void FireGun(float vy) {
        M().GunOn = true;
        M().GunFired = true;
        MoveSquare(vy);
    }

private:
    TMotion& M() { return FField.FMotion; }

    TField& FField;
};

} // namespace Tolvane::Arcanoid
