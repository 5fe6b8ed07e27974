#include <gtest/gtest.h>

#include <cmath>

#include "sim/for_tests.h"
#include "sim/initialisation.h"
#include "sim/variables.h"
#include "view/aim.h"

namespace {

class Aim : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_game_state();
        initialisation();
        put_cue_ball_at(100, 100);
    }
    static void put_cue_ball_at(float x, float y)
    {
        game.balls[CUE_BALL].x = x;
        game.balls[CUE_BALL].y = y;
    }
    // The cue ball at (100, 100) is shown at (176, 141) of the drawing area.
    static constexpr int SHOWN_X = 176, SHOWN_Y = 141;
    const float half_pi = static_cast<float>(M_PI / 2);
};

TEST_F(Aim, MouseDownAndLeftOfTheBallShootsUpAndRight)
{
    update_aim(146, 181);  // 30 left, 40 below
    EXPECT_EQ(game.aim_angle, 0.9272952f);
    EXPECT_EQ(game.aim_sin, 0.8f);
    EXPECT_EQ(game.aim_neg_cos, -0.6f);
    EXPECT_EQ(game.shot_strength, 6.8333335f);
    const ShotVelocity v = shot_velocity();
    EXPECT_NEAR(v.vx, 2.05f, 1e-6);
    EXPECT_NEAR(v.vy, -2.7333333f, 1e-6);
}

TEST_F(Aim, MouseOnTheBallShootsStraightDownAtTheWeakestStrength)
{
    update_aim(SHOWN_X, SHOWN_Y);
    EXPECT_EQ(game.aim_angle, -half_pi);
    EXPECT_EQ(game.shot_strength, 1.0f);
    const ShotVelocity v = shot_velocity();
    EXPECT_EQ(v.vy, 0.5f);
    EXPECT_LT(std::fabs(v.vx), 1e-6);
}

TEST_F(Aim, WithinHalfAPixelOfTheColumnTheAimIsVertical)
{
    put_cue_ball_at(100.6f, 100);  // shown at x = 176.6; the mouse is 0.4 right of it
    update_aim(177, SHOWN_Y - 50);
    EXPECT_EQ(game.aim_angle, -half_pi);
    const ShotVelocity v = shot_velocity();
    EXPECT_GT(v.vy, 0);  // down the screen, away from the mouse
}

TEST_F(Aim, FarLeftIsCappedAtFullStrengthShootingRight)
{
    update_aim(SHOWN_X - 200, SHOWN_Y);
    EXPECT_EQ(game.aim_angle, 0.0f);
    EXPECT_EQ(game.aim_sin, 0.0f);
    EXPECT_EQ(game.aim_neg_cos, -1.0f);
    EXPECT_EQ(game.shot_strength, 28.0f);
    const ShotVelocity v = shot_velocity();
    EXPECT_EQ(v.vx, 14.0f);
    EXPECT_EQ(v.vy, 0.0f);
}

TEST_F(Aim, AboveTheBallShootsDownWithStrengthFromTheDistance)
{
    update_aim(SHOWN_X, SHOWN_Y - 30);
    EXPECT_EQ(game.aim_angle, -half_pi);
    EXPECT_EQ(game.shot_strength, 3.5f);
    const ShotVelocity v = shot_velocity();
    EXPECT_EQ(v.vy, 1.75f);
    EXPECT_LT(std::fabs(v.vx), 1e-6);
}

TEST_F(Aim, AnglesStayInOneTurnOnEverySide)
{
    update_aim(SHOWN_X - 30, SHOWN_Y - 40);  // mouse up-left: the angle is below zero before the turn is added
    EXPECT_NEAR(game.aim_angle, 2 * M_PI - 0.9272952, 1e-6);
    update_aim(SHOWN_X + 30, SHOWN_Y + 40);  // mouse down-right: the other half-turn
    EXPECT_NEAR(game.aim_angle, M_PI - 0.9272952, 1e-6);
    const ShotVelocity v = shot_velocity();
    EXPECT_LT(v.vx, 0);  // away from the mouse: left
    EXPECT_LT(v.vy, 0);  // and up
}

}  // namespace
