#include <gtest/gtest.h>

#include "rules/supervisor.h"
#include "rules/undo.h"
#include "sim/initialisation.h"
#include "sim/variables.h"
#include "tests/support/ball_places.h"
#include "tests/support/fresh_game.h"

namespace {

class Undo : public FreshGame {
protected:
    // Every ball stays on the table; the cue ball and a yellow are moved in
    // line with the top middle pocket, and the break is over.
    void lay_out_yellow_before_the_top_middle_pocket()
    {
        place_ball(CUE_BALL, 272, 150);
        place_ball(12, 272, 100);
        redraw_table();
        game.first_contact_seen = true;
    }
};

TEST_F(Undo, OfTheShotThatGaveTheGroupsPutsTheBallBackAndTakesTheGroupsAway)
{
    lay_out_yellow_before_the_top_middle_pocket();
    const auto before = ball_places();
    play_shot(0, -4);
    ASSERT_EQ(game.players[1].group, YELLOW);

    SpeedButton1Click();
    EXPECT_EQ(ball_places(), before);
    EXPECT_EQ(game.players[1].group, NoGroup);
    EXPECT_EQ(game.players[2].group, NoGroup);
    EXPECT_EQ(game.current_player, 1);
    EXPECT_EQ(pixels.status_line(), "");
    EXPECT_TRUE(pixels.same_pixels(expected_back_buffer()));
    EXPECT_TRUE(game.skip_cue_restore);
}

TEST_F(Undo, AfterTheGroupsWereGivenKeepsThem)
{
    lay_out_yellow_before_the_top_middle_pocket();
    play_shot(0, -4);
    const auto before = ball_places();
    play_shot(0, 0.5f);  // touches nothing: player 2 to shoot, with an extra visit
    ASSERT_EQ(game.current_player, 2);

    SpeedButton1Click();
    EXPECT_EQ(ball_places(), before);
    EXPECT_EQ(game.players[1].group, YELLOW);
    EXPECT_EQ(game.players[2].group, RED);
    EXPECT_EQ(game.current_player, 1);
    EXPECT_FALSE(game.players[2].keeps_turn) << "the visit granted by the undone shot goes with it";
    EXPECT_TRUE(game.shot_evaluated);

    Timer2Timer();
    EXPECT_EQ(pixels.status_line(), "") << "the restored position is not judged again";
    EXPECT_EQ(game.current_player, 1);
}

// Player 1 sends the cue ball down the top-left channel without touching a
// ball; player 2 puts it back in hand at (100, 150).
class UndoAfterPlacement : public Undo {
protected:
    void SetUp() override
    {
        Undo::SetUp();
        before = ball_places();
        play_shot(-3, -3);
        ASSERT_EQ(game.balls[CUE_BALL].state, BALL_OFF_TABLE);
        ASSERT_EQ(game.current_player, 2);
        put_cue_ball_back(100, 150);
    }

    BallPlaces before;
};

TEST_F(UndoAfterPlacement, PutsTheCueBallBackAndTheTurnBackWithoutATraceOnceOrTwice)
{
    for (int undo = 1; undo <= 2; ++undo) {
        SCOPED_TRACE(undo);
        SpeedButton1Click();
        EXPECT_EQ(ball_places(), before);
        EXPECT_EQ(game.current_player, 1);
        EXPECT_EQ(pixels.at(100, 150), FakeWindow::CLOTH) << "no disc left where it was placed";
        EXPECT_TRUE(pixels.same_pixels(expected_back_buffer()));
    }
}

TEST_F(Undo, IsRefusedWhileTheBallsMove)
{
    shoot(4, 0);
    ASSERT_TRUE(run_until([] { return game.balls[CUE_BALL].x > 250; }));
    const auto moving = ball_places();
    const FakeWindow shown = pixels;
    SpeedButton1Click();
    EXPECT_EQ(ball_places(), moving);
    EXPECT_TRUE(pixels.same_pixels(shown));
    EXPECT_EQ(pixels.status_line(), "Start new game");
}

TEST_F(Undo, IsRefusedUnderTheEndOfGameBanner)
{
    clear_table();
    place_ball(CUE_BALL, 272, 150);
    place_ball(BLACK_BALL, 272, 100);
    play_shot(0, -4);
    ASSERT_TRUE(game.game_over);
    const auto frozen = ball_places();
    SpeedButton1Click();
    EXPECT_EQ(ball_places(), frozen);
    EXPECT_EQ(game.current_player, 2);
    EXPECT_EQ(pixels.status_line(), "The end of the game");
}

TEST_F(Undo, DoesNothingBeforeTheFirstShotOfAGame)
{
    const auto rack = ball_places();
    SpeedButton1Click();  // the copies are all zero at start-up
    EXPECT_EQ(ball_places(), rack);

    play_shot(-3, -3);
    Nouvellepartie1Click();
    SpeedButton1Click();  // the copies are from the last game
    EXPECT_EQ(ball_places(), rack);
    EXPECT_EQ(pixels.status_line(), "Start new game");
    EXPECT_TRUE(pixels.same_pixels(expected_back_buffer()));
}

}  // namespace
