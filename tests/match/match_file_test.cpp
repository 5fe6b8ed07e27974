#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "match/match_file.h"
#include "match/match_limits.h"
#include "match/table_check.h"
#include "rules/game_wiring.h"
#include "rules/random.h"
#include "rules/supervisor.h"
#include "sim/headless_window.h"
#include "sim/initialisation.h"
#include "tests/support/driver_process.h"
#include "tests/support/match_records.h"

namespace {

// A name that tries to break out of its comment line.
const MatchFileHeader HEADER{"2026-12-08 10:05", {"Anna\nundo", "Computer, hard"}};

std::string file_of(const MatchRecord& record, const EarlierRacks& earlier_racks = {})
{
    const std::variant<std::string, ReplayFault> text = match_file_text(record, HEADER, earlier_racks);
    if (const auto* fault = std::get_if<ReplayFault>(&text)) ADD_FAILURE() << fault->reason;
    return std::get_if<std::string>(&text) ? std::get<std::string>(text) : std::string();
}

// The state line, without its time, of the table a window shows after it took
// over the snapshot.
std::string state_shown(const TableSnapshot& table)
{
    HeadlessWindow shown;
    attach_window(&shown);
    take_over_table(table);
    const std::string state = table_state_without_time();
    attach_window(nullptr);
    return state;
}

// The first rack of a long random match, placements of the cue ball and a
// decided game among them, with a shot taken back and played again.
MatchRecord with_a_retaken_shot(MatchRecord record)
{
    constexpr size_t RETAKEN = 3;
    record.inputs.insert(record.inputs.begin() + RETAKEN + 1, {"undo", record.inputs[RETAKEN]});
    return record;
}

// The driver's series line for what an opened match has counted.
std::string score_line(const OpenedMatch& match)
{
    SeriesCount won = match.won_before;
    won.rack_looked_at(winner_of(match.table.game, match.table.status_line));
    return "{\"score\":[" + std::to_string(won.won_by(1)) + "," + std::to_string(won.won_by(2)) + "]}";
}

// A match saved, opened and played by the driver ends on one table: the
// record comes back whole, and the window that opens it shows the table the
// driver's replay of the file ends on, status line and timers included. A
// match of three decided racks opens at 1–2, the racks each player won as the
// driver counts them.
TEST(MatchFile, SavedOpenedAndReplayedByTheDriverEndsOnOneTable)
{
    const std::vector<DrawingPoint> long_match = shots_of_script(LONG_MATCH_SCRIPT);
    const MatchRecord black_potted_early = record_of_shots(shots_of_script(BLACK_POTTED_EARLY_SCRIPT), 7);
    const std::pair<EarlierRacks, MatchRecord> matches[] = {
        {{}, with_a_retaken_shot(record_of_shots(long_match, 2'891'336'453u))},
        {{}, undecided_record(long_match, 7, 300)},
        {{black_potted_early, record_of_shots(long_match, 8)}, black_potted_early},
    };
    std::string last_score;
    for (const auto& [earlier_racks, record] : matches) {
        const std::string text = file_of(record, earlier_racks);
        const std::variant<OpenedMatch, MatchFileFault> opened = open_match_text(text);
        ASSERT_TRUE(std::holds_alternative<OpenedMatch>(opened)) << describe(std::get<MatchFileFault>(opened));
        const OpenedMatch& match = std::get<OpenedMatch>(opened);
        EXPECT_EQ(match.record.praise_at_rack, record.praise_at_rack);
        EXPECT_EQ(match.record.inputs, record.inputs);
        EXPECT_EQ(match.earlier_racks.size(), earlier_racks.size());
        const std::string driver = driver_output(REPLAY_DRIVER, text + "state\nscore\n");
        const size_t state_end = driver.find('\n') + 1;
        EXPECT_EQ(state_shown(match.table), without_time(driver.substr(0, state_end)));
        EXPECT_EQ(score_line(match) + "\n", driver.substr(state_end));
        last_score = score_line(match);
    }
    EXPECT_EQ(last_score, "{\"score\":[1,2]}");
}

// A file from an editor that writes a byte-order mark and DOS line ends.
TEST(MatchFile, OpensTheSameWithAByteOrderMarkAndDosLineEnds)
{
    const std::string text = file_of(record_of_shots(shots_of_script(BLACK_POTTED_EARLY_SCRIPT), 7));
    std::string edited = "\xEF\xBB\xBF";
    for (const char c : text) edited += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const auto plain = open_match_text(text);
    const auto from_editor = open_match_text(edited);
    ASSERT_TRUE(std::holds_alternative<OpenedMatch>(from_editor)) << describe(std::get<MatchFileFault>(from_editor));
    EXPECT_EQ(state_shown(std::get<OpenedMatch>(from_editor).table), state_shown(std::get<OpenedMatch>(plain).table));
}

// `text` with its line `line` replaced by `lines`: none, or each ended by a
// line break.
std::string edited(const std::string& text, const std::string& line, const std::string& lines)
{
    const size_t at = text.find(line + "\n");
    EXPECT_NE(at, std::string::npos) << line;
    return text.substr(0, at) + lines + text.substr(at + line.size() + 1);
}

std::string repeated(const std::string& line, size_t times)
{
    std::string text;
    for (size_t i = 0; i < times; ++i) text += line + "\n";
    return text;
}

// A live table in the middle of a game, on its own window, with a praise
// generator that no match file starts from.
void set_up_live_table(HeadlessWindow& live)
{
    attach_window(&live);
    game = GameState{};
    set_up_first_rack();
    EXPECT_EQ(play_match_input("shot 399 286"), "");
    set_praise_state(12345);
}

// The header takes four lines, the praise line is line 5 and the inputs
// follow: here the break (line 6), the black potted early (line 7) and the
// check (line 8); the second file's line 7 places the potted cue ball.
TEST(MatchFile, ADamagedFileIsRefusedWithItsLineAndReasonAndTheTableStaysAsItWas)
{
    const std::string decided = file_of(record_of_shots(shots_of_script(BLACK_POTTED_EARLY_SCRIPT), 7));
    const std::string unchecked = decided.substr(0, decided.find("# check "));
    const std::vector<DrawingPoint> long_match = shots_of_script(LONG_MATCH_SCRIPT);
    const std::string placed = file_of(record_of_shots({long_match[0], long_match[1]}, 7));
    ASSERT_EQ(unchecked.substr(unchecked.find("praise")), "praise 7\nshot 407 196\nshot 435 339\n");
    const std::pair<std::string, std::string> damaged[] = {
        {decided + std::string(MATCH_FILE_MAX_BYTES, '\n'), "the file is over 1 MB"},
        {"", "line 1: not a Corvenne match file"},
        {"shot 407 196\nstate\n", "line 1: not a Corvenne match file"},
        {edited(decided, "# Corvenne match file, version 1", "# Corvenne match file, version 2\n"),
         "line 1: a match file of another version (this game reads version 1)"},
        {edited(decided, "shot 407 196", "shot 705 196\n"), "line 6: shot: X 705 is out of range (0 to 704)"},
        {edited(decided, "praise 7", "praise 7\n" + std::string("\0\x01" "bogus\n", 8)),
         R"(line 6: unknown command "\x00\x01bogus")"},
        {edited(decided, "shot 407 196", "wait 100\n"), R"(line 6: "wait" is not an input of a match)"},
        {edited(decided, "praise 7", "shot 407 196\npraise 7\n"), "line 5: an input comes before the praise line"},
        {edited(decided, "shot 435 339", "praise 8\nshot 435 339\n"),
         "line 7: the praise line comes once, before the inputs"},
        {edited(decided, "praise 7", "praise 7\n" + repeated("undo", MAX_RACK_INPUTS + 1)),
         "line 2006: more than 2000 inputs"},
        {unchecked, "line 7: the file ends without its check line"},
        {unchecked + "# check 29ea0ce9\n", "line 8: the check is not 16 hex digits"},
        {edited(decided, "shot 435 339", "shot 435 339\nnew\n"), "line 9: the last rack has no praise line"},
        {edited(decided, "shot 435 339", "shot 435 339\nnew\npraise 7\nundo\n"),
         "line 10: undo: there is no shot to take back"},
        {decided + "undo\n", "line 9: the match goes on after its check line"},
        {"# Corvenne match file, version 1\n# check 0123456789abcdef\n", "line 2: the file has no praise line"},
        {unchecked + "# check 0000000000000000\n", "line 8: the inputs lead to another table than the one saved"},
        {edited(decided, "praise 7", "praise 7\nundo\n"), "line 6: undo: there is no shot to take back"},
        {edited(decided, "praise 7", "praise 7\npress 100 100\n"), "line 6: press: the table is not ready"},
        {edited(decided, "shot 407 196", "shot 407 196\npress 100 100\n"),
         "line 7: press: the cue ball is on the table, so the press shoots"},
        {edited(decided, "shot 435 339", "shot 435 339\nshot 300 200\n"), "line 8: shot: the game is over"},
        {edited(placed, "press 228 178", "shot 228 178\n"),
         "line 7: shot: the cue ball is off the table and must be placed first"},
    };
    HeadlessWindow live;
    set_up_live_table(live);
    const std::string live_state = table_state_without_time();
    for (const auto& [text, message] : damaged) {
        const std::variant<OpenedMatch, MatchFileFault> opened = open_match_text(text);
        ASSERT_TRUE(std::holds_alternative<MatchFileFault>(opened)) << message;
        EXPECT_EQ(describe(std::get<MatchFileFault>(opened)), message);
        EXPECT_EQ(table_state_without_time(), live_state) << message;
        EXPECT_EQ(praise_state(), 12345u) << message;
        EXPECT_EQ(&window(), &live) << message;
    }
    attach_window(nullptr);
}

// A rack with more inputs than a file keeps, here a person pressing off the
// table while the potted cue ball waits to be placed, is not saved as a file
// that Open would refuse: saving stops at the first input beyond, in Open's words.
TEST(MatchFile, ARackLongerThanAFileKeepsIsNotSaved)
{
    const std::vector<DrawingPoint> long_match = shots_of_script(LONG_MATCH_SCRIPT);
    MatchRecord record = record_of_shots({long_match[0], long_match[1]}, 7);
    ASSERT_EQ(record.inputs.back(), "press 228 178");
    record.inputs.insert(record.inputs.end() - 1, MAX_RACK_INPUTS, "press 0 0");
    const std::variant<std::string, ReplayFault> text = match_file_text(record, HEADER);
    ASSERT_TRUE(std::holds_alternative<ReplayFault>(text));
    EXPECT_EQ(std::get<ReplayFault>(text).input, MAX_RACK_INPUTS);
    EXPECT_EQ(std::get<ReplayFault>(text).reason, "more than 2000 inputs");
    const MatchRecord longest_rack{7, std::vector<std::string>(MAX_RACK_INPUTS, "undo")};
    const std::variant<std::string, ReplayFault> match = match_file_text({}, HEADER, EarlierRacks(5, longest_rack));
    ASSERT_TRUE(std::holds_alternative<ReplayFault>(match));
    EXPECT_EQ(std::get<ReplayFault>(match).reason, "more than 10000 inputs in the match");
}

}  // namespace
