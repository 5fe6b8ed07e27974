#include <cstring>

#include <QFile>

#include "view/pictures/jpeg_decoder.h"
#include "view/pictures/pictures.h"

namespace {

QImage image_from_rgb(const JpegPicture& decoded)
{
    QImage image(decoded.width, decoded.height, QImage::Format_RGB888);
    const size_t row_bytes = size_t(decoded.width) * 3;
    for (int y = 0; y < decoded.height; ++y)
        std::memcpy(image.scanLine(y), decoded.rgb.data() + size_t(y) * row_bytes, row_bytes);
    return image.convertToFormat(QImage::Format_RGB32);
}

// A picture built into the program; null if its data does not decode.
QImage built_in_jpeg(const QString& resource)
{
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    const QByteArray bytes = file.readAll();
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    const JpegPicture decoded = decode_jpeg({data, size_t(bytes.size())});
    return decoded.error.empty() ? image_from_rgb(decoded) : QImage();
}

}  // namespace

QImage background_picture()
{
    return built_in_jpeg(QStringLiteral(":/pictures/background.jpg"));
}

QImage splash_picture()
{
    return built_in_jpeg(QStringLiteral(":/pictures/splash.jpg"));
}

QIcon window_icon()
{
    QIcon icon;
    for (int side : {16, 32, 48, 128})
        icon.addFile(QStringLiteral(":/pictures/icon-%1.png").arg(side), QSize(side, side));
    return icon;
}
