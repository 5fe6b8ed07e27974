#include <benchmark/benchmark.h>

#include "sim/initialisation.h"
#include "sim/step.h"
#include "sim/variables.h"
#include "view/table_window.h"

namespace {

// Every ball of the rack rolling, each its own way, a few pixels per iteration.
void set_rack_in_motion()
{
    for (int i = 1; i <= BALL_COUNT; ++i) {
        game.balls[i].vx = static_cast<float>(i % 5) - 1.5f;
        game.balls[i].vy = static_cast<float>(i % 3) - 0.75f;
    }
}

// One tick of the simulation timer with a table window attached: three
// iterations, each erasing, redrawing and copying the changed rectangle.
void simulation_tick_with_drawing(benchmark::State& state)
{
    reset_game_state();
    TableWindow table;
    attach_window(&table);
    if (!initialisation()) {
        state.SkipWithError("tavlo2.bmp is not in the working directory");
    } else {
        set_rack_in_motion();
        const GameState moving = game;
        for (auto _ : state) {
            state.PauseTiming();
            game = moving;
            state.ResumeTiming();
            Timer1Timer();
        }
    }
    attach_window(nullptr);
}

}  // namespace

BENCHMARK(simulation_tick_with_drawing)->Unit(benchmark::kMicrosecond);
