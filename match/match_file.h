#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

#include "match/match_record.h"
#include "match/record_replay.h"

// A match kept as a file: its record in the driver's script language, so
// that `corvenne-replay` plays it too, after a header of comments and before
// a last comment with the check hash of the table it leads to:
//
//   # Corvenne match file, version 1
//   # Saved 2026-12-08 10:05
//   # Player 1: Anna
//   # Player 2: Computer, hard
//   praise 2891336453
//   shot 399 286
//   press 130 200
//   undo
//   # check 5e0c63e1c1f24b9d

constexpr size_t MATCH_FILE_MAX_BYTES = 1024 * 1024;

// What the header tells a reader; a file reads the same whatever it says.
struct MatchFileHeader {
    std::string saved_at;              // when it was saved, as a person reads it
    std::array<std::string, 2> seats;  // who played player 1 and player 2
};

// Why a file cannot be opened: the line, counted from 1 (0 for the file as a
// whole), and the reason.
struct MatchFileFault {
    long line = 0;
    std::string reason;
};

// "line 7: shot: the game is over", or the reason alone for the whole file.
std::string describe(const MatchFileFault& fault);

// The file of `record`. The record is replayed for the check of the table it
// leads to, whatever the live table is doing; a record the game wrote always
// replays, so a fault here means the record is not the game's own, or that
// it holds more inputs than a file keeps (the fault's input is the first
// beyond them).
std::variant<std::string, ReplayFault> match_file_text(const MatchRecord& record, const MatchFileHeader& header);

struct OpenedMatch {
    MatchRecord record;
    TableSnapshot table;  // where the record leads, checked against the file
};

// Reads a match file with every check: its size, its first line, each line
// in the driver's language, the praise line before the inputs, the check line
// last, each input played as it was taken, and the table against the check.
std::variant<OpenedMatch, MatchFileFault> open_match_text(std::string_view text);
