#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "view/pictures/bmp_decoder.h"
#include "tools/bmp_writer.h"
#include "view/pictures/picture_limits.h"


namespace {

// Offsets of the header fields that the damage tests rewrite.
constexpr size_t PIXEL_OFFSET_AT = 10;
constexpr size_t HEADER_SIZE_AT = 14;
constexpr size_t WIDTH_AT = 18;
constexpr size_t HEIGHT_AT = 22;
constexpr size_t PLANES_AT = 26;
constexpr size_t BITS_AT = 28;
constexpr size_t COMPRESSION_AT = 30;
constexpr size_t PIXELS_START = 54;

void put_u16(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    bytes[at] = uint8_t(value);
    bytes[at + 1] = uint8_t(value >> 8);
}

void put_u32(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    put_u16(bytes, at, value & 0xFFFF);
    put_u16(bytes, at + 2, value >> 16);
}

// A picture whose every pixel differs from its neighbours, opaque.
std::vector<uint32_t> pattern(int width, int height)
{
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(0xFF000000u | uint32_t(x * 40 + 1) << 16 | uint32_t(y * 50 + 2) << 8 | uint32_t(x * 7 + y * 11 + 3));
    return pixels;
}

std::vector<uint8_t> bmp_file(int width, int height, int bits = 24, BmpRowOrder order = BmpRowOrder::BottomUp)
{
    const std::vector<uint32_t> pixels = pattern(width, height);
    return encode_bmp({width, height, pixels.data(), bits, order});
}

std::string error_of(const std::vector<uint8_t>& bytes)
{
    return decode_bmp(bytes).error;
}

}  // namespace

TEST(BmpRoundTrip, EveryWidthAndRowOrderComesBackPixelForPixel)
{
    for (int bits : {24, 32})
        for (BmpRowOrder order : {BmpRowOrder::BottomUp, BmpRowOrder::TopDown})
            for (int width = 1; width <= 5; ++width) {  // 24-bit rows need 0 to 3 bytes of padding
                const BmpPicture picture = decode_bmp(bmp_file(width, 3, bits, order));
                ASSERT_EQ(picture.error, "") << bits << " bits, width " << width;
                EXPECT_EQ(picture.width, width);
                EXPECT_EQ(picture.height, 3);
                EXPECT_EQ(picture.pixels, pattern(width, 3)) << bits << " bits, width " << width;
            }
}

TEST(BmpRoundTrip, BottomUpFileStoresTheBottomRowFirstAndTopDownTheTopRow)
{
    const std::vector<uint32_t> pixels = pattern(2, 2);
    const std::vector<uint8_t> bottom_up = bmp_file(2, 2, 24, BmpRowOrder::BottomUp);
    const std::vector<uint8_t> top_down = bmp_file(2, 2, 24, BmpRowOrder::TopDown);
    EXPECT_EQ(bottom_up[PIXELS_START], uint8_t(pixels[2]));  // blue of the bottom-left pixel
    EXPECT_EQ(top_down[PIXELS_START], uint8_t(pixels[0]));   // blue of the top-left pixel
    EXPECT_EQ(decode_bmp(bottom_up).pixels, decode_bmp(top_down).pixels);
}

TEST(BmpRoundTrip, TheTopByteOfA32BitPixelIsIgnored)
{
    std::vector<uint8_t> bytes = bmp_file(1, 1, 32);
    bytes[PIXELS_START + 3] = 0x00;  // a fully transparent alpha
    EXPECT_EQ(decode_bmp(bytes).pixels, pattern(1, 1));
}

TEST(BmpAccepted, ALastRowWithoutItsPaddingStillReads)
{
    std::vector<uint8_t> bytes = bmp_file(1, 2);  // rows of 3 bytes padded to 4
    bytes.pop_back();
    EXPECT_EQ(decode_bmp(bytes).pixels, pattern(1, 2));
}

TEST(BmpAccepted, ColourMasksInTheUsualOrderAndLongerHeaders)
{
    std::vector<uint8_t> masked = bmp_file(2, 2, 32);
    put_u32(masked, COMPRESSION_AT, 3);
    masked.insert(masked.begin() + PIXELS_START, 12, 0);  // three masks after the header
    put_u32(masked, PIXELS_START, 0x00FF0000);
    put_u32(masked, PIXELS_START + 4, 0x0000FF00);
    put_u32(masked, PIXELS_START + 8, 0x000000FF);
    put_u32(masked, PIXEL_OFFSET_AT, PIXELS_START + 12);
    EXPECT_EQ(decode_bmp(masked).pixels, pattern(2, 2));

    std::vector<uint8_t> long_header = bmp_file(2, 2);
    long_header.insert(long_header.begin() + PIXELS_START, 124 - 40, 0);
    put_u32(long_header, HEADER_SIZE_AT, 124);
    put_u32(long_header, PIXEL_OFFSET_AT, 14 + 124);
    EXPECT_EQ(decode_bmp(long_header).pixels, pattern(2, 2));
}

namespace {

// One header field rewritten: `size` (2 or 4) bytes, least significant first.
struct FieldWrite {
    size_t at;
    int size;
    uint32_t value;
};

// A 2 × 2 picture of `bits` bits per pixel, damaged by `writes`, then cut
// to its first `keep` bytes.
struct Damage {
    const char* what;
    std::vector<FieldWrite> writes;
    std::string message;
    int bits = 24;
    size_t keep = SIZE_MAX;
};

constexpr uint32_t BEYOND = MAX_PICTURE_SIDE + 1;
constexpr uint32_t LEAST_INT32 = 0x80000000;

const Damage DAMAGES[] = {
    {"no bytes", {}, "not a BMP picture", 24, 0},
    {"one byte", {}, "not a BMP picture", 24, 1},
    {"a PNG signature", {{0, 2, 0x5089}}, "not a BMP picture"},
    {"1 bit", {{BITS_AT, 2, 1}}, "unsupported kind of BMP: 1 bits per pixel (only 24 and 32 are read)"},
    {"4 bits", {{BITS_AT, 2, 4}}, "unsupported kind of BMP: 4 bits per pixel (only 24 and 32 are read)"},
    {"8 bits", {{BITS_AT, 2, 8}}, "unsupported kind of BMP: 8 bits per pixel (only 24 and 32 are read)"},
    {"16 bits", {{BITS_AT, 2, 16}}, "unsupported kind of BMP: 16 bits per pixel (only 24 and 32 are read)"},
    {"48 bits", {{BITS_AT, 2, 48}}, "unsupported kind of BMP: 48 bits per pixel (only 24 and 32 are read)"},
    {"run lengths", {{COMPRESSION_AT, 4, 1}}, "unsupported kind of BMP: compressed pixel data (method 1)"},
    {"masks on 24 bits", {{COMPRESSION_AT, 4, 3}}, "unsupported kind of BMP: compressed pixel data (method 3)"},
    {"red in the low byte", {{COMPRESSION_AT, 4, 3}, {PIXELS_START, 4, 0xFF}},
     "unsupported kind of BMP: unusual colour masks", 32},
    {"an old header", {{HEADER_SIZE_AT, 4, 12}}, "unsupported kind of BMP: old 12-byte header"},
    {"two planes", {{PLANES_AT, 2, 2}}, "unsupported kind of BMP: 2 colour planes"},
    {"no width", {{WIDTH_AT, 4, 0}}, "the picture has no pixels (size 0 × 2)"},
    {"no height", {{HEIGHT_AT, 4, 0}}, "the picture has no pixels (size 2 × 0)"},
    {"a negative width", {{WIDTH_AT, 4, uint32_t(-2)}}, "the picture has no pixels (size -2 × 2)"},
    {"the least width", {{WIDTH_AT, 4, LEAST_INT32}}, "the picture has no pixels (size -2147483648 × 2)"},
    {"too wide", {{WIDTH_AT, 4, BEYOND}, {HEIGHT_AT, 4, 1}},
     "the picture size 4097 × 1 is absurd (at most 4096 on a side)"},
    {"too high", {{WIDTH_AT, 4, 1}, {HEIGHT_AT, 4, BEYOND}},
     "the picture size 1 × 4097 is absurd (at most 4096 on a side)"},
    {"too high, top down", {{WIDTH_AT, 4, 1}, {HEIGHT_AT, 4, -BEYOND}},
     "the picture size 1 × 4097 is absurd (at most 4096 on a side)"},
    {"the least height", {{WIDTH_AT, 4, 1}, {HEIGHT_AT, 4, LEAST_INT32}},
     "the picture size 1 × 2147483648 is absurd (at most 4096 on a side)"},
    {"the greatest sizes", {{WIDTH_AT, 4, INT32_MAX}, {HEIGHT_AT, 4, INT32_MAX}},
     "the picture size 2147483647 × 2147483647 is absurd (at most 4096 on a side)"},
    {"the largest size allowed without its data", {{WIDTH_AT, 4, MAX_PICTURE_SIDE}, {HEIGHT_AT, 4, uint32_t(-MAX_PICTURE_SIDE)}},
     "the picture data is cut short"},
    {"pixels past the end", {{PIXEL_OFFSET_AT, 4, 0xFFFFFFF0}}, "the picture data is cut short"},
    {"pixels inside the header", {{PIXEL_OFFSET_AT, 4, 10}}, "the picture data offset is damaged"},
};

}  // namespace

TEST(BmpRefused, EachDamageIsNamed)
{
    for (const Damage& damage : DAMAGES) {
        SCOPED_TRACE(damage.what);
        std::vector<uint8_t> bytes = bmp_file(2, 2, damage.bits);
        for (const FieldWrite& field : damage.writes) (field.size == 2 ? put_u16 : put_u32)(bytes, field.at, field.value);
        bytes.resize(std::min(bytes.size(), damage.keep));
        EXPECT_EQ(error_of(bytes), damage.message);
    }
}

TEST(BmpRefused, EveryCutShortOfTheLastRowIsCaught)
{
    const std::vector<uint8_t> whole = bmp_file(3, 2);  // 9-byte rows padded to 12
    const size_t needed = whole.size() - 3;
    for (size_t length = 2; length < needed; ++length) {
        const std::vector<uint8_t> cut(whole.begin(), whole.begin() + long(length));
        EXPECT_EQ(error_of(cut), "the picture data is cut short") << length << " bytes";
    }
}

// Whatever a header byte is damaged to, the decoder gives either an error or a
// whole picture of the size it claims.
TEST(BmpRefused, AnyDamagedHeaderByteGivesAnErrorOrAConsistentPicture)
{
    const std::vector<uint8_t> whole = bmp_file(3, 2, 32);
    for (size_t at = 0; at < PIXELS_START; ++at)
        for (uint8_t value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
            std::vector<uint8_t> bytes = whole;
            bytes[at] = value;
            const BmpPicture picture = decode_bmp(bytes);
            if (picture.error.empty())
                EXPECT_EQ(picture.pixels.size(), size_t(picture.width) * size_t(picture.height)) << "byte " << at;
            else
                EXPECT_TRUE(picture.pixels.empty()) << "byte " << at;
        }
}
