#include "sound/voice_mixer.h"

#include <algorithm>
#include <cmath>

namespace {

// The dullest sound keeps about the lowest 5 kHz of its sample.
constexpr float DULLEST_SMOOTHING = 0.5f;
constexpr float FULL_SCALE = 32767;

// Up to the knee the voices simply add up; above it a break's burst of clicks
// bends smoothly toward full scale instead of clipping.
constexpr float KNEE = FULL_SCALE / 2;

int16_t to_frame(float sum)
{
    const float above = std::abs(sum) - KNEE;
    const float bent = above <= 0 ? sum : std::copysign(KNEE + KNEE * std::tanh(above / KNEE), sum);
    return static_cast<int16_t>(std::lround(bent));
}

}  // namespace

VoiceMixer::VoiceMixer(SampleSet samples) : samples_(std::move(samples))
{
    voices_.reserve(MAX_VOICES);
}

void VoiceMixer::start(const SoundStart& sound)
{
    const Voice voice{
        .sample = &samples_[sample_index(sound.sample)],
        .frames_to_wait = static_cast<size_t>(sound.delay_ms) * SAMPLE_RATE / 1000,
        .next_frame = 0,
        .gain = sound.volume,
        .smoothing = DULLEST_SMOOTHING + (1 - DULLEST_SMOOTHING) * sound.brightness,
        .filtered = 0,
    };
    if (voices_.size() < MAX_VOICES) {
        voices_.push_back(voice);
        return;
    }
    const auto quietest = std::min_element(voices_.begin(), voices_.end(),
                                           [](const Voice& a, const Voice& b) { return a.gain < b.gain; });
    if (quietest->gain < voice.gain) *quietest = voice;
}

void VoiceMixer::mix(std::span<int16_t> out)
{
    sum_.assign(out.size(), 0.0f);
    for (Voice& voice : voices_) add_voice(voice, sum_);
    std::erase_if(voices_, [](const Voice& voice) { return voice.next_frame == voice.sample->size(); });
    std::transform(sum_.begin(), sum_.end(), out.begin(), to_frame);
}

void VoiceMixer::add_voice(Voice& voice, std::span<float> sum)
{
    const size_t waited = std::min(voice.frames_to_wait, sum.size());
    voice.frames_to_wait -= waited;
    sum = sum.subspan(waited);
    const Sample& sample = *voice.sample;
    const size_t frames = std::min(sum.size(), sample.size() - voice.next_frame);
    for (size_t i = 0; i < frames; ++i) {
        voice.filtered += voice.smoothing * (static_cast<float>(sample[voice.next_frame + i]) - voice.filtered);
        sum[i] += voice.gain * voice.filtered;
    }
    voice.next_frame += frames;
}
