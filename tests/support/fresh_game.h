#pragma once

#include <gtest/gtest.h>

#include "sim/window.h"
#include "tests/support/shot_driver.h"

// A fresh process after start-up, on the headless window: the game state and
// the generator at their start, the rules listening, a new rack on the table
// and the supervisor on.
class FreshGame : public testing::Test {
protected:
    void SetUp() override
    {
        attach_window(nullptr);
        start_game();
    }
};
