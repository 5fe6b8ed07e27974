#pragma once

// A shot played out on this thread's game state with no drawing at all: the
// computer opponent's unit of work. The balls move exactly as the timers
// would move them in the window; only `dirty_rect`, which nothing but the
// drawing reads, is left alone.

// One simulation iteration without its drawing half: balls 1 to 16 advance,
// then the iteration ends as a drawn one does.
void iteration_without_drawing();

// Runs the simulation from a launch as the supervisor does: it starts the
// simulation timer at its first tick and looks again every tick, ten
// simulation ticks later. Returns true once every ball rests at a tick, then
// the shot is ready to be judged; false if balls still move after
// `max_supervisor_ticks` ticks.
bool run_shot_to_rest(int max_supervisor_ticks);
