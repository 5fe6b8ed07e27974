#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>

#include "sim/ball_drawing.h"
#include "sim/for_tests.h"
#include "sim/initialisation.h"
#include "sim/variables.h"
#include "tests/support/table_invariants.h"
#include "replay/replay_window.h"

using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;

namespace {

// A fresh rack on the table, shown in the drawing area.
class TableInvariants : public testing::Test {
protected:
    void SetUp() override
    {
        reset_game_state();
        attach_window(&table);
        ASSERT_TRUE(initialisation());
        table.show_back_buffer();
    }
    void TearDown() override { attach_window(nullptr); }

    ReplayWindow table;
};

}  // namespace

TEST_F(TableInvariants, AFreshRackIsSound)
{
    EXPECT_THAT(faults_between_iterations(), IsEmpty());
    EXPECT_THAT(faults_at_rest(), IsEmpty());
    EXPECT_THAT(faults_in_pictures(table.view(), DrawingOrder::by_number), IsEmpty());
}

TEST_F(TableInvariants, NumbersThatAreNotFiniteAreCaught)
{
    game.balls[7].vy = std::numeric_limits<float>::quiet_NaN();
    game.balls[12].prev_x = std::numeric_limits<float>::infinity();
    EXPECT_THAT(faults_between_iterations(),
                ElementsAre(HasSubstr("not a finite number: ball 7"), HasSubstr("not a finite number: ball 12")));
}

TEST_F(TableInvariants, ABallLeftHalfPottedIsCaught)
{
    game.balls[4].state = BALL_POTTED;
    EXPECT_THAT(faults_between_iterations(), ElementsAre(HasSubstr("half-potted: ball 4")));
}

TEST_F(TableInvariants, OnlyTheLastBallToAdvanceMayStandBeyondACaptureLineBetweenIterations)
{
    game.balls[BALL_COUNT].x = 515;
    EXPECT_THAT(faults_between_iterations(), IsEmpty());
    EXPECT_THAT(faults_at_rest(), ElementsAre(HasSubstr("beyond a capture line: ball 16")));
    for (auto [x, y] : {std::pair{36.0f, 150.0f}, {515.0f, 150.0f}, {200.0f, 23.0f}, {200.0f, 277.0f}}) {
        game.balls[3].x = x;
        game.balls[3].y = y;
        EXPECT_THAT(faults_between_iterations(), ElementsAre(HasSubstr("beyond a capture line: ball 3"))) << x << ", " << y;
    }
    game.balls[3].state = BALL_OFF_TABLE;
    EXPECT_THAT(faults_between_iterations(), IsEmpty());
}

TEST_F(TableInvariants, AShotThatIsNotOverIsCaughtAtRest)
{
    game.balls[1].vx = 0.5f;
    game.outcome = 3;
    game.shot_evaluated = false;
    game.current_player = 0;
    EXPECT_THAT(faults_at_rest(), ElementsAre(HasSubstr("still moves"), HasSubstr("no player to shoot"),
                                             HasSubstr("outcome 3"), HasSubstr("unjudged")));
}

TEST_F(TableInvariants, ABallMovedWithoutBeingRedrawnIsCaughtInTheBackBuffer)
{
    game.balls[2].x += 1;
    EXPECT_THAT(faults_in_pictures(table.view(), DrawingOrder::by_number), ElementsAre(HasSubstr("back buffer is not the bare table")));
}

TEST_F(TableInvariants, ATraceLeftInTheDrawingAreaIsCaught)
{
    table.view().surface().setPixel(DRAW_OFFSET_X + 300, DRAW_OFFSET_Y + 200, qRgb(1, 2, 3));
    EXPECT_THAT(faults_in_pictures(table.view(), DrawingOrder::by_number), ElementsAre(HasSubstr("drawing area does not show the back buffer")));
}

TEST_F(TableInvariants, TheCueBallPutBackByHandIsDrawnOverTheRimOfItsNeighbour)
{
    game.balls[CUE_BALL].x = 200;
    game.balls[3].x = 217.9f;  // more than a ball's width away, drawn at 217
    game.balls[3].y = game.balls[CUE_BALL].y;
    table.reset_back_buffer();
    for (int i = CUE_BALL + 1; i <= BALL_COUNT; ++i) draw_ball(i);
    draw_ball(CUE_BALL);
    table.show_back_buffer();
    EXPECT_THAT(faults_in_pictures(table.view(), DrawingOrder::cue_ball_last), IsEmpty());
    EXPECT_THAT(faults_in_pictures(table.view(), DrawingOrder::by_number), ElementsAre(HasSubstr("back buffer is not")));
}
