#pragma once

#include <array>
#include <cstdint>

#include "sim/ball.h"

// Watches a shot for a table that repeats itself: two balls left touching
// can renew each other's tiny speeds as fast as friction takes them, and end
// every iteration exactly as they began it. The step depends only on the
// balls, so a repeated state repeats forever, while a shot that comes to rest
// by itself never repeats one. States are kept after iterations 1, 3, 7, 15,
// ... of the shot and each is compared with the iterations that follow, which
// finds a repeat of any period.
struct RepeatWatch {
    struct Motion {
        std::array<float, BALL_COUNT> x, y, vx, vy;
        std::array<int32_t, BALL_COUNT> state;
    };
    bool saved = false;
    Motion kept{};
    uint32_t power = 1;
    uint32_t count = 0;
};

// The launch starts a fresh watch for its shot.
void start_repeat_watch(RepeatWatch& watch);
// After each iteration of a shot, once its potted balls have been taken off:
// a state seen before stops every ball where it stands.
void watch_for_repeat(RepeatWatch& watch, std::array<BallRecord, BALL_COUNT>& balls);
