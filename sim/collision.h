#pragma once

// Ball-to-ball contact, detected one step ahead on the look-ahead positions.
bool balls_touching(int a, int b);
bool balls_overlapping(int a, int b);
// Exchanges the velocity components along the line of centres.
void collide_balls(int a, int b);
