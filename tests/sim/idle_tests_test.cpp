#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "sim/for_tests.h"
#include "sim/initialisation.h"
#include "sim/shot_to_rest.h"
#include "sim/step.h"
#include "sim/variables.h"
#include "sim/window.h"

namespace {

constexpr int SHOTS = 50;

// Every test of the table run in every advance: a book that knows nothing
// passes nothing by.
void iteration_running_every_test()
{
    for (int a = 1; a <= BALL_COUNT; ++a) {
        game.idle_tests = IdleTests{};
        advance_ball(a);
    }
    for (BallRecord& ball : game.balls)
        if (ball.state == BALL_POTTED) ball.state = BALL_OFF_TABLE;
}

bool same_balls(const GameState& a, const GameState& b)
{
    return std::memcmp(&a.balls, &b.balls, sizeof a.balls) == 0;
}

// Cue-ball velocities that vary from break to break.
struct Breaks {
    uint32_t seed = 12345;
    uint32_t next() { return seed = seed * 1664525u + 1013904223u; }
    float between(float low, float high) { return low + (high - low) * (next() >> 8) / 16777216.0f; }
};

// Breaks of every pace and angle, played to rest with the book and without
// it: the balls agree bit for bit after every iteration.
TEST(IdleTests, PassingByKnownTestsChangesNoBitOfABreak)
{
    Breaks breaks;
    for (int shot = 0; shot < SHOTS; ++shot) {
        reset_game_state();
        attach_window(nullptr);
        initialisation();
        game.balls[CUE_BALL].vx = breaks.between(3, 16);
        game.balls[CUE_BALL].vy = breaks.between(-3, 3);
        GameState with_book = game;
        GameState without_book = game;
        for (int iteration = 0; !balls_at_rest(); ++iteration) {
            game = with_book;
            iteration_without_drawing();
            with_book = game;
            game = without_book;
            iteration_running_every_test();
            without_book = game;
            ASSERT_TRUE(same_balls(with_book, without_book))
                << "shot " << shot << ", iteration " << iteration;
        }
    }
}

}  // namespace
