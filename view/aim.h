#pragma once

// Aiming: the shot goes from the mouse through the cue ball, and the farther
// the mouse is from the ball, the harder the shot.

// Sets the aim angle, its sine and negated cosine and the strength from the
// mouse at (X, Y) in drawing-area pixels.
void update_aim(int X, int Y);
// Starts the cue ball with the current aim and strength.
void give_cue_ball_its_velocity();
