#pragma once

#include "sim/variables.h"

// The placement region, in table pixels: 55..154 across, 55..240 down.
constexpr int REGION_LEFT_EXCLUSIVE = BALL_RADIUS + 45;
constexpr int REGION_RIGHT = 154;
constexpr int REGION_TOP_EXCLUSIVE = BALL_RADIUS + 45;
constexpr int REGION_BOTTOM_EXCLUSIVE = 250 - BALL_RADIUS;

// Puts the cue ball back on the table at (X, Y), table pixels, when the spot
// lies in the left part of the table and more than a ball's width from every
// other ball (those off the table count at their last position). Otherwise
// nothing changes; the caller sees the outcome in the cue ball's state.
void place_cue_ball(int X, int Y);
