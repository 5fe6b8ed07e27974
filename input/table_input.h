#pragma once

// What the mouse on the drawing area does to the game, without drawing
// anything: the window's handlers, the headless driver and the computer
// opponent's search all aim and press through here.

// While the balls rest and the cue ball is on the table, aims from the mouse
// at (X, Y), drawing-area pixels. True when it aimed (the cue is to be drawn).
bool move_over_table(int X, int Y);

enum class PressEffect {
    none,              // the game is over, or the table is not ready for a shot
    placement_tried,   // the cue ball was off the table: a placement at the press
    shot_launched,     // the cue ball left with the current aim and strength
};

PressEffect press_on_table(int X, int Y);
