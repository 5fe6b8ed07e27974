#include <cstring>

#include <QFile>

#include "view/pictures/bmp_decoder.h"
#include "view/pictures/pictures.h"

namespace {

TablePictureLoad failed(const QString& path, const QString& reason)
{
    return {QImage(), path + QStringLiteral(": ") + reason};
}

QImage image_from_pixels(const BmpPicture& decoded)
{
    QImage image(decoded.width, decoded.height, QImage::Format_RGB32);
    const size_t row_bytes = size_t(decoded.width) * sizeof(uint32_t);
    for (int y = 0; y < decoded.height; ++y)
        std::memcpy(image.scanLine(y), decoded.pixels.data() + size_t(y) * size_t(decoded.width), row_bytes);
    return image;
}

}  // namespace

TablePictureLoad load_table_picture(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return failed(path, QStringLiteral("the file is missing"));
    if (!file.open(QIODevice::ReadOnly))
        return failed(path, QStringLiteral("the file cannot be read (%1)").arg(file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failed(path, QStringLiteral("the file cannot be read (%1)").arg(file.errorString()));
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    const BmpPicture decoded = decode_bmp({data, size_t(bytes.size())});
    if (!decoded.error.empty())
        return failed(path, QString::fromStdString(decoded.error));
    return {image_from_pixels(decoded), QString()};
}
