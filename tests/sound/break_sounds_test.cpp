#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

#include "sim/variables.h"
#include "sound/sample_files.h"
#include "sound/table_sounds.h"
#include "tests/support/driver_table.h"

namespace {

struct PlayedSound {
    int tick;
    SoundStart sound;
};

// The driver's window, listening as the main window's sound does: it hears the
// table's events while a simulation tick runs and starts their sounds when
// the tick's drawing is shown, after its last iteration.
class ListeningTable : public ReplayWindow {
public:
    void table_event(const TableEvent& event) override
    {
        heard.push_back(event);
        tick_.hear(event);
    }
    void show_back_buffer_part(const Rect& area) override
    {
        ReplayWindow::show_back_buffer_part(area);
        if (++iterations_ % game.steps_per_tick != 0) return;
        ++ticks_;
        for (const SoundStart& sound : tick_.take()) played.push_back({ticks_, sound});
    }

    std::vector<TableEvent> heard;
    std::vector<PlayedSound> played;

private:
    TickSounds tick_;
    int iterations_ = 0;
    int ticks_ = 0;
};

// The golden break, from the start-up to the judgement.
class BreakSounds : public DriverTableOf<ListeningTable> {
protected:
    void SetUp() override
    {
        DriverTableOf::SetUp();
        if (HasFatalFailure()) return;
        std::ifstream script(BREAK_SCRIPT);
        std::ostringstream lines, errors;
        ASSERT_EQ(play_script(script, lines, errors, table), REPLAY_DONE) << errors.str();
    }

    size_t heard(TableEventKind kind) const
    {
        return std::ranges::count(table.heard, kind, &TableEvent::kind);
    }
    size_t played(TableEventKind kind) const
    {
        return std::ranges::count(table.played, kind, [](const PlayedSound& p) { return p.sound.sample; });
    }
};

// The sounds tick by tick, "7:CCK" for two clicks and a knock in tick 7:
// S the cue strike, C two balls meeting, K a cushion or jaw, P a pocket drop.
std::string ticks_heard(const std::vector<PlayedSound>& played)
{
    std::string ticks;
    int tick = 0;
    for (const PlayedSound& p : played) {
        if (p.tick != tick) ticks += (ticks.empty() ? "" : " ") + std::to_string(p.tick) + ":";
        tick = p.tick;
        ticks += "SCKP"[sample_index(p.sound.sample)];
    }
    return ticks;
}

// The strike sounds when the cue ball is first seen to move, each meeting,
// rebound and drop in the tick that shows it. The rack's first tick brings 11
// meetings, of which the 8 loudest sound; nothing else is dropped and nothing
// sounds twice.
TEST_F(BreakSounds, EachEventSoundsOnceInTheTickThatShowsIt)
{
    EXPECT_EQ(heard(TableEventKind::cue_strike), 1u);
    EXPECT_EQ(heard(TableEventKind::balls_met), 21u);
    EXPECT_EQ(heard(TableEventKind::cushion), 13u);
    EXPECT_EQ(heard(TableEventKind::pocket), 1u);
    EXPECT_EQ(played(TableEventKind::balls_met), heard(TableEventKind::balls_met) - 3);
    EXPECT_EQ(ticks_heard(table.played),
              "1:S 7:CCCCCCCC 8:CCCCC 10:C 11:KK 14:C 17:KK 24:K 26:K 28:K 29:K 36:K 42:K 45:C 62:C 63:C "
              "74:K 94:P 109:K 121:K");
}

// The hard strike is the loudest sound and the rack's last, slow touch the
// softest; a harder meeting is also brighter; within a tick the loudest
// comes first and the others follow it a moment apart.
TEST_F(BreakSounds, LoudnessFollowsHowHardEachEventIs)
{
    const auto by_volume = [](const PlayedSound& a, const PlayedSound& b) { return a.sound.volume < b.sound.volume; };
    const auto [softest, loudest] = std::ranges::minmax_element(table.played, by_volume);
    EXPECT_EQ(loudest->sound.sample, TableEventKind::cue_strike);
    EXPECT_NEAR(loudest->sound.volume, 0.8714f, 1e-4f);
    EXPECT_EQ(softest->sound.sample, TableEventKind::balls_met);
    EXPECT_NEAR(softest->sound.volume, 0.0838f, 1e-4f);

    std::vector<SoundStart> clicks;
    for (const PlayedSound& p : table.played)
        if (p.sound.sample == TableEventKind::balls_met) clicks.push_back(p.sound);
    std::ranges::sort(clicks, std::ranges::less(), &SoundStart::volume);
    EXPECT_EQ(std::ranges::adjacent_find(clicks, std::ranges::greater_equal(), &SoundStart::brightness), clicks.end());

    const auto first_of_rack = std::ranges::find(table.played, 7, &PlayedSound::tick);
    EXPECT_TRUE(std::is_sorted(first_of_rack, first_of_rack + MAX_VOICES,
                               [](const PlayedSound& a, const PlayedSound& b) { return a.sound.volume > b.sound.volume; }));
    for (size_t i = 0; i < MAX_VOICES; ++i) EXPECT_EQ(first_of_rack[i].sound.delay_ms, int(i) * STAGGER_MS);
}

}  // namespace
