#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A decoded BMP picture. On success `error` is empty and `pixels` holds
// width × height values 0xFFRRGGBB, top row first. On failure `error` says
// what is wrong with the data and the rest is empty.
struct BmpPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    std::string error;
};

// Where a BMP file keeps its pixels and how they are laid out, as its header says.
struct BmpLayout {
    int width = 0;
    int height = 0;
    bool top_down = false;
    int bytes_per_pixel = 0;
    size_t pixel_offset = 0;  // from the start of the file
    size_t row_stride = 0;    // rows are padded to 4 bytes
    // Every row with its padding; the last row may come without it.
    size_t pixel_bytes() const { return row_stride * size_t(height); }
};

// Every header field the decoder reads lies within this many bytes of the
// start of the file.
constexpr size_t BMP_HEADER_BYTES = 66;

// Reads the layout from the start of a file (its first BMP_HEADER_BYTES bytes
// or all of it when shorter). Empty when the decoder reads this kind of BMP,
// else why not.
std::string read_bmp_layout(std::span<const uint8_t> header, BmpLayout& layout);

// The picture from its pixel data, the bytes from the layout's pixel offset on.
BmpPicture decode_bmp_pixels(std::span<const uint8_t> pixel_data, const BmpLayout& layout);

// Reads an uncompressed 24- or 32-bit BMP, bottom-up or top-down, from the
// bytes of the whole file. Every other kind is refused with a reason. Never
// reads outside `bytes`.
BmpPicture decode_bmp(std::span<const uint8_t> bytes);
