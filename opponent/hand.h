#pragma once

#include "opponent/table_reading.h"
#include "sim/variables.h"

// How a person's hand misses: the aim turns by more the thinner the cut and
// the farther the cue ball travels before it meets a ball, and the strength
// is off by a share of itself.
struct Hand {
    double steady_deviation = 0;   // radians, for a straight shot at a ball close by
    double per_cut = 0;            // radians added per radian of cut
    double per_travel = 0;         // radians added per table pixel the cue ball travels
    double strength_share = 0;     // how far off the strength is, as a share of it
};

// What makes a shot hard to aim: the cut on the first ball the cue ball
// meets, in radians (0 when it meets none), and how far it travels first, in
// table pixels (up to the far side of the table when it meets none).
struct ShotReach {
    double cut = 0;
    double travel = 0;
};

// The cue ball sent from `cue` along the direction (dx, dy) on `table`.
ShotReach shot_reach(const GameState& table, Point cue, double dx, double dy);

// The spread of the aim's error for a shot of that reach.
double aim_deviation(const Hand& hand, const ShotReach& reach);
