#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>

#include "match/match_record.h"
#include "sim/variables.h"

// A match record played out at once, without drawing and away from the live
// table, exactly as the driver plays the same script: what opening a match
// file and joining a network match both set the table to.

// A whole table as a match leaves it: the game, the praise generator, and
// what the window keeps of it.
struct TableSnapshot {
    GameState game;
    uint32_t praise_state = 0;
    std::string status_line;
    std::array<bool, 3> timers_on{};  // by timer_index()
    std::string check_hash;           // as a network match checks the table
};

// Why a record cannot be played: which input (from 0) and the reason, which
// starts with the input's word ("shot: the game is over").
struct ReplayFault {
    size_t input = 0;
    std::string reason;
};

// Plays `record` from a new rack and the praise generator's state: a shot
// waits for the table to settle, aims, presses and waits again; a press and an
// undo act at once, as the driver's commands do. Every input must do what it
// did when it was taken: a shot shoots, a press tries a placement, an undo
// takes a shot back; and a shot must come to rest within the driver's limit.
// This thread's game, praise generator and window are left as they were.
// `before_input`, when given, is told the index of each input just before it
// is played on this thread's game.
std::variant<TableSnapshot, ReplayFault> replay_record(const MatchRecord& record,
                                                       const std::function<void(size_t)>& before_input = {});

// A whole match played as the window played it: from a new rack, each
// earlier rack followed by "New game" on the table it left, then the live
// rack `record`. A fault's input counts through the whole match, the new
// game after each earlier rack among them. `rack_replaced`, when given, is
// told who won each earlier rack (0 for nobody) as a new game replaces it.
std::variant<TableSnapshot, ReplayFault> replay_match(const EarlierRacks& earlier_racks, const MatchRecord& record,
                                                      const std::function<void(int)>& rack_replaced = {});

// One input of a record played on this thread's game as replay_record()
// plays it. Empty when it did what it does in a match, else why not.
std::string play_match_input(std::string_view input);

// The live table becomes `table`, and the window draws it whole.
void take_over_table(const TableSnapshot& table);

// Every ball rests, the last shot has been judged and the player may aim: the
// table a match's next input waits for.
bool table_settled();
