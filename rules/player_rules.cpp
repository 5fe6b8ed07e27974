#include "rules/player_rules.h"

void take_player_rules(tjoueur& player, const tjoueur& from)
{
    player.group = from.group;
    player.keeps_turn = from.keeps_turn;
    player.first_touched = from.first_touched;
    player.on_black = from.on_black;
}
