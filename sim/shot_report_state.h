#pragma once

#include <array>
#include <cstdint>

#include "sim/ball.h"

// What a game keeps for the reports of its shots (sim/shot_events.h).

// The rules' recording, as the launch hands it to the game.
struct ShotRecording {
    // Every pair (i, j), i < j, found touching, right after the collision response.
    void (*balls_touched)(int i, int j) = nullptr;
    // Each time the pocket test finds ball i beyond a capture line.
    void (*ball_potted)(int i) = nullptr;
};

// Pairs in touch, bit j of [i] for the pair (i, j): in this iteration so far,
// and in the last one. A pair that stays in touch is one meeting.
struct Contacts {
    std::array<uint32_t, BALL_COUNT + 1> now{}, before{};
    bool any_now = false, any_before = false;  // spares the iterations without a touch
};
