#pragma once

// What the mouse on the drawing area does to the game, without drawing
// anything: the window's handlers, the headless driver and the computer
// opponent's search all aim and press through here.

struct GameState;

// While the balls rest and the cue ball is on the table, aims from the mouse
// at (X, Y), drawing-area pixels. True when it aimed (the cue is to be drawn).
bool move_over_table(int X, int Y);

enum class PressEffect {
    none,              // the game is over, or the table is not ready for a shot
    placement_tried,   // the cue ball was off the table: a placement at the press
    shot_launched,     // the cue ball left with the current aim and strength
};

// The cue ball is off the table: a press puts it back rather than shooting.
bool cue_ball_in_hand(const GameState& table);
// What a press would do on `table` as it stands; the one judge of whether a
// press counts, for the window's press and the network seat's alike.
PressEffect press_effect(const GameState& table);
// Presses at (X, Y) on the live game: does what `press_effect` says.
PressEffect press_on_table(int X, int Y);
