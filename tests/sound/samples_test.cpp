#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "sound/wav_file.h"

namespace {

constexpr size_t MOST_BYTES = 64 * 1024;
constexpr int16_t SILENT = 16;  // a frame this quiet is not heard
constexpr size_t FRAMES_IN_A_MILLISECOND = SAMPLE_RATE / 1000;

std::vector<uint8_t> file_bytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int16_t loudest(const Sample& sample)
{
    int16_t most = 0;
    for (int16_t frame : sample) most = std::max<int16_t>(most, static_cast<int16_t>(std::abs(frame)));
    return most;
}

// What the build made: every sample small, read back whole, sounding from its
// first millisecond and silent at its end.
TEST(Samples, EveryMadeSampleIsSmallAndSoundsFromItsStartToSilence)
{
    for (const char* name : SAMPLE_FILES) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> bytes = file_bytes(std::filesystem::path(SOUND_FOLDER) / name);
        ASSERT_FALSE(bytes.empty());
        EXPECT_LT(bytes.size(), MOST_BYTES);
        const std::optional<Sample> sample = decode_wav(bytes);
        ASSERT_TRUE(sample);
        EXPECT_GT(sample->size(), 20 * FRAMES_IN_A_MILLISECOND);
        EXPECT_GT(loudest(Sample(sample->begin(), sample->begin() + FRAMES_IN_A_MILLISECOND)), 1000);
        EXPECT_LT(loudest(Sample(sample->end() - FRAMES_IN_A_MILLISECOND, sample->end())), SILENT);
    }
}

TEST(Samples, AFileOfAnotherFormatOrCutShortIsNoSample)
{
    const Sample made{0, 1, -1, 32767, -32768};
    const std::vector<uint8_t> bytes = encode_wav(made);
    ASSERT_EQ(decode_wav(bytes), made);

    struct Damage {
        const char* what;
        size_t at;
        uint8_t value;
    };
    const Damage damages[] = {
        {"not a RIFF file", 0, 'X'},
        {"compressed", 20, 3},
        {"stereo", 22, 2},
        {"another rate", 24, 0x80},
        {"8-bit", 34, 8},
        {"no format chunk", 12, 'x'},
        {"a data chunk longer than the file", 40, 12},
    };
    for (const Damage& damage : damages) {
        std::vector<uint8_t> damaged = bytes;
        damaged[damage.at] = damage.value;
        EXPECT_FALSE(decode_wav(damaged)) << damage.what;
    }
    EXPECT_FALSE(decode_wav(std::span(bytes).first(30))) << "cut short in the format";
}

}  // namespace
