#include "live_table/press_input.h"

#include "input/table_input.h"
#include "sim/variables.h"

std::optional<InputKind> press_as_input(const GameState& table, int own_player)
{
    if (table.current_player != own_player) return std::nullopt;
    switch (press_effect(table)) {
    case PressEffect::none: return std::nullopt;
    case PressEffect::placement_tried: return InputKind::place;
    case PressEffect::shot_launched: return InputKind::shot;
    }
    return std::nullopt;
}
