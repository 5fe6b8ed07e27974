#include "input/placement.h"

#include <cmath>

#include "sim/table_geometry.h"

namespace {

float distance_to_nearest_other_ball(const GameState& table, int X, int Y)
{
    float nearest = 1000.0f;
    for (int i = 2; i <= BALL_COUNT; ++i) {
        const long double dx = X - static_cast<long double>(table.balls[i].x);
        const long double dy = Y - static_cast<long double>(table.balls[i].y);
        const float d = static_cast<float>(std::sqrt(dx * dx + dy * dy));
        if (d < nearest) nearest = d;
    }
    return nearest;
}

}  // namespace

bool cue_ball_fits(const GameState& table, int X, int Y, float margin)
{
    const bool in_region = X > PLACEMENT_LEFT_EXCLUSIVE && X <= PLACEMENT_RIGHT &&
                           Y > PLACEMENT_TOP_EXCLUSIVE && Y < PLACEMENT_BOTTOM_EXCLUSIVE;
    return in_region && distance_to_nearest_other_ball(table, X, Y) > 2 * BALL_RADIUS + margin;
}

bool cue_ball_to_be_placed(const GameState& table)
{
    return table.shot_evaluated && !table.game_over && table.balls[CUE_BALL].state == BALL_OFF_TABLE;
}

void place_cue_ball(int X, int Y)
{
    if (!cue_ball_fits(game, X, Y)) return;
    BallRecord& cue_ball = game.balls[CUE_BALL];
    cue_ball.state = BALL_ON_TABLE;
    cue_ball.x = static_cast<float>(X);
    cue_ball.y = static_cast<float>(Y);
}
