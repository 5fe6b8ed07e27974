#include "view/pixels.h"

#include <cstdint>
#include <cstring>

QRect copy_pixels(const QImage& from, const QRect& area, QImage& to, QPoint at)
{
    const QPoint shift = at - area.topLeft();
    const QRect target = (area & from.rect()).translated(shift) & to.rect();
    if (target.isEmpty()) return QRect();
    const QRect source = target.translated(-shift);
    const size_t row_bytes = static_cast<size_t>(target.width()) * sizeof(QRgb);
    for (int row = 0; row < target.height(); ++row) {
        const auto* in = reinterpret_cast<const QRgb*>(from.constScanLine(source.top() + row));
        auto* out = reinterpret_cast<QRgb*>(to.scanLine(target.top() + row));
        std::memcpy(out + target.left(), in + source.left(), row_bytes);
    }
    return target;
}

// In units of half a pixel, pixel (col, row) of a w × h box has its centre at
// (2col + 1 - w, 2row + 1 - h) from the box's centre; it lies inside the
// ellipse when (dx / w)² + (dy / h)² < 1.
static bool centre_inside_ellipse(int col, int row, int w, int h)
{
    const int64_t dx = 2 * col + 1 - w;
    const int64_t dy = 2 * row + 1 - h;
    const int64_t ww = int64_t{w} * w, hh = int64_t{h} * h;
    return dx * dx * hh + dy * dy * ww < ww * hh;
}

void fill_disc(QImage& image, const QRect& square, QRgb colour)
{
    for (int row = 0; row < square.height(); ++row) {
        const int y = square.top() + row;
        if (y < 0 || y >= image.height()) continue;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int col = 0; col < square.width(); ++col) {
            const int x = square.left() + col;
            if (x >= 0 && x < image.width() && centre_inside_ellipse(col, row, square.width(), square.height()))
                line[x] = colour;
        }
    }
}
