#pragma once

#include <string>
#include <vector>

class TableView;

// What a sound table looks like, checked against the one game state. Each
// function returns one line per fault found, and nothing when all is well.

// Between two simulation iterations: every number finite, every ball on or
// off the table (never half-potted), and no ball left standing beyond a
// capture line that a later pocket test of the same iteration should have taken.
std::vector<std::string> faults_between_iterations();

// Once a shot has come to rest and been judged: the above, every ball still
// and on the table only inside the capture lines, a player to shoot and
// nothing left over from the shot.
std::vector<std::string> faults_at_rest();

// The order in which the balls were last drawn into the back buffer: by
// number, as the rack, every iteration and the undo draw them, or with the
// cue ball over the others, as putting it back by hand draws it (a ball whose
// centre is just over a ball's width away can still share a rim pixel).
enum class DrawingOrder { by_number, cue_ball_last };

// Once a shot has come to rest: the back buffer is the bare table with every
// ball on it drawn in that order, and the drawing area shows exactly the back
// buffer at the draw offset. Not while the end-of-game banner is up.
std::vector<std::string> faults_in_pictures(const TableView& table, DrawingOrder order);
