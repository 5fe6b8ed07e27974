#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

#include "opponent/computer_shot.h"
#include "opponent/hand.h"
#include "opponent/shot_trial.h"
#include "rules/game_wiring.h"
#include "sim/for_tests.h"
#include "sim/initialisation.h"
#include "sim/variables.h"
#include "sim/window.h"

// The computer's choice on laid-out tables, judged by playing it out exactly.
namespace {

struct BallAt {
    int ball;
    float x, y;
};

// Player 2 to play with red, player 1 yellow, only the listed balls on the table.
GameState table_with(std::initializer_list<BallAt> balls)
{
    reset_game_state();
    attach_window(nullptr);
    initialisation();
    for (BallRecord& ball : game.balls) ball.state = BALL_OFF_TABLE;
    for (const BallAt& b : balls) {
        game.balls[b.ball].x = b.x;
        game.balls[b.ball].y = b.y;
        game.balls[b.ball].state = BALL_ON_TABLE;
    }
    game.players[1].group = YELLOW;
    game.players[2].group = RED;
    game.players[2].first_touched = NoGroup;
    game.current_player = 2;
    game.first_contact_seen = true;
    game.aiming_enabled = true;
    return game;
}

bool clean_pot(const ShotTrial& trial)
{
    return trial.played && !trial.foul && trial.turn_kept && trial.own_balls_potted > 0;
}

TEST(Opponent, ExpertPotsACleanBallWhereOneIsToBeHad)
{
    const GameState tables[] = {
        // Straight into the top middle pocket.
        table_with({{CUE_BALL, 272, 200}, {BLACK_BALL, 450, 200}, {3, 272, 100}, {10, 400, 100}}),
        // A half-ball cut into the bottom-right corner, the black near the straight line to the other red.
        table_with({{CUE_BALL, 300, 150}, {BLACK_BALL, 200, 150}, {3, 460, 220}, {4, 120, 150}, {10, 380, 100}}),
    };
    for (const GameState& table : tables) {
        const ComputerShot shot = choose_computer_shot(table, ComputerLevel::expert);
        EXPECT_FALSE(shot.place);
        EXPECT_TRUE(clean_pot(play_trial(table, shot))) << shot.aim.x << "," << shot.aim.y;
    }
}

TEST(Opponent, PutsTheCueBallBackOnlyInsideTheLeftPart)
{
    const GameState table = table_with({{BLACK_BALL, 400, 150}, {3, 100, 100}, {4, 300, 230}, {5, 130, 200},
                                        {10, 480, 60}});
    for (ComputerLevel level : {ComputerLevel::easy, ComputerLevel::medium, ComputerLevel::hard, ComputerLevel::expert}) {
        const ComputerShot shot = choose_computer_shot(table, level);
        ASSERT_TRUE(shot.place);
        const int X = shot.place->x - DRAW_OFFSET_X, Y = shot.place->y - DRAW_OFFSET_Y;
        EXPECT_TRUE(X > PLACEMENT_LEFT_EXCLUSIVE && X <= PLACEMENT_RIGHT) << X;
        EXPECT_TRUE(Y > PLACEMENT_TOP_EXCLUSIVE && Y < PLACEMENT_BOTTOM_EXCLUSIVE) << Y;
        EXPECT_TRUE(play_trial(table, shot).played);
    }
}

TEST(Opponent, TheSameTableAndLevelGiveTheSameShot)
{
    const GameState table = table_with({{CUE_BALL, 150, 150}, {BLACK_BALL, 350, 200}, {3, 300, 120},
                                        {6, 420, 240}, {11, 250, 60}, {12, 480, 150}});
    for (ComputerLevel level : {ComputerLevel::easy, ComputerLevel::medium, ComputerLevel::hard})
        EXPECT_EQ(choose_computer_shot(table, level), choose_computer_shot(table, level));
}

// The cue ball at (100, 150) sent to the right, past or onto a ball at x = 200.
TEST(Opponent, TheHandMissesMoreOnThinCutsAndLongShots)
{
    struct Case {
        float ball_y;
        double cut, travel;
    };
    const double contact = 2.0 * BALL_RADIUS;
    const Case cases[] = {
        {150, 0, 100 - contact},                                          // full ball
        {159, std::asin(0.5), 100 - std::sqrt(contact * contact - 81)},  // half ball
        {170, 0, RIGHT_CUSHION_X - LEFT_CUSHION_X},                       // clear past: across the table
    };
    for (const Case& c : cases) {
        const GameState table = table_with({{CUE_BALL, 100, 150}, {3, 200, c.ball_y}});
        const ShotReach reach = shot_reach(table, Point{100, 150}, 1, 0);
        EXPECT_NEAR(reach.cut, c.cut, 1e-6) << c.ball_y;
        EXPECT_NEAR(reach.travel, c.travel, 1e-6) << c.ball_y;
    }
    const Hand hand{.steady_deviation = 0.001, .per_cut = 0.01, .per_travel = 0.0001};
    EXPECT_GT(aim_deviation(hand, {0.5, 0}), aim_deviation(hand, {0.2, 0}));
    EXPECT_GT(aim_deviation(hand, {0, 300}), aim_deviation(hand, {0, 100}));
}

}  // namespace
