#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "opponent/computer_shot.h"
#include "replay/match_script.h"
#include "match/state_line.h"
#include "rules/for_tests.h"
#include "rules/random.h"
#include "sim/variables.h"
#include "tests/support/driver_table.h"

// The computer at the driver: what its search leaves behind, and how its
// transcript replays.
namespace {

std::string states_of(const std::string& script)
{
    const Replay played = play(script);
    EXPECT_EQ(played.status, REPLAY_DONE) << played.errors;
    return played.states;
}

// The plain script that the computer lines of `transcript` describe.
std::string plain_script(const std::string& transcript)
{
    const std::regex line(R"(\{"computer":\d,"place":(null|\[(\d+),(\d+)\]),"shot":\[(\d+),(\d+)\]\})");
    std::string script;
    for (std::sregex_iterator m(transcript.begin(), transcript.end(), line), end; m != end; ++m) {
        script += "settle\n";
        if ((*m)[1] != "null") script += "press " + (*m)[2].str() + " " + (*m)[3].str() + "\n";
        script += "move " + (*m)[4].str() + " " + (*m)[5].str() + "\npress " + (*m)[4].str() + " " + (*m)[5].str()
                  + "\nsettle\nstate\n";
    }
    return script;
}

std::string state_lines_only(const std::string& output)
{
    std::istringstream in(output);
    std::string kept, line;
    while (std::getline(in, line))
        if (line.rfind("{\"t\":", 0) == 0) kept += line + "\n";
    return kept;
}

using ComputerAtTheDriver = DriverTable;

TEST_F(ComputerAtTheDriver, ATranscriptReplaysAsItsPlainScript)
{
    std::string script;
    for (int turn = 0; turn < 4; ++turn) script += "computer 3\nstate\ncomputer 1\nstate\n";
    const std::string transcript = states_of(script);
    const std::string plain = plain_script(transcript);
    ASSERT_EQ(std::count(plain.begin(), plain.end(), 'v'), 8) << transcript;  // one move per turn
    EXPECT_EQ(state_lines_only(transcript), states_of(plain));
}

TEST_F(ComputerAtTheDriver, ItsSearchLeavesTheLiveGameUntouched)
{
    ASSERT_TRUE(settle(table));
    const std::string state = state_line(table.now());
    const QImage screen = table.view().surface().copy(), back_buffer = table.view().back_buffer().copy();

    choose_computer_shot(game, ComputerLevel::hard);

    EXPECT_EQ(state_line(table.now()), state);
    EXPECT_EQ(table.view().surface(), screen);
    EXPECT_EQ(table.view().back_buffer(), back_buffer);
    const uint32_t next_draw = random_below(1u << 30);
    reset_random();
    EXPECT_EQ(next_draw, random_below(1u << 30));
}

TEST_F(ComputerAtTheDriver, PlaysNothingOnceTheGameIsOver)
{
    ASSERT_TRUE(settle(table));
    game.game_over = true;
    std::istringstream script("computer 2\nstate\n");
    std::ostringstream out, errors;
    EXPECT_EQ(play_script(script, out, errors, table), REPLAY_DONE);
    const std::string lines = out.str();
    EXPECT_EQ(lines.substr(0, lines.find('\n')), R"({"computer":2,"place":null,"shot":null})");
    EXPECT_NE(lines.find(R"("balls":[{"x":154,"y":150,)"), std::string::npos);  // the cue ball never moved
}

}  // namespace
