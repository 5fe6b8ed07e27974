#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "replay/match_script.h"
#include "replay/replay_window.h"
#include "rules/for_tests.h"
#include "rules/random.h"
#include "sim/for_tests.h"
#include "sim/initialisation.h"
#include "sim/variables.h"

// Scripts played on the game from a fresh start, in a folder holding the table picture.
namespace {

struct Replay {
    ReplayStatus status;
    std::string states;
    std::string errors;
};

Replay play(const std::string& script)
{
    reset_game_state();
    reset_random();
    std::istringstream in(script);
    std::ostringstream states, errors;
    const ReplayStatus status = run_replay(in, states, errors);
    return {status, states.str(), errors.str()};
}

long line_count(const std::string& text)
{
    return std::count(text.begin(), text.end(), '\n');
}

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

TEST(MatchScript, AShotIsSettleMovePressSettle)
{
    const Replay shot = play("shot 100 191\nstate\n");
    const Replay by_hand = play("settle\nmove 100 191\npress 100 191\nsettle\nstate\n");
    ASSERT_EQ(shot.status, REPLAY_DONE) << shot.errors;
    EXPECT_EQ(shot.states, by_hand.states);
    // The cue ball really left its spot.
    EXPECT_FALSE(contains(shot.states, R"("balls":[{"x":154,"y":150,)"));
}

TEST(MatchScript, AByteOrderMarkIsSkippedAtTheVeryStartOnly)
{
    const Replay marked = play("\xEF\xBB\xBFstate\r\n");
    ASSERT_EQ(marked.status, REPLAY_DONE) << marked.errors;
    EXPECT_EQ(marked.states, play("state\n").states);
    EXPECT_EQ(play("state\n\xEF\xBB\xBFstate\n").errors, "line 2: unknown command \"\xEF\xBB\xBFstate\"\n");
}

// As the game shows its message box and goes on, with no table and the supervisor stopped.
TEST(MatchScript, ATablePictureThatFailsAtNewIsToldAtOnceAndTheRunGoesOn)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QFile(folder.filePath("tavlo2.bmp")).open(QIODevice::WriteOnly));
    ReplayWindow table;
    reset_game_state();
    attach_window(&table);
    ASSERT_TRUE(set_up_first_rack());
    const QString game_folder = QDir::currentPath();
    QDir::setCurrent(folder.path());
    std::istringstream script("new\nstate\n");
    std::ostringstream states, errors;
    const ReplayStatus status = play_script(script, states, errors, table);
    QDir::setCurrent(game_folder);
    attach_window(nullptr);

    EXPECT_EQ(status, REPLAY_DONE);
    EXPECT_EQ(errors.str(), "line 1: tavlo2.bmp: not a BMP picture\n");
    EXPECT_TRUE(contains(states.str(), R"("timer2":0)")) << states.str();
}

// A click that comes at the wrong moment of a shot changes nothing: the match
// goes on exactly as without it.
struct IgnoredClick {
    const char* name;
    std::string before, click, after;
    const char* next_shooter;
};

const IgnoredClick IGNORED_CLICKS[] = {
    // Player 2 pots the cue ball; the balls rest, but the shot waits for the
    // supervisor's tick. Undone now, its foul would be charged to player 1.
    {"an undo before the shot is judged",
     "shot 200 150\nmove 300 200\npress 300 200\nwait 140\n", "undo\n", "wait 60\nstate\n",
     R"("current_player":1)"},
    // Player 1 pots the last yellow; a press while the balls still roll would
    // put them on the black, and their "Bravo!" would pass the turn.
    {"a press while the balls roll",
     "shot 407 196\nshot 358 180\nshot 345 181\nshot 646 168\nsettle\nmove 618 193\npress 618 193\nwait 1000\n",
     "press 300 200\n", "settle\nstate\n", R"("current_player":1)"},
};

TEST(MatchScript, AClickAtTheWrongMomentOfAShotChangesNothing)
{
    for (const IgnoredClick& c : IGNORED_CLICKS) {
        const Replay with_click = play(c.before + c.click + c.after);
        const Replay without = play(c.before + c.after);
        ASSERT_EQ(with_click.status, REPLAY_DONE) << c.name << ": " << with_click.errors;
        EXPECT_EQ(with_click.states, without.states) << c.name;
        EXPECT_TRUE(contains(without.states, c.next_shooter)) << c.name << ": " << without.states;
    }
}

class Settle : public testing::Test {
protected:
    ReplayWindow table;

    void SetUp() override
    {
        reset_game_state();
        attach_window(&table);
        ASSERT_TRUE(set_up_first_rack());
    }
    void TearDown() override { attach_window(nullptr); }
};

TEST_F(Settle, EndsAtTheFirstSupervisorTickThatFindsTheTableAtRest)
{
    EXPECT_TRUE(settle(table));
    EXPECT_EQ(table.now(), 100);
    EXPECT_TRUE(game.aiming_enabled);
}

TEST_F(Settle, GivesUpAfterTenMinutesWhenTheSupervisorNeverEnablesAiming)
{
    table.set_timer(Timer2, false);
    std::istringstream script("state\nsettle\nstate\n");
    std::ostringstream states, errors;
    EXPECT_EQ(play_script(script, states, errors, table), REPLAY_NO_REST);
    EXPECT_EQ(errors.str(), "line 2: settle did not come to rest\n");
    EXPECT_EQ(line_count(states.str()), 1);
    EXPECT_EQ(table.now(), 600'000);
}

TEST_F(Settle, AShotGivesUpLikeASettle)
{
    table.set_timer(Timer2, false);
    std::istringstream script("shot 100 100\n");
    std::ostringstream states, errors;
    EXPECT_EQ(play_script(script, states, errors, table), REPLAY_NO_REST);
    EXPECT_EQ(errors.str(), "line 1: settle did not come to rest\n");
}

}  // namespace
