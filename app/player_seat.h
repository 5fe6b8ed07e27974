#pragma once

#include <QString>
#include <array>

class TableHands;

// Who plays one player's turns at this window: the person here, the
// computer, the other player of a network match, or a player of a network
// match watched from here. `Seats` holds one for each player; a seat may hold
// both.
class PlayerSeat {
public:
    virtual ~PlayerSeat() = default;

    // The hands the person at this window plays the seat through; none when
    // someone else plays it.
    virtual TableHands* persons_hands() { return nullptr; }
    // The seat has the cue: the person's mouse does nothing now.
    virtual bool has_cue() const { return false; }
    // The player's name alone, as a saved match keeps it; empty while nobody holds the seat.
    virtual QString name(int player) const = 0;
    // What a player panel says of the player: the name, and what else the
    // seat has to say of them on a second line.
    virtual QString panel_text(int player) const { return name(player); }
    // Thinking or moving its cue, which the panel shows.
    virtual bool at_work() const { return false; }
    // The table is ready for the next shot, whoever's it is.
    virtual void turn_begins() {}
};

// Player 1's seat, then player 2's.
using PlayerSeats = std::array<PlayerSeat*, 2>;
