#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

#include "live_table/live_table.h"
#include "protocol/host_session.h"
#include "protocol/journal_file.h"
#include "tests/support/match_records.h"

namespace {

const std::string FOLDER = std::filesystem::temp_directory_path().string() + "/corvenne_journal_bench";

HostJournal journal_head()
{
    HostJournal journal;
    journal.player = "Anna";
    journal.place = uint16_t{47147};
    journal.seat_token = "0123456789abcdef";
    journal.guest = "Boris";
    return journal;
}

// One input kept on the disk before it would go out, as a host keeps its guest's shots.
void keep_numbered_input(benchmark::State& state)
{
    std::filesystem::remove_all(FOLDER);
    const std::string path = FOLDER + "/match.journal";
    JournalFile file(path, journal_head());
    file.seated("0123456789abcdef", "Boris");
    file.rack_set_up(7, {0, 0});
    uint32_t number = 0;
    for (auto _ : state) file.numbered(Side::guest, {++number, {InputKind::shot, 407, 196}});
    if (!file.trouble().empty()) return state.SkipWithError(file.trouble().c_str());
    state.counters["bytes_per_input"] = static_cast<double>(std::filesystem::file_size(path)) / number;
    std::filesystem::remove_all(FOLDER);
}

// The record's input as the protocol numbers it: a press places the cue ball.
Input input_of(const std::string& line)
{
    Input input;
    char word[8] = {};
    std::sscanf(line.c_str(), "%7s %d %d", word, &input.x, &input.y);
    const std::string kind = word;
    input.kind = kind == "shot" ? InputKind::shot : kind == "press" ? InputKind::place : InputKind::undo;
    return input;
}

// Over 2,000 inputs: twenty racks of 100 shots and their placements, the last one on the table.
HostJournal long_journal()
{
    const MatchRecord rack = undecided_record(shots_of_script(LONG_MATCH_SCRIPT), 7, 100);
    HostJournal journal = journal_head();
    uint32_t number = 0;
    for (int racks = 0; racks < 20; ++racks) {
        journal.racks.push_back({rack.praise_at_rack, {}, {}});
        for (const std::string& line : rack.inputs)
            journal.racks.back().inputs.push_back({Side::host, {++number, input_of(line)}});
        if (racks < 19) journal.racks.back().inputs.push_back({Side::host, {++number, {InputKind::new_game}}});
    }
    return journal;
}

// The resume never plays by hand: it only takes the rack over.
class TakingOver : public TableHands {
public:
    void move(int, int) override {}
    void press(int, int) override {}
    void undo() override {}
    void new_game() override {}
};

// Read from the disk, every value checked, and the current rack set up on the table.
void resume_long_match(benchmark::State& state)
{
    std::filesystem::remove_all(FOLDER);
    const std::string path = FOLDER + "/match.journal";
    const HostJournal journal = long_journal();
    JournalFile(path, journal_head()).resume(journal);
    TakingOver hands;
    LiveTable table(hands);
    for (auto _ : state) {
        const auto read = load_journal(path);
        if (!std::holds_alternative<HostJournal>(read)) return state.SkipWithError("the journal does not read");
        HostSession host(table, "Anna");
        if (!host.resume(std::get<HostJournal>(read))) return state.SkipWithError("the rack does not play");
    }
    state.counters["inputs"] = journal.last_number();
    std::filesystem::remove_all(FOLDER);
}

}  // namespace

BENCHMARK(keep_numbered_input)->Unit(benchmark::kMicrosecond);
BENCHMARK(resume_long_match)->Unit(benchmark::kMillisecond);
