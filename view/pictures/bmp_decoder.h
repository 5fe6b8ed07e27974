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

// Reads an uncompressed 24- or 32-bit BMP, bottom-up or top-down. Every
// other kind is refused with a reason. Never reads outside `bytes`.
BmpPicture decode_bmp(std::span<const uint8_t> bytes);
