#pragma once

#include <vector>

#include "sim/variables.h"

// A plain reading of a table at rest, from the geometry alone: which balls a
// player may aim at, and how easy their easiest pot looks.

struct Point {
    double x = 0;
    double y = 0;
};

// The balls `player` may legally strike first: the black once their group
// has left the table, their group, or any object ball while no groups exist.
std::vector<int> target_balls(const GameState& table, int player);

// Where the cue ball must be when it meets `target` to send it to `pocket`.
Point ghost_ball(Point target, Point pocket);

// How easy it looks to pot `target` into `pocket` with the cue ball at `cue`:
// 0 when impossible or blocked, up to 1 for a short straight pot.
double pot_ease(const GameState& table, Point cue, int target, Point pocket);

// The easiest pot `player` would have on `table`, from 0 to 1. A cue ball
// off the table counts as a fairly easy table, since it goes back in hand.
double best_pot_ease(const GameState& table, int player);
