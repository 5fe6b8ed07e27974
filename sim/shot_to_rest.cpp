#include "sim/shot_to_rest.h"

#include "sim/step.h"
#include "sim/variables.h"
#include "sim/window.h"

void iteration_without_drawing()
{
    advance_all_balls();
    end_iteration();
}

bool run_shot_to_rest(int max_supervisor_ticks)
{
    const int per_supervisor_tick =
        timer_interval_ms(Timer2) / timer_interval_ms(Timer1) * game.steps_per_tick;
    for (int tick = 0; tick < max_supervisor_ticks; ++tick) {
        if (balls_at_rest()) return true;
        for (int k = 0; k < per_supervisor_tick; ++k) iteration_without_drawing();
    }
    return balls_at_rest();
}
