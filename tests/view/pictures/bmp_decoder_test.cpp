#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>

#include "view/pictures/bmp_decoder.h"
#include "tools/bmp_writer.h"
#include "view/pictures/picture_limits.h"

using testing::HasSubstr;

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

TEST(BmpRefused, DataThatIsNotABmpAtAll)
{
    EXPECT_EQ(error_of({}), "not a BMP picture");
    EXPECT_EQ(error_of({'B'}), "not a BMP picture");
    std::vector<uint8_t> png = bmp_file(2, 2);
    png[0] = 0x89;
    png[1] = 'P';
    EXPECT_EQ(error_of(png), "not a BMP picture");
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

TEST(BmpRefused, KindsThatAreNotRead)
{
    for (uint32_t bits : {1u, 4u, 8u, 16u, 48u}) {
        std::vector<uint8_t> bytes = bmp_file(2, 2);
        put_u16(bytes, BITS_AT, bits);
        EXPECT_THAT(error_of(bytes), HasSubstr("unsupported kind of BMP: " + std::to_string(bits) + " bits per pixel"));
    }
    std::vector<uint8_t> run_length = bmp_file(2, 2);
    put_u32(run_length, COMPRESSION_AT, 1);
    EXPECT_THAT(error_of(run_length), HasSubstr("compressed"));
    std::vector<uint8_t> masks_on_24_bits = bmp_file(2, 2);
    put_u32(masks_on_24_bits, COMPRESSION_AT, 3);
    EXPECT_THAT(error_of(masks_on_24_bits), HasSubstr("compressed"));
    std::vector<uint8_t> odd_masks = bmp_file(2, 2, 32);
    put_u32(odd_masks, COMPRESSION_AT, 3);
    put_u32(odd_masks, PIXELS_START, 0x000000FF);  // red in the low byte
    EXPECT_THAT(error_of(odd_masks), HasSubstr("unusual colour masks"));
    std::vector<uint8_t> old_header = bmp_file(2, 2);
    put_u32(old_header, HEADER_SIZE_AT, 12);
    EXPECT_THAT(error_of(old_header), HasSubstr("old 12-byte header"));
    std::vector<uint8_t> planes = bmp_file(2, 2);
    put_u16(planes, PLANES_AT, 2);
    EXPECT_THAT(error_of(planes), HasSubstr("2 colour planes"));
}

TEST(BmpRefused, EmptyAndAbsurdSizes)
{
    const std::pair<int32_t, int32_t> empty[] = {{0, 2}, {2, 0}, {-2, 2}, {INT32_MIN, 2}};
    for (auto [width, height] : empty) {
        std::vector<uint8_t> bytes = bmp_file(2, 2);
        put_u32(bytes, WIDTH_AT, uint32_t(width));
        put_u32(bytes, HEIGHT_AT, uint32_t(height));
        EXPECT_THAT(error_of(bytes), HasSubstr("has no pixels")) << width << " x " << height;
    }
    constexpr int32_t BEYOND = MAX_PICTURE_SIDE + 1;
    const std::pair<int32_t, int32_t> absurd[] = {{BEYOND, 1}, {1, BEYOND}, {1, -BEYOND}, {1, INT32_MIN}, {INT32_MAX, INT32_MAX}};
    for (auto [width, height] : absurd) {
        std::vector<uint8_t> bytes = bmp_file(2, 2);
        put_u32(bytes, WIDTH_AT, uint32_t(width));
        put_u32(bytes, HEIGHT_AT, uint32_t(height));
        EXPECT_THAT(error_of(bytes), HasSubstr("is absurd (at most 4096 on a side)")) << width << " x " << height;
    }
}

TEST(BmpRefused, LargeButAllowedSizesMustBeBackedByData)
{
    std::vector<uint8_t> bytes = bmp_file(2, 2);
    put_u32(bytes, WIDTH_AT, MAX_PICTURE_SIDE);
    put_u32(bytes, HEIGHT_AT, uint32_t(-MAX_PICTURE_SIDE));
    EXPECT_EQ(error_of(bytes), "the picture data is cut short");
}

TEST(BmpRefused, PixelOffsetOutsideTheData)
{
    std::vector<uint8_t> past_the_end = bmp_file(2, 2);
    put_u32(past_the_end, PIXEL_OFFSET_AT, 0xFFFFFFF0);
    EXPECT_EQ(error_of(past_the_end), "the picture data is cut short");
    std::vector<uint8_t> into_header = bmp_file(2, 2);
    put_u32(into_header, PIXEL_OFFSET_AT, 10);
    EXPECT_EQ(error_of(into_header), "the picture data offset is damaged");
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
