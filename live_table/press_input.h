#pragma once

#include <optional>

#include "protocol/message.h"

struct GameState;

// What a press of this side's player (player `own_player`) on the drawing
// area is in a network match, on the table as it stands: the press the game
// would act on alone (`press_effect`), and only on this side's turn. A press
// while a shot rolls is not kept for later.
std::optional<InputKind> press_as_input(const GameState& table, int own_player);
