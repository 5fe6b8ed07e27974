#include <gtest/gtest.h>

#include "rules/shot_recording.h"
#include "sim/variables.h"
#include "tests/support/fresh_game.h"

namespace {

using FirstTouch = FreshGame;

TEST_F(FirstTouch, OpeningCollisionOfAGameOnlyMarksContactSeen)
{
    record_first_touch(1, 10);
    EXPECT_TRUE(game.first_contact_seen);
    EXPECT_EQ(game.players[1].first_touched, NoGroup);
}

TEST_F(FirstTouch, LaterCueContactRecordsOnlyTheFirstColourOfTheShot)
{
    record_first_touch(3, 4);
    record_first_touch(1, 10);
    record_first_touch(1, 2);
    EXPECT_EQ(game.players[1].first_touched, YELLOW);
}

TEST_F(FirstTouch, ContactsWithoutTheCueBallRecordNothing)
{
    record_first_touch(3, 4);
    record_first_touch(2, 5);
    EXPECT_EQ(game.players[1].first_touched, NoGroup);
}

}  // namespace
