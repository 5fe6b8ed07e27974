#include <benchmark/benchmark.h>

#include "sim/for_tests.h"
#include "sim/initialisation.h"
#include "sim/shot_to_rest.h"
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
// the break; the game state is put back before each iteration so every one
// measures the same table, with the step's book as the match left it.
void BM_IterationOfARackInMotion(benchmark::State& state)
{
    set_up_break();
    for (int k = 0; k < 40; ++k) simulation_iteration();
    const GameState in_motion = game;
    for (auto _ : state) {
        game = in_motion;
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

// Whole shots as the computer opponent plays them out: from a copy of the
// table after the break, the cue ball sent at a medium pace in one of sixteen
// directions, simulated to rest with no drawing, on one thread.
void BM_WholeShotsToRest(benchmark::State& state)
{
    set_up_break();
    run_shot_to_rest(1000);
    const GameState mid_game = game;
    constexpr int DIRECTIONS = 16;
    constexpr float SPEEDS_X[DIRECTIONS] = {5, 4.6f, 3.5f, 1.9f, 0, -1.9f, -3.5f, -4.6f,
                                            -5, -4.6f, -3.5f, -1.9f, 0, 1.9f, 3.5f, 4.6f};
    int shot = 0;
    for (auto _ : state) {
        game = mid_game;
        const int k = shot++ % DIRECTIONS;
        game.balls[CUE_BALL].vx = SPEEDS_X[k];
        game.balls[CUE_BALL].vy = SPEEDS_X[(k + DIRECTIONS / 4) % DIRECTIONS];
        benchmark::DoNotOptimize(run_shot_to_rest(1000));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WholeShotsToRest)->Unit(benchmark::kMillisecond);

}  // namespace
