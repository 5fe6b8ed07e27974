#include "sound/sample_loading.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "sound/wav_file.h"

namespace {

QString first_holding(const QString& file, const QStringList& folders)
{
    for (const QString& folder : folders)
        if (const QString path = QDir(folder).filePath(file); QFile::exists(path)) return path;
    return {};
}

// The sample in the file at `path`, or why there is none.
std::optional<Sample> read_sample(const QString& path, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = path + QStringLiteral(": ") + file.errorString();
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    std::optional<Sample> sample =
        decode_wav({reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())});
    if (!sample)
        error = QCoreApplication::translate("Sound", "%1: not a 16-bit mono WAV file at %2 Hz")
                    .arg(path, QString::number(SAMPLE_RATE));
    return sample;
}

}  // namespace

SampleLoad load_samples(const QStringList& folders)
{
    SampleLoad load;
    for (size_t i = 0; i < SAMPLE_FILES.size(); ++i) {
        const QString file = QString::fromLatin1(SAMPLE_FILES[i]);
        const QString path = first_holding(file, folders);
        if (path.isEmpty()) {
            load.error = QCoreApplication::translate("Sound", "%1: the file is missing").arg(file);
            return load;
        }
        std::optional<Sample> sample = read_sample(path, load.error);
        if (!sample) return load;
        load.samples[i] = std::move(*sample);
    }
    return load;
}
