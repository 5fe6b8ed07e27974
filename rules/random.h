#pragma once

#include <cstdint>

// The game's one pseudo-random generator; it starts at 0 and is never reseeded.
// Returns a number from 0 to n - 1.
uint32_t random_below(uint32_t n);

// The generator's state, which a match file or a joining network player
// starts from so that the praise goes on as it would have.
uint32_t praise_state();
void set_praise_state(uint32_t state);
