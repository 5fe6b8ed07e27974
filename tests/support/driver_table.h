#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "replay/match_script.h"
#include "replay/replay_window.h"
#include "rules/for_tests.h"
#include "rules/random.h"
#include "sim/for_tests.h"
#include "sim/initialisation.h"

// How the driver ended a script played from a fresh process, and what it printed.
struct Replay {
    ReplayStatus status;
    std::string states;
    std::string errors;
};

inline Replay play(const std::string& script)
{
    reset_game_state();
    reset_random();
    std::istringstream in(script);
    std::ostringstream states, errors;
    const ReplayStatus status = run_replay(in, states, errors);
    return {status, states.str(), errors.str()};
}

// A fresh process on the driver's window with the first rack set up, as the
// driver starts; the table picture is read from the current folder. A test
// that watches the game through the window gives its own kind of driver's window.
template <typename Table>
class DriverTableOf : public testing::Test {
protected:
    void SetUp() override
    {
        reset_game_state();
        reset_random();
        attach_window(&table);
        ASSERT_TRUE(set_up_first_rack());
    }
    void TearDown() override { attach_window(nullptr); }

    Table table;
};

using DriverTable = DriverTableOf<ReplayWindow>;
