#include "sound/sound_output.h"

#include <QAudioDevice>
#include <QAudioFormat>
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
        fault = device.description() + QStringLiteral(": cannot play 16-bit mono sound at %1 Hz").arg(SAMPLE_RATE);
        return nullptr;
    }
    auto sink = std::make_unique<QAudioSink>(device, format);
    sink->setBufferSize(SAMPLE_RATE * LEAD_MS / 1000 * FRAME_BYTES);
    QIODevice* input = sink->start();
    if (!input) {
        fault = device.description() + QStringLiteral(": the sound output could not be opened");
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
    refill_.start();
}

void SoundOutput::play(const std::vector<SoundStart>& sounds)
{
    for (const SoundStart& sound : sounds) mixer_.start(sound);
    feed();
}

void SoundOutput::feed()
{
    if (!device_) {
        refill_.stop();
        return;
    }
    frames_.resize(static_cast<size_t>(sink_->bytesFree() / FRAME_BYTES));
    mixer_.mix(frames_);
    device_->write(reinterpret_cast<const char*>(frames_.data()), static_cast<qint64>(frames_.size()) * FRAME_BYTES);
}
