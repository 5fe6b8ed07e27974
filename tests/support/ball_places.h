#pragma once

#include <array>

#include "sim/variables.h"

// Where each ball is and whether it is on the table, to tell whether
// something moved a ball.
struct BallPlace {
    BallState state;
    float x, y;
    bool operator==(const BallPlace&) const = default;
};
using BallPlaces = std::array<BallPlace, BALL_COUNT>;

inline BallPlaces ball_places()
{
    BallPlaces places;
    for (int i = 1; i <= BALL_COUNT; ++i) places[i - 1] = {game.balls[i].state, game.balls[i].x, game.balls[i].y};
    return places;
}
