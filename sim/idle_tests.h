#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "sim/ball.h"

// Which of the table's tests are known to change nothing. A cushion, pocket
// or pair test whose balls are, bit for bit, as they were when it last ran
// and changed nothing would change nothing again, so the step may pass it by.
// The book keeps what it last saw of every ball and forgets a ball's tests
// as soon as the ball differs from that, whoever changed it.
struct IdleTests {
    // What the book last saw of a ball: the bits of what its tests read.
    struct Seen {
        uint32_t x, y, vx, vy;
        int32_t state;
        bool operator==(const Seen&) const = default;
    };
    std::array<Seen, BALL_COUNT + 1> seen{};  // indexed by ball number
    uint32_t alone = 0;                       // bit i: ball i's cushion and pocket tests
    std::array<uint32_t, BALL_COUNT + 1> pairs{};  // bit j of pairs[i]: the pair (i, j), i < j
    // Bit i: ball i's cushion and pocket tests and its pairs with every later
    // ball on the table are all known, so the step need not look at ball i.
    uint32_t settled = 0;
};

// Bit for bit: -0 differs from 0 here, as it does to a test that reads it.
inline IdleTests::Seen seen_now(const BallRecord& ball)
{
    return {std::bit_cast<uint32_t>(ball.x), std::bit_cast<uint32_t>(ball.y),
            std::bit_cast<uint32_t>(ball.vx), std::bit_cast<uint32_t>(ball.vy), ball.state};
}

inline void forget_tests_of(IdleTests& idle, int i)
{
    const uint32_t others = ~(1u << i);
    idle.alone &= others;
    idle.pairs[i] = 0;
    for (uint32_t& pairs : idle.pairs) pairs &= others;
    idle.settled &= ~0u << (i + 1);  // ball i and every earlier ball, paired with it
}

// True when ball i differs from what `idle` last saw of it; its tests are then
// forgotten and what it is now is seen. Inline: the step asks after every test.
inline bool notice_change(IdleTests& idle, int i, const BallRecord& ball)
{
    const IdleTests::Seen now = seen_now(ball);
    if (now == idle.seen[i]) return false;
    idle.seen[i] = now;
    forget_tests_of(idle, i);
    return true;
}
