#pragma once

#include <QString>
#include <array>
#include <functional>

#include "match/match_record.h"
#include "match/record_replay.h"

// What the "Match" menu needs of the main window. The mouse handlers, the
// undo button and "New game" are the window's own, which record each input
// they take, so that a match watched again is recorded again as it goes.
struct MatchHooks {
    // The live match since its rack was set up.
    std::function<const MatchRecord&()> record;
    // Who plays player 1 and player 2, as the header of a saved match names them.
    std::function<std::array<QString, 2>()> seat_names;
    // An opened match: `table` becomes the live table, and the live record
    // goes on from `record`.
    std::function<void(const MatchRecord& record, const TableSnapshot& table)> take_over;
    // The menu's "New game"; the rack's record starts from the praise
    // generator's state as it is then.
    std::function<void()> new_game;
    // Drawing-area pixels.
    std::function<void(int x, int y)> move;
    std::function<void(int x, int y)> press;
    std::function<void()> undo;
    // While true, neither the person's mouse nor the computer plays.
    std::function<void(bool)> keep_seats_out;
};
