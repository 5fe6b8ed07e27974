#include <gtest/gtest.h>

#include "sim/variables.h"
#include "input/placement.h"
#include "tests/support/fresh_game.h"

namespace {

class Placement : public FreshGame {
protected:
    void SetUp() override
    {
        FreshGame::SetUp();
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

// Ball 5 stands at (100, 100); ball 7 left the table at (60, 60).
struct PlacementCase {
    const char* what;
    int X, Y;
    float margin;
    bool accepted;
};

const PlacementCase PLACEMENT_CASES[] = {
    {"left of the region", 54, 100, 0, false},
    {"its left column", 55, 100, 0, true},
    {"its right column", 154, 100, 0, true},
    {"right of the region", 155, 100, 0, false},
    {"above the region", 100, 54, 0, false},
    {"its top row", 100, 55, 0, true},
    {"its bottom row", 100, 240, 0, true},
    {"below the region", 100, 241, 0, false},
    {"a ball's width from ball 5", 118, 100, 0, false},
    {"just over a ball's width from it", 119, 100, 0, true},
    {"near where a ball left the table", 70, 70, 0, false},
    {"just over a ball's width from ball 5, a pixel's margin asked", 119, 100, 1, false},
    {"over a ball's width and a pixel from it", 120, 100, 1, true},
};

TEST_F(Placement, AcceptsTheLeftRegionMoreThanABallWidthFromEveryOtherBall)
{
    game.balls[5].x = 100;
    game.balls[5].y = 100;
    game.balls[7].state = BALL_OFF_TABLE;
    game.balls[7].x = 60;
    game.balls[7].y = 60;
    for (const PlacementCase& c : PLACEMENT_CASES) {
        EXPECT_EQ(cue_ball_fits(game, c.X, c.Y, c.margin), c.accepted) << c.what;
        if (c.margin == 0) {
            EXPECT_EQ(placed_at(c.X, c.Y), c.accepted) << c.what;
        }
    }
}

TEST_F(Placement, ARefusedSpotLeavesTheCueBallUntouched)
{
    place_cue_ball(300, 150);
    EXPECT_EQ(game.balls[CUE_BALL].state, BALL_OFF_TABLE);
    EXPECT_EQ(game.balls[CUE_BALL].x, 520.0f);
}

}  // namespace
