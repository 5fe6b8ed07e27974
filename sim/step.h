#pragma once

// The fixed-step simulation: positions advance by the velocity once per
// iteration; velocities are table pixels per iteration.

// Moves ball a by one step and, on the way, runs every cushion, pocket and
// collision test of the table once.
void advance_ball(int a);
// Balls 1 to 16, each in turn: the first half of an iteration.
void advance_all_balls();
// Rolling friction, once per iteration, in ball a's own advance.
void apply_friction(int a);
// True when every ball, on the table or not, has both velocity components exactly 0.
bool balls_at_rest();
// The end of every iteration, drawn or not: the balls potted in it leave the
// table, then the repeat watch sees the table as it stands.
void end_iteration();
// Advances balls 1 to 16, erases them where they stood, ends the iteration,
// then draws them and shows what changed.
void simulation_iteration();
// The simulation timer's tick: `steps_per_tick` iterations.
void Timer1Timer();
