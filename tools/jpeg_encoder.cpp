#include "tools/jpeg_encoder.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "view/pictures/picture_limits.h"

namespace {

void write_rows(jpeg_compress_struct& info, std::span<const uint8_t> rgb)
{
    const size_t row_bytes = size_t(info.image_width) * 3;
    while (info.next_scanline < info.image_height) {
        // libjpeg only reads the row, but its interface is not const.
        auto row = const_cast<JSAMPROW>(rgb.data() + info.next_scanline * row_bytes);
        jpeg_write_scanlines(&info, &row, 1);
    }
}

}  // namespace

// With the size checked first, libjpeg has nothing left to refuse but memory,
// so its default error handling is kept.
std::vector<uint8_t> encode_jpeg(int width, int height, std::span<const uint8_t> rgb, int quality)
{
    if (width <= 0 || height <= 0 || width > MAX_PICTURE_SIDE || height > MAX_PICTURE_SIDE
        || rgb.size() != size_t(width) * size_t(height) * 3)
        return {};
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.optimize_coding = TRUE;
    jpeg_start_compress(&info, TRUE);
    write_rows(info, rgb);
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}
