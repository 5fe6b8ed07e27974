#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "match/match_record.h"

using DrawingPoint = std::pair<int, int>;

// The positions of the "shot X Y" lines of a match script, in order.
std::vector<DrawingPoint> shots_of_script(const std::string& path);

// The record a person leaves who plays `shots` in order from a new rack with
// the praise generator at `praise`, as the window records it: a shot while the
// cue ball is off the table is a press that places it. It stops once the game
// is decided.
MatchRecord record_of_shots(const std::vector<DrawingPoint>& shots, uint32_t praise);

// A long match in one rack: `count` shots taken from `shots` over and over,
// passing over those that would decide the game.
MatchRecord undecided_record(const std::vector<DrawingPoint>& shots, uint32_t praise, size_t count);
