#pragma once

#include "sim/variables.h"

// Whether the cue ball may go back on `table` at (X, Y), table pixels: the
// spot lies in the left part of the table and more than a ball's width, and
// `margin` pixels besides, from every other ball (those off the table count
// at their last position).
bool cue_ball_fits(const GameState& table, int X, int Y, float margin = 0);

// The game goes on and its judged shot left the cue ball off `table`: the
// player at the cue puts it back before they shoot.
bool cue_ball_to_be_placed(const GameState& table);

// Puts the cue ball back on the table at (X, Y) when it fits there.
// Otherwise nothing changes; the caller sees the outcome in the cue ball's state.
void place_cue_ball(int X, int Y);
