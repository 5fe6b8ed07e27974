#pragma once

#include <cstddef>

// What one match may hold, wherever it comes from: a match file, a script,
// the network's lines or a host's journal.

// A player's name, in characters, not bytes.
constexpr std::size_t MAX_NAME_CHARACTERS = 24;
// The inputs of one rack: of a match file, and of the match a joining guest
// receives. The bound keeps a hostile peer or file from holding the window
// for more than about a second; a rack played beyond it cannot be saved.
constexpr std::size_t MAX_RACK_INPUTS = 2'000;
