#pragma once

#include <cstdint>
#include <string_view>

#include "protocol/host_journal.h"

// What keeps a hosted match as it is played, so that it outlives the
// program: told of each seating, each rack and each numbered input, the
// input before it goes out.
class MatchKeeper {
public:
    virtual ~MatchKeeper() = default;
    // A guest sat down; `token` is the seat's newest.
    virtual void seated(std::string_view token, std::string_view guest) = 0;
    // A rack was set up with the praise generator at `praise`, the players
    // having won `won_before` racks: the match's first, or after a new game.
    virtual void rack_set_up(uint32_t praise, const RacksWon& won_before) = 0;
    virtual void numbered(Side side, const NumberedInput& numbered) = 0;
};
