#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "sim/table_events.h"

// The table's sounds as the game's data ships them: one sample for each kind
// of event, a 16-bit mono WAV file at one rate.
constexpr int SAMPLE_RATE = 44100;

using Sample = std::vector<int16_t>;

// File names in the order of TableEventKind, so that a kind indexes them.
constexpr std::array<const char*, 4> SAMPLE_FILES{
    "cue_strike.wav",
    "ball_click.wav",
    "cushion_knock.wav",
    "pocket_drop.wav",
};
static_assert(static_cast<size_t>(TableEventKind::pocket) + 1 == SAMPLE_FILES.size());

// Every sample, indexed by the kind of event that plays it.
using SampleSet = std::array<Sample, SAMPLE_FILES.size()>;

constexpr size_t sample_index(TableEventKind kind) { return static_cast<size_t>(kind); }
