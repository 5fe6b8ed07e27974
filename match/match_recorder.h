#pragma once

#include "match/match_record.h"
#include "input/table_input.h"

// Writes down the inputs that change the live game as its handlers take
// them: the window and the driver tell it what each input did.
class MatchRecorder {
public:
    // A new rack stands: the record starts afresh from the praise generator.
    void rack_set_up();
    // A mouse move; `aimed` when it set the aim, which the next launch uses.
    void mouse_moved(int x, int y, bool aimed);
    // A press and what it did: a launch is recorded as a shot from the last
    // aim, a placement as the press itself, taken or refused.
    void mouse_pressed(int x, int y, PressEffect effect);
    // The undo button, when it took a shot back.
    void shot_taken_back();
    // An opened match goes on from its record, aimed as its last shot was.
    void resume(const MatchRecord& record);

    const MatchRecord& record() const { return record_; }

private:
    MatchRecord record_;
    int aimed_x_ = 0, aimed_y_ = 0;
};
