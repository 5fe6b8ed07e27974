#pragma once

// The press that shoots: aiming goes off, the cue ball starts with velocity
// (vx, vy), every ball's state and position are copied for the undo, the cue
// leaves the screen and the shot waits for its judgement. The supervisor sees
// the moving cue ball at its next tick and starts the simulation.
void launch_shot(float vx, float vy);
