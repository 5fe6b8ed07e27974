#include "rules/end_banner.h"

#include <string>

#include "sim/ball_drawing.h"
#include "sim/variables.h"
#include "sim/window.h"

void show_end_banner()
{
    game.game_over = true;
    // The back buffer is rebuilt from the bare table; until the first banner
    // tick the screen shows the table without balls.
    window().reset_back_buffer();
    window().show_table_picture();
    for (int i = 1; i <= BALL_COUNT; ++i) draw_ball(i);
    game.aiming_enabled = false;
    window().set_timer(Timer3, true);
}

void Timer3Timer()
{
    window().write_banner(std::string(game.end_text));
    window().show_back_buffer();
}
