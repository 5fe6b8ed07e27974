#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include <QFile>

#include "view/pictures/bmp_decoder.h"
#include "view/pictures/picture_limits.h"
#include "view/pictures/pictures.h"

namespace {

TablePictureLoad failed(const QString& path, const QString& reason)
{
    return {QImage(), path + QStringLiteral(": ") + reason};
}

QString cannot_read(const QString& why)
{
    return QStringLiteral("the file cannot be read (%1)").arg(why);
}

// Opens `path` only when it is a regular file. The open itself does not wait:
// a FIFO with no writer would otherwise hold the game up before its window appears.
std::optional<TablePictureLoad> open_regular_file(const QString& path, QFile& file)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return failed(path, QStringLiteral("the file is missing"));
        return failed(path, cannot_read(QString::fromLocal8Bit(std::strerror(errno))));
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return TablePictureLoad{QImage(), path + QStringLiteral(" is not a regular file")};
    }
    file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    return std::nullopt;
}

// Up to `count` bytes from `at` on; fewer where the file ends first.
QByteArray read_at(QFile& file, size_t at, size_t count)
{
    return file.seek(qint64(at)) ? file.read(qint64(count)) : QByteArray();
}

std::span<const uint8_t> as_bytes(const QByteArray& bytes)
{
    return {reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())};
}

// Empty when the file is no longer than its picture needs, give or take a
// small tail; else why it is refused.
QString check_file_size(const QFile& file, const BmpLayout& layout)
{
    const size_t largest = layout.pixel_offset + layout.pixel_bytes() + PICTURE_FILE_ALLOWANCE;
    if (size_t(file.size()) <= largest) return {};
    return QStringLiteral("the file holds %1 bytes, more than a %2 × %3 picture needs (at most %4)")
        .arg(file.size())
        .arg(layout.width)
        .arg(layout.height)
        .arg(largest);
}

QImage image_from_pixels(const BmpPicture& decoded)
{
    QImage image(decoded.width, decoded.height, QImage::Format_RGB32);
    const size_t row_bytes = size_t(decoded.width) * sizeof(uint32_t);
    for (int y = 0; y < decoded.height; ++y)
        std::memcpy(image.scanLine(y), decoded.pixels.data() + size_t(y) * size_t(decoded.width), row_bytes);
    return image;
}

// The header comes first; then only the bytes that its pixels fill are read.
// Empty when `picture` holds the table, else why not.
QString read_picture(QFile& file, QImage& picture)
{
    const QByteArray header = read_at(file, 0, BMP_HEADER_BYTES);
    if (file.error() != QFileDevice::NoError) return cannot_read(file.errorString());
    BmpLayout layout;
    if (std::string why = read_bmp_layout(as_bytes(header), layout); !why.empty()) return QString::fromStdString(why);
    if (QString why = check_file_size(file, layout); !why.isEmpty()) return why;
    const QByteArray pixel_data = read_at(file, layout.pixel_offset, layout.pixel_bytes());
    if (file.error() != QFileDevice::NoError) return cannot_read(file.errorString());
    const BmpPicture decoded = decode_bmp_pixels(as_bytes(pixel_data), layout);
    if (!decoded.error.empty()) return QString::fromStdString(decoded.error);
    picture = image_from_pixels(decoded);
    return {};
}

}  // namespace

TablePictureLoad load_table_picture(const QString& path)
{
    QFile file;
    if (std::optional<TablePictureLoad> failure = open_regular_file(path, file)) return *failure;
    QImage picture;
    if (QString why = read_picture(file, picture); !why.isEmpty()) return failed(path, why);
    return {picture, QString()};
}
