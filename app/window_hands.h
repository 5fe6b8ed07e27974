#pragma once

#include <functional>

#include "match/table_hands.h"

class MatchRecorder;
class TableView;

// The window's own handlers, which apply an input to the live table and
// record it, whoever gave it: the person, the computer, the remote player
// or a match watched again all play through them.
class WindowHands : public TableHands {
public:
    // `drawn` shows the drawing area again after the cue moved on its surface;
    // `replacing_rack` is told before the rack is replaced, so that whoever
    // was playing a turn drops it.
    WindowHands(MatchRecorder& recorder, TableView& view, std::function<void()> drawn,
                std::function<void()> replacing_rack);

    void move(int x, int y) override;
    void press(int x, int y) override;
    void undo() override;
    void new_game() override;
    // A guest catching up, an opened match or a shot taken back from the
    // computer: the table becomes `table`, and the record goes on from `record`.
    void take_over(const MatchRecord& record, const TableSnapshot& table) override;

private:
    MatchRecorder& recorder_;
    TableView& view_;
    std::function<void()> drawn_;
    std::function<void()> replacing_rack_;
};
