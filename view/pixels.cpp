#include "view/pixels.h"

#include <algorithm>
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

// The disc is symmetric about the box's centre: each row is one span, from
// the first column inside to its mirror image.
static int first_column_inside(int row, int w, int h)
{
    int col = 0;
    while (col < (w + 1) / 2 && !centre_inside_ellipse(col, row, w, h)) ++col;
    return col;
}

void fill_disc(QImage& image, const QRect& square, QRgb colour)
{
    const int w = square.width(), h = square.height();
    for (int row = 0; row < h; ++row) {
        const int y = square.top() + row;
        const int first = first_column_inside(row, w, h);
        const int left = std::max(square.left() + first, 0);
        const int right = std::min(square.left() + w - first, image.width());  // exclusive
        if (y < 0 || y >= image.height() || left >= right) continue;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(line + left, line + right, colour);
    }
}
