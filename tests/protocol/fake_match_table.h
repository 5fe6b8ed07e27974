#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "protocol/match_table.h"

// A shot at this x pots the black for its shooter.
constexpr int WINNING_X = 704;

// A table small enough to see through: a shot passes the turn and rolls until
// the test lets it rest; a shot at x = 0 pots the cue ball, which a placement
// puts back; the undo gives the turn back. Its state is its facts, what was
// applied since its rack and whether it rolls, so two tables that took the
// same inputs agree once at rest.
class FakeMatchTable : public MatchTable {
public:
    bool rolling = false;
    TableFacts table;
    std::string inputs;  // since the rack, each followed by ";"
    uint32_t praise_state = 0;
    std::vector<std::pair<int, int>> aims_shown;

    bool settled() const override { return !rolling; }
    TableFacts facts() const override { return table; }
    void apply(const Input& input) override
    {
        switch (input.kind) {
        case InputKind::shot:
            rolling = true;
            if (input.x == WINNING_X) table.winner = table.current_player;
            table.game_over = table.winner != 0;
            table.undo_available = true;
            table.cue_ball_on_table = input.x != 0;
            table.current_player = 3 - table.current_player;
            break;
        case InputKind::place: table.cue_ball_on_table = true; break;
        case InputKind::undo: table.current_player = 3 - table.current_player; break;
        case InputKind::new_game:
            table = TableFacts{};
            inputs.clear();
            return;
        }
        inputs += input_text(input) + ";";
    }
    void show_aim(int x, int y) override { aims_shown.emplace_back(x, y); }
    bool catch_up(uint32_t praise, const std::vector<Input>& catch_up_inputs) override
    {
        apply(Input{InputKind::new_game});
        praise_state = praise;
        for (const Input& input : catch_up_inputs) apply(input);
        // As a new rack, a caught-up table comes to rest after a moment.
        rolling = true;
        return true;
    }
    uint32_t praise() const override { return praise_state; }
    void set_praise(uint32_t praise) override { praise_state = praise; }
    std::string check_hash() const override
    {
        char hash[17];
        std::snprintf(hash, sizeof hash, "%016zx", std::hash<std::string>{}(state_without_time()));
        return hash;
    }
    std::string state_without_time() const override
    {
        // A table in motion is not the one it comes to rest as.
        return (rolling ? "~" : "") + std::to_string(table.current_player) + (table.cue_ball_on_table ? "C" : "-")
               + inputs;
    }
    bool adopt(std::string_view state, uint32_t praise) override
    {
        if (state.size() < 2 || (state[0] != '1' && state[0] != '2')) return false;
        table.current_player = state[0] - '0';
        table.cue_ball_on_table = state[1] == 'C';
        table.undo_available = false;
        inputs = state.substr(2);
        praise_state = praise;
        rolling = false;
        return true;
    }
};
