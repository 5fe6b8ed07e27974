#include "sound/sound_output.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QCoreApplication>
#include <QMediaDevices>

namespace {

// How far ahead of the output the mixer runs: a sound is heard at most about
// this long after its tick was drawn. Refills come often enough to keep the
// output from running dry, which would cost the start of the next sound.
constexpr int LEAD_MS = 30;
constexpr int REFILL_MS = 10;
constexpr qsizetype FRAME_BYTES = sizeof(int16_t);

QAudioFormat sample_format()
{
    QAudioFormat format;
    format.setSampleRate(SAMPLE_RATE);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

}  // namespace

std::unique_ptr<SoundOutput> SoundOutput::open(SampleSet samples, QString& fault)
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return nullptr;
    const QAudioFormat format = sample_format();
    if (!device.isFormatSupported(format)) {
        fault = QCoreApplication::translate("Sound", "%1: cannot play 16-bit mono sound at %2 Hz")
                    .arg(device.description(), QString::number(SAMPLE_RATE));
        return nullptr;
    }
    auto sink = std::make_unique<QAudioSink>(device, format);
    sink->setBufferSize(SAMPLE_RATE * LEAD_MS / 1000 * FRAME_BYTES);
    QIODevice* input = sink->start();
    if (!input) {
        fault = QCoreApplication::translate("Sound", "%1: the sound output could not be opened").arg(device.description());
        return nullptr;
    }
    return std::make_unique<SoundOutput>(std::move(samples), std::move(sink), input);
}

SoundOutput::SoundOutput(SampleSet samples, std::unique_ptr<QAudioSink> sink, QIODevice* device)
    : mixer_(std::move(samples)), sink_(std::move(sink)), device_(device)
{
    refill_.setTimerType(Qt::PreciseTimer);
    refill_.setInterval(REFILL_MS);
    QObject::connect(&refill_, &QTimer::timeout, [this] { feed(); });
    rest();
}

void SoundOutput::play(const std::vector<SoundStart>& sounds)
{
    if (sounds.empty()) return;
    for (const SoundStart& sound : sounds) mixer_.start(sound);
    if (!refill_.isActive()) {
        sink_->resume();
        refill_.start();
    }
    feed();
}

void SoundOutput::feed()
{
    if (!device_) {
        refill_.stop();
        return;
    }
    const bool sounding = mixer_.voices() > 0;
    frames_.resize(static_cast<size_t>(sink_->bytesFree() / FRAME_BYTES));
    mixer_.mix(frames_);
    const qint64 bytes = static_cast<qint64>(frames_.size()) * FRAME_BYTES;
    device_->write(reinterpret_cast<const char*>(frames_.data()), bytes);
    // Once a whole buffer of silence has gone in, the end of the last sound
    // has been played and nothing else is queued.
    silence_queued_ = sounding ? 0 : silence_queued_ + bytes;
    if (silence_queued_ >= sink_->bufferSize()) rest();
}

void SoundOutput::rest()
{
    refill_.stop();
    sink_->suspend();
}
