#include "sim/variables.h"

GameState game;

void reset_game_state()
{
    game = GameState{};
}
