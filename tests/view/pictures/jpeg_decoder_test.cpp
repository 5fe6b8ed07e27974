#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "tests/view/pictures/asset_files.h"
#include "view/pictures/jpeg_decoder.h"
#include "tools/jpeg_encoder.h"

using testing::HasSubstr;

namespace {

struct Rgb {
    int r, g, b;
};

// Four flat quarters, red, green, blue and white from the top left, reading order.
constexpr Rgb QUARTERS[] = {{230, 20, 20}, {20, 200, 40}, {30, 40, 220}, {250, 250, 250}};

std::vector<uint8_t> four_quarters(int width, int height)
{
    std::vector<uint8_t> rgb;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb& c = QUARTERS[(y >= height / 2) * 2 + (x >= width / 2)];
            rgb.insert(rgb.end(), {uint8_t(c.r), uint8_t(c.g), uint8_t(c.b)});
        }
    return rgb;
}

Rgb pixel(const JpegPicture& picture, int x, int y)
{
    const size_t at = (size_t(y) * size_t(picture.width) + size_t(x)) * 3;
    return {picture.rgb[at], picture.rgb[at + 1], picture.rgb[at + 2]};
}

bool near(Rgb a, Rgb b)
{
    return std::abs(a.r - b.r) <= 12 && std::abs(a.g - b.g) <= 12 && std::abs(a.b - b.b) <= 12;
}

std::vector<uint8_t> test_jpeg()
{
    return encode_jpeg(64, 48, four_quarters(64, 48), 95);
}

// Decodes while watching the console: a damaged picture must stay quiet.
JpegPicture decode_quietly(const std::vector<uint8_t>& bytes)
{
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    JpegPicture picture = decode_jpeg(bytes);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    return picture;
}

// Rewrites the height and width in the frame header.
void set_frame_size(std::vector<uint8_t>& bytes, uint16_t width, uint16_t height)
{
    for (size_t at = 2; at + 9 < bytes.size(); ++at)
        if (bytes[at] == 0xFF && bytes[at + 1] == 0xC0) {
            bytes[at + 5] = uint8_t(height >> 8);
            bytes[at + 6] = uint8_t(height);
            bytes[at + 7] = uint8_t(width >> 8);
            bytes[at + 8] = uint8_t(width);
            return;
        }
    ADD_FAILURE() << "no frame header";
}

}  // namespace

TEST(JpegDecoding, ComesBackAtItsSizeInRedGreenBlueOrder)
{
    const JpegPicture picture = decode_jpeg(test_jpeg());
    ASSERT_EQ(picture.error, "");
    EXPECT_EQ(picture.width, 64);
    EXPECT_EQ(picture.height, 48);
    ASSERT_EQ(picture.rgb.size(), 64u * 48u * 3u);
    const int probes[][2] = {{16, 12}, {48, 12}, {16, 36}, {48, 36}};
    for (int i = 0; i < 4; ++i) {
        const Rgb seen = pixel(picture, probes[i][0], probes[i][1]);
        EXPECT_TRUE(near(seen, QUARTERS[i])) << "quarter " << i << ": " << seen.r << "," << seen.g << "," << seen.b;
    }
}

TEST(JpegDamage, EmptyOrForeignDataGivesAnError)
{
    for (const std::vector<uint8_t>& bytes : {std::vector<uint8_t>{}, {'B', 'M', 0, 0, 0, 0}, {0xFF, 0xD8}})
        EXPECT_THAT(decode_quietly(bytes).error, HasSubstr("not a readable JPEG picture")) << bytes.size() << " bytes";
}

TEST(JpegDamage, APictureCutShortAnywhereGivesAnErrorNotAnExit)
{
    const std::vector<uint8_t> whole = asset_bytes("splash.jpg");
    ASSERT_FALSE(whole.empty());
    for (size_t length : {size_t(2), size_t(100), whole.size() / 4, whole.size() / 2, whole.size() - 3}) {
        const JpegPicture picture = decode_quietly({whole.begin(), whole.begin() + long(length)});
        EXPECT_NE(picture.error, "") << length << " bytes";
        EXPECT_TRUE(picture.rgb.empty());
        EXPECT_EQ(picture.width, 0);
    }
}

TEST(JpegDamage, AFrameHeaderClaimingAnAbsurdOrEmptySizeIsRefused)
{
    std::vector<uint8_t> huge = test_jpeg();
    set_frame_size(huge, 65000, 65000);
    EXPECT_THAT(decode_quietly(huge).error, HasSubstr("absurd"));
    std::vector<uint8_t> empty = test_jpeg();
    set_frame_size(empty, 64, 0);
    EXPECT_NE(decode_quietly(empty).error, "");
}

TEST(JpegDamage, ScrambledPictureDataIsRefusedAndTheDecoderStaysUsable)
{
    std::vector<uint8_t> scrambled = test_jpeg();
    std::fill(scrambled.begin() + long(scrambled.size() / 2), scrambled.end() - 2, uint8_t(0xFF));
    EXPECT_NE(decode_quietly(scrambled).error, "");
    EXPECT_EQ(decode_jpeg(test_jpeg()).error, "");
}

TEST(JpegEncoding, RefusesSizesItCannotHold)
{
    EXPECT_TRUE(encode_jpeg(0, 4, {}, 90).empty());
    EXPECT_TRUE(encode_jpeg(4, 4, four_quarters(4, 3), 90).empty());
}
