#include "input/table_input.h"

#include "rules/launch.h"
#include "rules/supervisor.h"
#include "sim/variables.h"
#include "input/aim.h"
#include "input/placement.h"

namespace {

bool cue_ball_on_table()
{
    return game.balls[CUE_BALL].state != BALL_OFF_TABLE;
}

}  // namespace

bool move_over_table(int X, int Y)
{
    if (game.game_over || !game.aiming_enabled || !cue_ball_on_table()) return false;
    update_aim(X, Y);
    return true;
}

PressEffect press_on_table(int X, int Y)
{
    // An idle press while the balls roll must not put the shooter on the black
    // before their shot is judged: that would decide whether they keep the turn.
    if (game.game_over || !game.aiming_enabled) return PressEffect::none;
    check_group_cleared();
    if (!cue_ball_on_table()) {
        place_cue_ball(X - DRAW_OFFSET_X, Y - DRAW_OFFSET_Y);
        return PressEffect::placement_tried;
    }
    const ShotVelocity v = shot_velocity();
    launch_shot(v.vx, v.vy);
    return PressEffect::shot_launched;
}
