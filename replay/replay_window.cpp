#include "replay/replay_window.h"

#include "rules/game_wiring.h"
#include "view/cue.h"

ReplayWindow::ReplayWindow()
{
    for (TimerId t : ALL_TIMERS) clock_.wire(t, tick_handler(t));
}

bool ReplayWindow::set_up_bitmaps()
{
    if (view_.set_up_bitmaps()) return true;
    picture_error_ = view_.picture_error();
    return false;
}

void ReplayWindow::remove_cue_from_screen()
{
    remove_cue(view_.surface());
}
