#include "rules/undo.h"

#include "rules/player_rules.h"
#include "rules/supervisor.h"
#include "sim/ball_drawing.h"
#include "sim/step.h"
#include "sim/variables.h"
#include "sim/window.h"

// A ball's disc stands where it was last advanced to, except a cue ball put
// back by hand, which is drawn where it was put: clear both squares.
static void erase_where_drawn(int i)
{
    const BallRecord& ball = game.balls[i];
    if (ball.state != BALL_OFF_TABLE) window().restore_square(ball_square(ball.x, ball.y));
    erase_ball(i);
}

static void put_back_at_shot_start(int i)
{
    BallRecord& ball = game.balls[i];
    if (ball.shot_state == BALL_OFF_TABLE) game.undo_full_rack = false;
    erase_where_drawn(i);
    ball.colour = colour_of_ball(i);
    ball.state = ball.shot_state;
    ball.vx = 0;
    ball.vy = 0;
    ball.x = ball.shot_x;
    ball.y = ball.shot_y;
}

// What the undone shot and its judgement recorded goes with it, so that a
// retaken shot is judged as if the undone one had never been played.
static void put_back_what_the_shot_recorded()
{
    game.first_contact_seen = game.shot_first_contact_seen;
    for (int p = 1; p <= 2; ++p) take_player_rules(game.players[p], game.shot_players[p]);
}

bool undo_available()
{
    // The copies belong to the last shot of an earlier game, or to none, until
    // a shot has been launched in this one. Once the balls stop, the shot waits
    // up to one supervisor tick for its judgement, which would charge an undone
    // shot to the restored player.
    return !window().timer_on(Timer3) && balls_at_rest() && game.shot_launched_this_game
        && game.shot_evaluated;
}

void SpeedButton1Click()
{
    if (!undo_available()) return;
    game.skip_cue_restore = true;  // the table is redrawn whole below
    game.undo_full_rack = true;
    game.current_player = game.previous_player;
    window().set_status_line("");
    for (int i = 1; i <= BALL_COUNT; ++i) put_back_at_shot_start(i);
    for (int i = 1; i <= BALL_COUNT; ++i) draw_ball(i);
    window().show_back_buffer();
    window().repaint_main_window();
    // With every ball on the table at the launch, no group existed before the shot.
    if (game.undo_full_rack) {
        game.players[game.current_player].group = NoGroup;
        game.players[other_player(game.current_player)].group = NoGroup;
    }
    put_back_what_the_shot_recorded();
    game.turn_told = false;  // the restored player's turn begins again
}
