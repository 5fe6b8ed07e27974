#include <gtest/gtest.h>

#include "sim/pockets.h"
#include "tests/support/empty_table.h"

namespace {

constexpr float PULL = 0.0007f;  // the single nearest the pull step

using Pockets = EmptyTable;

TEST_F(Pockets, CentreOnOrBeyondACaptureLineIsPottedAndStoppedWhereItIs)
{
    struct Case { float x, y; bool captured; };
    const Case cases[] = {
        {36, 100, true},  {36.5f, 100, false}, {515, 150, true}, {514.9f, 150, false},
        {150, 23, true},  {150, 23.1f, false}, {150, 277, true}, {150, 276.9f, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        BallRecord& ball = place(6, c.x, c.y, 1.5f, -2);
        pocket_check(6);
        EXPECT_EQ(ball.state, c.captured ? BALL_POTTED : BALL_ON_TABLE);
        EXPECT_EQ(ball.vx, c.captured ? 0.0f : 1.5f);
        EXPECT_EQ(ball.vy, c.captured ? 0.0f : -2.0f);
        EXPECT_EQ(ball.x, c.x);
    }
    // Still beyond the line in a later call of the same iteration: captured again.
    game.balls[6].x = 520;
    pocket_check(6);
    EXPECT_EQ(game.balls[6].state, BALL_POTTED);
}

TEST_F(Pockets, EachPocketPullsTowardItselfByAFixedStep)
{
    struct Case { float x, y, vx, vy, new_vx, new_vy; };
    const Case cases[] = {
        {40, 40, 0, 0, -PULL, -PULL},       // top left, a ball at rest pulled all the same
        {272, 40, 0.5f, 0, 0.5f, -PULL},    // top middle leaves vx alone
        {505, 40, 0, 0, PULL, -PULL},       // top right
        {40, 260, 0, 0, -PULL, PULL},       // bottom left
        {272, 260, 0, 0, 0, PULL},          // bottom middle
        {505, 260, 0, 0, PULL, PULL},       // bottom right
        {37, 24, -1, -1, -1.0007f, -1.0007f},  // added at extended precision
        {40, 50, 0, 0, -PULL, -PULL},       // exactly on the circle
        {40, 50.1f, 0, 0, 0, 0},            // just outside it
        {300, 150, 2, 1, 2, 1},             // mid-table
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        BallRecord& ball = place(3, c.x, c.y, c.vx, c.vy);
        pocket_check(3);
        EXPECT_EQ(ball.vx, c.new_vx);
        EXPECT_EQ(ball.vy, c.new_vy);
        EXPECT_EQ(ball.state, BALL_ON_TABLE);
    }
}

TEST_F(Pockets, CaptureInsideAPullCircleLeavesThePullStep)
{
    BallRecord& ball = place(2, 35, 35, 3, 3);
    pocket_check(2);
    EXPECT_EQ(ball.state, BALL_POTTED);
    EXPECT_EQ(ball.vx, -PULL);
    EXPECT_EQ(ball.vy, -PULL);
}

}  // namespace
