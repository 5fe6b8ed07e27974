#pragma once

#include <array>
#include <cstdint>

// Which of the table's tests are known to change nothing. A cushion, pocket
// or pair test whose balls are, bit for bit, as they were when it last ran
// and changed nothing would change nothing again, so the step may pass it by.
// The book keeps what it last saw of every ball and forgets a ball's tests
// as soon as the ball differs from that, whoever changed it.
struct IdleTests {
    // What the book last saw of a ball: what its tests read.
    struct Seen {
        float x, y, vx, vy;
        int32_t state;
    };
    std::array<Seen, 17> seen{};  // indexed by ball number
    uint32_t alone = 0;                  // bit i: ball i's cushion and pocket tests
    std::array<uint32_t, 17> pairs{};    // bit j of pairs[i]: the pair (i, j), i < j
};

// True when ball i differs from what `idle` last saw of it; its tests are then
// forgotten and what it is now is seen.
bool notice_change(IdleTests& idle, int i);
// The same for every ball: changes made outside the step come to light here.
void notice_changes(IdleTests& idle);
