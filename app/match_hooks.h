#pragma once

#include <QString>
#include <array>
#include <functional>

#include "match/match_record.h"
#include "match/series_count.h"

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
    // The match's racks before the live one, which a saved match keeps too.
    std::function<const EarlierRacks&()> earlier_racks;
    // An opened match's earlier racks and what each player won in them,
    // before its live rack is taken over through the hands.
    std::function<void(const EarlierRacks&, const SeriesCount&)> open_earlier_racks;
    // The live rack is about to be set up again and watched from its start.
    std::function<void()> rewind_rack;
};
