#include "view/pictures/bmp_decoder.h"

#include <algorithm>
#include <cstdlib>

#include "view/pictures/picture_limits.h"

namespace {

constexpr size_t FILE_HEADER_SIZE = 14;
constexpr uint32_t INFO_HEADER_SIZE = 40;  // the oldest header that has every field we read
constexpr size_t COLOUR_MASKS_AT = FILE_HEADER_SIZE + INFO_HEADER_SIZE;
constexpr uint32_t UNCOMPRESSED = 0;
constexpr uint32_t WITH_COLOUR_MASKS = 3;

const std::string CUT_SHORT = "the picture data is cut short";

uint32_t read_u16(std::span<const uint8_t> bytes, size_t at)
{
    return bytes[at] | bytes[at + 1] << 8;
}

uint32_t read_u32(std::span<const uint8_t> bytes, size_t at)
{
    return read_u16(bytes, at) | read_u16(bytes, at + 2) << 16;
}

int32_t read_i32(std::span<const uint8_t> bytes, size_t at)
{
    return static_cast<int32_t>(read_u32(bytes, at));
}

std::string size_text(int64_t width, int64_t height)
{
    return std::to_string(width) + " × " + std::to_string(height);
}

// A 32-bit picture may name its channels with masks; only the usual
// blue-green-red order is read.
std::string check_compression(std::span<const uint8_t> bytes, uint32_t compression, int bits)
{
    if (compression == UNCOMPRESSED)
        return {};
    if (compression != WITH_COLOUR_MASKS || bits != 32)
        return "unsupported kind of BMP: compressed pixel data (method " + std::to_string(compression) + ")";
    if (bytes.size() < BMP_HEADER_BYTES)  // the three masks end the header
        return CUT_SHORT;
    const bool usual_order = read_u32(bytes, COLOUR_MASKS_AT) == 0x00FF0000
        && read_u32(bytes, COLOUR_MASKS_AT + 4) == 0x0000FF00
        && read_u32(bytes, COLOUR_MASKS_AT + 8) == 0x000000FF;
    return usual_order ? std::string{} : "unsupported kind of BMP: unusual colour masks";
}

std::string check_size(int64_t width, int64_t height)
{
    if (width <= 0 || height == 0)
        return "the picture has no pixels (size " + size_text(width, height) + ")";
    if (width > MAX_PICTURE_SIDE || std::llabs(height) > MAX_PICTURE_SIDE)
        return "the picture size " + size_text(width, std::llabs(height)) + " is absurd (at most "
            + std::to_string(MAX_PICTURE_SIDE) + " on a side)";
    return {};
}

BmpPicture refused(const std::string& why)
{
    BmpPicture picture;
    picture.error = why;
    return picture;
}

void read_pixels(std::span<const uint8_t> pixel_data, const BmpLayout& layout, std::vector<uint32_t>& pixels)
{
    pixels.resize(size_t(layout.width) * size_t(layout.height));
    uint32_t* out = pixels.data();
    for (int row = 0; row < layout.height; ++row) {
        const int file_row = layout.top_down ? row : layout.height - 1 - row;
        const uint8_t* in = pixel_data.data() + size_t(file_row) * layout.row_stride;
        for (int x = 0; x < layout.width; ++x, in += layout.bytes_per_pixel)
            *out++ = 0xFF000000u | uint32_t{in[2]} << 16 | uint32_t{in[1]} << 8 | in[0];
    }
}

}  // namespace

std::string read_bmp_layout(std::span<const uint8_t> bytes, BmpLayout& layout)
{
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M')
        return "not a BMP picture";
    if (bytes.size() < FILE_HEADER_SIZE + 4)
        return CUT_SHORT;
    const uint32_t header_size = read_u32(bytes, FILE_HEADER_SIZE);
    if (header_size < INFO_HEADER_SIZE)
        return "unsupported kind of BMP: old " + std::to_string(header_size) + "-byte header";
    if (bytes.size() < FILE_HEADER_SIZE + INFO_HEADER_SIZE)
        return CUT_SHORT;
    const int64_t width = read_i32(bytes, 18);
    const int64_t height = read_i32(bytes, 22);
    const uint32_t planes = read_u16(bytes, 26);
    const uint32_t bits = read_u16(bytes, 28);
    if (planes != 1)
        return "unsupported kind of BMP: " + std::to_string(planes) + " colour planes";
    if (bits != 24 && bits != 32)
        return "unsupported kind of BMP: " + std::to_string(bits)
            + " bits per pixel (only 24 and 32 are read)";
    if (std::string why = check_compression(bytes, read_u32(bytes, 30), bits); !why.empty())
        return why;
    if (std::string why = check_size(width, height); !why.empty())
        return why;
    layout.width = int(width);
    layout.height = int(std::llabs(height));
    layout.top_down = height < 0;
    layout.bytes_per_pixel = int(bits / 8);
    layout.pixel_offset = read_u32(bytes, 10);
    layout.row_stride = (size_t(width) * bits + 31) / 32 * 4;
    return layout.pixel_offset < COLOUR_MASKS_AT ? "the picture data offset is damaged" : std::string{};
}

BmpPicture decode_bmp_pixels(std::span<const uint8_t> pixel_data, const BmpLayout& layout)
{
    // The last row need not carry its padding: some writers leave it off.
    const size_t needed = layout.pixel_bytes() - layout.row_stride + size_t(layout.width) * size_t(layout.bytes_per_pixel);
    if (pixel_data.size() < needed)
        return refused(CUT_SHORT);
    BmpPicture picture;
    picture.width = layout.width;
    picture.height = layout.height;
    read_pixels(pixel_data, layout, picture.pixels);
    return picture;
}

BmpPicture decode_bmp(std::span<const uint8_t> bytes)
{
    BmpLayout layout;
    if (std::string why = read_bmp_layout(bytes, layout); !why.empty())
        return refused(why);
    const size_t offset = std::min(layout.pixel_offset, bytes.size());
    return decode_bmp_pixels(bytes.subspan(offset), layout);
}
