#pragma once

// Aiming: the shot goes from the mouse through the cue ball, and the farther
// the mouse is from the ball, the harder the shot.

// The strongest shot: a mouse farther out gives the same one.
constexpr float FULL_STRENGTH = 28.0f;
// Pixels of mouse distance, beyond the ball's radius, per unit of strength.
constexpr double STRENGTH_DIVISOR = 6;

// Sets the aim angle, its sine and negated cosine and the strength from the
// mouse at (X, Y) in drawing-area pixels.
void update_aim(int X, int Y);
struct ShotVelocity {
    float vx = 0;
    float vy = 0;
};
// The cue ball's velocity for a shot with the current aim and strength.
ShotVelocity shot_velocity();

// How far from the cue ball's centre the mouse gives a shot of `strength`,
// held between the weakest shot and full strength: aiming read backwards.
double distance_for_strength(double strength);
