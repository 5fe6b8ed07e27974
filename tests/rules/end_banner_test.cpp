#include <gtest/gtest.h>

#include "rules/end_banner.h"
#include "rules/supervisor.h"
#include "sim/variables.h"
#include "tests/support/fresh_game.h"

namespace {

class EndOfGame : public FreshGame {
protected:
    void SetUp() override
    {
        FreshGame::SetUp();
        clear_table_after_the_break();
        give_groups(RED);
    }

    // Player 1 sends the black straight into the top middle pocket.
    void pot_the_black(bool a_red_still_on_the_table)
    {
        if (a_red_still_on_the_table) place_ball(5, 400, 200);
        place_ball(CUE_BALL, 272, 150);
        place_ball(BLACK_BALL, 272, 100);
        play_shot(0, -4);
    }
};

const std::vector<std::string> BANNER{"The end of the game"};

TEST_F(EndOfGame, BlackBeforeTheGroupIsClearedLosesUnderTheBanner)
{
    pot_the_black(true);
    EXPECT_EQ(pixels.status_line(), "The end of the game");
    Timer3Timer();
    EXPECT_EQ(pixels.banner_texts, BANNER);
}

TEST_F(EndOfGame, BlackAfterTheGroupIsClearedWinsUnderTheSameBanner)
{
    pot_the_black(false);
    EXPECT_EQ(pixels.status_line(), "Victory!");
    Timer3Timer();
    EXPECT_EQ(pixels.banner_texts, BANNER);
}

TEST_F(EndOfGame, FreezesTheTableWithTheBallsWhereTheyCameToRest)
{
    pixels.paint_disc(Rect{400, 50, 418, 68}, RED);  // a disc no ball stands on
    pot_the_black(true);
    EXPECT_TRUE(game.game_over);
    EXPECT_FALSE(game.aiming_enabled);
    EXPECT_TRUE(pixels.timer_on(Timer3));
    EXPECT_EQ(pixels.table_picture_shown, 1);
    EXPECT_TRUE(pixels.same_pixels(expected_back_buffer())) << "rebuilt from the bare table";
    EXPECT_EQ(game.current_player, 2) << "the turn still switches";

    const int shown = pixels.back_buffer_shown;
    Timer3Timer();
    EXPECT_EQ(pixels.back_buffer_shown, shown + 1);
}

TEST_F(EndOfGame, TheSupervisorKeepsTickingWithoutJudgingAgain)
{
    pot_the_black(true);
    Timer2Timer();
    EXPECT_TRUE(game.aiming_enabled) << "set again; the mouse is blocked by the game's end";
    EXPECT_EQ(pixels.status_line(), "The end of the game");
    EXPECT_EQ(game.current_player, 2);
}

}  // namespace
