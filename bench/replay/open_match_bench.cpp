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

// Nearly the longest match a file keeps: as many long racks of shots as fit
// MAX_MATCH_FILE_INPUTS, with the new game after each but the last.
void open_longest_match(benchmark::State& state)
{
    const MatchRecord rack = undecided_record(shots_of_script(LONG_MATCH_SCRIPT), 7, 1'500);
    const size_t racks = MAX_MATCH_FILE_INPUTS / (rack.inputs.size() + 1);
    const std::variant<std::string, ReplayFault> text = match_file_text(rack, {}, EarlierRacks(racks - 1, rack));
    if (!std::holds_alternative<std::string>(text)) return state.SkipWithError("the match does not replay");
    state.counters["inputs"] = static_cast<double>(racks * (rack.inputs.size() + 1) - 1);
    for (auto _ : state) {
        const std::variant<OpenedMatch, MatchFileFault> opened = open_match_text(std::get<std::string>(text));
        if (!std::holds_alternative<OpenedMatch>(opened)) return state.SkipWithError("the file does not open");
        benchmark::DoNotOptimize(opened);
    }
}

}  // namespace

BENCHMARK(open_300_shot_match)->Unit(benchmark::kMillisecond);
BENCHMARK(open_longest_match)->Unit(benchmark::kMillisecond)->Iterations(3);
