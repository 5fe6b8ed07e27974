#pragma once

#include <vector>

#include "sim/table_events.h"
#include "sound/sample_files.h"

// The table's sounds, made from scratch as struck bodies that ring and die
// away: a few decaying sines and a burst of noise for the contact itself.

// One mode of the struck body.
struct Ring {
    double hertz;
    double decay_ms;  // time to fall to 1/e
    double level;
};

// The body struck again, as a ball bouncing in a pocket is.
struct Strike {
    double at_ms;
    double strength;
};

struct SoundRecipe {
    double length_ms;
    double peak;  // the loudest frame, as a fraction of the full scale
    std::vector<Ring> rings;
    double noise_level;
    double noise_decay_ms;
    double noise_smoothing;  // of a low-pass filter on the noise: 1 leaves it white, lower is duller
    std::vector<Strike> strikes;
};

// What each event sounds like.
SoundRecipe recipe_for(TableEventKind kind);

// The recipe played at SAMPLE_RATE, fading to silence at its end. The same on
// every run.
Sample synthesise(const SoundRecipe& recipe);
