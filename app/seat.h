#pragma once

#include <QString>
#include <optional>

#include "opponent/computer_shot.h"

// Against the computer, the person plays player 1 and the computer player 2.
constexpr int PERSON_PLAYER = 1;
constexpr int COMPUTER_PLAYER = 2;

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
