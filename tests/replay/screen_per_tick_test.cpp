#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "replay/match_script.h"
#include "replay/replay_window.h"
#include "rules/for_tests.h"
#include "sim/for_tests.h"
#include "sim/initialisation.h"
#include "sim/variables.h"
#include "view/pixels.h"

namespace {

// Beside the surface, which receives each tick's changes in one copy, keeps
// the surface that one copy per iteration would give, and compares the two
// after every simulation tick.
class ThreeCopiesWindow : public ReplayWindow {
public:
    void show_back_buffer_part(const Rect& area) override
    {
        // Reading the surface shows everything earlier, so both start the tick alike.
        const QImage& surface = view().surface();
        if (iterations_ % game.steps_per_tick == 0) {
            if (three_copies_.isNull()) three_copies_ = QImage(surface.size(), surface.format());
            copy_pixels(surface, surface.rect(), three_copies_, QPoint(0, 0));
        }
        ReplayWindow::show_back_buffer_part(area);
        const QRect part(area.left, area.top, area.width(), area.height());
        copy_pixels(view().back_buffer(), part, three_copies_, part.topLeft() + QPoint(DRAW_OFFSET_X, DRAW_OFFSET_Y));
        if (++iterations_ % game.steps_per_tick != 0) return;
        ++ticks;
        const QImage& one_copy = view().surface();
        if (std::memcmp(one_copy.constBits(), three_copies_.constBits(), one_copy.sizeInBytes()) != 0)
            ++ticks_that_differ;
    }

    int ticks = 0;
    int ticks_that_differ = 0;

private:
    int iterations_ = 0;
    QImage three_copies_;
};

TEST(ScreenPerTick, OneCopyPerTickShowsWhatThreeCopiesWouldAfterEveryTickOfALongMatch)
{
    reset_game_state();
    reset_random();
    ThreeCopiesWindow table;
    attach_window(&table);
    ASSERT_TRUE(set_up_first_rack());
    std::ifstream script(LONG_MATCH_SCRIPT);
    std::ostringstream lines, errors;
    EXPECT_EQ(play_script(script, lines, errors, table), REPLAY_DONE) << errors.str();
    attach_window(nullptr);
    EXPECT_GT(table.ticks, 10'000);
    EXPECT_EQ(table.ticks_that_differ, 0);
}

}  // namespace
