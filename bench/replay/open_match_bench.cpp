#include <benchmark/benchmark.h>

#include "match/match_file.h"
#include "rules/game_wiring.h"
#include "tests/support/match_records.h"

namespace {

// A file of 300 shots in one rack, made from the long random match's shots.
void open_300_shot_match(benchmark::State& state)
{
    const MatchRecord record = undecided_record(shots_of_script(LONG_MATCH_SCRIPT), 7, 300);
    const std::variant<std::string, ReplayFault> text = match_file_text(record, {});
    if (!std::holds_alternative<std::string>(text)) return state.SkipWithError("the record does not replay");
    for (auto _ : state) {
        const std::variant<OpenedMatch, MatchFileFault> opened = open_match_text(std::get<std::string>(text));
        if (!std::holds_alternative<OpenedMatch>(opened)) return state.SkipWithError("the file does not open");
        benchmark::DoNotOptimize(opened);
    }
}

}  // namespace

BENCHMARK(open_300_shot_match)->Unit(benchmark::kMillisecond);
