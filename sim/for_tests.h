#pragma once

// Entry points for tests and benchmarks only; the game never calls them.

// Puts the game state back as it is when the process starts: all zero and empty.
void reset_game_state();
