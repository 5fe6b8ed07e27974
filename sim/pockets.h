#pragma once

#include "sim/table_geometry.h"

// A pocket and the way its pull draws a nearby ball.
struct Pocket {
    int x, y;
    int pull_x, pull_y;  // direction of the pull on each component: -1, 0 or +1
};

constexpr Pocket POCKETS[6] = {
    {POCKET_LEFT_X, POCKET_CORNER_TOP_Y, -1, -1},
    {POCKET_MIDDLE_X, POCKET_MIDDLE_TOP_Y, 0, -1},
    {POCKET_RIGHT_X, POCKET_CORNER_TOP_Y, +1, -1},
    {POCKET_LEFT_X, POCKET_CORNER_BOTTOM_Y, -1, +1},
    {POCKET_MIDDLE_X, POCKET_MIDDLE_BOTTOM_Y, 0, +1},
    {POCKET_RIGHT_X, POCKET_CORNER_BOTTOM_Y, +1, +1},
};

// Captures ball i when its centre has reached a capture line, then lets a
// nearby pocket pull its velocity toward the pocket.
void pocket_check(int i);
