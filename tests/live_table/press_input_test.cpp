#include <gtest/gtest.h>

#include <memory>

#include "live_table/press_input.h"
#include "sim/variables.h"

TEST(PressInput, APressIsAMatchInputOnlyWhenTheGameWouldActOnItNow)
{
    struct Row {
        const char* when;
        bool aiming_enabled;
        bool game_over;
        int current_player;
        bool cue_ball_on_table;
        std::optional<InputKind> input;
    };
    const Row rows[] = {
        {"aiming on this side's turn", true, false, 2, true, InputKind::shot},
        {"the cue ball in hand on this side's turn", true, false, 2, false, InputKind::place},
        {"this side's own shot still rolling", false, false, 2, true, std::nullopt},
        {"rolling after this side potted the cue ball", false, false, 2, false, std::nullopt},
        {"the other side's turn", true, false, 1, true, std::nullopt},
        {"the other side's cue ball in hand", true, false, 1, false, std::nullopt},
        {"the game decided", true, true, 2, true, std::nullopt},
    };
    const auto table = std::make_unique<GameState>();
    for (const Row& row : rows) {
        table->aiming_enabled = row.aiming_enabled;
        table->game_over = row.game_over;
        table->current_player = row.current_player;
        table->balls[CUE_BALL].state = row.cue_ball_on_table ? BALL_ON_TABLE : BALL_OFF_TABLE;
        EXPECT_EQ(press_as_input(*table, 2), row.input) << row.when;
    }
}
