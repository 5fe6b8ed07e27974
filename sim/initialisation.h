#pragma once

// Puts a new rack on the table and resets the players. False when the table
// picture could not be loaded: the set-up then stops before touching the balls.
bool initialisation();

// The first rack, as the main window's creation sets it up: aiming waits for
// the supervisor's first tick, and the supervisor starts once the rack stands.
// False, with no rack and no supervisor, when the table picture could not be loaded.
bool set_up_first_rack();

// The menu's "New game": a fresh rack, the supervisor restarted, the table shown.
void Nouvellepartie1Click();
