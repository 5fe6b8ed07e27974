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
    };
    std::array<Seen, BALL_COUNT + 1> seen{};  // indexed by ball number
    uint32_t alone = 0;                       // bit i: ball i's cushion and pocket tests
    std::array<uint32_t, BALL_COUNT + 1> pairs{};  // bit j of pairs[i]: the pair (i, j), i < j
    // The pairs among those known for a clear gap between their balls; the
    // gap only widens when a ball slows where it stands.
    std::array<uint32_t, BALL_COUNT + 1> apart{};
    // Bit i: ball i's cushion and pocket tests and its pairs with every later
    // ball on the table are all known, so the step need not look at ball i.
    uint32_t settled = 0;
    // Bit i: ball i on the table or potted and not yet erased, as last seen.
    // No ball leaves this set during an iteration.
    uint32_t present = 0;
    // Set while an iteration advances its balls: between two advances of one
    // iteration only the step touches the balls, and it tells the book.
    bool within_iteration = false;
};

// Bit for bit: -0 differs from 0 here, as it does to a test that reads it.
inline IdleTests::Seen seen_now(const BallRecord& ball)
{
    return {std::bit_cast<uint32_t>(ball.x), std::bit_cast<uint32_t>(ball.y),
            std::bit_cast<uint32_t>(ball.vx), std::bit_cast<uint32_t>(ball.vy), ball.state};
}

// One comparison of all five, without a branch per field.
inline bool same_bits(const IdleTests::Seen& a, const IdleTests::Seen& b)
{
    return ((a.x ^ b.x) | (a.y ^ b.y) | (a.vx ^ b.vx) | (a.vy ^ b.vy)
            | static_cast<uint32_t>(a.state ^ b.state))
           == 0;
}

inline void forget_tests_of(IdleTests& idle, int i)
{
    const uint32_t others = ~(1u << i);
    idle.alone &= others;
    idle.pairs[i] = 0;
    idle.apart[i] = 0;
    for (int k = 1; k < i; ++k) {
        idle.pairs[k] &= others;
        idle.apart[k] &= others;
    }
    idle.settled &= ~0u << (i + 1);  // ball i and every earlier ball, paired with it
}

// True when ball i differs from what `idle` last saw of it; its tests are then
// forgotten and what it is now is seen. Inline: the step asks after every test.
inline bool notice_change(IdleTests& idle, int i, const BallRecord& ball)
{
    const IdleTests::Seen now = seen_now(ball);
    if (same_bits(now, idle.seen[i])) return false;
    idle.seen[i] = now;
    forget_tests_of(idle, i);
    return true;
}

// The same after friction, which only shrinks ball i's velocity where it
// stands: its pairs known for a clear gap stay known.
inline void notice_slowing(IdleTests& idle, int i, const BallRecord& ball)
{
    const IdleTests::Seen now = seen_now(ball);
    if (same_bits(now, idle.seen[i])) return;
    idle.seen[i] = now;
    const uint32_t bit = 1u << i;
    uint32_t unsettled = bit;
    idle.alone &= ~bit;
    idle.pairs[i] = idle.apart[i];
    for (int k = 1; k < i; ++k) {
        if (idle.apart[k] & bit) continue;
        idle.pairs[k] &= ~bit;
        unsettled |= 1u << k;
    }
    idle.settled &= ~unsettled;
}
