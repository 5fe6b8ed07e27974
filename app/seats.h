#pragma once

#include <QString>
#include <optional>

#include "app/person_seat.h"
#include "app/player_seat.h"
#include "app/seat.h"

class ComputerPlayer;
class MatchRecorder;
class TableHands;

// Who plays player 1 and player 2 at this window, and where each one's
// inputs go. The person plays player 1; player 2 is the menu's seat (a
// second person or the computer). While a network match is engaged its
// seats play instead: this window's person and the remote player, who may
// equally hold player 1 when this side joined, or, for a watcher, the
// remote seat in both. While a match is watched again, no seat plays.
// Every seat plays through the same hands, the window's own.
class Seats {
public:
    Seats(const Seat& second_player, TableHands& hands, ComputerPlayer& computer, const MatchRecorder& recorder);

    // The menu's choice for player 2, who takes player 2's turn at once.
    void choose_second_player(const Seat& seat);
    const Seat& second_player() const { return second_player_; }

    // The person's mouse, undo button and "New game", through the hands of
    // the seat the person plays. While the other player has the cue, the
    // mouse does nothing.
    void person_moved(int x, int y);
    void person_pressed(int x, int y);
    void person_undo();
    void person_new_game();

    // The supervisor's announcement, heard once its tick has returned.
    void turn_begins();
    // A match watched again keeps every seat out until it ends.
    void watch(bool watching);
    // The network match's seats while one is engaged, nullopt otherwise.
    // True when they changed: the computer stops, or looks whether the table
    // it was left on is its turn.
    bool network_changed(const std::optional<PlayerSeats>& network);
    // A network match's seats play.
    bool network_match() const { return network_.has_value(); }

    // Someone other than a person at this window plays: the window tells a
    // game's end from its own side.
    bool someone_else_plays() const;
    // The player this window's person plays; 0 for a watcher.
    int own_player() const;
    // A person at this window plays `player`; nobody does while a match is watched.
    bool plays_here(int player) const;
    // The person's mouse acts on the table now.
    bool person_has_cue() const;
    // What a player panel says of a player: their name, and in a network
    // match what became of the other player's connection.
    QString player_name(int player) const;
    // The player's name alone, as a saved match keeps it.
    QString name_of(int player) const;
    // The computer thinks or moves its cue for `player`.
    bool at_work(int player) const;

private:
    // The menu's seats, outside a network match.
    PlayerSeats menu_seats();
    PlayerSeat& seat_of(int player) const { return *seats_.at(player - 1); }
    // Where the person's inputs go; none when the person plays no seat.
    TableHands* persons_hands() const;
    bool computer_plays() const;
    // The person's last shot and every computer shot after it.
    void take_back_from_computer();

    Seat second_player_;
    TableHands& hands_;
    PersonSeat person_{hands_};
    ComputerPlayer& computer_;
    const MatchRecorder& recorder_;
    std::optional<PlayerSeats> network_;  // as last heard
    PlayerSeats seats_;
    bool watching_ = false;
};
