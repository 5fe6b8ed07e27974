#include "rules/shot_recording.h"

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

void pocketing_rule(int /*i*/)
{
}
