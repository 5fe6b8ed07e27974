#include "opponent/table_reading.h"

#include <algorithm>
#include <cmath>

#include "rules/supervisor.h"
#include "sim/pockets.h"

namespace {

constexpr double BALL_DIAMETER = 2.0 * BALL_RADIUS;
// A cut finer than this hardly ever pots.
constexpr double THINNEST_CUT_COSINE = 0.25;
// Distances over which an easy pot turns hard, in table pixels.
constexpr double EASE_LENGTH = 450;
// A ball in hand lets the next player choose a good spot.
constexpr double BALL_IN_HAND_EASE = 0.6;

Point centre(const BallRecord& ball)
{
    return Point{ball.x, ball.y};
}

double length(double dx, double dy)
{
    return std::sqrt(dx * dx + dy * dy);
}

// Distance from p to the segment a-b.
double distance_to_segment(Point p, Point a, Point b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double span = dx * dx + dy * dy;
    const double t = span > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / span, 0.0, 1.0) : 0.0;
    return length(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Whether a ball other than `skip1` and `skip2` lies in the way of a ball rolling from a to b.
bool path_blocked(const GameState& table, Point a, Point b, int skip1, int skip2)
{
    for (int i = 1; i <= BALL_COUNT; ++i) {
        if (i == skip1 || i == skip2 || table.balls[i].state == BALL_OFF_TABLE) continue;
        if (distance_to_segment(centre(table.balls[i]), a, b) < BALL_DIAMETER) return true;
    }
    return false;
}

// The middle pockets take a ball only from a steep angle.
double mouth_factor(Point target, Point pocket)
{
    if (pocket.x != POCKET_MIDDLE_X) return 1.0;
    const double steepness = std::fabs(pocket.y - target.y) / length(pocket.x - target.x, pocket.y - target.y);
    return std::clamp((steepness - 0.5) * 2.0, 0.0, 1.0);
}

}  // namespace

std::vector<int> target_balls(const GameState& table, int player)
{
    const tjoueur& p = table.players[player];
    std::vector<int> targets;
    const bool on_black = p.on_black || (p.group != NoGroup && group_off_table(table, p.group));
    for (int i = BLACK_BALL; i <= BALL_COUNT; ++i) {
        if (table.balls[i].state == BALL_OFF_TABLE) continue;
        const bool legal = on_black ? i == BLACK_BALL
                                    : i != BLACK_BALL && (p.group == NoGroup || table.balls[i].colour == p.group);
        if (legal) targets.push_back(i);
    }
    return targets;
}

Point ghost_ball(Point target, Point pocket)
{
    const double d = length(pocket.x - target.x, pocket.y - target.y);
    return Point{target.x - BALL_DIAMETER * (pocket.x - target.x) / d,
                 target.y - BALL_DIAMETER * (pocket.y - target.y) / d};
}

double pot_ease(const GameState& table, Point cue, int target, Point pocket)
{
    const Point t = centre(table.balls[target]);
    const Point g = ghost_ball(t, pocket);
    const double to_ghost = length(g.x - cue.x, g.y - cue.y);
    const double to_pocket = length(pocket.x - t.x, pocket.y - t.y);
    if (to_ghost < 1) return 0;
    const double cut = ((g.x - cue.x) * (pocket.x - t.x) + (g.y - cue.y) * (pocket.y - t.y)) / (to_ghost * to_pocket);
    if (cut < THINNEST_CUT_COSINE) return 0;
    if (path_blocked(table, cue, g, CUE_BALL, target) || path_blocked(table, t, pocket, CUE_BALL, target)) return 0;
    const double distance_factor = 1.0 / (1.0 + (to_ghost + 2 * to_pocket) / EASE_LENGTH);
    return cut * cut * distance_factor * mouth_factor(t, pocket);
}

double best_pot_ease(const GameState& table, int player)
{
    const BallRecord& cue = table.balls[CUE_BALL];
    if (cue.state == BALL_OFF_TABLE) return BALL_IN_HAND_EASE;
    double best = 0;
    for (int target : target_balls(table, player))
        for (const Pocket& pocket : POCKETS)
            best = std::max(best, pot_ease(table, centre(cue), target, Point{double(pocket.x), double(pocket.y)}));
    return best;
}
