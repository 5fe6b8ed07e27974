#include "view/cue.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <QPainter>

#include "sim/variables.h"
#include "view/colours.h"

namespace {

constexpr std::array<int, 3> dot_sizes{2, 4, 2};
constexpr int CUE_SAVE_MARGIN = 4;

constexpr int32_t CUE_END = 0x000000;
constexpr int32_t BUTT = 0x000080;
constexpr int32_t SHAFT = 0x008080;
constexpr int32_t TIP = 0xFFFFFF;
constexpr int32_t SHAFT_CENTRE = 0x00FFFF;
constexpr int32_t TIP_EDGE = 0xC0C0C0;
constexpr int32_t DOT_OUTLINE = 0xFFFFFF;
constexpr int32_t DOT_FILL = 0x000000;  // the drawing area's own colour

// The screen pixels under the cue and under each dot, kept until the cue goes.
struct SaveUnder {
    Rect rect;
    QImage pixels;
};
SaveUnder cue_save;
std::array<SaveUnder, 3> dot_saves;

int round_half_even(long double v)
{
    return static_cast<int>(std::nearbyint(v));
}

SaveUnder save_pixels(const QImage& screen, const Rect& r)
{
    // Pixels outside the screen come out black and are never put back.
    return SaveUnder{r, screen.copy(r.left, r.top, r.width(), r.height())};
}

void set_pixel(QImage& screen, int x, int y, QRgb rgb)
{
    if (screen.valid(x, y)) screen.setPixel(x, y, rgb);
}

void put_back(QImage& screen, SaveUnder& saved)
{
    QPainter painter(&screen);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(saved.rect.left, saved.rect.top), saved.pixels);
    saved = SaveUnder{};
}

// A line from a up to, not including, b; a width of 3 thickens it across its
// main direction.
void draw_line(QImage& screen, CuePoint a, CuePoint b, int width, int32_t colour)
{
    const QRgb rgb = to_qrgb(colour);
    const int dx = std::abs(b.x - a.x), dy = std::abs(b.y - a.y);
    const int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    const bool mostly_across = dx >= dy;
    const int half = width / 2;
    int error = dx - dy;
    for (CuePoint p = a; !(p == b);) {
        for (int side = -half; side <= half; ++side)
            set_pixel(screen, p.x + (mostly_across ? 0 : side), p.y + (mostly_across ? side : 0), rgb);
        const int twice = 2 * error;
        if (twice > -dy) { error -= dy; p.x += sx; }
        if (twice < dx) { error += dx; p.y += sy; }
    }
}

// A dot filling exactly its s × s square: the pixels whose centres lie in the
// circle, those at its rim in the outline colour.
void draw_dot(QImage& screen, CuePoint corner, int size)
{
    const long double r = size / 2.0L;
    auto inside = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= size || y >= size) return false;
        const long double ox = x + 0.5L - r, oy = y + 0.5L - r;
        return ox * ox + oy * oy <= r * r;
    };
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            if (!inside(x, y)) continue;
            const bool rim = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            set_pixel(screen, corner.x + x, corner.y + y, to_qrgb(rim ? DOT_OUTLINE : DOT_FILL));
        }
}

void draw_cue_and_dots(QImage& screen, const std::array<CuePoint, 6>& p, const std::array<CuePoint, 3>& dots)
{
    draw_line(screen, p[3], p[5], 3, CUE_END);
    draw_line(screen, p[3], p[4], 3, BUTT);
    draw_line(screen, p[1], p[3], 3, SHAFT);
    draw_line(screen, p[4], p[3], 1, SHAFT);
    draw_line(screen, p[0], p[2], 1, TIP);
    draw_line(screen, p[1], p[3], 1, SHAFT_CENTRE);
    set_pixel(screen, p[0].x, p[0].y, to_qrgb(CUE_END));
    set_pixel(screen, p[1].x, p[1].y, to_qrgb(TIP_EDGE));
    for (int k = 0; k < 3; ++k) draw_dot(screen, dots[k], dot_sizes[k]);
}

}  // namespace

std::array<CuePoint, 6> cue_points(float cx, float cy)
{
    std::array<CuePoint, 6> points;
    for (int k = 0; k < 6; ++k) {
        const long double length = game.cue_distances[k];
        points[k] = {round_half_even(cx + round_half_even(length * game.aim_neg_cos)),
                     round_half_even(cy + round_half_even(length * game.aim_sin))};
    }
    return points;
}

std::array<CuePoint, 3> dot_corners(float cx, float cy)
{
    std::array<CuePoint, 3> corners;
    for (int k = 1; k <= 3; ++k) {
        const long double reach = static_cast<long double>(game.shot_strength) * 5 * k;
        const int half = dot_sizes[k - 1] / 2;
        corners[k - 1] = {static_cast<int>(cx - round_half_even(reach * game.aim_neg_cos) - half),
                          static_cast<int>(cy - round_half_even(reach * game.aim_sin) - half)};
    }
    return corners;
}

Rect cue_save_rect(const std::array<CuePoint, 6>& p)
{
    return Rect{std::min(p[0].x, p[5].x) - CUE_SAVE_MARGIN, std::min(p[0].y, p[5].y) - CUE_SAVE_MARGIN,
                std::max(p[0].x, p[5].x) + CUE_SAVE_MARGIN, std::max(p[0].y, p[5].y) + CUE_SAVE_MARGIN};
}

void draw_cue(QImage& screen, float cx, float cy)
{
    if (game.skip_cue_restore) {
        // The table was redrawn whole: what was saved under the old cue is stale.
        cue_save = SaveUnder{};
        dot_saves = {};
        game.cue_drawn = false;
    } else {
        remove_cue(screen);
    }
    game.skip_cue_restore = false;

    const auto points = cue_points(cx, cy);
    const auto dots = dot_corners(cx, cy);
    cue_save = save_pixels(screen, cue_save_rect(points));
    for (int k = 0; k < 3; ++k) {
        const int s = dot_sizes[k];
        dot_saves[k] = save_pixels(screen, Rect{dots[k].x, dots[k].y, dots[k].x + s, dots[k].y + s});
    }
    draw_cue_and_dots(screen, points, dots);
    game.cue_drawn = true;
}

void remove_cue(QImage& screen)
{
    if (!game.cue_drawn) return;
    put_back(screen, cue_save);
    for (SaveUnder& saved : dot_saves) put_back(screen, saved);
    game.cue_drawn = false;
}
