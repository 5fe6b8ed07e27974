#include <benchmark/benchmark.h>

#include "replay/replay_window.h"
#include "sim/for_tests.h"
#include "sim/initialisation.h"
#include "sim/step.h"
#include "sim/variables.h"
#include "view/mouse.h"

namespace {

// The first rack drawn in a window without a screen, as the game starts. False, with the
// benchmark marked failed, when the table picture is not in the working directory.
bool rack_on_screen(ReplayWindow& table, benchmark::State& state)
{
    reset_game_state();
    attach_window(&table);
    if (initialisation()) return true;
    state.SkipWithError("tavlo2.bmp is not in the working directory");
    return false;
}

// Every ball of the rack rolling, each its own way, a few pixels per iteration.
void set_rack_in_motion()
{
    for (int i = 1; i <= BALL_COUNT; ++i) {
        game.balls[i].vx = static_cast<float>(i % 5) - 1.5f;
        game.balls[i].vy = static_cast<float>(i % 3) - 0.75f;
    }
}

// One tick of the simulation timer with a window without a screen attached,
// as the main window runs it: three iterations, each erasing and redrawing the
// balls, then one copy of what they changed to the surface.
void simulation_tick_with_drawing(benchmark::State& state)
{
    ReplayWindow table;
    if (rack_on_screen(table, state)) {
        set_rack_in_motion();
        const GameState moving = game;
        for (auto _ : state) {
            state.PauseTiming();
            game = moving;
            state.ResumeTiming();
            Timer1Timer();
            table.view().show_pending_parts();
        }
    }
    attach_window(nullptr);
}

// The player aims at the rack: every move puts back the pixels under the
// previous cue, saves those under the new one and draws it.
void aiming_mouse_move(benchmark::State& state)
{
    ReplayWindow table;
    if (rack_on_screen(table, state)) {
        game.aiming_enabled = true;
        table.show_back_buffer();
        bool left = false;
        for (auto _ : state) {
            left = !left;
            PaintBox1MouseMove(table.view().surface(), left ? 130 : 150, left ? 250 : 230);
        }
    }
    attach_window(nullptr);
}

}  // namespace

BENCHMARK(simulation_tick_with_drawing)->Unit(benchmark::kMicrosecond);
BENCHMARK(aiming_mouse_move)->Unit(benchmark::kMicrosecond);
