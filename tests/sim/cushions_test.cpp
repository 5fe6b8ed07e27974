#include <gtest/gtest.h>

#include <initializer_list>

#include "sim/cushions.h"
#include "tests/support/empty_table.h"

namespace {

struct Bounce {
    const char* what;
    float x, y, vx, vy;    // the ball before the rebound
    float new_vx, new_vy;  // its velocity after
};

class Cushions : public EmptyTable {
protected:
    void expect_bounces(std::initializer_list<Bounce> cases)
    {
        for (const Bounce& c : cases) {
            SCOPED_TRACE(c.what);
            BallRecord& ball = place(4, c.x, c.y, c.vx, c.vy);
            cushion_rebound(4);
            EXPECT_EQ(ball.vx, c.new_vx);
            EXPECT_EQ(ball.vy, c.new_vy);
            EXPECT_EQ(ball.x, c.x);  // a rebound never moves the ball
            EXPECT_EQ(ball.y, c.y);
        }
    }
};

TEST_F(Cushions, StraightCushionsTurnTheComponentAcrossThem)
{
    expect_bounces({
        {"top cushion line reached", 100, 49, 0, -3, 0, 3},
        {"one pixel short of the top cushion", 100, 50, 0, -3, 0, -3},
        {"only the component across the cushion turns", 100, 49, 2, -3, 2, 3},
        {"left cushion", 48, 150, -3, 0, 3, 0},
        {"right cushion", 500, 150, 5, 0, -5, 0},
        {"bottom cushion", 300, 250, 1, 6, 1, -6},
        {"beyond the line and coming back, turned all the same", 100, 45, 0, 0.5f, 0, -0.5f},
        {"straight into the top middle pocket's mouth", 272, 50, 0, -5, 0, -5},
        {"left throat wall of the top middle pocket", 260, 30, -1, -1, 1, -1},
        {"right throat wall of the bottom middle pocket", 280, 270, 1, 1, -1, 1},
    });
}

TEST_F(Cushions, EachJawReflectsAcrossItsDiagonal)
{
    expect_bounces({
        {"jaw 1, top middle left", 262, 40, 0, -3, 3, 0},
        {"jaw 2, bottom middle right", 282, 260, 0, 3, -3, 0},
        {"jaw 3, bottom left side", 40, 252, 0, 2, -2, 0},
        {"jaw 4, bottom left bottom", 50, 262, -1, 2, -2, 1},
        {"jaw 5, top right top", 500, 40, 2, 0, 0, -2},
        {"jaw 6, top right side", 508, 52, 0, -1, 1, 0},
        {"jaw 7, top middle right", 284, 40, 0, -3, -3, 0},
        {"jaw 8, bottom middle left", 262, 260, 0, 3, 3, 0},
        {"jaw 9, top left side", 42, 52, 0, -1, -1, 0},
        {"jaw 10, top left top", 54, 44, -2, -1, -1, -2},
        {"jaw 11, bottom right bottom", 500, 260, 1, 0, 0, 1},
        {"jaw 12, bottom right side", 508, 251, 0, 1, 1, 0},
        {"down the top left channel, untouched", 47, 50, -2, -2, -2, -2},
    });
}

TEST_F(Cushions, SharedBorderGetsBothReflectionsOnTheFirstLookAhead)
{
    expect_bounces({
        // Top cushion's end and jaw 1: vy turns first, then the jaw.
        {"cushion end inside jaw 1", 255, 40, 0, -1, -1, 0},
        // After the cushion turns vy the ball would look ahead to (255, 49),
        // outside jaw 1; the jaw is still judged at (255, 45).
        {"look-ahead taken once", 255, 47, 0, -2, -2, 0},
    });
}

}  // namespace
