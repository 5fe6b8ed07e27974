#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A decoded JPEG picture. On success `error` is empty and `rgb` holds
// width × height × 3 bytes, red, green, blue, top row first. On failure
// `error` says what went wrong and the rest is empty.
struct JpegPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
    std::string error;
};

// Decodes a baseline or progressive JPEG. Damaged data gives an error text,
// never a message on the console and never an exit.
JpegPicture decode_jpeg(std::span<const uint8_t> bytes);
