#include "tests/rules/table_pixels.h"

#include "sim/ball_drawing.h"
#include "sim/variables.h"

TablePixels expected_back_buffer()
{
    TablePixels expected;
    for (const BallRecord& ball : game.balls)
        if (ball.state != BALL_OFF_TABLE) expected.paint_disc(ball_square(ball.x, ball.y), ball.colour);
    return expected;
}
