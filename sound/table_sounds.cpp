#include "sound/table_sounds.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// How hard an event must be to sound at full volume, and how loud the
// softest one still is.
struct Loudness {
    float full_speed;
    float floor;
};

// In the order of TableEventKind. A cue strike's speed is the shot's strength;
// the others are in pixels a step, where a hard break reaches about 14.
constexpr std::array<Loudness, 4> LOUDNESS{{
    {28, 0.15f},  // cue strike
    {14, 0},      // balls met
    {14, 0},      // cushion or jaw
    {14, 0.35f},  // pocket drop
}};

float hardness(float speed, float full_speed)
{
    return std::clamp(speed / full_speed, 0.0f, 1.0f);
}

}  // namespace

SoundStart sound_for(const TableEvent& event)
{
    const Loudness loudness = LOUDNESS[static_cast<size_t>(event.kind)];
    const float hard = hardness(event.speed, loudness.full_speed);
    // The square root lifts soft events, as the ear hears amplitude.
    const float volume = loudness.floor + (1 - loudness.floor) * std::sqrt(hard);
    const float brightness = event.kind == TableEventKind::balls_met ? hard : 1.0f;
    return {event.kind, volume, brightness, 0};
}

std::vector<SoundStart> TickSounds::take()
{
    std::vector<SoundStart> sounds;
    sounds.swap(heard_);
    std::stable_sort(sounds.begin(), sounds.end(),
                     [](const SoundStart& a, const SoundStart& b) { return a.volume > b.volume; });
    if (sounds.size() > MAX_VOICES) sounds.resize(MAX_VOICES);
    for (size_t i = 0; i < sounds.size(); ++i) sounds[i].delay_ms = static_cast<int>(i) * STAGGER_MS;
    return sounds;
}
