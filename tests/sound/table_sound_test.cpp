#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "sound/table_sound.h"

namespace {

// A folder holding every sample the build made, with one of them replaced by `file_bytes`.
bool copy_samples_with(const QString& folder, const char* replaced, const QByteArray& file_bytes)
{
    for (const char* name : SAMPLE_FILES) {
        const QString to = folder + QLatin1Char('/') + QLatin1String(name);
        if (name != replaced && !QFile::copy(QStringLiteral(SOUND_FOLDER "/") + QLatin1String(name), to)) return false;
    }
    QFile file(folder + QLatin1Char('/') + QLatin1String(replaced));
    return file.open(QIODevice::WriteOnly) && file.write(file_bytes) == file_bytes.size();
}

// Off, the sound reads nothing; on, a sample that cannot be read is the
// fault and keeps it silent, while the made samples bring no fault whether
// or not there is an audio output.
TEST(TableSound, ASampleThatCannotBeReadIsTheFaultAndTheSoundStaysSilent)
{
    QTemporaryDir missing, damaged;
    ASSERT_TRUE(copy_samples_with(damaged.path(), "pocket_drop.wav", "RIFF, but no sound"));
    struct Case {
        QString folder;
        QString fault_starts;
    };
    const Case cases[] = {
        {missing.path(), QStringLiteral("cue_strike.wav: the file is missing")},
        {damaged.path(), damaged.path() + QStringLiteral("/pocket_drop.wav: not a 16-bit mono WAV file")},
        {QStringLiteral(SOUND_FOLDER), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder.toStdString());
        TableSound sound({c.folder});
        EXPECT_TRUE(sound.fault().isEmpty());
        sound.set_on(true);
        EXPECT_TRUE(sound.on());
        EXPECT_TRUE(c.fault_starts.isEmpty() ? sound.fault().isEmpty() : sound.fault().startsWith(c.fault_starts))
            << sound.fault().toStdString();
        EXPECT_FALSE(!sound.fault().isEmpty() && sound.audible());
        sound.set_on(false);
        EXPECT_FALSE(sound.audible());
        EXPECT_TRUE(sound.fault().isEmpty());
    }
}

}  // namespace
