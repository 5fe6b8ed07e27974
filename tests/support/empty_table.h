#pragma once

#include <gtest/gtest.h>

#include "sim/for_tests.h"
#include "sim/variables.h"
#include "sim/window.h"

// A table with every ball off it; each test puts on it the balls it needs.
class EmptyTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_game_state();
        attach_window(nullptr);
        for (int i = 1; i <= BALL_COUNT; ++i) game.balls[i].colour = colour_of_ball(i);
        game.current_player = 1;
        game.players[1].first_touched = NoGroup;
    }

    static BallRecord& place(int i, float x, float y, float vx = 0, float vy = 0)
    {
        BallRecord& ball = game.balls[i];
        ball.x = x;
        ball.y = y;
        ball.vx = vx;
        ball.vy = vy;
        ball.state = BALL_ON_TABLE;
        return ball;
    }
};
