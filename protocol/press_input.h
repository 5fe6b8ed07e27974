#pragma once

#include <optional>

#include "protocol/message.h"

struct GameState;

// What a press of this side's player (player `own_player`) on the drawing
// area is in a network match, on the table as it stands: the press the game
// would act on alone, and only on this side's turn. That is a shot while
// aiming is enabled and the game goes on, or a placement when the cue ball
// is off the table then. Nothing otherwise: a press while a shot rolls is
// not kept for later.
std::optional<InputKind> press_as_input(const GameState& table, int own_player);
