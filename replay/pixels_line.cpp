#include "replay/pixels_line.h"

#include "match/table_check.h"

namespace {

uint64_t mixed(uint64_t hash, int byte)
{
    return (hash ^ static_cast<uint64_t>(byte)) * FNV_PRIME;
}

}  // namespace

uint64_t rgb_hash(const QImage& image)
{
    const QImage pixels = image.format() == QImage::Format_RGB32 ? image
                                                                  : image.convertToFormat(QImage::Format_RGB32);
    uint64_t hash = FNV_OFFSET_BASIS;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x)
            hash = mixed(mixed(mixed(hash, qRed(row[x])), qGreen(row[x])), qBlue(row[x]));
    }
    return hash;
}

std::string pixels_line(const QImage& back_buffer, const QImage& surface)
{
    return R"({"pixels":{"back_buffer":")" + hex_text(rgb_hash(back_buffer)) + R"(","surface":")"
           + hex_text(rgb_hash(surface)) + R"("}})";
}
