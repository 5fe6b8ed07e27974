#pragma once

// Plays the game headless the way the window's timers and the mouse would:
// the real simulation step, the real supervisor tick, the real rules.

// A fresh process, a new rack and the supervisor running, as after start-up.
void start_game();
// Takes every ball off the table, at rest, so that a situation can be laid out.
void clear_table();
// Puts ball i on the table at (x, y), at rest.
void place_ball(int i, float x, float y);
// Rebuilds the back buffer from the table picture with every ball on the
// table drawn, as a laid-out situation would look.
void redraw_table();
// What a mouse press on the table does when the cue ball is on it, with the
// cue ball launched at velocity (vx, vy) instead of from the aim.
void shoot(float vx, float vy);
// Supervisor ticks, with ten simulation ticks between two of them while the
// simulation timer runs, until the shot is judged.
void run_until_judged();
// Runs simulation ticks, with the supervisor as usual, until `stop` holds or
// the shot is judged; true when `stop` held.
bool run_until(bool (*stop)());
// Shoots and runs until judged.
void play_shot(float vx, float vy);
// What a successful cue-ball placement click does: the ball goes back on the
// table at (x, y), is drawn into the back buffer and the table is shown.
void put_cue_ball_back(float x, float y);
