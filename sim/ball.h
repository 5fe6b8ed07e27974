#pragma once

#include <cstdint>

// The sixteen balls, numbered from 1, and what the game keeps of each.
constexpr int BALL_COUNT = 16;
constexpr int CUE_BALL = 1;
constexpr int BLACK_BALL = 2;

enum BallState : int32_t {
    BALL_OFF_TABLE = 0,
    BALL_ON_TABLE = 1,
    BALL_POTTED = 2,  // left the table during this iteration; still to be erased
};

struct BallRecord {
    int32_t colour = 0;
    float x = 0, y = 0;
    float prev_x = 0, prev_y = 0;  // where the ball stood before its latest advance
    float vx = 0, vy = 0;          // table pixels per iteration
    float shot_x = 0, shot_y = 0;  // copied at each launch, for the undo
    BallState state = BALL_OFF_TABLE;
    BallState shot_state = BALL_OFF_TABLE;
};
