#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

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

}  // namespace

// The work is done in the driver process, so the time that counts is the wall clock.
BENCHMARK(hundred_shot_replay)->Unit(benchmark::kMillisecond)->UseRealTime();
