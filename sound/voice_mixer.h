#pragma once

#include <span>
#include <vector>

#include "sound/sample_files.h"
#include "sound/table_sounds.h"

// The sounds playing at once, summed into one stream of 16-bit frames at
// SAMPLE_RATE. At most MAX_VOICES play together.
class VoiceMixer {
public:
    explicit VoiceMixer(SampleSet samples);

    // Starts a sound from its first frame, after its delay counted from the
    // next frame mixed. With every voice busy it takes the quietest one's
    // place, or is dropped if it is the quietest itself.
    void start(const SoundStart& sound);
    // The next frames of every voice, summed into `out`; voices that reach the
    // end of their sample stop.
    void mix(std::span<int16_t> out);
    size_t voices() const { return voices_.size(); }

private:
    struct Voice {
        const Sample* sample;
        size_t frames_to_wait;
        size_t next_frame;
        float gain;
        float smoothing;  // of the low-pass filter that dulls a soft sound: 1 leaves it as made
        float filtered;
    };

    static void add_voice(Voice& voice, std::span<float> sum);

    SampleSet samples_;
    std::vector<Voice> voices_;
    std::vector<float> sum_;
};
