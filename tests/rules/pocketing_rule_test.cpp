#include <gtest/gtest.h>

#include "rules/outcome.h"
#include "rules/random.h"
#include "rules/shot_recording.h"
#include "sim/variables.h"
#include "tests/support/fresh_game.h"

namespace {

constexpr int RED_BALL = 3;
constexpr int YELLOW_BALL = 10;

class PocketingRule : public FreshGame {
protected:
    static void give_player1(int32_t group, bool on_black = false)
    {
        give_groups(group);
        game.players[1].on_black = on_black;
    }
};

TEST_F(PocketingRule, FirstObjectBallGivesItsColourToTheShooterAndTheOtherToTheOpponent)
{
    game.current_player = 2;
    pocketing_rule(RED_BALL);
    EXPECT_EQ(game.outcome, GROUPS_ASSIGNED);
    EXPECT_EQ(game.players[2].group, RED);
    EXPECT_EQ(game.players[1].group, YELLOW);
    // Reported again while still beyond the line, it is now an own ball.
    pocketing_rule(RED_BALL);
    EXPECT_EQ(game.outcome, -1);
}

TEST_F(PocketingRule, OwnBallsEarnPraiseCodesFromTheGenerator)
{
    give_player1(YELLOW);
    // The generator's first draws below 5 are 0, 0, 4, 1, 1, 3 (see the generator's test).
    for (OutcomeCode expected : {-1, -1, -13, -4, -4, -10}) {
        pocketing_rule(YELLOW_BALL);
        EXPECT_EQ(game.outcome, expected);
    }
}

TEST_F(PocketingRule, OpponentBallIsAFoulUnlessTheShooterIsOnTheBlack)
{
    give_player1(YELLOW);
    pocketing_rule(RED_BALL);
    EXPECT_EQ(game.outcome, OPPONENT_BALL_POTTED);

    give_player1(YELLOW, true);
    game.outcome = CUE_BALL_POTTED;
    pocketing_rule(RED_BALL);
    EXPECT_EQ(game.outcome, CUE_BALL_POTTED);
}

TEST_F(PocketingRule, TheLatestBallDecidesWhileTheBlackIsOnTheTable)
{
    give_player1(RED);
    pocketing_rule(RED_BALL);
    pocketing_rule(CUE_BALL);
    EXPECT_EQ(game.outcome, CUE_BALL_POTTED);
    pocketing_rule(RED_BALL);
    EXPECT_LT(game.outcome, 0);
}

TEST_F(PocketingRule, BlackLosesBeforeTheGroupIsClearedAndWinsAfter)
{
    give_player1(RED);
    game.outcome = -13;
    pocketing_rule(BLACK_BALL);
    EXPECT_EQ(game.outcome, BLACK_POTTED_EARLY);

    give_player1(RED, true);
    pocketing_rule(BLACK_BALL);
    EXPECT_EQ(game.outcome, BLACK_POTTED_TO_WIN);
}

TEST_F(PocketingRule, OnlyTheBlackChangesADecidedGame)
{
    give_player1(RED);
    for (OutcomeCode decided : {BLACK_POTTED_EARLY, BLACK_POTTED_TO_WIN}) {
        game.outcome = decided;
        for (int ball : {CUE_BALL, RED_BALL, YELLOW_BALL}) pocketing_rule(ball);
        EXPECT_EQ(game.outcome, decided);
    }
    game.players[1].group = game.players[2].group = NoGroup;
    pocketing_rule(RED_BALL);
    EXPECT_EQ(game.players[1].group, NoGroup) << "no groups are given after the black";
}

}  // namespace
