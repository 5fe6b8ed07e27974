#pragma once

#include "match/record_replay.h"

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
