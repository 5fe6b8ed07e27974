#pragma once

// Puts a new rack on the table and resets the players. False when the table
// picture could not be loaded: the set-up then stops before touching the balls.
bool initialisation();

// The menu's "New game": a fresh rack, the supervisor restarted, the table shown.
void Nouvellepartie1Click();
