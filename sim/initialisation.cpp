#include "sim/initialisation.h"

#include "sim/ball_drawing.h"
#include "sim/variables.h"
#include "sim/window.h"

static void rack_balls()
{
    for (int i = 1; i <= BALL_COUNT; ++i) {
        BallRecord& ball = game.balls[i];
        ball.x = static_cast<float>(RACK_X[i]);
        ball.y = static_cast<float>(RACK_Y[i]);
        ball.vx = 0;
        ball.vy = 0;
        ball.state = BALL_ON_TABLE;
        ball.colour = colour_of_ball(i);
        draw_ball(i);
    }
}

static void reset_players()
{
    for (int p = 1; p <= 2; ++p) {
        game.players[p].group = NoGroup;
        game.players[p].keeps_turn = false;
        game.players[p].on_black = false;
    }
    // Player 2's first touch is cleared by the judgement that first hands them the turn.
    game.players[1].first_touched = NoGroup;
    game.players[1].name = game.player_name1;
    game.players[2].name = game.player_name2;
}

bool initialisation()
{
    if (!window().set_up_bitmaps()) return false;
    rack_balls();
    constexpr int cue_lengths_in_radii[5] = {2, 3, 13, 15, 20};
    for (int k = 0; k < 5; ++k)
        game.cue_distances[k] = static_cast<float>(cue_lengths_in_radii[k] * BALL_RADIUS);
    game.cue_distances[5] = static_cast<float>(20 * BALL_RADIUS + 3);
    if (!window().timer_on(Timer2)) window().repaint_main_window();
    game.shot_evaluated = true;
    game.steps_per_tick = 3;
    reset_players();
    game.current_player = 1;
    game.previous_player = 1;
    game.first_contact_seen = false;
    // A shot cut short by "New game" must not decide the new game.
    game.outcome = 0;
    game.shot_launched_this_game = false;
    window().set_status_line("Start new game");
    window().set_timer(Timer3, false);
    game.turn_told = false;
    window().new_rack();
    return true;
}

bool set_up_first_rack()
{
    game.aiming_enabled = false;
    // Without a table picture there is no rack; the supervisor waits for a New game that loads one.
    if (!initialisation()) return false;
    window().set_timer(Timer2, true);
    return true;
}

void Nouvellepartie1Click()
{
    window().set_timer(Timer2, false);
    game.aiming_enabled = false;
    game.game_over = false;
    if (!initialisation()) return;  // the supervisor stays off until a rack is set up
    // The table is redrawn whole below, so pixels saved under an old cue are stale.
    game.skip_cue_restore = true;
    window().set_timer(Timer2, true);
    window().show_back_buffer();
}
