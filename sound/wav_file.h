#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "sound/sample_files.h"

// The bytes of a 16-bit mono PCM WAV file at SAMPLE_RATE holding `sample`.
std::vector<uint8_t> encode_wav(const Sample& sample);

// The sample in a WAV file of that same format. Nothing when the bytes are not
// one: another format, another rate, a cut-short file.
std::optional<Sample> decode_wav(std::span<const uint8_t> bytes);
