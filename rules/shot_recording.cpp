#include "rules/shot_recording.h"

#include "rules/outcome.h"
#include "rules/random.h"
#include "rules/supervisor.h"
#include "sim/variables.h"

void record_first_touch(int i, int j)
{
    // The collision that opens a game never counts as a first touch.
    if (!game.first_contact_seen) {
        game.first_contact_seen = true;
        return;
    }
    tjoueur& shooter = game.players[game.current_player];
    if (i == CUE_BALL && shooter.first_touched == NoGroup)
        shooter.first_touched = game.balls[j].colour;
}

// The first object ball potted in a game gives its colour to the shooter.
static void assign_groups(int32_t shooter_colour)
{
    game.outcome = GROUPS_ASSIGNED;
    game.players[game.current_player].group = shooter_colour;
    game.players[other_player(game.current_player)].group = shooter_colour == RED ? YELLOW : RED;
}

static void record_object_ball_potted(int i)
{
    if (decides_game(game.outcome)) return;
    const tjoueur& shooter = game.players[game.current_player];
    const int32_t colour = game.balls[i].colour;
    if (shooter.group == NoGroup)
        assign_groups(colour);
    else if (colour == shooter.group)
        game.outcome = praise_code(random_below(PRAISE_CODE_COUNT));
    else if (!shooter.on_black)
        game.outcome = OPPONENT_BALL_POTTED;
}

void pocketing_rule(int i)
{
    if (i == CUE_BALL) {
        // Once the black has gone, only the black can change the outcome.
        if (!decides_game(game.outcome)) game.outcome = CUE_BALL_POTTED;
    } else if (i == BLACK_BALL) {
        const bool on_black = game.players[game.current_player].on_black;
        game.outcome = on_black ? BLACK_POTTED_TO_WIN : BLACK_POTTED_EARLY;
    } else {
        record_object_ball_potted(i);
    }
}
