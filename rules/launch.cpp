#include "rules/launch.h"

#include "rules/shot_recording.h"
#include "sim/variables.h"
#include "sim/window.h"

// Every ball's state and position, and what the judgement reads, at the
// start of the shot, for the undo.
static void take_shot_start_copies()
{
    for (BallRecord& ball : game.balls) {
        ball.shot_state = ball.state;
        ball.shot_x = ball.x;
        ball.shot_y = ball.y;
    }
    game.shot_first_contact_seen = game.first_contact_seen;
    game.shot_players = game.players;
    game.shot_launched_this_game = true;
}

void launch_shot(float vx, float vy)
{
    game.aiming_enabled = false;
    BallRecord& cue_ball = game.balls[CUE_BALL];
    cue_ball.vx = vx;
    cue_ball.vy = vy;
    take_shot_start_copies();
    start_repeat_watch(game.repeat_watch);
    // Whichever game the shot is played in, its own or a trial's, records it.
    game.recording = {record_first_touch, pocketing_rule};
    window().table_event({TableEventKind::cue_strike, CUE_BALL, 0, game.shot_strength});
    window().remove_cue_from_screen();
    game.shot_evaluated = false;
    game.turn_told = false;
}
