#pragma once

#include "app/player_seat.h"
#include "app/seat.h"

// A person at this window, whose mouse plays straight on the table.
class PersonSeat : public PlayerSeat {
public:
    explicit PersonSeat(TableHands& hands) : hands_(hands) {}

    TableHands* persons_hands() override { return &hands_; }
    QString name(int player) const override { return seat_name(Seat{}, player); }

private:
    TableHands& hands_;
};
