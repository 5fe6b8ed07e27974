#pragma once

#include <gtest/gtest.h>

#include "sim/variables.h"
#include "sim/window.h"
#include "tests/support/fake_window.h"
#include "tests/support/shot_driver.h"

// A fresh process after start-up: the game state and the generator at their
// start, the rules listening, a new rack on the table and the supervisor on.
// The fake window is attached, so a test can read what the game showed.
class FreshGame : public testing::Test {
protected:
    void SetUp() override
    {
        attach_window(&pixels);
        start_game();
    }
    void TearDown() override { attach_window(nullptr); }

    // Takes every ball off the table, the break over, so that a test can lay
    // out a situation of a game under way.
    static void clear_table_after_the_break()
    {
        clear_table();
        game.first_contact_seen = true;
    }
    // Player 1 plays `player1_group`, player 2 the other colour.
    static void give_groups(int32_t player1_group)
    {
        game.players[1].group = player1_group;
        game.players[2].group = player1_group == RED ? YELLOW : RED;
    }

    FakeWindow pixels;
};
