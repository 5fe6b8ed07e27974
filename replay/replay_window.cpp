#include "replay/replay_window.h"

#include "match/record_replay.h"
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

namespace {
constexpr int SETTLE_STEP_MS = 100;
constexpr int64_t SETTLE_LIMIT_MS = 600'000;
}

bool settle(ReplayWindow& table)
{
    for (int64_t waited = 0; waited < SETTLE_LIMIT_MS; waited += SETTLE_STEP_MS) {
        table.wait(SETTLE_STEP_MS);
        if (table_settled()) return true;
    }
    return false;
}
