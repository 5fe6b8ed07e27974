#include "rules/launch.h"

#include "sim/variables.h"
#include "sim/window.h"

// Every ball's state and position at the start of the shot, for the undo.
static void take_shot_start_copies()
{
    for (BallRecord& ball : game.balls) {
        ball.shot_state = ball.state;
        ball.shot_x = ball.x;
        ball.shot_y = ball.y;
    }
    game.shot_launched_this_game = true;
}

void launch_shot(float vx, float vy)
{
    game.aiming_enabled = false;
    BallRecord& cue_ball = game.balls[CUE_BALL];
    cue_ball.vx = vx;
    cue_ball.vy = vy;
    take_shot_start_copies();
    window().remove_cue_from_screen();
    game.shot_evaluated = false;
}
