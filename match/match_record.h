#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What changed the live game since its rack was set up, in the driver's
// script language: a replay of it from a fresh rack with the same praise
// generator reaches the same table.
struct MatchRecord {
    uint32_t praise_at_rack = 0;      // the praise generator when the rack was set up
    std::vector<std::string> inputs;  // "shot X Y", "press X Y" or "undo", in order
};

// The racks a match played before its live one, oldest first, each from its
// set-up to the "New game" that replaced it.
using EarlierRacks = std::vector<MatchRecord>;

// The record as a script: "praise R", then one input a line.
std::string script_text(const MatchRecord& record);
