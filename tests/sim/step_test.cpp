#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/shot_events.h"
#include "sim/step.h"
#include "tests/support/empty_table.h"
#include "tests/support/fake_window.h"

namespace {

using Rolling = EmptyTable;

TEST_F(Rolling, LoneBallSlowsByFrictionAndStopsAfter574Iterations)
{
    BallRecord& ball = place(1, 100, 150, 1, 0);
    simulation_iteration();
    simulation_iteration();
    EXPECT_EQ(ball.x, 101.992f);
    int iterations = 2;
    while (!balls_at_rest() && iterations < 1000) {
        const float before = ball.x;
        simulation_iteration();
        ++iterations;
        ASSERT_GT(ball.x, before) << "iteration " << iterations;
    }
    EXPECT_EQ(iterations, 574);
    EXPECT_EQ(ball.x, 223.75639f);
    simulation_iteration();
    EXPECT_EQ(ball.x, 223.75639f);
}

TEST_F(Rolling, EachComponentIsCutBelowTheExactHundredth)
{
    BallRecord& slow = place(1, 100, 150, 0.01f, 0);
    advance_ball(1);
    EXPECT_EQ(slow.x, 100.0f + 0.01f);  // moves once, then stops in the same call
    EXPECT_EQ(slow.vx, 0.0f);

    BallRecord& ball = place(1, 100, 150, 5, 0.0101f);
    advance_ball(1);
    EXPECT_EQ(ball.vy, 0.0101f * 0.992f);  // 0.0100192 is not below 0.01
    advance_ball(1);
    EXPECT_EQ(ball.vy, 0.0f);
    EXPECT_EQ(ball.vx, 5 * 0.992f * 0.992f);

    // Damped to the single nearest 0.01, which lies just below the hundredth.
    place(1, 100, 150, 0.0100806449f, -0.0100806449f);
    ASSERT_EQ(0.0100806449f * 0.992f, 0.01f);
    apply_friction(1);
    EXPECT_TRUE(balls_at_rest());
}

TEST_F(Rolling, RestLooksAtEveryBallOnTheTableOrOff)
{
    place(1, 100, 150);
    EXPECT_TRUE(balls_at_rest());
    game.balls[7].vy = -0.0007f;  // a pull's residue on a ball off the table
    EXPECT_FALSE(balls_at_rest());
}

using AdvanceOrder = EmptyTable;

TEST_F(AdvanceOrder, BallEndsOneStepOfItsFinalVelocityFromWhereItStarted)
{
    BallRecord& striker = place(1, 100, 100, 3, 0);
    BallRecord& target = place(2, 118, 100);
    advance_ball(1);
    EXPECT_EQ(striker.x, 100.0f);  // stopped by the contact in its own call
    EXPECT_EQ(target.x, 118.0f);   // only its own call moves it
    EXPECT_EQ(target.vx, 3.0f);
    advance_ball(2);
    EXPECT_EQ(target.x, 121.0f);

    // With no ball on the table, nothing is tested and nothing moves.
    BallRecord& off = game.balls[3];
    striker.state = target.state = BALL_OFF_TABLE;
    off.vx = 1;
    advance_ball(3);
    EXPECT_EQ(off.x, 0.0f);
    EXPECT_EQ(off.vx, 0.992f);
}

// What the simulation reported, in the order it came.
std::vector<std::string> reports;
void touched(int i, int j) { reports.push_back("touch " + std::to_string(i) + " " + std::to_string(j)); }
void potted(int i) { reports.push_back("potted " + std::to_string(i)); }

TEST_F(AdvanceOrder, EveryCallAnswersEveryPairAndReportsTouchesAndPottedBalls)
{
    reports.clear();
    game.recording = {touched, potted};
    BallRecord& cue = place(1, 100, 100);
    BallRecord& apex = place(10, 150, 100);
    place(3, 200, 100, 3, 0);
    BallRecord& struck = place(4, 218, 100);
    place(9, 520, 150);
    advance_ball(1);
    EXPECT_EQ(struck.vx, 3.0f);
    apex.x = 118;
    cue.vx = 3;
    advance_ball(1);
    EXPECT_EQ(reports, (std::vector<std::string>{"touch 3 4", "potted 9", "touch 1 10", "potted 9"}));
}

TEST_F(AdvanceOrder, BallCapturedInItsOwnCallGoesBackInsideTheLine)
{
    place(1, 200, 150);
    BallRecord& ball = place(5, 272, 24, 0, -2);
    advance_ball(5);
    // Ball 1's turn moved it to y 22, where its own capture stopped it; it
    // went back to where it started plus the middle pocket's pull.
    EXPECT_EQ(ball.state, BALL_POTTED);
    EXPECT_EQ(ball.y, 24.0f - 0.0007f);
    EXPECT_EQ(ball.vy, 0.0f);
}

TEST_F(AdvanceOrder, CueBallCrossingALineIsCapturedInTheNextCallAndStaysBeyond)
{
    BallRecord& cue = place(1, 272, 24, 0, -2);
    place(2, 200, 150);
    advance_ball(1);
    EXPECT_EQ(cue.state, BALL_ON_TABLE);
    const float beyond = cue.y;
    EXPECT_EQ(beyond, 24.0f + static_cast<float>(-2 - 0.0007L));
    advance_ball(2);
    EXPECT_EQ(cue.state, BALL_POTTED);
    EXPECT_EQ(cue.y, beyond);
    EXPECT_EQ(cue.vy, -0.0007f);
}

// The step passes by tests known to change nothing; a ball changed between
// calls, by anyone, is tested again at once.
TEST_F(AdvanceOrder, BallsChangedBetweenCallsAreTestedAgain)
{
    BallRecord& resting = place(2, 200, 150);
    BallRecord& other = place(3, 300, 150);
    advance_ball(1);
    advance_ball(2);
    other.x = 218;
    other.vx = -3;
    advance_ball(3);
    EXPECT_EQ(resting.vx, -3.0f);
    EXPECT_EQ(other.vx, 0.0f);
}

TEST_F(EmptyTable, TimerTickRunsIterationsThatEachShowWhatChanged)
{
    FakeWindow recorder;
    attach_window(&recorder);
    game.steps_per_tick = 3;
    BallRecord& ball = place(1, 100, 150, 1, 0);
    place(6, 300, 200);
    BallRecord& potted = place(9, 520, 150);
    Timer1Timer();
    ASSERT_EQ(recorder.shown_parts.size(), 3u);
    // Ball 1 old and new, ball 6, and ball 9 erased as it leaves the table.
    EXPECT_EQ(recorder.shown_parts[0], (Rect{91, 141, 529, 209}));
    // Each iteration starts its rectangle afresh: the potted ball's square is not shown again.
    EXPECT_EQ(recorder.shown_parts[2], (Rect{92, 141, 309, 209}));
    EXPECT_EQ(recorder.discs_painted, 6);
    EXPECT_EQ(potted.state, BALL_OFF_TABLE);
    EXPECT_EQ(ball.x, 100.0f + 1.0f + 0.992f + 0.992f * 0.992f);
    attach_window(nullptr);
}

}  // namespace
