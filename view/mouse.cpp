#include "view/mouse.h"

#include "sim/ball_drawing.h"
#include "sim/variables.h"
#include "sim/window.h"
#include "view/cue.h"
#include "input/table_input.h"

bool PaintBox1MouseMove(QImage& screen, int X, int Y)
{
    if (!move_over_table(X, Y)) return false;
    const BallRecord& cue_ball = game.balls[CUE_BALL];
    draw_cue(screen, cue_ball.x + DRAW_OFFSET_X, cue_ball.y + DRAW_OFFSET_Y);
    return true;
}

PressEffect PaintBox1MouseDown(int X, int Y)
{
    const PressEffect effect = press_on_table(X, Y);
    switch (effect) {
    case PressEffect::none: break;
    case PressEffect::placement_tried:
        draw_ball(CUE_BALL);
        window().show_back_buffer();
        break;
    case PressEffect::shot_launched: break;  // the launch took the cue off the screen
    }
    return effect;
}
