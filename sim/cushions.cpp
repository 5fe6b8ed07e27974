#include "sim/cushions.h"

#include <cmath>
#include <utility>

#include "sim/table_geometry.h"
#include "sim/shot_events.h"
#include "sim/variables.h"

static bool within(float v, int low, int high)
{
    return v >= low && v <= high;
}

// Strictly between the four cushion lines no cushion, throat wall or jaw can
// be reached: every jaw region lies on or beyond one of those lines.
static bool clear_of_cushions(float x, float y)
{
    return x > LEFT_CUSHION_X && x < RIGHT_CUSHION_X && y > TOP_CUSHION_Y && y < BOTTOM_CUSHION_Y;
}

static bool against_long_cushion(float x, float y)
{
    const bool along = within(x, LONG_CUSHION_START_X, MIDDLE_GAP_LEFT_X)
                       || within(x, MIDDLE_GAP_RIGHT_X, LONG_CUSHION_END_X);
    return along && (y <= TOP_CUSHION_Y || y >= BOTTOM_CUSHION_Y);
}

static bool against_side_cushion(float x, float y)
{
    return within(y, SIDE_CUSHION_START_Y, SIDE_CUSHION_END_Y)
           && (x <= LEFT_CUSHION_X || x >= RIGHT_CUSHION_X);
}

// The walls on either side of the middle pockets' throats.
static bool against_throat_wall(float x, float y)
{
    const bool beside_throat = within(x, MIDDLE_GAP_LEFT_X, THROAT_LEFT_X)
                               || within(x, THROAT_RIGHT_X, MIDDLE_GAP_RIGHT_X);
    return beside_throat && (y <= THROAT_TOP_Y || y >= THROAT_BOTTOM_Y);
}

// The six jaws on lines x + y = constant, each through a cushion end; the sum is exact.
static bool inside_sum_jaw(float x, float y)
{
    const long double sum = static_cast<long double>(x) + y;
    const bool top_middle_left = sum <= MIDDLE_GAP_LEFT_X + TOP_CUSHION_Y
                                 && x >= MIDDLE_GAP_LEFT_X && y >= THROAT_TOP_Y;
    const bool bottom_middle_right = sum >= MIDDLE_GAP_RIGHT_X + BOTTOM_CUSHION_Y
                                     && x <= MIDDLE_GAP_RIGHT_X && y <= THROAT_BOTTOM_Y;
    const bool bottom_left_side = sum <= LEFT_CUSHION_X + SIDE_CUSHION_END_Y
                                  && y >= SIDE_CUSHION_END_Y;
    const bool bottom_left_bottom = sum >= LONG_CUSHION_START_X + BOTTOM_CUSHION_Y
                                    && x <= LONG_CUSHION_START_X;
    const bool top_right_top = sum <= LONG_CUSHION_END_X + TOP_CUSHION_Y
                               && x >= LONG_CUSHION_END_X;
    const bool top_right_side = sum >= RIGHT_CUSHION_X + SIDE_CUSHION_START_Y
                                && y <= SIDE_CUSHION_START_Y;
    return top_middle_left || bottom_middle_right || bottom_left_side || bottom_left_bottom
           || top_right_top || top_right_side;
}

// The six jaws on lines x - y = constant; the difference is exact.
static bool inside_difference_jaw(float x, float y)
{
    const long double difference = static_cast<long double>(x) - y;
    const bool top_middle_right = difference >= MIDDLE_GAP_RIGHT_X - TOP_CUSHION_Y
                                  && x <= MIDDLE_GAP_RIGHT_X && y >= THROAT_TOP_Y;
    const bool bottom_middle_left = difference <= MIDDLE_GAP_LEFT_X - BOTTOM_CUSHION_Y
                                    && x >= MIDDLE_GAP_LEFT_X && y <= THROAT_BOTTOM_Y;
    const bool top_left_side = difference <= LEFT_CUSHION_X - SIDE_CUSHION_START_Y
                               && y <= SIDE_CUSHION_START_Y;
    const bool top_left_top = difference >= LONG_CUSHION_START_X - TOP_CUSHION_Y
                              && x <= LONG_CUSHION_START_X;
    const bool bottom_right_bottom = difference <= LONG_CUSHION_END_X - BOTTOM_CUSHION_Y
                                     && x >= LONG_CUSHION_END_X;
    const bool bottom_right_side = difference >= RIGHT_CUSHION_X - SIDE_CUSHION_END_Y
                                   && y >= SIDE_CUSHION_END_Y;
    return top_middle_right || bottom_middle_left || top_left_side || top_left_top
           || bottom_right_bottom || bottom_right_side;
}

// At most one jaw reflects. The jaws of one kind all reflect alike, and the
// x + y jaws are tried before the x - y ones.
static void reflect_off_jaw(BallRecord& ball, float x, float y)
{
    if (inside_sum_jaw(x, y)) {
        const float vx = ball.vx;
        ball.vx = -ball.vy;
        ball.vy = -vx;
    } else if (inside_difference_jaw(x, y)) {
        std::swap(ball.vx, ball.vy);
    }
}

void cushion_rebound(int i)
{
    BallRecord& ball = game.balls[i];
    // Judged once, where the ball would be after one more step.
    const float x = ball.x + ball.vx;
    const float y = ball.y + ball.vy;
    if (clear_of_cushions(x, y)) return;
    const float vx = ball.vx;
    const float vy = ball.vy;
    if (against_long_cushion(x, y)) ball.vy = -ball.vy;
    if (against_side_cushion(x, y) || against_throat_wall(x, y)) ball.vx = -ball.vx;
    reflect_off_jaw(ball, x, y);
    if (ball.vx != vx || ball.vy != vy) report_cushion(i, std::hypot(vx, vy));
}
