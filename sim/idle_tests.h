#pragma once

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

#include "sim/ball.h"

// Which of the table's tests are known to change nothing. A cushion, pocket
// or pair test whose balls are, bit for bit, as they were when it last ran
// and changed nothing would change nothing again, so the step may pass it by.
// The book keeps what it last saw of every ball and forgets a ball's tests
// as soon as the ball differs from that, whoever changed it. A pair with a
// clear gap between its balls cannot touch: the book knows it at once.
// Its invariant: each test that a set bit of `alone`, `pairs`, `clear` or
// `settled` passes by would change nothing on the balls as `seen`, and the
// step notices every change to a ball before it reads a bit again.
struct IdleTests {
    // What the book last saw of each ball, by ball number: what its tests
    // read. Field by field, so one ball is compared with all the others at once.
    struct Seen {
        std::array<float, BALL_COUNT + 1> x, y, vx, vy;
        std::array<int32_t, BALL_COUNT + 1> state;
    };
    Seen seen{};
    uint32_t alone = 0;                            // bit i: ball i's cushion and pocket tests
    std::array<uint32_t, BALL_COUNT + 1> pairs{};  // bit j of pairs[i]: the pair (i, j), i < j
    // Bit j of clear[i], and bit i of clear[j]: a clear gap between balls i
    // and j as they were seen. A ball that only slows keeps its clear gaps.
    std::array<uint32_t, BALL_COUNT + 1> clear{};
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

// Two balls touch when their look-ahead centres come within 18 px. Taking
// both speeds off the distance on each axis gives the least gap the pair can
// have there; least gaps further than sqrt(325), about 18.03 px, apart mean the
// pair cannot touch. Positions and speeds stay far below 1024 px, where the
// rounding here and in the pair test comes to less than a thousandth of a pixel.
constexpr float CLEAR_DISTANCE_SQ = 325;

constexpr std::array<uint32_t, BALL_COUNT + 1> BALL_BIT = [] {
    std::array<uint32_t, BALL_COUNT + 1> bits{};
    for (int i = 0; i <= BALL_COUNT; ++i) bits[i] = 1u << i;
    return bits;
}();

// Every bit when `condition` holds, none otherwise: a choice made without a
// branch, so that the compiler takes several balls at once.
inline uint32_t all_bits_if(bool condition)
{
    return 0u - condition;
}

// Bit j: a clear gap between balls i and j. Plain arithmetic over every j,
// so that the compiler takes several at once.
inline uint32_t clear_of(const IdleTests::Seen& seen, int i)
{
    const float speed_x = std::fabs(seen.vx[i]);
    const float speed_y = std::fabs(seen.vy[i]);
    uint32_t clear = 0;
    for (int j = 1; j <= BALL_COUNT; ++j) {
        const float least_x = std::fabs(seen.x[i] - seen.x[j]) - speed_x - std::fabs(seen.vx[j]);
        const float least_y = std::fabs(seen.y[i] - seen.y[j]) - speed_y - std::fabs(seen.vy[j]);
        // Clear when max(least_x, 0)² + max(least_y, 0)² > CLEAR_DISTANCE_SQ.
        // A negative least gap counts as none. Told with bools, not by
        // choosing numbers, so that the compiler takes several balls at once.
        const bool open_x = least_x > 0;
        const bool open_y = least_y > 0;
        const float sq_x = least_x * least_x;
        const float sq_y = least_y * least_y;
        const bool far = (open_x & open_y & (sq_x + sq_y > CLEAR_DISTANCE_SQ))
                         | (open_x & (sq_x > CLEAR_DISTANCE_SQ)) | (open_y & (sq_y > CLEAR_DISTANCE_SQ));
        clear |= BALL_BIT[j] & all_bits_if(far);
    }
    return clear;
}

// A pair table keeps the pair (i, k) as bit k of row i and as bit i of row k
// (`pairs` only in the earlier ball's row), so what is written across ball
// i's row is written down its column too: bit i for row k when `row_i` has
// bit k. Without a branch, so that the compiler takes several rows at once.
inline uint32_t transposed_bit(uint32_t row_i, uint32_t bit_i, int k)
{
    return bit_i & all_bits_if(row_i & BALL_BIT[k]);
}

// Ball i's pairs with present balls after ball `after` that are not known.
inline uint32_t unknown_pairs_after(const IdleTests& idle, int i, uint32_t present, int after)
{
    return present & ~idle.pairs[i] & (~1u << after);
}

// Ball i's tests are forgotten, except its pairs with a clear gap.
inline void forget_tests_of(IdleTests& idle, int i)
{
    const uint32_t bit = 1u << i;
    const uint32_t earlier = bit - 1;
    const uint32_t clear = clear_of(idle.seen, i);
    idle.alone &= ~bit;
    idle.clear[i] = clear;
    idle.pairs[i] = clear & ~(earlier | bit);
    for (int k = 1; k <= BALL_COUNT; ++k) {
        const uint32_t with_i = transposed_bit(clear, bit, k);
        // `pairs` keeps the pair in row k only when k is the earlier ball.
        const uint32_t k_earlier = all_bits_if(earlier & BALL_BIT[k]);
        idle.clear[k] = (idle.clear[k] & ~bit) | with_i;
        idle.pairs[k] = (idle.pairs[k] & ~bit) | (with_i & k_earlier);
    }
    idle.settled &= ~(bit | (earlier & ~clear));
}

// Bit for bit: -0 differs from 0 here, as it does to a test that reads it.
inline bool seen_as_it_is(const IdleTests::Seen& seen, int i, const BallRecord& ball)
{
    const auto differ = [](float a, float b) {
        return std::bit_cast<uint32_t>(a) ^ std::bit_cast<uint32_t>(b);
    };
    return (differ(seen.x[i], ball.x) | differ(seen.y[i], ball.y) | differ(seen.vx[i], ball.vx)
            | differ(seen.vy[i], ball.vy) | static_cast<uint32_t>(seen.state[i] ^ ball.state))
           == 0;
}

// True when ball i differs from what `idle` last saw of it; what it is now is
// then seen and its tests forgotten. Inline: the step asks after every test.
inline bool notice_change(IdleTests& idle, int i, const BallRecord& ball)
{
    if (seen_as_it_is(idle.seen, i, ball)) return false;
    idle.seen.x[i] = ball.x;
    idle.seen.y[i] = ball.y;
    idle.seen.vx[i] = ball.vx;
    idle.seen.vy[i] = ball.vy;
    idle.seen.state[i] = ball.state;
    forget_tests_of(idle, i);
    return true;
}

// The same after friction, which only shrinks ball i's speed where it stands.
// A least gap is the distance less both speeds, each subtraction rounded, and
// a rounded difference never falls as what is taken off shrinks: ball i's
// clear gaps stay clear, and only its other tests are forgotten.
inline void notice_slowing(IdleTests& idle, int i, const BallRecord& ball)
{
    if (seen_as_it_is(idle.seen, i, ball)) return;
    idle.seen.vx[i] = ball.vx;
    idle.seen.vy[i] = ball.vy;
    const uint32_t bit = 1u << i;
    const uint32_t clear = idle.clear[i];
    idle.alone &= ~bit;
    idle.pairs[i] &= clear;
    for (int k = 1; k < i; ++k) idle.pairs[k] &= ~bit | transposed_bit(clear, bit, k);
    idle.settled &= ~(bit | ((bit - 1) & ~clear));
}
