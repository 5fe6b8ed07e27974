#include "view/pixels.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

#include "sim/table_geometry.h"

namespace {

// The side of a ball's square.
constexpr int BALL_SIDE = 2 * BALL_RADIUS;

// In units of half a pixel, pixel (col, row) of a w × h box has its centre at
// (2col + 1 - w, 2row + 1 - h) from the box's centre; it lies inside the
// ellipse when (dx / w)² + (dy / h)² < 1.
constexpr bool centre_inside_ellipse(int col, int row, int w, int h)
{
    const int64_t dx = 2 * col + 1 - w;
    const int64_t dy = 2 * row + 1 - h;
    const int64_t ww = int64_t{w} * w, hh = int64_t{h} * h;
    return dx * dx * hh + dy * dy * ww < ww * hh;
}

// The disc is symmetric about the box's centre: each row is one span, from
// the first column inside to its mirror image.
constexpr int first_column_inside(int row, int w, int h)
{
    int col = 0;
    while (col < (w + 1) / 2 && !centre_inside_ellipse(col, row, w, h)) ++col;
    return col;
}

// A ball's disc, row by row: the first column inside its square.
constexpr std::array<int, BALL_SIDE> BALL_SPANS = [] {
    std::array<int, BALL_SIDE> spans{};
    for (int row = 0; row < BALL_SIDE; ++row) spans[row] = first_column_inside(row, BALL_SIDE, BALL_SIDE);
    return spans;
}();

bool is_ball_square_inside(const QRect& square, const QImage& image)
{
    return square.width() == BALL_SIDE && square.height() == BALL_SIDE && image.rect().contains(square);
}

QRgb* pixel_at(uchar* bits, qsizetype bytes_per_line, int x, int y)
{
    return reinterpret_cast<QRgb*>(bits + y * bytes_per_line) + x;
}

const QRgb* pixel_at(const uchar* bits, qsizetype bytes_per_line, int x, int y)
{
    return reinterpret_cast<const QRgb*>(bits + y * bytes_per_line) + x;
}

}  // namespace

QRect copy_pixels(const QImage& from, const QRect& area, QImage& to, QPoint at)
{
    const QPoint shift = at - area.topLeft();
    const QRect target = (area & from.rect()).translated(shift) & to.rect();
    if (target.isEmpty()) return QRect();
    const QRect source = target.translated(-shift);
    const size_t row_bytes = static_cast<size_t>(target.width()) * sizeof(QRgb);
    const uchar* in = from.constBits();
    uchar* out = to.bits();
    const qsizetype in_line = from.bytesPerLine(), out_line = to.bytesPerLine();
    for (int row = 0; row < target.height(); ++row)
        std::memcpy(pixel_at(out, out_line, target.left(), target.top() + row),
                    pixel_at(in, in_line, source.left(), source.top() + row), row_bytes);
    return target;
}

void copy_square(const QImage& from, const QRect& square, QImage& to)
{
    if (!is_ball_square_inside(square, from) || !is_ball_square_inside(square, to)) {
        copy_pixels(from, square, to, square.topLeft());
        return;
    }
    const uchar* in = from.constBits();
    uchar* out = to.bits();
    const qsizetype in_line = from.bytesPerLine(), out_line = to.bytesPerLine();
    for (int y = square.top(); y < square.top() + BALL_SIDE; ++y)
        std::memcpy(pixel_at(out, out_line, square.left(), y), pixel_at(in, in_line, square.left(), y),
                    BALL_SIDE * sizeof(QRgb));
}

// One row of a ball's disc. Its span is a constant, so the compiler writes
// it with a few wide stores instead of a loop.
template <int row>
void fill_ball_row(uchar* bits, qsizetype line, const QRect& square, QRgb colour)
{
    constexpr int first = BALL_SPANS[row];
    QRgb* span = pixel_at(bits, line, square.left(), square.top() + row);
    std::fill(span + first, span + BALL_SIDE - first, colour);
}

// Its square is inside the image, so no row needs clipping.
template <int... rows>
void fill_ball_disc(QImage& image, const QRect& square, QRgb colour,
                    std::integer_sequence<int, rows...>)
{
    uchar* bits = image.bits();
    const qsizetype line = image.bytesPerLine();
    (fill_ball_row<rows>(bits, line, square, colour), ...);
}

void fill_disc(QImage& image, const QRect& square, QRgb colour)
{
    if (is_ball_square_inside(square, image)) {
        fill_ball_disc(image, square, colour, std::make_integer_sequence<int, BALL_SIDE>());
        return;
    }
    const int w = square.width(), h = square.height();
    uchar* bits = image.bits();
    const qsizetype line = image.bytesPerLine();
    for (int row = 0; row < h; ++row) {
        const int y = square.top() + row;
        const int first = first_column_inside(row, w, h);
        const int left = std::max(square.left() + first, 0);
        const int right = std::min(square.left() + w - first, image.width());  // exclusive
        if (y < 0 || y >= image.height() || left >= right) continue;
        std::fill(pixel_at(bits, line, left, y), pixel_at(bits, line, right, y), colour);
    }
}
