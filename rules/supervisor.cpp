#include "rules/supervisor.h"

#include "rules/end_banner.h"
#include "rules/outcome.h"
#include "sim/step.h"
#include "sim/window.h"

namespace {

tjoueur& current_player_record()
{
    return game.players[game.current_player];
}

// Fouls replace what was recorded; touching the black first beats the others.
void judge_first_touch(const tjoueur& shooter)
{
    const int32_t touched = shooter.first_touched;
    if (touched == NoGroup)
        game.outcome = NO_BALL_TOUCHED;
    else if (shooter.group != NoGroup && game.outcome != GROUPS_ASSIGNED && touched != shooter.group)
        game.outcome = WRONG_GROUP_TOUCHED_FIRST;
    if (touched == BLACK) game.outcome = BLACK_TOUCHED_FIRST;
}

void judge_shot()
{
    tjoueur& shooter = current_player_record();
    if (decides_game(game.outcome)) {
        game.end_text = END_OF_GAME;
        show_end_banner();
        return;
    }
    // A shooter on the black commits no foul, and their turn flag stays as it was.
    if (shooter.on_black) return;
    judge_first_touch(shooter);
    if (game.outcome < 0) shooter.keeps_turn = true;
    if (game.outcome > 0) shooter.keeps_turn = false;
}

// After a foul, or while no two balls have met yet in this game, the player
// who shoots next gets an extra visit.
void grant_extra_visit()
{
    const bool after_foul = game.outcome >= CUE_BALL_POTTED;
    if (after_foul || !game.first_contact_seen) current_player_record().keeps_turn = true;
}

void close_shot()
{
    current_player_record().first_touched = NoGroup;
    game.shot_evaluated = true;
    game.outcome = NOTHING_RECORDED;
}

// Once per shot, rack or undo: whoever plays the next turn hears it.
void tell_the_table_is_ready()
{
    if (game.turn_told) return;
    game.turn_told = true;
    if (game.game_over)
        window().game_ended();
    else
        window().turn_begins();
}

}  // namespace

int other_player(int p)
{
    return p == 1 ? 2 : 1;
}

bool group_off_table(const GameState& table, int32_t group)
{
    for (int i = BLACK_BALL + 1; i <= BALL_COUNT; ++i)
        if (colour_of_ball(i) == group && table.balls[i].state != BALL_OFF_TABLE) return false;
    return true;
}

void switch_turn()
{
    game.previous_player = game.current_player;
    tjoueur& player = current_player_record();
    if (player.keeps_turn)
        player.keeps_turn = false;
    else
        game.current_player = other_player(game.current_player);
}

void check_group_cleared()
{
    // Until a first rack has been set up nobody is to play (a table picture
    // that failed to load at start-up leaves the game there).
    if (game.current_player == 0) return;
    tjoueur& player = current_player_record();
    if (player.group != NoGroup && group_off_table(game, player.group)) player.on_black = true;
}

std::string message_for(OutcomeCode code)
{
    switch (code) {
    case NO_BALL_TOUCHED: return "Faul! Put white boal in the left part of the table";
    case BLACK_POTTED_EARLY: return std::string(END_OF_GAME);
    case WRONG_GROUP_TOUCHED_FIRST: return "Not a bad shoot!";
    case PRAISE_BRAVO: return "Bravo!";
    case PRAISE_EXCELLENT: return "Exellent shoot!";
    case GROUPS_ASSIGNED: return "Boal is here!";
    case BLACK_POTTED_TO_WIN: return "Victory!";
    default: return "";
    }
}

int winner_of(const GameState& table, std::string_view status)
{
    if (!table.game_over) return 0;
    const int shooter = table.previous_player;
    return status == message_for(BLACK_POTTED_TO_WIN) ? shooter : other_player(shooter);
}

void messages()
{
    window().set_status_line(message_for(game.outcome));
}

void noms_joueurs()
{
    game.player_name1 = {};
    game.player_name2 = {};
    window().show_player_indicators(game.players[1].group, game.players[2].group,
                                    game.current_player);
}

OutcomeCode judge_finished_shot()
{
    judge_shot();
    switch_turn();
    messages();
    const OutcomeCode judged = game.outcome;
    grant_extra_visit();
    close_shot();
    return judged;
}

void Timer2Timer()
{
    game.players[1].name = game.player_name1;
    game.players[2].name = game.player_name2;
    noms_joueurs();
    if (!balls_at_rest()) {
        window().set_timer(Timer1, true);
        game.aiming_enabled = false;
        return;
    }
    window().set_timer(Timer1, false);
    game.aiming_enabled = true;
    if (!game.shot_evaluated) judge_finished_shot();  // each shot is judged once
    tell_the_table_is_ready();
}
