#pragma once

#include "sim/rect.h"

// Balls are drawn into the back buffer and erased by copying the table picture
// back under them. This keeps the book of what changed (`dirty_rect`); the
// pixels go through the window.

// The square a ball covers, at a position truncated toward zero.
Rect ball_square(float x, float y);

// Draws ball i at its position (balls off the table are not drawn) and adds
// its square to `dirty_rect`.
void draw_ball(int i);
// Erases ball i at its previous position without touching `dirty_rect`.
void erase_ball(int i);
// Starts a fresh `dirty_rect` and erases every ball on the table, adding
// each erased square to it.
void erase_all_balls();
