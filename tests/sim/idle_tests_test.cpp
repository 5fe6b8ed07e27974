#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "sim/collision.h"
#include "sim/cushions.h"
#include "sim/for_tests.h"
#include "sim/initialisation.h"
#include "sim/pockets.h"
#include "sim/repeat_watch.h"
#include "sim/shot_events.h"
#include "sim/shot_to_rest.h"
#include "sim/step.h"
#include "sim/variables.h"
#include "sim/window.h"

namespace {

constexpr int RACKS = 20;
constexpr int SHOTS_AFTER_THE_BREAK = 3;

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
    end_iteration();
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

// Cue-ball velocities that vary from shot to shot.
struct Shots {
    uint32_t seed = 12345;
    uint32_t next() { return seed = seed * 1664525u + 1013904223u; }
    float between(float low, float high) { return low + (high - low) * (next() >> 8) / 16777216.0f; }
};

// The three ways one iteration is played: the computer's trial step, the
// window's step (drawn on the headless window) and the step without the book.
constexpr std::array WAYS = {iteration_without_drawing, simulation_iteration, iteration_running_every_test};

// Plays the shot `game` holds to rest every way, from copies of it: the balls
// agree bit for bit after every iteration, and so do the touches and pots
// reported on the way.
void play_every_way(const std::string& shot)
{
    std::array<GameState, WAYS.size()> tables;
    tables.fill(game);
    for (int iteration = 0; !balls_at_rest(); ++iteration) {
        const std::vector<std::string> heard = iterate(tables[0], WAYS[0]);
        for (size_t way = 1; way < WAYS.size(); ++way) {
            const std::vector<std::string> heard_this_way = iterate(tables[way], WAYS[way]);
            ASSERT_TRUE(same_balls(tables[0], tables[way])) << shot << ", way " << way << ", iteration " << iteration;
            ASSERT_EQ(heard, heard_this_way) << shot << ", way " << way << ", iteration " << iteration;
        }
    }
}

// Breaks of every pace and angle and the shots after them, each played out by
// the trial step, the window's step and the step that runs every test.
TEST(IdleTests, EveryWayOfSteppingPlaysBreaksAndShotsToTheSameBits)
{
    Shots shots;
    for (int rack = 0; rack < RACKS && !HasFailure(); ++rack) {
        reset_game_state();
        attach_window(nullptr);
        initialisation();
        game.recording = {record_touch, record_pot};
        game.balls[CUE_BALL].vx = shots.between(3, 16);
        game.balls[CUE_BALL].vy = shots.between(-3, 3);
        play_every_way("rack " + std::to_string(rack) + ", break");
        for (int shot = 1; shot <= SHOTS_AFTER_THE_BREAK && !HasFailure() && game.balls[CUE_BALL].state == BALL_ON_TABLE;
             ++shot) {
            start_repeat_watch(game.repeat_watch);
            game.balls[CUE_BALL].vx = shots.between(-12, 12);
            game.balls[CUE_BALL].vy = shots.between(-12, 12);
            play_every_way("rack " + std::to_string(rack) + ", shot " + std::to_string(shot));
        }
    }
}

}  // namespace
