#pragma once

#include <array>
#include <cstdint>
#include <limits>

// The racks each player has won since a match began: a network match, or
// the play at one window against the computer or between two people there. A rack counts once, for the player its end
// names, however often its decided table is looked at; a new rack may be won
// again.
class SeriesCount {
public:
    SeriesCount() = default;
    SeriesCount(uint32_t player1, uint32_t player2) : won_{player1, player2} {}

    // The table after an input has come to rest: `winner` is 1 or 2 once the
    // rack is decided, 0 while it goes on.
    void rack_looked_at(int winner)
    {
        if (winner == 0 || counted_) return;
        counted_ = true;
        uint32_t& count = won_[static_cast<std::size_t>(winner == 1 ? 0 : 1)];
        if (count < std::numeric_limits<uint32_t>::max()) ++count;
    }
    void new_rack() { counted_ = false; }
    // A count heard from elsewhere, the current rack already in it when decided.
    void take(uint32_t player1, uint32_t player2, int winner)
    {
        won_ = {player1, player2};
        counted_ = winner != 0;
    }

    uint32_t won_by(int player) const { return won_[static_cast<std::size_t>(player == 1 ? 0 : 1)]; }

private:
    std::array<uint32_t, 2> won_{};
    bool counted_ = false;
};
