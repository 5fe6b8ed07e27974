#include "tests/support/fake_window.h"

#include <stdexcept>

#include "sim/ball_drawing.h"
#include "sim/variables.h"

bool FakeWindow::set_up_bitmaps()
{
    if (picture_missing) return false;
    clear();
    return true;
}

void FakeWindow::paint_disc(const Rect& square, int32_t colour)
{
    ++discs_painted;
    fill(square, colour);
}

int FakeWindow::index(int x, int y)
{
    if (x < LEFT || x >= LEFT + WIDTH || y < TOP || y >= TOP + HEIGHT)
        throw std::out_of_range("pixel outside the test back buffer");
    return (y - TOP) * WIDTH + (x - LEFT);
}

void FakeWindow::fill(const Rect& r, int32_t value)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) pixels_[index(x, y)] = value;
}

FakeWindow expected_back_buffer()
{
    FakeWindow expected;
    for (const BallRecord& ball : game.balls)
        if (ball.state != BALL_OFF_TABLE) expected.paint_disc(ball_square(ball.x, ball.y), ball.colour);
    return expected;
}
