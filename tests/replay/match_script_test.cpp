#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "replay/match_script.h"
#include "sim/variables.h"
#include "tests/support/driver_table.h"

// Scripts played on the game from a fresh start, in a folder holding the table picture.
namespace {

long line_count(const std::string& text)
{
    return std::count(text.begin(), text.end(), '\n');
}

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Two scripts that must play the same match, and what that match shows.
struct SameMatch {
    const char* what;
    std::string script, same_as;
    const char* shows;
};

// A click at the wrong moment of a shot changes nothing: the match goes on
// exactly as without it.
// Player 2 pots the cue ball; the balls rest, but the shot waits for the
// supervisor's tick. Undone now, its foul would be charged to player 1.
const std::string BEFORE_JUDGEMENT = "shot 200 150\nmove 300 200\npress 300 200\nwait 140\n";
// Player 1 pots the last yellow; a press while the balls still roll would
// put them on the black, and their "Bravo!" would pass the turn.
const std::string WHILE_THE_LAST_YELLOW_ROLLS =
    "shot 407 196\nshot 358 180\nshot 345 181\nshot 646 168\nsettle\nmove 618 193\npress 618 193\nwait 1000\n";

const SameMatch SAME_MATCHES[] = {
    {"a shot is settle, move, press, settle", "shot 100 191\nstate\n",
     "settle\nmove 100 191\npress 100 191\nsettle\nstate\n", R"("first_contact_seen":1)"},
    {"a byte order mark at the very start is skipped", "\xEF\xBB\xBFstate\r\n", "state\n", R"({"t":0,)"},
    {"an undo before the shot is judged", BEFORE_JUDGEMENT + "undo\nwait 60\nstate\n",
     BEFORE_JUDGEMENT + "wait 60\nstate\n", R"("current_player":1)"},
    {"a press while the balls roll", WHILE_THE_LAST_YELLOW_ROLLS + "press 300 200\nsettle\nstate\n",
     WHILE_THE_LAST_YELLOW_ROLLS + "settle\nstate\n", R"("current_player":1)"},
};

TEST(MatchScript, ScriptsThatPlayTheSameMatch)
{
    for (const SameMatch& row : SAME_MATCHES) {
        SCOPED_TRACE(row.what);
        const Replay played = play(row.script);
        ASSERT_EQ(played.status, REPLAY_DONE) << played.errors;
        EXPECT_EQ(played.states, play(row.same_as).states);
        EXPECT_TRUE(contains(played.states, row.shows)) << played.states;
    }
}

TEST(MatchScript, ALineTheDriverCannotFollowSaysWhy)
{
    // A byte-order mark after the start is part of the command.
    EXPECT_EQ(play("state\n\xEF\xBB\xBFstate\n").errors, "line 2: unknown command \"\xEF\xBB\xBFstate\"\n");
    const Replay relay = play("join-relay mqtts://relay.example:0 7K3QM-2B9XD Bo\n");
    EXPECT_EQ(relay.status, REPLAY_BAD_SCRIPT);
    EXPECT_EQ(relay.errors, "line 1: \"mqtts://relay.example:0\" is not a port or a relay address\n");
}

// As the game shows its message box and goes on, with no table and the supervisor stopped.
using MatchOnTheDriversTable = DriverTable;

TEST_F(MatchOnTheDriversTable, ATablePictureThatFailsAtNewIsToldAtOnceAndTheRunGoesOn)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QFile(folder.filePath("tavlo2.bmp")).open(QIODevice::WriteOnly));
    const QString game_folder = QDir::currentPath();
    QDir::setCurrent(folder.path());
    std::istringstream script("new\nstate\n");
    std::ostringstream states, errors;
    const ReplayStatus status = play_script(script, states, errors, table);
    QDir::setCurrent(game_folder);

    EXPECT_EQ(status, REPLAY_DONE);
    EXPECT_EQ(errors.str(), "line 1: tavlo2.bmp: not a BMP picture\n");
    EXPECT_TRUE(contains(states.str(), R"("timer2":0)")) << states.str();
}

using Settle = DriverTable;

TEST_F(Settle, EndsAtTheFirstSupervisorTickThatFindsTheTableAtRest)
{
    EXPECT_TRUE(settle(table));
    EXPECT_EQ(table.now(), 100);
    EXPECT_TRUE(game.aiming_enabled);
}

// A settle, alone or in a shot, whose supervisor never enables aiming.
struct GiveUp {
    const char* script;
    const char* error;
    long state_lines;
};

class SettleGivingUp : public Settle, public testing::WithParamInterface<GiveUp> {};

TEST_P(SettleGivingUp, AfterTenMinutes)
{
    table.set_timer(Timer2, false);
    std::istringstream script(GetParam().script);
    std::ostringstream states, errors;
    EXPECT_EQ(play_script(script, states, errors, table), REPLAY_NO_REST);
    EXPECT_EQ(errors.str(), GetParam().error);
    EXPECT_EQ(line_count(states.str()), GetParam().state_lines);
    EXPECT_EQ(table.now(), 600'000);
}

INSTANTIATE_TEST_SUITE_P(AloneOrInAShot, SettleGivingUp,
                         testing::Values(GiveUp{"state\nsettle\nstate\n", "line 2: settle did not come to rest\n", 1},
                                         GiveUp{"shot 100 100\n", "line 1: settle did not come to rest\n", 0}),
                         [](const auto& info) { return info.index == 0 ? "Settle" : "Shot"; });

}  // namespace
