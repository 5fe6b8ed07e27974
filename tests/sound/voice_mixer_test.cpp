#include <gtest/gtest.h>

#include "sound/voice_mixer.h"

namespace {

constexpr int16_t LEVEL = 1000;

// Each kind's sample is steady at LEVEL and as many frames long as its kind's
// number plus one, so that the voices of the kinds end one frame apart.
SampleSet steady_samples()
{
    SampleSet samples;
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = Sample(i + 1, LEVEL);
    return samples;
}

SoundStart sound(TableEventKind kind, float volume, float brightness = 1, int delay_ms = 0)
{
    return {kind, volume, brightness, delay_ms};
}

std::vector<int16_t> mixed(VoiceMixer& mixer, size_t frames)
{
    std::vector<int16_t> out(frames);
    mixer.mix(out);
    return out;
}

TEST(VoiceMixer, VoicesAddUpAtTheirVolumesFromTheirDelayToTheEndOfTheirSamples)
{
    VoiceMixer mixer(steady_samples());
    mixer.start(sound(TableEventKind::cue_strike, 1));
    mixer.start(sound(TableEventKind::pocket, 0.5f));
    mixer.start(sound(TableEventKind::balls_met, 1, 1, 1));  // 44 frames later
    EXPECT_EQ(mixed(mixer, 2), (std::vector<int16_t>{1500, 500}));
    EXPECT_EQ(mixer.voices(), 2u);
    const std::vector<int16_t> next = mixed(mixer, 44);
    EXPECT_EQ(std::vector<int16_t>(next.begin(), next.begin() + 3), (std::vector<int16_t>{500, 500, 0}));
    EXPECT_EQ(std::vector<int16_t>(next.end() - 3, next.end()), (std::vector<int16_t>{0, 1000, 1000}));
    EXPECT_EQ(mixer.voices(), 0u);
}

TEST(VoiceMixer, WithEveryVoiceBusyTheQuietestGivesWay)
{
    VoiceMixer mixer(steady_samples());
    for (size_t i = 0; i < MAX_VOICES; ++i) mixer.start(sound(TableEventKind::pocket, 0.1f + 0.1f * i));
    mixer.start(sound(TableEventKind::pocket, 0.05f));  // quieter than all: dropped
    mixer.start(sound(TableEventKind::pocket, 0.2f));   // takes the place of 0.1
    EXPECT_EQ(mixer.voices(), MAX_VOICES);
    EXPECT_EQ(mixed(mixer, 1)[0], 3700);  // LEVEL at 0.2, 0.2, 0.3, ... 0.8
}

TEST(VoiceMixer, ADullSoundRisesSlowerThanABrightOne)
{
    VoiceMixer bright(steady_samples()), dull(steady_samples());
    bright.start(sound(TableEventKind::pocket, 1, 1));
    dull.start(sound(TableEventKind::pocket, 1, 0));
    EXPECT_EQ(mixed(bright, 1)[0], LEVEL);
    EXPECT_EQ(mixed(dull, 1)[0], LEVEL / 2);
}

TEST(VoiceMixer, ABurstSaturatesInsteadOfWrappingAround)
{
    SampleSet loud;
    loud.fill(Sample(1, 30000));
    VoiceMixer mixer(loud);
    for (size_t i = 0; i < MAX_VOICES; ++i) mixer.start(sound(TableEventKind::balls_met, 1));
    EXPECT_GT(mixed(mixer, 1)[0], 32000);
}

}  // namespace
