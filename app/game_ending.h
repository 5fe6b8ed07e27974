#pragma once

#include <QString>
#include <string>

#include "sim/variables.h"

// The end of a game told from one window's side, when a seat is not a person
// at this window. The game's own status line stays as the rules wrote it.

// Who won the game over on `table`, whose status line the rules set to
// `status`: the shooter of the last shot when it potted the black in time,
// the other player when it lost the game. 0 while the game goes on.
int winner_of(const GameState& table, const std::string& status);

// What the window says: "Victory!" when the winner sits at this window,
// otherwise the winner by name, "Anna wins".
QString ending_text(bool winner_is_here, const QString& winner_name);
