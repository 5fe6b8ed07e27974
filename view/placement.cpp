#include "view/placement.h"

#include <cmath>

#include "sim/table_geometry.h"
#include "sim/variables.h"

namespace {

float distance_to_nearest_other_ball(int X, int Y)
{
    float nearest = 1000.0f;
    for (int i = 2; i <= BALL_COUNT; ++i) {
        const long double dx = X - static_cast<long double>(game.balls[i].x);
        const long double dy = Y - static_cast<long double>(game.balls[i].y);
        const float d = static_cast<float>(std::sqrt(dx * dx + dy * dy));
        if (d < nearest) nearest = d;
    }
    return nearest;
}

}  // namespace

void place_cue_ball(int X, int Y)
{
    const bool in_region = X > PLACEMENT_LEFT_EXCLUSIVE && X <= PLACEMENT_RIGHT &&
                           Y > PLACEMENT_TOP_EXCLUSIVE && Y < PLACEMENT_BOTTOM_EXCLUSIVE;
    const bool too_close = distance_to_nearest_other_ball(X, Y) <= 2 * BALL_RADIUS;
    if (!in_region || too_close) return;
    BallRecord& cue_ball = game.balls[CUE_BALL];
    cue_ball.state = BALL_ON_TABLE;
    cue_ball.x = static_cast<float>(X);
    cue_ball.y = static_cast<float>(Y);
}
