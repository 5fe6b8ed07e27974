#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "sim/collision.h"
#include "sim/cushions.h"
#include "sim/for_tests.h"
#include "sim/initialisation.h"
#include "sim/pockets.h"
#include "sim/shot_events.h"
#include "sim/shot_to_rest.h"
#include "sim/step.h"
#include "sim/variables.h"
#include "sim/window.h"

namespace {

constexpr int SHOTS = 20;

// The step as it reads without the book: every ball's cushion, pocket and
// pair tests in every advance, ball a stepping again after each ball's tests.
void advance_running_every_test(int a)
{
    BallRecord& ball = game.balls[a];
    ball.prev_x = ball.x;
    ball.prev_y = ball.y;
    for (int i = 1; i <= BALL_COUNT; ++i) {
        if (game.balls[i].state == BALL_OFF_TABLE) continue;
        cushion_rebound(i);
        pocket_check(i);
        for (int j = i + 1; j <= BALL_COUNT; ++j) {
            if (game.balls[j].state == BALL_OFF_TABLE || !balls_touching(i, j)) continue;
            collide_balls(i, j);
            report_balls_touched(i, j);
        }
        ball.x = ball.prev_x + ball.vx;
        ball.y = ball.prev_y + ball.vy;
    }
    apply_friction(a);
}

void iteration_running_every_test()
{
    for (int a = 1; a <= BALL_COUNT; ++a) advance_running_every_test(a);
    for (BallRecord& ball : game.balls)
        if (ball.state == BALL_POTTED) ball.state = BALL_OFF_TABLE;
}

bool same_balls(const GameState& a, const GameState& b)
{
    return std::memcmp(&a.balls, &b.balls, sizeof a.balls) == 0;
}

// What the simulation reported to the rules, in the order it came: a
// skipped repeat of a report would change what the rules make of the shot.
std::vector<std::string> reports;
void record_touch(int i, int j) { reports.push_back("touch " + std::to_string(i) + " " + std::to_string(j)); }
void record_pot(int i) { reports.push_back("potted " + std::to_string(i)); }

// One iteration of `table` by `iteration`, and what it reported.
std::vector<std::string> iterate(GameState& table, void (*iteration)())
{
    reports.clear();
    game = table;
    iteration();
    table = game;
    return reports;
}

// Cue-ball velocities that vary from break to break.
struct Breaks {
    uint32_t seed = 12345;
    uint32_t next() { return seed = seed * 1664525u + 1013904223u; }
    float between(float low, float high) { return low + (high - low) * (next() >> 8) / 16777216.0f; }
};

// Breaks of every pace and angle, played to rest with the book and without
// it: the balls agree bit for bit after every iteration, and so do the
// touches and pots reported on the way.
TEST(IdleTests, PassingByKnownTestsChangesNoBitOfABreak)
{
    Breaks breaks;
    for (int shot = 0; shot < SHOTS; ++shot) {
        reset_game_state();
        attach_window(nullptr);
        initialisation();
        game.balls[CUE_BALL].vx = breaks.between(3, 16);
        game.balls[CUE_BALL].vy = breaks.between(-3, 3);
        game.recording = {record_touch, record_pot};
        GameState with_book = game;
        GameState without_book = game;
        for (int iteration = 0; !balls_at_rest(); ++iteration) {
            const std::vector<std::string> heard_with_book = iterate(with_book, iteration_without_drawing);
            const std::vector<std::string> heard_without_book = iterate(without_book, iteration_running_every_test);
            ASSERT_TRUE(same_balls(with_book, without_book))
                << "shot " << shot << ", iteration " << iteration;
            ASSERT_EQ(heard_with_book, heard_without_book) << "shot " << shot << ", iteration " << iteration;
        }
    }
}

}  // namespace
