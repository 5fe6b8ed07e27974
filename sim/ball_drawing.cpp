#include "sim/ball_drawing.h"

#include "sim/variables.h"
#include "sim/window.h"

Rect ball_square(float x, float y)
{
    const auto cx = static_cast<int32_t>(x);
    const auto cy = static_cast<int32_t>(y);
    return Rect{cx - BALL_RADIUS, cy - BALL_RADIUS, cx + BALL_RADIUS, cy + BALL_RADIUS};
}

void draw_ball(int i)
{
    const BallRecord& ball = game.balls[i];
    if (ball.state == BALL_OFF_TABLE) return;
    const Rect square = ball_square(ball.x, ball.y);
    window().paint_disc(square, ball.colour);
    game.dirty_rect = united(game.dirty_rect, square);
}

// Restores the table under ball i's previous position; returns that square.
static Rect erase_at_previous_position(const BallRecord& ball)
{
    const Rect square = ball_square(ball.prev_x, ball.prev_y);
    window().restore_square(square);
    return square;
}

void erase_ball(int i)
{
    const BallRecord& ball = game.balls[i];
    if (ball.state != BALL_OFF_TABLE) erase_at_previous_position(ball);
}

void erase_all_balls()
{
    game.dirty_rect = Rect{};
    for (const BallRecord& ball : game.balls) {
        if (ball.state != BALL_OFF_TABLE)
            game.dirty_rect = united(game.dirty_rect, erase_at_previous_position(ball));
    }
}
