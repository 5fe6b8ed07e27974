#include "sim/pockets.h"

#include <cmath>

#include "sim/shot_events.h"
#include "sim/table_geometry.h"
#include "sim/variables.h"

// Squared radius of each pocket's pull circle (about 22.36 px).
constexpr int POCKET_PULL_RADIUS_SQ = 500;
// Half the side of the square around each pull circle, a little over its radius.
constexpr float POCKET_PULL_REACH = 23;
// What a pull adds to a velocity component per call, whatever the distance.
constexpr long double POCKET_PULL_STEP = 0.0007L;

// Every pull square lies above the first of these rows or below the second,
// with a pixel to spare for any rounding.
constexpr float PULL_FREE_TOP_Y = POCKET_CORNER_TOP_Y + POCKET_PULL_REACH + 1;
constexpr float PULL_FREE_BOTTOM_Y = POCKET_CORNER_BOTTOM_Y - POCKET_PULL_REACH - 1;
static_assert(POCKET_MIDDLE_TOP_Y < POCKET_CORNER_TOP_Y
              && POCKET_MIDDLE_BOTTOM_Y > POCKET_CORNER_BOTTOM_Y);

// Most balls are here: inside every capture line and clear of every pull.
static bool far_from_every_pocket(const BallRecord& ball)
{
    return ball.y > PULL_FREE_TOP_Y && ball.y < PULL_FREE_BOTTOM_Y && ball.x > CAPTURE_LEFT_X
           && ball.x < CAPTURE_RIGHT_X;
}

static bool beyond_capture_line(const BallRecord& ball)
{
    return ball.y <= CAPTURE_TOP_Y || ball.y >= CAPTURE_BOTTOM_Y
           || ball.x <= CAPTURE_LEFT_X || ball.x >= CAPTURE_RIGHT_X;
}

static void capture(int i)
{
    BallRecord& ball = game.balls[i];
    const bool newly = ball.state == BALL_ON_TABLE;
    const float speed = std::hypot(ball.vx, ball.vy);
    ball.state = BALL_POTTED;
    ball.vx = 0;
    ball.vy = 0;
    report_ball_potted(i, speed, newly);
}

static bool inside_pull_circle(const BallRecord& ball, const Pocket& pocket)
{
    // Most balls are far from every pocket; the square spares them the exact test.
    if (std::fabs(ball.x - pocket.x) > POCKET_PULL_REACH
        || std::fabs(ball.y - pocket.y) > POCKET_PULL_REACH)
        return false;
    const long double dx = static_cast<long double>(ball.x) - pocket.x;
    const long double dy = static_cast<long double>(ball.y) - pocket.y;
    return dx * dx + dy * dy <= POCKET_PULL_RADIUS_SQ;
}

static float pulled(float v, int direction)
{
    return static_cast<float>(v + direction * POCKET_PULL_STEP);
}

void pocket_check(int i)
{
    if (far_from_every_pocket(game.balls[i])) return;
    if (beyond_capture_line(game.balls[i])) capture(i);
    // The pull circles lie far apart, so at most one pocket pulls.
    BallRecord& ball = game.balls[i];
    for (const Pocket& pocket : POCKETS) {
        if (!inside_pull_circle(ball, pocket)) continue;
        if (pocket.pull_x != 0) ball.vx = pulled(ball.vx, pocket.pull_x);
        ball.vy = pulled(ball.vy, pocket.pull_y);
    }
}
