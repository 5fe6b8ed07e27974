#pragma once

// Entry points for tests and benchmarks only; the game never calls them.

// Puts the pseudo-random generator back to its start-of-process state.
void reset_random();
