#include "sim/step.h"

#include <cmath>

#include "sim/ball_drawing.h"
#include "sim/collision.h"
#include "sim/cushions.h"
#include "sim/pockets.h"
#include "sim/variables.h"
#include "sim/window.h"

// The single nearest to 0.992; each velocity component is multiplied by it once per iteration.
constexpr float ROLLING_FRICTION = 0.992f;
// Compared in double: the single nearest to 0.01 lies just below it and must still stop.
constexpr double STOP_SPEED = 0.01;

// On the table, or potted during this iteration and not yet erased.
static bool present(int i)
{
    return game.balls[i].state != BALL_OFF_TABLE;
}

// The cushion and pocket tests of ball i, unless they are known to change
// nothing. A ball on the table that leaves them unchanged was not captured,
// so they reported nothing either.
static void cushion_and_pocket(int i, IdleTests& idle)
{
    if (idle.alone >> i & 1) return;
    const bool on_table = game.balls[i].state == BALL_ON_TABLE;
    cushion_rebound(i);
    pocket_check(i);
    if (!notice_change(idle, i) && on_table) idle.alone |= 1u << i;
}

void advance_ball(int a)
{
    IdleTests& idle = game.idle_tests;
    notice_changes(idle);
    BallRecord& ball = game.balls[a];
    ball.prev_x = ball.x;
    ball.prev_y = ball.y;
    for (int i = 1; i <= BALL_COUNT; ++i) {
        if (!present(i)) continue;
        cushion_and_pocket(i, idle);
        collide_with_later_balls(i, idle);
        // Re-derived after every ball's tests, so ball a always ends the call
        // one step of its latest velocity away from where it started.
        ball.x = ball.prev_x + ball.vx;
        ball.y = ball.prev_y + ball.vy;
        notice_change(idle, a);
    }
    apply_friction(a);
    notice_change(idle, a);
}

static float damped(float v)
{
    const float slowed = v * ROLLING_FRICTION;
    return std::fabs(static_cast<double>(slowed)) < STOP_SPEED ? 0.0f : slowed;
}

void apply_friction(int a)
{
    BallRecord& ball = game.balls[a];
    ball.vx = damped(ball.vx);
    ball.vy = damped(ball.vy);
}

bool balls_at_rest()
{
    for (const BallRecord& ball : game.balls) {
        if (ball.vx != 0 || ball.vy != 0) return false;
    }
    return true;
}

void simulation_iteration()
{
    for (int a = 1; a <= BALL_COUNT; ++a) advance_ball(a);
    erase_all_balls();
    for (int i = 1; i <= BALL_COUNT; ++i) draw_ball(i);
    window().show_back_buffer_part(game.dirty_rect);
}

void Timer1Timer()
{
    for (int k = 0; k < game.steps_per_tick; ++k) simulation_iteration();
}
