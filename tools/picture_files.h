#pragma once

#include <QImage>
#include <QString>

// Writers for the generated pictures. Each returns false when the file could
// not be written.
bool write_bmp(const QImage& image, const QString& path);        // 24-bit, bottom-up
bool write_jpeg(const QImage& image, const QString& path, int quality);
bool write_png(const QImage& image, const QString& path);
