#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/support/driver_table.h"

namespace {

// The commands of the long random match, without its state and pixels lines.
std::vector<std::string> long_match_inputs()
{
    std::ifstream file(LONG_MATCH_SCRIPT);
    std::vector<std::string> inputs;
    for (std::string line; std::getline(file, line);)
        if (line.starts_with("shot") || line == "new") inputs.push_back(line);
    return inputs;
}

std::string lines(const std::vector<std::string>& inputs, size_t from, size_t to)
{
    std::string text;
    for (size_t k = from; k < to; ++k) text += inputs[k] + "\n";
    return text;
}

// The state line without its time and status: the praise drawn by an undone
// shot may change the message of the retaken one, nothing else may differ.
std::string table_after(const std::string& script)
{
    const Replay replay = play(script + "state\n");
    EXPECT_EQ(replay.status, REPLAY_DONE) << replay.errors;
    const std::string& line = replay.states;
    const size_t status = line.find(",\"status\"");
    const size_t after_status = line.find(",\"game_over\"");
    return line.substr(line.find(',')).erase(status - line.find(','), after_status - status);
}

struct Retake {
    const char* name;
    size_t from, shot;  // the position is the long match's inputs from..shot-1
};

// Shot `shot` of the long match, taken back and played again, leaves the
// table as playing it once does.
TEST(UndoThenRetake, GivesTheTableThatTheRetakeAloneGives)
{
    const std::vector<std::string> inputs = long_match_inputs();
    const Retake retakes[] = {
        {"the first object ball potted", 0, 2},
        {"a foul with an extra visit", 0, 3},
        {"a turn passed after a first touch", 101, 104},
        {"a shot from the black", 101, 143},
    };
    for (const Retake& retake : retakes) {
        SCOPED_TRACE(retake.name);
        const std::string position = lines(inputs, retake.from, retake.shot);
        const std::string shot = inputs[retake.shot] + "\n";
        EXPECT_EQ(table_after(position + shot + "undo\n" + shot), table_after(position + shot));
    }
}

// A missed retake of the break is the foul it is on a fresh table, and the
// retaken break's opening contact is the break's again.
TEST(UndoThenRetake, OfTheBreakIsJudgedAsOnAFreshTable)
{
    EXPECT_EQ(table_after("shot 202 142\nundo\nshot 240 191\n"), table_after("shot 240 191\n"));
    EXPECT_EQ(table_after("shot 202 142\nundo\nshot 202 142\n"), table_after("shot 202 142\n"));
}

}  // namespace
