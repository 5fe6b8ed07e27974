#include <gtest/gtest.h>

#include "sim/for_tests.h"
#include "sim/initialisation.h"
#include "sim/variables.h"
#include "view/placement.h"

namespace {

class Placement : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_game_state();
        initialisation();
        game.balls[CUE_BALL].state = BALL_OFF_TABLE;
        game.balls[CUE_BALL].x = 520;
        game.balls[CUE_BALL].y = 150;
    }
    static bool placed_at(int X, int Y)
    {
        game.balls[CUE_BALL].state = BALL_OFF_TABLE;
        place_cue_ball(X, Y);
        const BallRecord& cue = game.balls[CUE_BALL];
        return cue.state == BALL_ON_TABLE && cue.x == X && cue.y == Y;
    }
};

TEST_F(Placement, AcceptsOnlyTheLeftRegion)
{
    EXPECT_FALSE(placed_at(54, 100));
    EXPECT_TRUE(placed_at(55, 100));
    EXPECT_TRUE(placed_at(154, 100));
    EXPECT_FALSE(placed_at(155, 100));
    EXPECT_FALSE(placed_at(100, 54));
    EXPECT_TRUE(placed_at(100, 55));
    EXPECT_TRUE(placed_at(100, 240));
    EXPECT_FALSE(placed_at(100, 241));
}

TEST_F(Placement, NeedsMoreThanABallWidthFromEveryOtherBall)
{
    game.balls[5].x = 100;
    game.balls[5].y = 100;
    EXPECT_FALSE(placed_at(118, 100));
    EXPECT_TRUE(placed_at(119, 100));
}

TEST_F(Placement, BallsOffTheTableCountAtTheirLastPosition)
{
    game.balls[7].state = BALL_OFF_TABLE;
    game.balls[7].x = 60;
    game.balls[7].y = 60;
    EXPECT_FALSE(placed_at(70, 70));
}

TEST_F(Placement, ARefusedSpotLeavesTheCueBallUntouched)
{
    place_cue_ball(300, 150);
    EXPECT_EQ(game.balls[CUE_BALL].state, BALL_OFF_TABLE);
    EXPECT_EQ(game.balls[CUE_BALL].x, 520.0f);
}

}  // namespace
