#pragma once

#include <cstdint>

// The game's one pseudo-random generator; it starts at 0 and is never reseeded.
// Returns a number from 0 to n - 1.
uint32_t random_below(uint32_t n);
