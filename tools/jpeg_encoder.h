#pragma once

#include <cstdint>
#include <span>
#include <vector>

// The bytes of a baseline JPEG file holding width × height pixels given as
// red, green, blue bytes, top row first, at the given quality (1..100).
// Empty when the size is not a valid picture size or `rgb` does not hold it.
std::vector<uint8_t> encode_jpeg(int width, int height, std::span<const uint8_t> rgb, int quality);
