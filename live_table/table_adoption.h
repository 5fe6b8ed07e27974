#pragma once

#include <cstdint>

#include "match/state_line_reader.h"

// The live game takes the balls, players, turn, outcome, status line, flags
// and timer switches of `state`, the host's table, and the praise generator;
// the table is drawn afresh. No shot can be taken back until the next one.
void adopt_state_line(const StateLine& state, uint32_t praise);
