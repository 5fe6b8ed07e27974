#pragma once

#include <cstdint>

#include "sim/idle_tests.h"

// Ball-to-ball contact, detected one step ahead on the look-ahead positions.
bool balls_touching(int a, int b);
bool balls_overlapping(int a, int b);
// Exchanges the velocity components along the line of centres.
void collide_balls(int a, int b);
// Answers every contact of ball i with a later ball (j > i) among the present
// ones (bits by ball number), and reports each one.
// Pairs that `idle` knows to change nothing are passed by; the others that
// touch nothing join them.
void collide_with_later_balls(int i, uint32_t present, IdleTests& idle);
