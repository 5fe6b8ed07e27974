#pragma once

#include "match/table_hands.h"
#include "protocol/match_table.h"

// The live game of this thread as a network match plays it.
class LiveTable : public MatchTable {
public:
    explicit LiveTable(TableHands& hands) : hands_(hands) {}

    bool settled() const override { return table_settled(); }
    TableFacts facts() const override;
    void apply(const Input& input) override;
    void show_aim(int x, int y) override { hands_.move(x, y); }
    bool catch_up(uint32_t praise, const std::vector<Input>& inputs) override;
    uint32_t praise() const override;
    void set_praise(uint32_t praise) override;
    std::string check_hash() const override;
    std::string state_without_time() const override;
    bool adopt(std::string_view state, uint32_t praise) override;

private:
    TableHands& hands_;
};
