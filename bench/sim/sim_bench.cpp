#include <benchmark/benchmark.h>

#include "sim/initialisation.h"
#include "sim/step.h"
#include "sim/variables.h"
#include "sim/window.h"

namespace {

// A fresh rack with the cue ball driven hard into the apex.
void set_up_break()
{
    reset_game_state();
    attach_window(nullptr);
    initialisation();
    game.balls[CUE_BALL].vx = 13;
}

// One iteration with the whole rack in motion, a few dozen iterations into
// the break; the balls are put back before each iteration so every one
// measures the same table.
void BM_IterationOfARackInMotion(benchmark::State& state)
{
    set_up_break();
    for (int k = 0; k < 40; ++k) simulation_iteration();
    const auto in_motion = game.balls;
    for (auto _ : state) {
        game.balls = in_motion;
        simulation_iteration();
        benchmark::DoNotOptimize(game.balls);
    }
}
BENCHMARK(BM_IterationOfARackInMotion)->Unit(benchmark::kMicrosecond);

void BM_BreakToRest(benchmark::State& state)
{
    for (auto _ : state) {
        set_up_break();
        int iterations = 0;
        while (!balls_at_rest()) {
            simulation_iteration();
            ++iterations;
        }
        benchmark::DoNotOptimize(iterations);
    }
}
BENCHMARK(BM_BreakToRest)->Unit(benchmark::kMillisecond);

}  // namespace
