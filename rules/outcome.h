#pragma once

#include <cstdint>

#include "sim/variables.h"

// What the shot in progress produced. Recorded while the balls run, possibly
// replaced by the judgement, and 0 again once the shot is judged. Negative
// codes keep the turn, positive ones pass it.
constexpr OutcomeCode NOTHING_RECORDED = 0;
constexpr OutcomeCode CUE_BALL_POTTED = 1;
constexpr OutcomeCode NO_BALL_TOUCHED = 2;
constexpr OutcomeCode OPPONENT_BALL_POTTED = 3;
constexpr OutcomeCode BLACK_POTTED_EARLY = 4;  // loses the game
constexpr OutcomeCode WRONG_GROUP_TOUCHED_FIRST = 5;
constexpr OutcomeCode BLACK_TOUCHED_FIRST = 6;
constexpr OutcomeCode GROUPS_ASSIGNED = -2;
constexpr OutcomeCode BLACK_POTTED_TO_WIN = -3;

// An own ball potted earns one of five praise codes, -1, -4, -7, -10 or -13;
// only the last two have a message.
constexpr int PRAISE_CODE_COUNT = 5;
constexpr OutcomeCode praise_code(uint32_t r) { return -1 - 3 * static_cast<OutcomeCode>(r); }
constexpr OutcomeCode PRAISE_BRAVO = praise_code(3);
constexpr OutcomeCode PRAISE_EXCELLENT = praise_code(4);

// The black has left the table: the game is over, whoever potted it.
constexpr bool decides_game(OutcomeCode code)
{
    return code == BLACK_POTTED_TO_WIN || code == BLACK_POTTED_EARLY;
}
