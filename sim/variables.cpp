#include "sim/for_tests.h"
#include "sim/variables.h"

thread_local constinit GameState game;

void reset_game_state()
{
    game = GameState{};
}
