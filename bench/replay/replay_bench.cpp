#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "sim/initialisation.h"
#include "sim/variables.h"
#include "view/mouse.h"
#include "view/table_window.h"

namespace {

// A match of 100 random shots, each followed by its state line, played by
// the driver from start-up to exit, from the folder where it finds the table picture.
void hundred_shot_replay(benchmark::State& state)
{
    const std::filesystem::path driver(REPLAY_DRIVER);
    const std::string command = "cd '" + driver.parent_path().string() + "' && '" + driver.string() + "' < '"
                                + HUNDRED_SHOTS_SCRIPT + "' > /dev/null 2>&1";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("the replay driver failed");
            break;
        }
    }
}

// The rack is on the table and the player aims: every move puts back the
// pixels under the previous cue, saves those under the new one and draws it.
void aiming_mouse_move(benchmark::State& state)
{
    reset_game_state();
    TableWindow table;
    attach_window(&table);
    if (!initialisation()) {
        state.SkipWithError("tavlo2.bmp is not in the working directory");
    } else {
        game.aiming_enabled = true;
        table.show_back_buffer();
        bool left = false;
        for (auto _ : state) {
            left = !left;
            PaintBox1MouseMove(table.screen(), left ? 130 : 150, left ? 250 : 230);
        }
    }
    attach_window(nullptr);
}

}  // namespace

// The work is done in the driver process, so the time that counts is the wall clock.
BENCHMARK(hundred_shot_replay)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(aiming_mouse_move)->Unit(benchmark::kMicrosecond);
