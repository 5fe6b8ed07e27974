#include "protocol/press_input.h"

#include "sim/variables.h"

std::optional<InputKind> press_as_input(const GameState& table, int own_player)
{
    if (table.game_over || !table.aiming_enabled || table.current_player != own_player) return std::nullopt;
    return table.balls[CUE_BALL].state == BALL_OFF_TABLE ? InputKind::place : InputKind::shot;
}
