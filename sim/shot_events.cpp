#include "sim/shot_events.h"

namespace {
ShotEvents listeners;
}

void install_shot_events(const ShotEvents& events)
{
    listeners = events;
}

void report_balls_touched(int i, int j)
{
    if (listeners.balls_touched) listeners.balls_touched(i, j);
}

void report_ball_potted(int i)
{
    if (listeners.ball_potted) listeners.ball_potted(i);
}
