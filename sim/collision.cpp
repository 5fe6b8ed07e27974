#include "sim/collision.h"

#include <bit>
#include <cmath>

#include "sim/shot_events.h"
#include "sim/variables.h"

// Look-ahead centres at most two radii apart.
constexpr int CONTACT_DISTANCE_SQ = 324;
// Current centres closer than about 17.889 px are already past contact.
constexpr int OVERLAP_DISTANCE_SQ = 320;
// Keeps the slope finite when the look-ahead centres are vertically aligned.
constexpr long double ANGLE_GUARD = 1e-8L;

// Where a would stand relative to b after one more step of each, per axis.
static float look_ahead_difference(float pos_a, float v_a, float pos_b, float v_b)
{
    const long double sum = static_cast<long double>(pos_a) + v_a;
    return static_cast<float>((sum - pos_b) - v_b);
}

static long double squared_length(float dx, float dy)
{
    return static_cast<long double>(dx) * dx + static_cast<long double>(dy) * dy;
}

static long double current_distance_sq(const BallRecord& a, const BallRecord& b)
{
    const auto dx = static_cast<float>(static_cast<long double>(a.x) - b.x);
    const auto dy = static_cast<float>(static_cast<long double>(a.y) - b.y);
    return squared_length(dx, dy);
}

static long double look_ahead_distance_sq(const BallRecord& a, const BallRecord& b)
{
    return squared_length(look_ahead_difference(a.x, a.vx, b.x, b.vx),
                          look_ahead_difference(a.y, a.vy, b.y, b.vy));
}

bool balls_touching(int a, int b)
{
    const BallRecord& ball_a = game.balls[a];
    const BallRecord& ball_b = game.balls[b];
    if (look_ahead_distance_sq(ball_a, ball_b) > CONTACT_DISTANCE_SQ) return false;
    return current_distance_sq(ball_a, ball_b) >= OVERLAP_DISTANCE_SQ;
}

bool balls_overlapping(int a, int b)
{
    return current_distance_sq(game.balls[a], game.balls[b]) <= OVERLAP_DISTANCE_SQ;
}

// Three quarters of the other ball's velocity and a quarter of its own.
static float blended(float own, float other)
{
    return static_cast<float>(static_cast<long double>(other) * 3 / 4
                              + static_cast<long double>(own) * 1 / 4);
}

// A pair already at the overlap bound first shares its velocities, which
// reverses and halves their difference.
static void blend_velocities(BallRecord& a, BallRecord& b)
{
    const BallRecord before_a = a;
    a.vx = blended(a.vx, b.vx);
    a.vy = blended(a.vy, b.vy);
    b.vx = blended(b.vx, before_a.vx);
    b.vy = blended(b.vy, before_a.vy);
}

// The line of the look-ahead centres, as a principal angle stored as single.
static float line_of_centres_angle(const BallRecord& a, const BallRecord& b)
{
    const float dx = look_ahead_difference(a.x, a.vx, b.x, b.vx);
    const float dy = look_ahead_difference(a.y, a.vy, b.y, b.vy);
    return static_cast<float>(std::atan(static_cast<long double>(dy) / (dx + ANGLE_GUARD)));
}

// Ball a takes b's velocity along the line (cos, sin) and keeps its own across it.
static void exchange_along_line(BallRecord& a, BallRecord& b, long double c, long double s)
{
    const long double ax = a.vx, ay = a.vy, bx = b.vx, by = b.vy;
    a.vx = static_cast<float>(c * (c * bx + s * by) + s * (s * ax - c * ay));
    a.vy = static_cast<float>(s * (c * bx + s * by) + c * (c * ay - s * ax));
    b.vx = static_cast<float>(c * (c * ax + s * ay) + s * (s * bx - c * by));
    b.vy = static_cast<float>(s * (c * ax + s * ay) + c * (c * by - s * bx));
}

void collide_balls(int a, int b)
{
    BallRecord& ball_a = game.balls[a];
    BallRecord& ball_b = game.balls[b];
    if (balls_overlapping(a, b)) blend_velocities(ball_a, ball_b);
    // After a blend the pair may no longer pass the touching test; the line
    // is taken from the look-ahead centres all the same.
    const long double theta = line_of_centres_angle(ball_a, ball_b);
    exchange_along_line(ball_a, ball_b, std::cos(theta), std::sin(theta));
}

// Kept beside the touching test so that the pairs a step tests stay cheap.
// The book already knows every pair with a clear gap: what is left are the
// close ones.
void collide_with_later_balls(int i, uint32_t present, IdleTests& idle)
{
    uint32_t untested = unknown_pairs_after(idle, i, present, i);
    while (untested != 0) {
        const int j = std::countr_zero(untested);
        if (!balls_touching(i, j)) {
            idle.pairs[i] |= 1u << j;
        } else {
            report_meeting(i, j);
            collide_balls(i, j);
            report_balls_touched(i, j);
            notice_change(idle, i, game.balls[i]);
            notice_change(idle, j, game.balls[j]);
        }
        // A collision may have made other pairs of ball i worth testing again.
        untested = unknown_pairs_after(idle, i, present, j);
    }
}
