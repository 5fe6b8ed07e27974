#include "sim/step.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "sim/ball_drawing.h"
#include "sim/collision.h"
#include "sim/cushions.h"
#include "sim/pockets.h"
#include "sim/shot_events.h"
#include "sim/variables.h"
#include "sim/window.h"

// The single nearest to 0.992; each velocity component is multiplied by it once per iteration.
constexpr float ROLLING_FRICTION = 0.992f;
// Compared in double: the single nearest to 0.01 lies just below it and must still stop.
constexpr double STOP_SPEED = 0.01;

// Changes made outside the step come to light here, and the book sees which
// balls are present.
static void notice_changes(IdleTests& idle)
{
    idle.present = 0;
    for (int i = 1; i <= BALL_COUNT; ++i) {
        notice_change(idle, i, game.balls[i]);
        if (game.balls[i].state != BALL_OFF_TABLE) idle.present |= 1u << i;
    }
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
    if (!notice_change(idle, i, game.balls[i]) && on_table) idle.alone |= 1u << i;
}

// Every test of ball i that is not known to change nothing: its cushion and
// pocket tests, then its pairs with later balls.
static void run_tests_of(int i, uint32_t present, IdleTests& idle)
{
    if (idle.settled >> i & 1) return;
    cushion_and_pocket(i, idle);
    collide_with_later_balls(i, present, idle);
    const bool pairs_known = unknown_pairs_after(idle, i, present, i) == 0;
    if ((idle.alone >> i & 1) && pairs_known) idle.settled |= 1u << i;
}

// Ball a one step of its latest velocity away from where it started.
static void step_from_previous_position(int a, IdleTests& idle)
{
    BallRecord& ball = game.balls[a];
    ball.x = ball.prev_x + ball.vx;
    ball.y = ball.prev_y + ball.vy;
    notice_change(idle, a, ball);
}

// Runs the tests of every ball on the table in number order. Ball a steps
// again after each ball's tests, as a collision may have changed its
// velocity; so the first ball's tests see ball a where it stood and every
// later one sees it moved. A settled ball's tests would change nothing and
// leave ball a's velocity as it was, so the step passes it by.
void advance_ball(int a)
{
    IdleTests& idle = game.idle_tests;
    if (!idle.within_iteration) notice_changes(idle);
    const uint32_t present = idle.present;
    BallRecord& ball = game.balls[a];
    ball.prev_x = ball.x;
    ball.prev_y = ball.y;
    if (present != 0) {
        int i = std::countr_zero(present);
        run_tests_of(i, present, idle);
        step_from_previous_position(a, idle);
        for (uint32_t later; (later = present & ~idle.settled & (~1u << i)) != 0;) {
            i = std::countr_zero(later);
            run_tests_of(i, present, idle);
            step_from_previous_position(a, idle);
        }
    }
    apply_friction(a);
    notice_slowing(idle, a, ball);
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

void advance_all_balls()
{
    IdleTests& idle = game.idle_tests;
    notice_changes(idle);
    idle.within_iteration = true;
    for (int a = 1; a <= BALL_COUNT; ++a) advance_ball(a);
    idle.within_iteration = false;
    end_contacts_of_iteration(game.contacts);
}

void end_iteration()
{
    for (BallRecord& ball : game.balls)
        if (ball.state == BALL_POTTED) ball.state = BALL_OFF_TABLE;
    watch_for_repeat(game.repeat_watch, game.balls.items);
}

void simulation_iteration()
{
    advance_all_balls();
    erase_all_balls();
    end_iteration();
    for (int i = 1; i <= BALL_COUNT; ++i) draw_ball(i);
    window().show_back_buffer_part(game.dirty_rect);
}

void Timer1Timer()
{
    for (int k = 0; k < game.steps_per_tick; ++k) simulation_iteration();
}
