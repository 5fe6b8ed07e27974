#pragma once

#include "opponent/computer_shot.h"
#include "sim/variables.h"

// What a candidate shot did, played out exactly and judged by the game's own rules.
struct ShotTrial {
    bool played = false;  // placed if needed, launched, and at rest in time
    OutcomeCode judged = 0;
    bool game_over = false;
    bool won = false;
    bool foul = false;         // the opponent gets an extra visit
    bool turn_kept = false;
    int own_balls_potted = 0;  // of the shooter's group, as it stands after the shot
};

// Plays `shot` through the same press and aim as the mouse on this thread's
// game, set to a copy of `table`, and judges it as the supervisor would. The
// table as the shot left it stays in this thread's game.
ShotTrial play_trial(const GameState& table, const ComputerShot& shot);
