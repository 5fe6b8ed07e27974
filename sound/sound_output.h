#pragma once

#include <QAudioSink>
#include <QIODevice>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <memory>
#include <vector>

#include "sound/voice_mixer.h"

// The default audio output, kept fed from the mixer a few milliseconds ahead
// of what it plays on the window's thread while something sounds. Feeding
// never waits: what the output cannot take yet is mixed on the next refill.
// Once the last sound has ended and the silence after it is queued, the
// output is suspended and the refills stop, so an idle table costs nothing;
// the next sound resumes it.
class SoundOutput {
public:
    // Opens the default output for the samples. Nothing, with `fault` empty,
    // when there is no output to open; nothing, with `fault` saying why, when
    // opening it failed.
    static std::unique_ptr<SoundOutput> open(SampleSet samples, QString& fault);

    // Starts the sounds and mixes what the output can take at once; the rest
    // follows with the refills.
    void play(const std::vector<SoundStart>& sounds);

    SoundOutput(SampleSet samples, std::unique_ptr<QAudioSink> sink, QIODevice* device);

private:
    void feed();
    void rest();

    VoiceMixer mixer_;
    std::unique_ptr<QAudioSink> sink_;
    // The output's own; it goes away with the output if the sound server does.
    QPointer<QIODevice> device_;
    QTimer refill_;
    std::vector<int16_t> frames_;
    qint64 silence_queued_ = 0;  // bytes written since the last refill that mixed a sound
};
