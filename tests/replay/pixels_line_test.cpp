#include <gtest/gtest.h>

#include "replay/pixels_line.h"

namespace {

// The hash is FNV-1a over R, G, B: a picture whose pixels spell "abc" or "abcdef"
// hashes as those strings do.
TEST(PixelsLine, HashesTheRedGreenAndBlueBytesOfEachPixelWithFnv1a)
{
    QImage abc(1, 1, QImage::Format_RGB32);
    abc.setPixel(0, 0, qRgb('a', 'b', 'c'));
    QImage two_rows(1, 2, QImage::Format_RGB32);
    two_rows.setPixel(0, 0, qRgb('a', 'b', 'c'));
    two_rows.setPixel(0, 1, qRgb('d', 'e', 'f'));
    EXPECT_EQ(rgb_hash(QImage()), 0xcbf29ce484222325u);
    EXPECT_EQ(rgb_hash(abc), 0xe71fa2190541574bu);
    EXPECT_EQ(rgb_hash(two_rows), 0xd80bda3fbe244a0au);
    EXPECT_EQ(pixels_line(QImage(), abc),
              R"({"pixels":{"back_buffer":"cbf29ce484222325","surface":"e71fa2190541574b"}})");
}

}  // namespace
