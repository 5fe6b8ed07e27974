#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

#include "match/match_limits.h"
#include "match/match_record.h"
#include "match/record_replay.h"
#include "match/series_count.h"

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
//
// A match of several racks keeps each earlier rack in the same way, each
// followed by a line "new" (its "New game"), before the live rack's praise
// line; what each player won is counted again from them when the file opens.

constexpr size_t MATCH_FILE_MAX_BYTES = 1024 * 1024;
// The inputs of all the racks, each earlier one's "new" among them: about
// five racks as long as a file keeps, which bounds how long opening a hostile
// file holds the window.
constexpr size_t MAX_MATCH_FILE_INPUTS = 5 * MAX_RACK_INPUTS;

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

// The file of the match whose live rack is `record`. The match is replayed
// for the check of the table it leads to, whatever the live table is doing;
// a record the game wrote always replays, so a fault here means the record is
// not the game's own, or that it holds more inputs than a file keeps (the
// fault's input is the first beyond them, counted as replay_match counts).
std::variant<std::string, ReplayFault> match_file_text(const MatchRecord& record, const MatchFileHeader& header,
                                                       const EarlierRacks& earlier_racks = {});

struct OpenedMatch {
    MatchRecord record;   // the live rack
    TableSnapshot table;  // where the match leads, checked against the file
    EarlierRacks earlier_racks;
    SeriesCount won_before;  // the earlier racks each player won
};

// Reads a match file with every check: its size, its first line, each line
// in the driver's language, the praise line before the inputs, the check line
// last, each input played as it was taken, and the table against the check.
std::variant<OpenedMatch, MatchFileFault> open_match_text(std::string_view text);
