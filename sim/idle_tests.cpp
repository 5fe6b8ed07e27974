#include "sim/idle_tests.h"

#include <cstring>

#include "sim/variables.h"

static IdleTests::Seen seen_now(const BallRecord& ball)
{
    return IdleTests::Seen{ball.x, ball.y, ball.vx, ball.vy, ball.state};
}

static void forget_tests_of(IdleTests& idle, int i)
{
    const uint32_t others = ~(1u << i);
    idle.alone &= others;
    idle.pairs[i] = 0;
    for (uint32_t& pairs : idle.pairs) pairs &= others;
}

bool notice_change(IdleTests& idle, int i)
{
    const IdleTests::Seen now = seen_now(game.balls[i]);
    // Bit for bit: -0 differs from 0 here, as it does to a test that reads it.
    if (std::memcmp(&now, &idle.seen[i], sizeof now) == 0) return false;
    idle.seen[i] = now;
    forget_tests_of(idle, i);
    return true;
}

void notice_changes(IdleTests& idle)
{
    for (int i = 1; i <= BALL_COUNT; ++i) notice_change(idle, i);
}
