#pragma once

// Puts the cue ball back on the table at (X, Y), table pixels, when the spot
// lies in the left part of the table and more than a ball's width from every
// other ball (those off the table count at their last position). Otherwise
// nothing changes; the caller sees the outcome in the cue ball's state.
void place_cue_ball(int X, int Y);
