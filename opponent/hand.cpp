#include "opponent/hand.h"

#include <algorithm>
#include <cmath>

#include "sim/table_geometry.h"

namespace {

constexpr double CONTACT_DISTANCE = 2.0 * BALL_RADIUS;
// A shot that meets no ball is aimed as if across the whole table.
constexpr double TRAVEL_WITHOUT_BALL = RIGHT_CUSHION_X - LEFT_CUSHION_X;

}  // namespace

ShotReach shot_reach(const GameState& table, Point cue, double dx, double dy)
{
    const double length = std::hypot(dx, dy);
    if (length == 0) return {0, TRAVEL_WITHOUT_BALL};
    const double ux = dx / length, uy = dy / length;
    ShotReach nearest{0, TRAVEL_WITHOUT_BALL};
    for (int i = 1; i <= BALL_COUNT; ++i) {
        if (i == CUE_BALL || table.balls[i].state == BALL_OFF_TABLE) continue;
        const double wx = table.balls[i].x - cue.x, wy = table.balls[i].y - cue.y;
        const double along = wx * ux + wy * uy;
        const double across = std::fabs(wx * uy - wy * ux);
        if (along <= 0 || across >= CONTACT_DISTANCE) continue;
        const double travel = along - std::sqrt(CONTACT_DISTANCE * CONTACT_DISTANCE - across * across);
        if (travel < nearest.travel) nearest = {std::asin(across / CONTACT_DISTANCE), std::max(travel, 0.0)};
    }
    return nearest;
}

double aim_deviation(const Hand& hand, const ShotReach& reach)
{
    return hand.steady_deviation + hand.per_cut * reach.cut + hand.per_travel * reach.travel;
}
