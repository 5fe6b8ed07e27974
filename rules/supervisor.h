#pragma once

#include <string>
#include <string_view>

#include "sim/variables.h"

// The banner of a decided game, and the status line of a lost one.
constexpr std::string_view END_OF_GAME = "The end of the game";

// The supervisor's tick (every 100 ms): runs the simulation timer while any
// ball moves and judges each finished shot once.
void Timer2Timer();
// The supervisor's judgement of a shot whose balls have come to rest: fouls,
// the turn, the message, an extra visit; the shot is then closed. Returns the
// outcome code as judged, before the closing clears it.
OutcomeCode judge_finished_shot();
void switch_turn();
int other_player(int p);
// Whether every ball of the colour group `group` has left `table`.
bool group_off_table(const GameState& table, int32_t group);
// Sets the shooter on the black once their group has left the table.
void check_group_cleared();
// The status-line text for an outcome code; empty for codes without one.
std::string message_for(OutcomeCode code);
// Who won the game over on `table`, whose status line the rules set to
// `status`: the shooter of the last shot when it potted the black in time,
// the other player when it lost the game. 0 while the game goes on.
int winner_of(const GameState& table, std::string_view status);
// Shows the message of the current outcome in the status line.
void messages();
// Refreshes the two (hidden) player indicators.
void noms_joueurs();
