#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "sim/variables.h"
#include "tests/support/fresh_game.h"
#include "input/aim.h"

namespace {

constexpr double PI = std::numbers::pi;
constexpr float HALF_PI = static_cast<float>(PI / 2);

// The mouse at (X, Y) of the drawing area and the cue ball at (ball_x, 100),
// shown at (ball_x + 76, 141): the aim, the strength and the cue ball's
// velocity for a press there, each within `tolerance`.
struct AimCase {
    const char* what;
    float ball_x;
    int X, Y;
    double angle, sin, neg_cos, strength, vx, vy;
    double tolerance;
};

const AimCase AIM_CASES[] = {
    {"30 left and 40 below: up and right", 100, 146, 181, 0.9272952, 0.8, -0.6, 6.8333335, 2.05, -2.7333333, 1e-6},
    {"on the ball: straight down, weakest", 100, 176, 141, -HALF_PI, -1, 0, 1, 0, 0.5, 1e-6},
    {"within half a pixel of the column: vertical, away from the mouse", 100.6f, 177, 91, -HALF_PI, -1, 0, 6.8336, 0,
     3.4168, 1e-6},
    {"far left: capped at full strength, straight right, exactly", 100, -24, 141, 0, 0, -1, 28, 14, 0, 0},
    {"30 above: down, strength from the distance", 100, 176, 111, -HALF_PI, -1, 0, 3.5, 0, 1.75, 1e-6},
    {"up and left: the angle gets a whole turn added", 100, 146, 101, 2 * PI - 0.9272952, -0.8, -0.6, 6.8333335,
     2.05, 2.7333333, 1e-6},
    {"down and right: the other half-turn", 100, 206, 181, PI - 0.9272952, 0.8, 0.6, 6.8333335, -2.05, -2.7333333,
     1e-6},
};

using Aim = FreshGame;

TEST_F(Aim, AngleStrengthAndVelocityFollowFromTheMouse)
{
    for (const AimCase& c : AIM_CASES) {
        SCOPED_TRACE(c.what);
        game.balls[CUE_BALL].x = c.ball_x;
        game.balls[CUE_BALL].y = 100;
        update_aim(c.X, c.Y);
        EXPECT_NEAR(game.aim_angle, c.angle, c.tolerance);
        EXPECT_NEAR(game.aim_sin, c.sin, c.tolerance);
        EXPECT_NEAR(game.aim_neg_cos, c.neg_cos, c.tolerance);
        EXPECT_NEAR(game.shot_strength, c.strength, c.tolerance);
        const ShotVelocity v = shot_velocity();
        EXPECT_NEAR(v.vx, c.vx, c.tolerance);
        EXPECT_NEAR(v.vy, c.vy, c.tolerance);
    }
}

// The mouse that many pixels straight left of the cue ball aims a shot of
// the strength asked for; beyond the weakest and full strength it stays at them.
TEST_F(Aim, DistanceForStrengthIsAimingReadBackwards)
{
    game.balls[CUE_BALL].x = 100;
    game.balls[CUE_BALL].y = 100;
    for (double strength : {1.0, 2.5, 7.0, 27.5, 28.0}) {
        update_aim(176 - static_cast<int>(std::lround(distance_for_strength(strength))), 141);
        EXPECT_FLOAT_EQ(game.shot_strength, static_cast<float>(strength));
    }
    EXPECT_EQ(distance_for_strength(0.5), distance_for_strength(1));
    EXPECT_EQ(distance_for_strength(40), distance_for_strength(FULL_STRENGTH));
}

}  // namespace
