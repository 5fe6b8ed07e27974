#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

#include "sim/for_tests.h"
#include "sim/initialisation.h"
#include "sim/step.h"
#include "sim/variables.h"
#include "sim/window.h"
#include "tests/support/fake_window.h"

namespace {

struct FinalBall {
    BallState state;
    float x, y;
};

// These pin the physics of a full break: any change to the order of the
// tests, the rounding or a constant shows up here. Taken from a run of code
// that reproduces every worked case of the other simulation tests.
constexpr int BREAK_ITERATIONS = 856;
constexpr FinalBall BREAK_FINAL[BALL_COUNT] = {
    {BALL_ON_TABLE, 411.940216f, 143.296097f},
    {BALL_ON_TABLE, 383.399292f, 218.386734f},
    {BALL_OFF_TABLE, 267.746735f, 23.302496f},
    {BALL_ON_TABLE, 396.635834f, 74.5747604f},
    {BALL_OFF_TABLE, 514.594421f, 263.421906f},
    {BALL_ON_TABLE, 431.022736f, 137.28096f},
    {BALL_ON_TABLE, 455.730286f, 147.233688f},
    {BALL_ON_TABLE, 447.110504f, 234.969482f},
    {BALL_ON_TABLE, 421.066193f, 51.5413551f},
    {BALL_ON_TABLE, 394.839386f, 103.564919f},
    {BALL_ON_TABLE, 359.116455f, 71.4945526f},
    {BALL_ON_TABLE, 370.800079f, 254.681656f},
    {BALL_ON_TABLE, 430.875061f, 157.994232f},
    {BALL_ON_TABLE, 489.374542f, 143.049942f},
    {BALL_ON_TABLE, 453.317322f, 128.85051f},
    {BALL_OFF_TABLE, 36.0400314f, 39.0004654f},
};

bool strictly_inside_capture_lines(const BallRecord& ball)
{
    return ball.x > 36 && ball.x < 515 && ball.y > 23 && ball.y < 277;
}

// The cue ball driven hard along the table's axis into the apex of the rack.
TEST(Break, RunsHeadlessToRestWithEveryBallOnTheTableOrOff)
{
    reset_game_state();
    attach_window(nullptr);
    ASSERT_TRUE(initialisation());
    game.balls[CUE_BALL].vx = 13;

    int iterations = 0;
    while (!balls_at_rest()) {
        simulation_iteration();
        ++iterations;
        ASSERT_LT(iterations, 5000) << "the balls never came to rest";
    }

    EXPECT_EQ(iterations, BREAK_ITERATIONS);
    for (int i = 1; i <= BALL_COUNT; ++i) {
        SCOPED_TRACE(testing::Message() << "ball " << i);
        const BallRecord& ball = game.balls[i];
        ASSERT_FALSE(std::isnan(ball.x) || std::isnan(ball.y));
        ASSERT_TRUE(ball.state == BALL_OFF_TABLE
                    || (ball.state == BALL_ON_TABLE && strictly_inside_capture_lines(ball)));
        EXPECT_EQ(ball.state, BREAK_FINAL[i - 1].state);
        EXPECT_EQ(ball.x, BREAK_FINAL[i - 1].x);
        EXPECT_EQ(ball.y, BREAK_FINAL[i - 1].y);
    }
}

// What the live game tells of the break: the opening meeting at the cue
// ball's speed, a pair that stays in touch over iterations met once, and
// every ball that left the table potted once.
TEST(Break, TellsTheWindowOfEachMeetingAndPocketOnce)
{
    reset_game_state();
    FakeWindow window;
    attach_window(&window);
    ASSERT_TRUE(initialisation());
    game.balls[CUE_BALL].vx = 13;

    std::map<std::pair<int, int>, int> last_met;  // the iteration each pair last met in
    std::vector<int> potted;
    for (int iteration = 0; !balls_at_rest(); ++iteration) {
        const size_t told = window.table_events.size();
        simulation_iteration();
        for (size_t k = told; k < window.table_events.size(); ++k) {
            const TableEvent& event = window.table_events[k];
            if (event.kind == TableEventKind::pocket) potted.push_back(event.ball);
            if (event.kind != TableEventKind::balls_met) continue;
            const auto pair = std::pair(event.ball, event.other);
            const auto last = last_met.find(pair);
            if (last != last_met.end()) {
                EXPECT_GT(iteration, last->second + 1) << "a meeting told twice";
            }
            last_met[pair] = iteration;
        }
    }
    attach_window(nullptr);

    const TableEvent& opening = window.table_events.front();
    EXPECT_EQ(opening.kind, TableEventKind::balls_met);
    EXPECT_EQ(std::pair(opening.ball, opening.other), std::pair(CUE_BALL, 10));
    EXPECT_GT(opening.speed, 11.0f);  // 13 less sixteen steps of friction
    EXPECT_LT(opening.speed, 12.0f);
    EXPECT_EQ(potted, (std::vector<int>{5, 3, 16})) << "in the order they went down";
}

}  // namespace
