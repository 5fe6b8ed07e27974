#pragma once

#include "input/table_input.h"
#include "match/match_record.h"
#include "match/series_count.h"

// Writes down the inputs that change the live game as its handlers take
// them: the window and the driver tell it what each input did. It keeps the
// match's earlier racks too, and the racks each player has won in the match.
class MatchRecorder {
public:
    // A new rack stands: the record starts afresh from the praise generator,
    // and the rack it replaced, when anything was played on it, joins the
    // match's earlier racks.
    void rack_set_up();
    // A mouse move; `aimed` when it set the aim, which the next launch uses.
    void mouse_moved(int x, int y, bool aimed);
    // A press and what it did: a launch is recorded as a shot from the last
    // aim, a placement as the press itself, taken or refused.
    void mouse_pressed(int x, int y, PressEffect effect);
    // The undo button, when it took a shot back.
    void shot_taken_back();
    // The rack is replaced by the table `record` leads to (an opened match, a
    // shot taken back, a guest catching up), which is looked at next: the
    // record goes on from `record`, aimed as its last shot was, and the count
    // goes back to where it stood when the rack was set up.
    void resume(const MatchRecord& record);
    // The table after it changed: `winner` is 1 or 2 once the rack is decided.
    void rack_looked_at(int winner) { series_.rack_looked_at(winner); }
    // The rack is to be set up again and played over: it leaves the match,
    // with what it counted.
    void rewind_rack();
    // A new match begins on the table as it stands, `winner` its rack's:
    // the earlier racks and the count start over, and a rack already decided
    // is left out of the new match.
    void new_match(int winner);
    // An opened match: the racks before its live one and what each player
    // won in them. Its live rack is taken over next.
    void open_match(const EarlierRacks& earlier_racks, const SeriesCount& won_before);

    const MatchRecord& record() const { return record_; }
    const EarlierRacks& earlier_racks() const { return earlier_racks_; }
    const SeriesCount& series() const { return series_; }

private:
    MatchRecord record_;
    int aimed_x_ = 0, aimed_y_ = 0;
    EarlierRacks earlier_racks_;
    SeriesCount series_;
    SeriesCount at_rack_set_up_;  // the count when the live rack was set up
    bool rack_in_match_ = true;   // false for a decided rack a new match began on
};
