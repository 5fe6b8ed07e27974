#pragma once

#include <optional>
#include <stop_token>

#include "sim/variables.h"

// How well the computer plays player 2's turns.
enum class ComputerLevel {
    easy = 1,    // plays plain pots and misses the way a beginner does
    medium = 2,  // looks for position a little, plays safe, misses less
    hard = 3,    // searches widely, plays for position, misses now and then
    expert = 4,  // searches widely and plays the best shot it found, exactly
};

// A mouse position on the drawing area, in its pixels.
struct MousePoint {
    int x = 0;
    int y = 0;
    bool operator==(const MousePoint&) const = default;
};

// The computer's turn as a person's mouse would play it: a press that puts
// the cue ball back when it is off the table, then a move and a press at `aim`.
struct ComputerShot {
    std::optional<MousePoint> place;
    MousePoint aim;
    bool operator==(const ComputerShot&) const = default;
};

// The shot the computer plays for the current player of `table`, which must
// be at rest and ready for a shot, the game not over. A pure function of the
// table and the level: any aim error is drawn from a generator seeded from
// the table. The search plays candidate shots out on worker threads, each on
// its own copy of the table, and leaves the calling thread's game alone. A
// stop request ends the search within one trial; what it returns then is
// not to be played.
ComputerShot choose_computer_shot(const GameState& table, ComputerLevel level, std::stop_token stop = {});
