#pragma once

// What the simulation reports while the balls run, for whoever keeps the
// score. The simulation knows nothing of the listener: the rules install
// their handlers, and until then the reports go nowhere.
struct ShotEvents {
    // Every pair (i, j), i < j, found touching, right after the collision response.
    void (*balls_touched)(int i, int j) = nullptr;
    // Each time the pocket test finds ball i beyond a capture line.
    void (*ball_potted)(int i) = nullptr;
};

void install_shot_events(const ShotEvents& events);

void report_balls_touched(int i, int j);
void report_ball_potted(int i);
