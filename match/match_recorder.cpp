#include "match/match_recorder.h"

#include <sstream>

#include "rules/random.h"

namespace {

std::string input_text(const char* word, int x, int y)
{
    return std::string(word) + " " + std::to_string(x) + " " + std::to_string(y);
}

}  // namespace

void MatchRecorder::rack_set_up()
{
    if (rack_in_match_ && !record_.inputs.empty()) earlier_racks_.push_back(record_);
    rack_in_match_ = true;
    record_.praise_at_rack = praise_state();
    record_.inputs.clear();
    series_.new_rack();
    at_rack_set_up_ = series_;
}

void MatchRecorder::mouse_moved(int x, int y, bool aimed)
{
    if (!aimed) return;
    aimed_x_ = x;
    aimed_y_ = y;
}

void MatchRecorder::mouse_pressed(int x, int y, PressEffect effect)
{
    switch (effect) {
    case PressEffect::none: break;
    case PressEffect::placement_tried: record_.inputs.push_back(input_text("press", x, y)); break;
    case PressEffect::shot_launched: record_.inputs.push_back(input_text("shot", aimed_x_, aimed_y_)); break;
    }
}

void MatchRecorder::shot_taken_back()
{
    record_.inputs.push_back("undo");
}

void MatchRecorder::rewind_rack()
{
    record_.inputs.clear();
    series_ = at_rack_set_up_;
}

void MatchRecorder::new_match(int winner)
{
    earlier_racks_.clear();
    rack_in_match_ = winner == 0;
    series_.take(0, 0, winner);
    at_rack_set_up_ = series_;
}

void MatchRecorder::open_match(const EarlierRacks& earlier_racks, const SeriesCount& won_before)
{
    earlier_racks_ = earlier_racks;
    rack_in_match_ = true;
    series_ = won_before;
    at_rack_set_up_ = won_before;
}

void MatchRecorder::resume(const MatchRecord& record)
{
    series_ = at_rack_set_up_;
    record_ = record;
    for (const std::string& input : record.inputs) {
        std::istringstream words(input);
        std::string word;
        if (words >> word && word == "shot") words >> aimed_x_ >> aimed_y_;
    }
}
