#include <gtest/gtest.h>

#include <cmath>

#include "sim/collision.h"
#include "tests/support/empty_table.h"

namespace {

using Collision = EmptyTable;

TEST_F(Collision, ContactIsJudgedOnTheLookAheadWithinTheBand)
{
    struct Case { float b_x; bool touching; };
    const Case cases[] = {
        {118, true},      // current 324, look-ahead 225
        {121, true},      // look-ahead exactly 324
        {121.5f, false},  // look-ahead 342.25
        {117, false},     // current 289: already past contact
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.b_x);
        place(1, 100, 100, 3, 0);
        place(2, c.b_x, 100);
        EXPECT_EQ(balls_touching(1, 2), c.touching);
    }
    place(2, 108, 116, 0, 0);  // current 320 exactly: both touching and overlapping
    place(1, 100, 100, 0, 0);
    EXPECT_TRUE(balls_touching(1, 2));
    EXPECT_TRUE(balls_overlapping(1, 2));
    game.balls[2].y = 116.01f;
    EXPECT_FALSE(balls_overlapping(1, 2));
}

TEST_F(Collision, HeadOnPairsExchangeTheirVelocities)
{
    struct Case { float b_x, a_vx, new_a_vx, new_b_vx; };
    const Case cases[] = {
        {118, 3, 0, 3},
        {121, 3, 0, 3},
        {117.95f, -0.02f, 0, -0.02f},  // separating slowly: b follows a all the same
        {117.95f, 0, 0, 0},            // at rest inside the band: stays at rest
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.b_x << " " << c.a_vx);
        BallRecord& a = place(1, 100, 100, c.a_vx, 0);
        BallRecord& b = place(2, c.b_x, 100);
        ASSERT_TRUE(balls_touching(1, 2));
        collide_balls(1, 2);
        EXPECT_EQ(a.vx, c.new_a_vx);
        EXPECT_EQ(b.vx, c.new_b_vx);
        EXPECT_EQ(a.vy, 0.0f);
        EXPECT_EQ(b.vy, 0.0f);
    }
}

TEST_F(Collision, VerticalLineOfCentresIsKeptFiniteByTheGuard)
{
    BallRecord& a = place(1, 100, 100, 0, 3);
    BallRecord& b = place(2, 100, 118);
    collide_balls(1, 2);
    EXPECT_NEAR(b.vy, 3.0f, 1e-6);
    EXPECT_NEAR(a.vy, 0.0f, 1e-6);
    EXPECT_NEAR(a.vx, -1.3e-7, 1e-8);  // the guard tilts the line very slightly
    EXPECT_NEAR(b.vx, 1.3e-7, 1e-8);
}

TEST_F(Collision, PairAtTheOverlapBoundIsBlendedBeforeTheExchange)
{
    BallRecord& a = place(1, 100, 100, 0.04f, 0.08f);
    BallRecord& b = place(2, 108, 116, 0, -0.05f);
    collide_balls(1, 2);
    // Blended to a (0.01, -0.0175) and b (0.03, 0.0475), then exchanged.
    EXPECT_NEAR(a.vx, 0.0400, 5e-5);
    EXPECT_NEAR(a.vy, 0.0425, 5e-5);
    EXPECT_NEAR(b.vx, 0.0000343, 5e-7);
    EXPECT_NEAR(b.vy, -0.0125, 5e-5);
}

// A fast blend reverses the pair, which then no longer touches; the exchange
// still runs along the line of the new look-ahead centres.
TEST_F(Collision, BlendThatSeparatesThePairStillExchangesAlongTheNewLine)
{
    BallRecord& a = place(1, 100, 100, 0, 2);
    BallRecord& b = place(2, 108, 116);
    collide_balls(1, 2);
    // Blended to a (0, 0.5) and b (0, 1.5); the look-ahead centres (100, 100.5)
    // and (108, 117.5) lie on the line (-8, -17).
    const double length = std::sqrt(353.0), nx = -8 / length, ny = -17 / length;
    EXPECT_NEAR(a.vx * nx + a.vy * ny, 1.5 * ny, 1e-6);
    EXPECT_NEAR(b.vx * nx + b.vy * ny, 0.5 * ny, 1e-6);
    EXPECT_NEAR(a.vy * nx - a.vx * ny, 0.5 * nx, 1e-6);
    EXPECT_NEAR(b.vy * nx - b.vx * ny, 1.5 * nx, 1e-6);
}

}  // namespace
