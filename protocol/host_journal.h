#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "protocol/input_rules.h"
#include "protocol/message.h"

// A hosted match as the host keeps it on its own disk, so that the match
// outlives the program: who plays, how the host is reached, the seat's
// newest token, and every numbered input since the match began, rack by rack.
// The journal is text, one fact a line, written line by line as the match
// goes on:
//
//   corvenne-journal 1
//   player Anna
//   port 47147                      (or: relay mqtt://relay.example.org:1883 CODE [WATCH_CODE])
//   seat 0123456789abcdef Boris     (at every seating: the newest token and the guest's name)
//   rack 2404303443 1 0             (the praise generator when the rack was set up, and
//                                    the racks each player had won by then)
//   host 1 shot 407 196             (whose input, then the input as it was numbered)
//   guest 2 place 196 116

// A journal larger than this is not read: it would hold some thousand racks.
constexpr std::size_t MAX_JOURNAL_BYTES = 8 * 1024 * 1024;

// A relay's address as the player wrote it (without blanks), the match code
// and, once matches may be watched, the watch code.
struct JournalRelay {
    std::string address;
    std::string match_code;
    std::string watch_code;
    bool operator==(const JournalRelay&) const = default;
};
// How the guest reaches the host: its TCP port, or its relay and codes.
using JournalPlace = std::variant<uint16_t, JournalRelay>;

struct JournalInput {
    Side side = Side::host;
    NumberedInput numbered;
    bool operator==(const JournalInput&) const = default;
};

// The racks player 1 and player 2 had won in the match.
using RacksWon = std::array<uint32_t, 2>;

// A rack from its set-up: its praise state, the racks won before it, and
// every input since, the new game that ended it included.
struct JournalRack {
    uint32_t praise = 0;
    RacksWon won_before{};
    std::vector<JournalInput> inputs;
    bool operator==(const JournalRack&) const = default;
};

struct HostJournal {
    std::string player;
    JournalPlace place;
    std::string seat_token;
    std::string guest;
    std::vector<JournalRack> racks;  // the current rack last
    bool operator==(const HostJournal&) const = default;

    // The number of the last input, 0 when there is none.
    uint32_t last_number() const;
};

// Why a journal cannot be read: its line (from 1; 0 for the whole file) and the reason.
struct JournalFault {
    std::size_t line = 0;
    std::string reason;
    // "line N: reason", or the reason alone.
    std::string text() const;
};

// Each line of a journal, with its end.
std::string journal_head(const HostJournal& journal);  // the first three lines
std::string seat_line(std::string_view token, std::string_view guest);
std::string rack_line(uint32_t praise, const RacksWon& won_before);
std::string input_line(const JournalInput& input);
// The whole journal, as it would have been written.
std::string journal_text(const HostJournal& journal);

// A journal read back, every value checked. A last line without its end is
// a write that never finished, and a last new game without its rack was
// never sent: both are left out. A journal must hold a rack: before its
// first, no guest had the match.
std::variant<HostJournal, JournalFault> read_journal(std::string_view text);
