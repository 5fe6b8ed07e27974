#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "replay/replay_window.h"
#include "sim/for_tests.h"
#include "sim/initialisation.h"
#include "sim/step.h"
#include "sim/variables.h"
#include "sound/voice_mixer.h"
#include "sound/wav_file.h"

namespace {

constexpr size_t FRAMES_A_TICK = SAMPLE_RATE * timer_interval_ms(Timer1) / 1000;

// The samples the build made; an empty one where a file cannot be read.
SampleSet made_samples()
{
    SampleSet samples;
    for (size_t i = 0; i < samples.size(); ++i) {
        std::ifstream in(std::filesystem::path(SOUND_FOLDER) / SAMPLE_FILES[i], std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        samples[i] = decode_wav(bytes).value_or(Sample{});
    }
    return samples;
}

// The driver's window with, when it listens, the sound's work of every tick
// beside it: the events heard, the tick's sounds started once its drawing is
// shown, and a tick's worth of frames mixed, as the output takes them.
class ListeningWindow : public ReplayWindow {
public:
    explicit ListeningWindow(bool listening) : listening_(listening), mixer_(made_samples()) {}

    void table_event(const TableEvent& event) override
    {
        if (listening_) tick_.hear(event);
    }
    void tick_drawn()
    {
        view().show_pending_parts();
        if (!listening_) return;
        for (const SoundStart& sound : tick_.take()) mixer_.start(sound);
        mixer_.mix(frames_);
    }

private:
    bool listening_;
    TickSounds tick_;
    VoiceMixer mixer_;
    std::vector<int16_t> frames_ = std::vector<int16_t>(FRAMES_A_TICK);
};

// The opening break, from the first tick to rest, with each tick drawn as the
// main window runs it; with the sound listening (argument 1) or not (0).
// The figure that counts is the time per tick.
void break_ticks_with_drawing(benchmark::State& state)
{
    ListeningWindow table(state.range(0) == 1);
    reset_game_state();
    attach_window(&table);
    if (!initialisation()) state.SkipWithError("tavlo2.bmp is not in the working directory");
    game.balls[CUE_BALL].vx = 13;
    const GameState at_the_break = game;
    int64_t ticks = 0;
    for (auto _ : state) {
        state.PauseTiming();
        game = at_the_break;
        state.ResumeTiming();
        while (!balls_at_rest()) {
            Timer1Timer();
            table.tick_drawn();
            ++ticks;
        }
    }
    state.counters["per_tick"] = benchmark::Counter(static_cast<double>(ticks), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    attach_window(nullptr);
}

}  // namespace

BENCHMARK(break_ticks_with_drawing)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
