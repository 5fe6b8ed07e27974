#pragma once

#include <QString>
#include <array>
#include <functional>

#include "match/match_record.h"

class TableHands;

// What the "Match" menu needs of the main window. The hands are the window's
// own, which record each input they take, so that a match watched again is
// recorded again as it goes; an opened match is taken over through them.
struct MatchHooks {
    // The live match since its rack was set up.
    std::function<const MatchRecord&()> record;
    // Who plays player 1 and player 2, as the header of a saved match names them.
    std::function<std::array<QString, 2>()> seat_names;
    TableHands* hands = nullptr;
    // While true, neither the person's mouse nor the computer plays.
    std::function<void(bool)> keep_seats_out;
};
