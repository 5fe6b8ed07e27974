#pragma once

#include <optional>
#include <vector>

#include "opponent/computer_shot.h"
#include "opponent/table_reading.h"

// Candidate shots as mouse positions: the shot goes from the mouse through
// the cue ball, and every 6 pixels of distance add one unit of strength.

// The mouse position that sends the cue ball at `cue` (table pixels) along
// the direction (dx, dy) with `strength`, rounded to whole pixels; none when
// it falls outside the drawing area.
std::optional<MousePoint> mouse_for(Point cue, double dx, double dy, double strength);

// Like `mouse_for`, but the whole pixel near it that keeps closest to the
// direction, since a pixel off the line turns a short shot a long way.
std::optional<MousePoint> mouse_nearest(Point cue, double dx, double dy, double strength);

// The ghost-ball aims at every target the shooter may play and every pocket,
// at each of `strengths`, from the cue ball at `cue`, for pots that look possible.
std::vector<MousePoint> pot_aims(const GameState& table, Point cue, const std::vector<double>& strengths);

// Aims straight at the centre of each ball the shooter may play, and at
// `directions` even angles round the cue ball, at each of `strengths`: shots
// that play safe when nothing pots.
std::vector<MousePoint> safety_aims(const GameState& table, Point cue, int directions,
                                    const std::vector<double>& strengths);

// The mouse positions within `reach` pixels of `aim` on either axis, `aim` left out.
std::vector<MousePoint> neighbours(MousePoint aim, int reach);

// The spots of the placement region, `step` pixels apart, where the cue ball
// may go back on `table`, best looking first, at most `count` of them.
std::vector<Point> placement_spots(const GameState& table, int step, int count);

// The drawing-area press that puts the cue ball back at a table spot.
MousePoint press_for_spot(Point spot);
