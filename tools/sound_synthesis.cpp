#include "tools/sound_synthesis.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/picture_noise.h"

namespace {

constexpr double FULL_SCALE = 32767;
// The last moments fade out, so a sample never ends on a step.
constexpr double FADE_MS = 5;
constexpr uint32_t NOISE_SEED = 23;

double seconds(size_t frame)
{
    return static_cast<double>(frame) / SAMPLE_RATE;
}

size_t frames_in(double ms)
{
    return static_cast<size_t>(ms * SAMPLE_RATE / 1000);
}

// One strike from its first frame on, added into `wave`.
void add_strike(std::vector<double>& wave, const SoundRecipe& recipe, const Strike& strike)
{
    SeededRandom random(NOISE_SEED);
    double noise = 0;
    for (size_t i = 0, at = frames_in(strike.at_ms); at < wave.size(); ++i, ++at) {
        const double t = seconds(i);
        double value = 0;
        for (const Ring& ring : recipe.rings)
            value += ring.level * std::exp(-t * 1000 / ring.decay_ms) * std::sin(2 * std::numbers::pi * ring.hertz * t);
        noise += recipe.noise_smoothing * (random.between(-1, 1) - noise);
        value += recipe.noise_level * std::exp(-t * 1000 / recipe.noise_decay_ms) * noise;
        wave[at] += strike.strength * value;
    }
}

void fade_out(std::vector<double>& wave)
{
    const size_t fade = std::min(wave.size(), frames_in(FADE_MS));
    for (size_t i = 0; i < fade; ++i) wave[wave.size() - 1 - i] *= static_cast<double>(i) / fade;
}

Sample scaled_to_peak(const std::vector<double>& wave, double peak)
{
    double loudest = 0;
    for (double value : wave) loudest = std::max(loudest, std::abs(value));
    const double scale = loudest > 0 ? peak * FULL_SCALE / loudest : 0;
    Sample sample(wave.size());
    std::transform(wave.begin(), wave.end(), sample.begin(),
                   [scale](double value) { return static_cast<int16_t>(std::lround(value * scale)); });
    return sample;
}

}  // namespace

// Each sound's peak sets its loudness beside the others: the short click the
// loudest, the long, low knock the softest.
SoundRecipe recipe_for(TableEventKind kind)
{
    switch (kind) {
    // The leather tip's soft tap and the cue's wood ringing under it.
    case TableEventKind::cue_strike:
        return {90, 0.35, {{1800, 6, 0.6}, {3100, 4, 0.4}, {650, 18, 0.35}}, 0.5, 1.5, 0.6, {{0, 1}}};
    // Two hard balls: a bright, very short click.
    case TableEventKind::balls_met:
        return {50, 0.45, {{3600, 3, 0.7}, {5300, 2.2, 0.5}, {7900, 1.5, 0.3}, {2300, 5, 0.25}}, 0.6, 0.6, 1, {{0, 1}}};
    // Rubber over wood: a dull, low knock with a trace of the ball's click.
    case TableEventKind::cushion:
        return {200, 0.28, {{140, 25, 0.7}, {310, 22, 0.5}, {720, 10, 0.3}, {3400, 2, 0.15}}, 0.4, 6, 0.15, {{0, 1}}};
    // The ball thuds into the pocket and bounces a few times, ever softer.
    case TableEventKind::pocket:
        return {380,
                0.35,
                {{230, 45, 0.6}, {480, 25, 0.45}, {1100, 10, 0.25}},
                0.45,
                8,
                0.2,
                {{0, 1}, {85, 0.55}, {150, 0.35}, {200, 0.2}}};
    }
    return {};
}

Sample synthesise(const SoundRecipe& recipe)
{
    std::vector<double> wave(frames_in(recipe.length_ms), 0.0);
    for (const Strike& strike : recipe.strikes) add_strike(wave, recipe, strike);
    fade_out(wave);
    return scaled_to_peak(wave, recipe.peak);
}
