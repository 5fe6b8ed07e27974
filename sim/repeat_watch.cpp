#include "sim/repeat_watch.h"

#include <bit>
#include <cstddef>

namespace {

uint32_t bits(float value)
{
    return std::bit_cast<uint32_t>(value);
}

// Bit for bit: -0 and 0 differ, as they do to the step. While balls roll the
// first of them already differs, so the look is short.
bool same_motion(const RepeatWatch::Motion& kept, const std::array<BallRecord, BALL_COUNT>& balls)
{
    for (std::size_t k = 0; k < balls.size(); ++k) {
        const BallRecord& ball = balls[k];
        const uint32_t differ = (bits(kept.x[k]) ^ bits(ball.x)) | (bits(kept.y[k]) ^ bits(ball.y))
                                | (bits(kept.vx[k]) ^ bits(ball.vx)) | (bits(kept.vy[k]) ^ bits(ball.vy))
                                | static_cast<uint32_t>(kept.state[k] ^ ball.state);
        if (differ != 0) return false;
    }
    return true;
}

void keep_motion(RepeatWatch::Motion& kept, const std::array<BallRecord, BALL_COUNT>& balls)
{
    for (std::size_t k = 0; k < balls.size(); ++k) {
        kept.x[k] = balls[k].x;
        kept.y[k] = balls[k].y;
        kept.vx[k] = balls[k].vx;
        kept.vy[k] = balls[k].vy;
        kept.state[k] = balls[k].state;
    }
}

}  // namespace

void start_repeat_watch(RepeatWatch& watch)
{
    watch.saved = false;
    watch.power = 1;
    watch.count = 0;
}

void watch_for_repeat(RepeatWatch& watch, std::array<BallRecord, BALL_COUNT>& balls)
{
    if (watch.saved && same_motion(watch.kept, balls)) {
        for (BallRecord& ball : balls) {
            ball.vx = 0;
            ball.vy = 0;
        }
        start_repeat_watch(watch);
        return;
    }
    if (++watch.count < watch.power) return;
    keep_motion(watch.kept, balls);
    watch.saved = true;
    watch.power *= 2;
    watch.count = 0;
}
