#include <gtest/gtest.h>

#include <map>
#include <string>

#include "rules/outcome.h"
#include "rules/supervisor.h"
#include "sim/variables.h"
#include "sim/window.h"
#include "tests/support/fresh_game.h"

namespace {

// The supervisor's judgement of a shot whose balls have come to rest, with
// what the shot recorded laid out by hand.
class Judgement : public FreshGame {
protected:
    void SetUp() override
    {
        FreshGame::SetUp();
        game.first_contact_seen = true;
        give_groups(RED);
    }

    static void judge(OutcomeCode recorded, int32_t first_touched)
    {
        game.outcome = recorded;
        game.players[game.current_player].first_touched = first_touched;
        game.shot_evaluated = false;
        Timer2Timer();
    }
};

TEST_F(Judgement, WaitsWhileAnyBallMoves)
{
    game.balls[16].vy = 0.01f;
    judge(NOTHING_RECORDED, NoGroup);
    EXPECT_TRUE(window().timer_on(Timer1));
    EXPECT_FALSE(game.aiming_enabled);
    EXPECT_FALSE(game.shot_evaluated);
    EXPECT_EQ(game.current_player, 1);

    game.balls[16].vy = 0;
    Timer2Timer();
    EXPECT_FALSE(window().timer_on(Timer1));
    EXPECT_TRUE(game.aiming_enabled);
    EXPECT_TRUE(game.shot_evaluated);
    EXPECT_EQ(game.current_player, 2);
}

TEST_F(Judgement, TheShotThatGivesTheGroupsIsNotComparedWithThem)
{
    judge(GROUPS_ASSIGNED, YELLOW);
    EXPECT_EQ(window().status_line(), "Boal is here!");
    EXPECT_EQ(game.current_player, 1);

    judge(GROUPS_ASSIGNED, NoGroup);
    EXPECT_EQ(window().status_line(), "Faul! Put white boal in the left part of the table");
    EXPECT_EQ(game.players[1].group, RED) << "the groups stay given";
    EXPECT_EQ(game.current_player, 2);
}

TEST_F(Judgement, TouchingTheBlackFirstOverridesTheOtherFouls)
{
    judge(PRAISE_EXCELLENT, BLACK);
    EXPECT_EQ(window().status_line(), "");
    EXPECT_EQ(game.current_player, 2);
    EXPECT_TRUE(game.players[2].keeps_turn);
}

TEST_F(Judgement, ShooterOnTheBlackCommitsNoFoulAndKeepsTheirTurnFlag)
{
    game.players[1].on_black = true;
    judge(NOTHING_RECORDED, NoGroup);
    EXPECT_EQ(window().status_line(), "");
    EXPECT_EQ(game.current_player, 2);
    EXPECT_FALSE(game.players[2].keeps_turn);

    game.players[2].on_black = true;
    game.players[2].keeps_turn = true;
    judge(CUE_BALL_POTTED, BLACK);
    EXPECT_EQ(game.current_player, 2) << "an extra visit is not lost on the black";
    EXPECT_TRUE(game.players[2].keeps_turn) << "a potted cue ball grants the next shooter a visit";
}

TEST_F(Judgement, BeforeAnyTwoBallsHaveMetTheNextShooterHoldsAnExtraVisit)
{
    game.first_contact_seen = false;
    judge(praise_code(0), RED);
    EXPECT_EQ(game.current_player, 1);
    EXPECT_TRUE(game.players[1].keeps_turn);
}

TEST_F(Judgement, ClosingClearsOnlyTheIncomingPlayersFirstTouch)
{
    judge(NOTHING_RECORDED, RED);
    EXPECT_EQ(game.current_player, 2);
    EXPECT_EQ(game.players[2].first_touched, NoGroup);
    EXPECT_EQ(game.players[1].first_touched, RED);
    EXPECT_EQ(game.outcome, NOTHING_RECORDED);
    EXPECT_EQ(game.previous_player, 1);
}

TEST(Messages, EachCodeWithATextShowsItAndEveryOtherCodeShowsNothing)
{
    const std::map<OutcomeCode, std::string> texts{
        {2, "Faul! Put white boal in the left part of the table"},
        {4, "The end of the game"},
        {5, "Not a bad shoot!"},
        {-2, "Boal is here!"},
        {-3, "Victory!"},
        {-10, "Bravo!"},
        {-13, "Exellent shoot!"},
    };
    for (OutcomeCode code = -20; code <= 20; ++code) {
        const auto text = texts.find(code);
        EXPECT_EQ(message_for(code), text == texts.end() ? "" : text->second) << "code " << code;
    }
}

using GroupCleared = FreshGame;

TEST_F(GroupCleared, PutsTheCurrentPlayerOnTheBlackOnceTheirOwnGroupHasLeft)
{
    for (int i = 3; i <= 9; ++i) game.balls[i].state = BALL_OFF_TABLE;
    check_group_cleared();
    EXPECT_FALSE(game.players[1].on_black) << "no group yet";

    game.players[1].group = YELLOW;
    game.players[2].group = RED;
    check_group_cleared();
    EXPECT_FALSE(game.players[1].on_black);

    game.current_player = 2;
    game.balls[6].state = BALL_ON_TABLE;
    check_group_cleared();
    EXPECT_FALSE(game.players[2].on_black) << "one red is still on the table";
    game.balls[6].state = BALL_OFF_TABLE;
    check_group_cleared();
    EXPECT_TRUE(game.players[2].on_black);
}

}  // namespace
