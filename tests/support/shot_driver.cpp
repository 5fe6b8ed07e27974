#include "tests/support/shot_driver.h"

#include <gtest/gtest.h>

#include "rules/for_tests.h"
#include "rules/game_wiring.h"
#include "rules/launch.h"
#include "rules/supervisor.h"
#include "sim/ball_drawing.h"
#include "sim/for_tests.h"
#include "sim/initialisation.h"
#include "sim/step.h"
#include "sim/variables.h"
#include "sim/window.h"

namespace {
constexpr int SIMULATION_TICKS_PER_SUPERVISOR_TICK = 10;
// A shot at full strength comes to rest within about thirty supervisor ticks.
constexpr int SUPERVISOR_TICK_LIMIT = 1000;
}

void start_game()
{
    reset_game_state();
    reset_random();
    initialisation();
    window().set_timer(Timer2, true);
}

void clear_table()
{
    for (BallRecord& ball : game.balls) {
        ball.state = BALL_OFF_TABLE;
        ball.vx = 0;
        ball.vy = 0;
    }
}

void place_ball(int i, float x, float y)
{
    BallRecord& ball = game.balls[i];
    ball.state = BALL_ON_TABLE;
    ball.x = ball.prev_x = x;
    ball.y = ball.prev_y = y;
    ball.vx = 0;
    ball.vy = 0;
}

void redraw_table()
{
    window().reset_back_buffer();
    for (int i = 1; i <= BALL_COUNT; ++i) draw_ball(i);
}

void shoot(float vx, float vy)
{
    check_group_cleared();
    launch_shot(vx, vy);
}

bool run_until(bool (*stop)())
{
    for (int tick = 0; tick < SUPERVISOR_TICK_LIMIT; ++tick) {
        Timer2Timer();
        if (game.shot_evaluated) return false;
        for (int k = 0; k < SIMULATION_TICKS_PER_SUPERVISOR_TICK; ++k) {
            if (stop && stop()) return true;
            if (window().timer_on(Timer1)) Timer1Timer();
        }
    }
    ADD_FAILURE() << "the shot never came to rest";
    return false;
}

void run_until_judged()
{
    run_until(nullptr);
}

void play_shot(float vx, float vy)
{
    shoot(vx, vy);
    run_until_judged();
}

void put_cue_ball_back(float x, float y)
{
    check_group_cleared();
    BallRecord& cue = game.balls[CUE_BALL];
    cue.state = BALL_ON_TABLE;
    cue.x = x;
    cue.y = y;
    draw_ball(CUE_BALL);
    window().show_back_buffer();
}
