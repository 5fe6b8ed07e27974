#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QPolygonF>
#include <QRadialGradient>

#include "tools/picture_drawing.h"
#include "tools/picture_noise.h"
#include "tools/table_outline.h"

namespace {

constexpr int WIDTH = TABLE_WIDTH;
constexpr int HEIGHT = TABLE_HEIGHT;

// A colour whose channels are scaled by `light` and nudged by ±`grain` × noise.
QRgb shaded(QColor base, double light, double grain, double noise)
{
    auto channel = [&](int value) {
        return std::clamp(int(std::lround(value * light + grain * (noise - 0.5))), 0, 255);
    };
    return qRgb(channel(base.red()), channel(base.green()), channel(base.blue()));
}

// Felt: a fine grain, a little brighter under the lamp over the middle.
QImage cloth_texture(QColor base, uint32_t seed)
{
    QImage texture(WIDTH, HEIGHT, QImage::Format_RGB32);
    for (int y = 0; y < HEIGHT; ++y)
        for (int x = 0; x < WIDTH; ++x) {
            const double dx = (x - WIDTH / 2.0) / WIDTH, dy = (y - HEIGHT / 2.0) / HEIGHT;
            const double lamp = 1.06 - 0.2 * (dx * dx + dy * dy);
            const double noise = 0.6 * value_noise(x * 0.9, y * 0.9, seed) + 0.4 * fractal_noise(x / 40.0, y / 40.0, seed + 7, 3);
            texture.setPixel(x, y, shaded(base, lamp, 10, noise));
        }
    return texture;
}

// Wood whose grain runs along each rail; the corners are mitred.
QImage wood_texture()
{
    const QColor base(112, 58, 28);
    QImage texture(WIDTH, HEIGHT, QImage::Format_RGB32);
    for (int y = 0; y < HEIGHT; ++y)
        for (int x = 0; x < WIDTH; ++x) {
            const double to_side = std::min(x, WIDTH - 1 - x), to_end = std::min(y, HEIGHT - 1 - y);
            const bool along_x = to_end <= to_side;
            const double across = along_x ? y : x + 1000, along = along_x ? x : y;
            const double warp = 6 * fractal_noise(along / 90.0, across / 30.0, 11, 3);
            const double rings = 0.5 + 0.5 * std::sin((across + warp) * 1.7);
            const double streaks = fractal_noise(along / 25.0, across * 1.5, 23, 2);
            texture.setPixel(x, y, shaded(base, 0.78 + 0.22 * rings, 26, streaks));
        }
    return texture;
}

void draw_rail(QPainter& painter)
{
    painter.fillRect(QRect(0, 0, WIDTH, HEIGHT), QBrush(wood_texture()));
    // A darker bevel round the outer edge and a lighter lip on top of it.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(40, 18, 6), 2));
    painter.drawRoundedRect(QRectF(1, 1, WIDTH - 2, HEIGHT - 2), 6, 6);
    painter.setPen(QPen(QColor(170, 110, 60, 110), 1));
    painter.drawRoundedRect(QRectF(3.5, 3.5, WIDTH - 7, HEIGHT - 7), 5, 5);
}

// The dark leather round each pocket, seen on the rail.
void draw_pocket_liners(QPainter& painter, const std::vector<QPainterPath>& openings)
{
    const QPen leather(QColor(38, 24, 14), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    for (const QPainterPath& opening : openings)
        painter.strokePath(opening, leather);
}

void draw_bed(QPainter& painter)
{
    painter.fillRect(inside_rail(), QBrush(cloth_texture(QColor(32, 128, 62), 3)));
}

void draw_holes(QPainter& painter, const std::vector<QPainterPath>& openings)
{
    painter.setPen(Qt::NoPen);
    for (const QPainterPath& opening : openings) {
        const QRectF bounds = opening.boundingRect();
        QRadialGradient depth(bounds.center(), std::max(bounds.width(), bounds.height()) / 2);
        depth.setColorAt(0, QColor(2, 2, 2));
        depth.setColorAt(0.7, QColor(8, 8, 8));
        depth.setColorAt(1, QColor(24, 20, 16));
        painter.setBrush(depth);
        painter.drawPath(opening);
    }
}

void draw_cushions(QPainter& painter)
{
    const std::vector<QPolygonF> cushions = cushion_outlines();
    painter.setBrush(QBrush(cloth_texture(QColor(20, 88, 42), 5)));
    painter.setPen(Qt::NoPen);
    for (const QPolygonF& cushion : cushions)
        painter.drawPolygon(cushion);
    // A lighter edge round each cushion, so its face and jaws stand out from the cloth.
    painter.setPen(QPen(QColor(90, 180, 110, 140), 1));
    painter.setBrush(Qt::NoBrush);
    for (const QPolygonF& cushion : cushions)
        painter.drawPolygon(cushion);
}

// Mother-of-pearl diamonds on the rail.
void draw_sights(QPainter& painter)
{
    painter.setPen(QPen(QColor(60, 40, 25), 0.8));
    painter.setBrush(QColor(236, 228, 204));
    const double s = 3.2;
    for (QPointF at : sight_positions())
        painter.drawPolygon(QPolygonF({at + QPointF(0, -s), at + QPointF(s, 0), at + QPointF(0, s), at + QPointF(-s, 0)}));
}

}  // namespace

QImage draw_table()
{
    QImage table(WIDTH, HEIGHT, QImage::Format_RGB32);
    QPainter painter(&table);
    painter.setRenderHint(QPainter::Antialiasing);
    const std::vector<QPainterPath> openings = pocket_openings();
    draw_rail(painter);
    draw_pocket_liners(painter, openings);
    draw_bed(painter);
    draw_holes(painter, openings);
    draw_cushions(painter);
    draw_sights(painter);
    return table;
}
