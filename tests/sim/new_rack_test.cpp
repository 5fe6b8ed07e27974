#include <gtest/gtest.h>

#include "sim/for_tests.h"
#include "sim/initialisation.h"
#include "sim/variables.h"
#include "sim/window.h"
#include "tests/support/fake_window.h"

namespace {

class NewRack : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_game_state();
        attach_window(nullptr);
    }
};

TEST_F(NewRack, PutsEveryBallOnItsRackSpotAtRestWithItsColour)
{
    ASSERT_TRUE(initialisation());
    for (int i = 1; i <= BALL_COUNT; ++i) {
        const BallRecord& ball = game.balls[i];
        EXPECT_EQ(ball.state, BALL_ON_TABLE) << "ball " << i;
        EXPECT_EQ(ball.x, static_cast<float>(RACK_X[i])) << "ball " << i;
        EXPECT_EQ(ball.y, static_cast<float>(RACK_Y[i])) << "ball " << i;
        EXPECT_EQ(ball.vx, 0.0f);
        EXPECT_EQ(ball.vy, 0.0f);
    }
    EXPECT_EQ(game.balls[1].colour, WHITE);
    EXPECT_EQ(game.balls[2].colour, BLACK);
    EXPECT_EQ(game.balls[9].colour, RED);
    EXPECT_EQ(game.balls[10].colour, YELLOW);
}

TEST_F(NewRack, ResetsPlayersTurnAndShotFlags)
{
    game.players[1].group = RED;
    game.players[2].on_black = true;
    game.current_player = 2;
    game.first_contact_seen = true;
    game.outcome = 4;  // a black potted by a shot that "New game" cut short
    ASSERT_TRUE(initialisation());
    EXPECT_EQ(game.players[1].group, NoGroup);
    EXPECT_EQ(game.players[2].group, NoGroup);
    EXPECT_FALSE(game.players[2].on_black);
    EXPECT_EQ(game.players[1].first_touched, NoGroup);
    EXPECT_EQ(game.current_player, 1);
    EXPECT_EQ(game.previous_player, 1);
    EXPECT_FALSE(game.first_contact_seen);
    EXPECT_TRUE(game.shot_evaluated);
    EXPECT_EQ(game.outcome, 0);
    EXPECT_EQ(game.steps_per_tick, 3);
    EXPECT_EQ(window().status_line(), "Start new game");
}

TEST_F(NewRack, CueDistancesAreMultiplesOfTheBallRadius)
{
    ASSERT_TRUE(initialisation());
    const std::array<float, 6> expected{18, 27, 117, 135, 180, 183};
    EXPECT_EQ(game.cue_distances, expected);
}

TEST_F(NewRack, LeavesShotStartCopiesAndStopsTheBanner)
{
    game.balls[5].shot_x = 77;
    game.balls[5].shot_state = BALL_OFF_TABLE;
    window().set_timer(Timer3, true);
    ASSERT_TRUE(initialisation());
    EXPECT_EQ(game.balls[5].shot_x, 77.0f);
    EXPECT_FALSE(window().timer_on(Timer3));
}

TEST_F(NewRack, NewGameRedrawsTheTableWholeAndStartsTheSupervisor)
{
    game.game_over = true;
    Nouvellepartie1Click();
    EXPECT_FALSE(game.game_over);
    EXPECT_TRUE(window().timer_on(Timer2));
    EXPECT_TRUE(game.skip_cue_restore) << "what was saved under the old cue shows the old table";
}

TEST_F(NewRack, StopsBeforeTheBallsWhenThePictureCannotBeLoaded)
{
    FakeWindow missing;
    missing.picture_missing = true;
    attach_window(&missing);
    EXPECT_FALSE(initialisation());
    EXPECT_EQ(game.balls[1].state, BALL_OFF_TABLE);
    EXPECT_EQ(window().status_line(), "");
    attach_window(nullptr);
}

}  // namespace
