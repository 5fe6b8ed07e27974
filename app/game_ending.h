#pragma once

#include <QString>
#include <string>

#include "rules/supervisor.h"

// The end of a game told from one window's side, when a seat is not a person
// at this window. The game's own status line stays as the rules wrote it.

// What the window says: "Victory!" when the winner sits at this window,
// otherwise the winner by name, "Anna wins".
QString ending_text(bool winner_is_here, const QString& winner_name);
