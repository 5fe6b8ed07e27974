#include "tests/support/match_records.h"

#include <fstream>

#include "match/record_replay.h"
#include "match/script.h"
#include "rules/game_wiring.h"
#include "rules/random.h"
#include "sim/headless_window.h"
#include "sim/initialisation.h"
#include "sim/window.h"

namespace {

// A table on this thread that the record is played on as it is made, and
// that can go back to where it stood before an input.
struct RecordingTable {
    HeadlessWindow window;
    MatchRecord record;

    explicit RecordingTable(uint32_t praise)
    {
        attach_window(&window);
        game = GameState{};
        set_up_first_rack();
        set_praise_state(praise);
        record.praise_at_rack = praise;
    }
    ~RecordingTable() { attach_window(nullptr); }

    // Plays the shot as the window records it; false, with the table as it
    // was, when it is refused or decides the game and `keep_game_open`.
    bool take(DrawingPoint shot, bool keep_game_open)
    {
        const GameState game_before = game;
        const uint32_t praise_before = praise_state();
        const HeadlessWindow window_before = window;
        const bool placing = game.balls[CUE_BALL].state == BALL_OFF_TABLE;
        const std::string input =
            std::string(placing ? "press " : "shot ") + std::to_string(shot.first) + " " + std::to_string(shot.second);
        if (play_match_input(input).empty() && !(keep_game_open && game.game_over)) {
            record.inputs.push_back(input);
            return true;
        }
        game = game_before;
        set_praise_state(praise_before);
        window = window_before;
        return false;
    }
};

size_t shot_count(const MatchRecord& record)
{
    size_t count = 0;
    for (const std::string& input : record.inputs) count += input.starts_with("shot ");
    return count;
}

}  // namespace

std::vector<DrawingPoint> shots_of_script(const std::string& path)
{
    std::vector<DrawingPoint> shots;
    std::ifstream script(path);
    for (std::string line; std::getline(script, line);) {
        const ScriptCommand command = parse_script_line(line);
        if (command.kind == CommandKind::shot) shots.emplace_back(command.x, command.y);
    }
    return shots;
}

MatchRecord record_of_shots(const std::vector<DrawingPoint>& shots, uint32_t praise)
{
    RecordingTable table(praise);
    for (const DrawingPoint& shot : shots) {
        if (game.game_over) break;
        table.take(shot, false);
    }
    return table.record;
}

MatchRecord undecided_record(const std::vector<DrawingPoint>& shots, uint32_t praise, size_t count)
{
    RecordingTable table(praise);
    for (size_t i = 0; shot_count(table.record) < count; ++i) table.take(shots[i % shots.size()], true);
    return table.record;
}
