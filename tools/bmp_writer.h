#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

enum class BmpRowOrder { BottomUp, TopDown };

// What a BMP file is made from: width × height values 0xXXRRGGBB, top row
// first (the top byte is ignored), and how the file is to lay them out.
struct BmpContent {
    int width = 0;
    int height = 0;
    const uint32_t* pixels = nullptr;
    int bits_per_pixel = 24;  // 24 or 32
    BmpRowOrder row_order = BmpRowOrder::BottomUp;
};

// The bytes of an uncompressed BMP file holding `content`.
std::vector<uint8_t> encode_bmp(const BmpContent& content);
