#include "tools/picture_files.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "tools/bmp_writer.h"
#include "tools/jpeg_encoder.h"

namespace {

bool write_bytes(const QString& path, const std::vector<uint8_t>& bytes)
{
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.toLocal8Bit().constData(), "wb"), std::fclose);
    return file && !bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
}

// The pixels of a picture as red, green, blue bytes without row padding.
std::vector<uint8_t> rgb_bytes(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const size_t row_bytes = size_t(rgb.width()) * 3;
    std::vector<uint8_t> bytes;
    bytes.reserve(row_bytes * size_t(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y)
        bytes.insert(bytes.end(), rgb.constScanLine(y), rgb.constScanLine(y) + row_bytes);
    return bytes;
}

}  // namespace

bool write_bmp(const QImage& image, const QString& path)
{
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    // 32-bit rows need no padding, so Qt stores them one after another.
    const auto* first = reinterpret_cast<const uint32_t*>(pixels.constBits());
    return write_bytes(path, encode_bmp({pixels.width(), pixels.height(), first}));
}

bool write_jpeg(const QImage& image, const QString& path, int quality)
{
    return write_bytes(path, encode_jpeg(image.width(), image.height(), rgb_bytes(image), quality));
}

bool write_png(const QImage& image, const QString& path)
{
    return image.save(path, "PNG");
}
