#include "input/aim.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sim/variables.h"

namespace {

constexpr float SHOT_POWER_FACTOR = 0.5f;
constexpr float WEAKEST_STRENGTH = 1.0f;
constexpr float DISTANCE_FLOOR = 0.0001f;
constexpr long double PI = std::numbers::pi_v<long double>;

// The angle of (dx, dy) with y pointing up, in [0, 2π), or ±π/2 when the
// mouse is within half a pixel of the ball's column.
float aim_angle_of(float dx, float dy)
{
    const long double rx = std::nearbyint(dx);
    const long double ry = std::nearbyint(dy);
    if (rx == 0) return ry > 0 ? static_cast<float>(PI / 2) : static_cast<float>(-PI / 2);
    const long double slope_angle = std::atan(static_cast<long double>(dy) / dx);
    if (rx < 0) return static_cast<float>(slope_angle + PI);
    const float angle = static_cast<float>(slope_angle);
    return angle < 0 ? static_cast<float>(angle + 2 * PI) : angle;
}

float strength_of(float dx, float dy)
{
    const float ax = std::max(std::fabs(dx), DISTANCE_FLOOR);
    const float ay = std::max(std::fabs(dy), DISTANCE_FLOOR);
    const long double distance =
        std::sqrt(static_cast<long double>(ax) * ax + static_cast<long double>(ay) * ay);
    const float strength = static_cast<float>((distance - BALL_RADIUS) / STRENGTH_DIVISOR);
    if (strength > FULL_STRENGTH) return FULL_STRENGTH;
    return strength >= WEAKEST_STRENGTH ? strength : WEAKEST_STRENGTH;
}

}  // namespace

void update_aim(int X, int Y)
{
    const BallRecord& cue_ball = game.balls[CUE_BALL];
    // Positive when the mouse is left of the ball, and when it is below it.
    const float dx = static_cast<float>((static_cast<long double>(cue_ball.x) - X) + DRAW_OFFSET_X);
    const float dy = static_cast<float>((static_cast<long double>(Y) - cue_ball.y) - DRAW_OFFSET_Y);
    game.aim_angle = aim_angle_of(dx, dy);
    game.aim_sin = static_cast<float>(std::sin(static_cast<long double>(game.aim_angle)));
    game.aim_neg_cos = static_cast<float>(-std::cos(static_cast<long double>(game.aim_angle)));
    game.shot_strength = strength_of(dx, dy);
}

ShotVelocity shot_velocity()
{
    const long double push = -static_cast<long double>(game.shot_strength);
    return {static_cast<float>(push * game.aim_neg_cos * SHOT_POWER_FACTOR),
            static_cast<float>(push * game.aim_sin * SHOT_POWER_FACTOR)};
}

double distance_for_strength(double strength)
{
    return BALL_RADIUS + STRENGTH_DIVISOR * std::clamp(strength, double{WEAKEST_STRENGTH}, double{FULL_STRENGTH});
}
