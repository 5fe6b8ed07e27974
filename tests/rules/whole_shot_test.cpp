#include <gtest/gtest.h>

#include "rules/supervisor.h"
#include "sim/initialisation.h"
#include "sim/variables.h"
#include "sim/window.h"
#include "tests/support/fresh_game.h"

namespace {

const std::string FOUL_MESSAGE = "Faul! Put white boal in the left part of the table";

bool off_table(int i) { return game.balls[i].state == BALL_OFF_TABLE; }
bool cue_ball_off_table() { return off_table(CUE_BALL); }
bool black_off_table() { return off_table(BLACK_BALL); }

// Launches the cue ball to cut `object` at 45 degrees next to the left
// corners: the object leaves up the top-left pocket's channel at
// `object_speed` on each axis, the cue ball down the bottom-left pocket's
// channel at `cue_speed`.
void launch_cut_toward_left_corners(int object, float object_speed, float cue_speed)
{
    // They meet when the cue ball looks ahead to (151, 151), on its first step.
    place_ball(object, 138.5f, 138.5f);
    place_ball(CUE_BALL, 151 + object_speed + cue_speed, 151 + object_speed - cue_speed);
    shoot(-object_speed - cue_speed, cue_speed - object_speed);
}

// Whole shots through the real step and the real supervisor, on situations
// laid out on an otherwise empty table after the break.
class WholeShot : public FreshGame {
protected:
    void SetUp() override
    {
        FreshGame::SetUp();
        clear_table_after_the_break();
    }
};

TEST_F(WholeShot, CueBallTouchingNothingIsAFoulAndStaysWhereItStopped)
{
    place_ball(CUE_BALL, 200, 150);
    place_ball(10, 300, 150);
    play_shot(0, 0.5f);
    EXPECT_EQ(window().status_line(), FOUL_MESSAGE);
    EXPECT_EQ(game.balls[CUE_BALL].state, BALL_ON_TABLE);
    EXPECT_GT(game.balls[CUE_BALL].y, 200.0f);
    EXPECT_EQ(game.current_player, 2);
    EXPECT_TRUE(game.players[2].keeps_turn) << "the opponent gets an extra visit";
}

TEST_F(WholeShot, CueBallPottedAfterACorrectTouchPassesTheTurnWithAnExtraVisit)
{
    launch_cut_toward_left_corners(3, 0.3f, 2);
    run_until_judged();
    EXPECT_TRUE(off_table(CUE_BALL));
    EXPECT_FALSE(off_table(3));
    EXPECT_EQ(window().status_line(), "");
    EXPECT_EQ(game.current_player, 2);
    EXPECT_TRUE(game.players[2].keeps_turn);
    EXPECT_EQ(game.players[1].group, NoGroup);
}

TEST_F(WholeShot, OwnBallPottedAfterTheCueBallKeepsTheTurnWithTheCueBallInHand)
{
    give_groups(RED);
    launch_cut_toward_left_corners(3, 1, 2);
    ASSERT_TRUE(run_until(cue_ball_off_table));
    ASSERT_FALSE(off_table(3)) << "the cue ball must go first";
    run_until_judged();
    EXPECT_TRUE(off_table(3));
    EXPECT_EQ(game.current_player, 1);
    EXPECT_EQ(game.previous_player, 1);
    EXPECT_FALSE(game.players[1].keeps_turn) << "spent by this very turn switch";
    EXPECT_FALSE(game.players[2].keeps_turn);
}

TEST_F(WholeShot, BlackTouchedFirstIsAFoulEvenBeforeGroupsAreGiven)
{
    place_ball(CUE_BALL, 200, 150);
    place_ball(BLACK_BALL, 240, 150);
    play_shot(1, 0);
    EXPECT_FALSE(off_table(BLACK_BALL));
    EXPECT_EQ(window().status_line(), "");
    EXPECT_EQ(game.current_player, 2);
    EXPECT_TRUE(game.players[2].keeps_turn);
    EXPECT_FALSE(game.game_over);
}

TEST_F(WholeShot, TouchingTheOpponentsGroupFirstIsAFoul)
{
    give_groups(RED);
    place_ball(9, 300, 220);  // a red still on the table: player 1 is not on the black
    place_ball(CUE_BALL, 200, 150);
    place_ball(10, 240, 150);
    play_shot(1, 0);
    EXPECT_EQ(window().status_line(), "Not a bad shoot!");
    EXPECT_EQ(game.current_player, 2);
    EXPECT_TRUE(game.players[2].keeps_turn);
}

// Player 1 fouls by touching nothing; the cue ball stops at (162.5, 150),
// with a yellow and a red ball waiting on the line to its right.
class AfterAFoul : public WholeShot {
protected:
    void SetUp() override
    {
        WholeShot::SetUp();
        give_groups(RED);
        place_ball(CUE_BALL, 200, 150);
        place_ball(10, 300, 150);
        place_ball(3, 300, 200);
        play_shot(-0.3f, 0);
    }
};

TEST_F(AfterAFoul, ACleanShotUsesTheExtraVisit)
{
    ASSERT_EQ(game.current_player, 2);
    ASSERT_TRUE(game.players[2].keeps_turn);
    play_shot(1.5f, 0);  // onto the yellow, nothing potted
    EXPECT_EQ(window().status_line(), "");
    EXPECT_EQ(game.current_player, 2);
    EXPECT_FALSE(game.players[2].keeps_turn);
    play_shot(0, -0.3f);  // touching nothing now passes the turn
    EXPECT_EQ(game.current_player, 1);
}

TEST_F(AfterAFoul, AFoulInReturnGivesTheTurnBackWithAnExtraVisit)
{
    play_shot(0, -0.3f);
    EXPECT_EQ(window().status_line(), FOUL_MESSAGE);
    EXPECT_EQ(game.current_player, 1);
    EXPECT_TRUE(game.players[1].keeps_turn);
    EXPECT_FALSE(game.players[2].keeps_turn);
}

TEST_F(WholeShot, ASecondSupervisorTickAtRestJudgesNothingMore)
{
    place_ball(CUE_BALL, 200, 150);
    play_shot(0, 0.5f);  // a foul: player 2 to shoot, with an extra visit
    Timer2Timer();
    EXPECT_EQ(game.current_player, 2);
    EXPECT_EQ(game.previous_player, 1);
    EXPECT_TRUE(game.players[2].keeps_turn);
    EXPECT_EQ(window().status_line(), FOUL_MESSAGE);
    EXPECT_TRUE(game.aiming_enabled);
    EXPECT_FALSE(window().timer_on(Timer1));
}

TEST_F(WholeShot, LastOwnBallAndTheBlackInOneShotLoseTheGame)
{
    give_groups(RED);
    place_ball(BLACK_BALL, 117, 187);  // on the cue ball's way to the bottom-left pocket
    launch_cut_toward_left_corners(3, 1, 2);
    run_until_judged();
    EXPECT_TRUE(off_table(3));
    EXPECT_TRUE(off_table(BLACK_BALL));
    EXPECT_FALSE(game.players[1].on_black) << "set only at the next press";
    EXPECT_EQ(window().status_line(), "The end of the game");
    EXPECT_TRUE(game.game_over);
    EXPECT_TRUE(window().timer_on(Timer3));
}

// The black and the cue ball both go down; the black decides, in either order.
class BlackAndCueBall : public WholeShot, public ::testing::WithParamInterface<bool> {
protected:
    bool cue_ball_goes_first() const { return GetParam(); }

    void play_black_and_cue_ball()
    {
        if (cue_ball_goes_first())
            launch_cut_toward_left_corners(BLACK_BALL, 1, 2);
        else
            launch_cut_toward_left_corners(BLACK_BALL, 2, 1);
        ASSERT_TRUE(run_until(cue_ball_goes_first() ? cue_ball_off_table : black_off_table));
        ASSERT_EQ(off_table(CUE_BALL), cue_ball_goes_first());
        ASSERT_EQ(off_table(BLACK_BALL), !cue_ball_goes_first());
        run_until_judged();
        ASSERT_TRUE(off_table(CUE_BALL) && off_table(BLACK_BALL));
    }
};

TEST_P(BlackAndCueBall, LoseTheGameBeforeTheGroupIsCleared)
{
    give_groups(RED);
    place_ball(9, 300, 150);
    play_black_and_cue_ball();
    EXPECT_EQ(window().status_line(), "The end of the game");
    EXPECT_TRUE(game.game_over);
}

TEST_P(BlackAndCueBall, WinTheGameOnTheBlack)
{
    give_groups(RED);  // every red is off the table: the press puts player 1 on the black
    play_black_and_cue_ball();
    EXPECT_TRUE(game.players[1].on_black);
    EXPECT_EQ(window().status_line(), "Victory!");
    EXPECT_TRUE(game.game_over);
}

INSTANTIATE_TEST_SUITE_P(EitherOrder, BlackAndCueBall, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "CueBallFirst" : "BlackFirst"; });

TEST_F(WholeShot, BlackPottedInAShotCutShortByANewGameDoesNotDecideTheNewGame)
{
    place_ball(CUE_BALL, 272, 150);
    place_ball(BLACK_BALL, 272, 100);
    shoot(0, -4);
    ASSERT_TRUE(run_until(black_off_table));
    Nouvellepartie1Click();
    run_until_judged();
    play_shot(0, 0.5f);
    EXPECT_FALSE(game.game_over);
    EXPECT_FALSE(window().timer_on(Timer3));
    EXPECT_EQ(window().status_line(), FOUL_MESSAGE);
    EXPECT_EQ(game.current_player, 2);
}

}  // namespace
