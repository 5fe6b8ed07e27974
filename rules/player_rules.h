#pragma once

#include "sim/variables.h"

// What the rules keep for `player` (group, turn kept, first touch, on the
// black) taken from `from`; the name stays.
void take_player_rules(tjoueur& player, const tjoueur& from);
