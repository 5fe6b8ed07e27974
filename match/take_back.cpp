#include "match/take_back.h"

#include <string_view>
#include <vector>

#include "match/record_replay.h"
#include "sim/variables.h"

namespace {

bool starts_with(const std::string& input, std::string_view word)
{
    return input.rfind(word, 0) == 0;
}

// Who was to play before each input, by replaying the record.
std::optional<std::vector<int>> players_of(const MatchRecord& record)
{
    std::vector<int> players(record.inputs.size());
    const auto replayed = replay_record(record, [&players](size_t i) { players[i] = game.current_player; });
    if (!std::holds_alternative<TableSnapshot>(replayed)) return std::nullopt;
    return players;
}

// The shots an undo has not taken back, in order.
std::vector<size_t> standing_shots(const MatchRecord& record)
{
    std::vector<size_t> shots;
    for (size_t i = 0; i < record.inputs.size(); ++i) {
        if (starts_with(record.inputs[i], "shot")) shots.push_back(i);
        else if (starts_with(record.inputs[i], "undo") && !shots.empty()) shots.pop_back();
    }
    return shots;
}

}  // namespace

std::optional<MatchRecord> without_last_shot_of(const MatchRecord& record, int person)
{
    const std::optional<std::vector<int>> players = players_of(record);
    if (!players) return std::nullopt;
    const std::vector<size_t> shots = standing_shots(record);
    for (auto shot = shots.rbegin(); shot != shots.rend(); ++shot) {
        if ((*players)[*shot] != person) continue;
        size_t cut = *shot;
        while (cut > 0 && starts_with(record.inputs[cut - 1], "press") && (*players)[cut - 1] == person) --cut;
        return MatchRecord{record.praise_at_rack, {record.inputs.begin(), record.inputs.begin() + static_cast<long>(cut)}};
    }
    return std::nullopt;
}
