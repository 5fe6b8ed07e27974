#include "tools/bmp_writer.h"

namespace {

constexpr uint32_t HEADERS_SIZE = 14 + 40;

void put_u16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void put_u32(std::vector<uint8_t>& out, uint32_t value)
{
    put_u16(out, value & 0xFFFF);
    put_u16(out, value >> 16);
}

void put_headers(std::vector<uint8_t>& out, const BmpContent& content, uint32_t pixel_bytes)
{
    const int32_t height = content.row_order == BmpRowOrder::TopDown ? -content.height : content.height;
    out.push_back('B');
    out.push_back('M');
    put_u32(out, HEADERS_SIZE + pixel_bytes);
    put_u32(out, 0);  // reserved
    put_u32(out, HEADERS_SIZE);
    put_u32(out, 40);
    put_u32(out, uint32_t(content.width));
    put_u32(out, uint32_t(height));
    put_u16(out, 1);  // colour planes
    put_u16(out, uint32_t(content.bits_per_pixel));
    put_u32(out, 0);  // uncompressed
    put_u32(out, pixel_bytes);
    put_u32(out, 2835);  // 72 pixels per inch, across
    put_u32(out, 2835);  // and down
    put_u32(out, 0);     // no colour table
    put_u32(out, 0);
}

void put_row(std::vector<uint8_t>& out, const BmpContent& content, int row, size_t stride)
{
    const size_t row_end = out.size() + stride;
    const uint32_t* in = content.pixels + size_t(row) * size_t(content.width);
    for (int x = 0; x < content.width; ++x) {
        out.push_back(uint8_t(in[x]));
        out.push_back(uint8_t(in[x] >> 8));
        out.push_back(uint8_t(in[x] >> 16));
        if (content.bits_per_pixel == 32)
            out.push_back(0xFF);
    }
    out.resize(row_end, 0);  // rows are padded to 4 bytes
}

}  // namespace

std::vector<uint8_t> encode_bmp(const BmpContent& content)
{
    const size_t stride = (size_t(content.width) * size_t(content.bits_per_pixel) + 31) / 32 * 4;
    const uint32_t pixel_bytes = uint32_t(stride * size_t(content.height));
    std::vector<uint8_t> out;
    out.reserve(HEADERS_SIZE + pixel_bytes);
    put_headers(out, content, pixel_bytes);
    for (int i = 0; i < content.height; ++i) {
        const int row = content.row_order == BmpRowOrder::TopDown ? i : content.height - 1 - i;
        put_row(out, content, row, stride);
    }
    return out;
}
