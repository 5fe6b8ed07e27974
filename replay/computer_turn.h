#pragma once

#include <optional>
#include <string>

#include "opponent/computer_shot.h"

class ReplayWindow;

// The computer plays the current player's turn on `table`, the attached
// window at rest, through the mouse handlers a person uses: a placing press
// when the cue ball is off the table, then a move and a press. Nothing is
// played, and nothing is returned, when the game is over. The balls are left
// rolling.
std::optional<ComputerShot> play_computer_turn(ReplayWindow& table, ComputerLevel level);

// The driver's line for that turn, e.g. {"computer":3,"place":null,"shot":[52,190]}.
std::string computer_line(ComputerLevel level, const std::optional<ComputerShot>& shot);
