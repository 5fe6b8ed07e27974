#include "input/table_input.h"

#include "rules/launch.h"
#include "rules/supervisor.h"
#include "sim/variables.h"
#include "input/aim.h"
#include "input/placement.h"

bool move_over_table(int X, int Y)
{
    if (game.game_over || !game.aiming_enabled || cue_ball_in_hand(game)) return false;
    update_aim(X, Y);
    return true;
}

bool cue_ball_in_hand(const GameState& table)
{
    return table.balls[CUE_BALL].state == BALL_OFF_TABLE;
}

PressEffect press_effect(const GameState& table)
{
    if (table.game_over || !table.aiming_enabled) return PressEffect::none;
    return cue_ball_in_hand(table) ? PressEffect::placement_tried : PressEffect::shot_launched;
}

PressEffect press_on_table(int X, int Y)
{
    // An idle press while the balls roll must not put the shooter on the black
    // before their shot is judged: that would decide whether they keep the turn.
    const PressEffect effect = press_effect(game);
    if (effect == PressEffect::none) return effect;
    check_group_cleared();
    if (effect == PressEffect::placement_tried) {
        place_cue_ball(X - DRAW_OFFSET_X, Y - DRAW_OFFSET_Y);
    } else {
        const ShotVelocity v = shot_velocity();
        launch_shot(v.vx, v.vy);
    }
    return effect;
}
