#pragma once

#include "sim/shot_report_state.h"

// What the simulation reports while the balls run. The rules' recording of
// the shot hears every game, a worker's trial too: the launch hands it to
// the game. The table events (sim/table_events.h) go only to the window of
// the live game; a worker's headless window lets them pass.

// Balls i and j are about to be pushed apart: a meeting begins when they were
// not in touch in this iteration or the last one.
void report_meeting(int i, int j);
void report_balls_touched(int i, int j);
// `speed`: the ball's speed as it went; `newly` when it has just left the table.
void report_ball_potted(int i, float speed, bool newly);
void report_cushion(int i, float speed);
// At the end of each iteration's advances.
void end_contacts_of_iteration(Contacts& contacts);
