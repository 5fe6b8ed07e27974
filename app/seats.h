#pragma once

#include <QString>
#include <optional>

#include "opponent/computer_shot.h"

class ComputerPlayer;
class MatchRecorder;
class NetworkSeat;
class TableHands;

// Who plays a player's turns as chosen in the menu: the person at this
// window, or the computer at a level.
struct Seat {
    std::optional<ComputerLevel> computer;
};

// What the player panels call a seat: "Player 1", "Computer (hard)".
QString seat_name(const Seat& seat, int player);

// The command line's and the settings' word for the opponent: person, easy,
// medium, hard or expert; nullopt for any other word.
std::optional<Seat> seat_from_word(const QString& word);
QString word_of(const Seat& seat);

// Who plays player 1 and player 2 at this window, and where each one's
// inputs go. The person plays player 1; player 2 is the menu's seat (a
// second person or the computer) or, while a network match is engaged, the
// remote player, who may equally hold player 1 when this side joined. While
// a match is watched again, no seat plays. Every seat plays through the same
// hands, the window's own.
class Seats {
public:
    Seats(const Seat& second_player, TableHands& hands, ComputerPlayer& computer, NetworkSeat& network,
          const MatchRecorder& recorder);

    // The menu's choice for player 2, who takes player 2's turn at once.
    void choose_second_player(const Seat& seat);
    const Seat& second_player() const { return second_player_; }

    // The person's mouse, undo button and "New game". In a network match
    // they go to the match, and while the other player is not there they do
    // nothing.
    void person_moved(int x, int y);
    void person_pressed(int x, int y);
    void person_undo();
    void person_new_game();

    // The supervisor's announcement, heard once its tick has returned.
    void turn_begins();
    // A match watched again keeps every seat out until it ends.
    void watch(bool watching);
    // The network match may have been engaged or left: the computer stops,
    // or looks whether the table it was left on is its turn. True when it was.
    bool network_changed();

    // Someone other than a person at this window plays: the window tells a
    // game's end from its own side.
    bool someone_else_plays() const;
    // The player this window's person plays.
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
    // The person's last shot and every computer shot after it.
    void take_back_from_computer();
    // The computer plays the turns it holds.
    bool computer_plays() const;

    Seat second_player_;
    TableHands& hands_;
    ComputerPlayer& computer_;
    NetworkSeat& network_;
    const MatchRecorder& recorder_;
    bool watching_ = false;
    bool network_engaged_ = false;  // as last seen
};
