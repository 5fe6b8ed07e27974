#pragma once

#include <optional>

#include "app/player_seat.h"
#include "match/table_hands.h"

class NetworkSeat;

// A player of the network match: the panels say what the match knows of them.
class NetworkPlayer : public PlayerSeat {
public:
    explicit NetworkPlayer(NetworkSeat& network) : network_(network) {}

    QString name(int player) const override;
    QString panel_text(int player) const override;

protected:
    NetworkSeat& network_;
};

// The other player, or for a watcher both players: their inputs come over the
// network, and the match goes on once the table is ready for the next shot.
class RemoteSeat : public NetworkPlayer {
public:
    using NetworkPlayer::NetworkPlayer;

    bool has_cue() const override;
    void turn_begins() override;
};

// The person at this window: their inputs go to the match, which applies them
// through the window's hands once the host has numbered them. While the other
// player is not there, they do nothing.
class OwnSeat : public NetworkPlayer, public TableHands {
public:
    OwnSeat(NetworkSeat& network, TableHands& window_hands) : NetworkPlayer(network), window_hands_(window_hands) {}

    TableHands* persons_hands() override { return this; }
    void move(int x, int y) override;
    void press(int x, int y) override;
    void undo() override;
    void new_game() override;

private:
    TableHands& window_hands_;
};

// The seats of the network match, each for the player it plays.
class NetworkMatchSeats {
public:
    NetworkMatchSeats(NetworkSeat& network, TableHands& window_hands)
        : network_(network), own_(network, window_hands), remote_(network)
    {
    }

    // Who plays each player while a match is engaged, nullopt otherwise.
    std::optional<PlayerSeats> seats();

private:
    NetworkSeat& network_;
    OwnSeat own_;
    RemoteSeat remote_;
};
