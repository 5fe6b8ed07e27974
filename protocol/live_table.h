#pragma once

#include "match/record_replay.h"
#include "protocol/match_table.h"

// What plays inputs on the live game: the handlers of the window, or of the
// driver, through which every seat plays there (the person's mouse and
// menu, the computer, a network match's inputs, a match watched again).
class TableHands {
public:
    virtual ~TableHands() = default;
    // Over the drawing area, at (x, y).
    virtual void move(int x, int y) = 0;
    virtual void press(int x, int y) = 0;
    virtual void undo() = 0;
    virtual void new_game() = 0;
    // A joining guest's table: the match so far, played away from the live
    // table, becomes it. A window that keeps the match's record goes on from
    // `record` too.
    virtual void take_over(const MatchRecord& /*record*/, const TableSnapshot& table) { take_over_table(table); }
};

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
