#pragma once

#include <QImage>
#include <cstdint>
#include <string>

// The 64-bit FNV-1a hash of the bytes R, G, B of every pixel of `image`, row by
// row from the top, left to right. An image without pixels hashes to the basis.
uint64_t rgb_hash(const QImage& image);

// What a player would see, pinned without storing pictures: the hashes of the
// back buffer and of the drawing area's surface, as one JSON object without a
// line break.
std::string pixels_line(const QImage& back_buffer, const QImage& surface);
