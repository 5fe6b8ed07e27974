#include "view/mouse.h"

#include "rules/supervisor.h"
#include "rules/undo.h"
#include "sim/ball_drawing.h"
#include "sim/variables.h"
#include "sim/window.h"
#include "view/aim.h"
#include "view/cue.h"
#include "view/placement.h"

namespace {

bool cue_ball_on_table()
{
    return game.balls[CUE_BALL].state != BALL_OFF_TABLE;
}

void try_to_place_cue_ball(int X, int Y)
{
    place_cue_ball(X - DRAW_OFFSET_X, Y - DRAW_OFFSET_Y);
    draw_ball(CUE_BALL);
    window().show_back_buffer();
}

// The supervisor sees the moving cue ball at its next tick and starts the simulation.
void launch_shot(QImage& screen)
{
    game.aiming_enabled = false;
    give_cue_ball_its_velocity();
    take_shot_start_copies();
    remove_cue(screen);
    game.shot_evaluated = false;
}

}  // namespace

void PaintBox1MouseMove(QImage& screen, int X, int Y)
{
    if (game.game_over || !game.aiming_enabled || !cue_ball_on_table()) return;
    update_aim(X, Y);
    const BallRecord& cue_ball = game.balls[CUE_BALL];
    draw_cue(screen, cue_ball.x + DRAW_OFFSET_X, cue_ball.y + DRAW_OFFSET_Y);
}

void PaintBox1MouseDown(QImage& screen, int X, int Y)
{
    if (game.game_over) return;
    check_group_cleared();
    if (!game.aiming_enabled) return;
    if (cue_ball_on_table())
        launch_shot(screen);
    else
        try_to_place_cue_ball(X, Y);
}
