#include <algorithm>
#include <cmath>

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "tools/picture_drawing.h"
#include "tools/picture_noise.h"

namespace {

constexpr int WIDTH = 1024;
constexpr int HEIGHT = 700;
// The window shows only the top-left 705 × 465 pixels, with the table over
// most of them: the star sits left of the table, the planet rises under it
// and the moon stands off its lower right corner.
const QPointF BRIGHT_STAR(46, 44);
const QPointF PLANET(520, 505);
constexpr double PLANET_RADIUS = 112;
const QPointF MOON(672, 406);
constexpr double MOON_RADIUS = 15;

double gaussian(double dx, double dy, double spread)
{
    return std::exp(-(dx * dx + dy * dy) / (2 * spread * spread));
}

// How thick the nebula is at a point: a band of cloud from the upper left
// toward the right, torn up by noise.
double nebula_density(int x, int y)
{
    const double band = gaussian(x - 380, (y - 250) - 0.35 * (x - 380), 210)
        + 0.7 * gaussian(x - 820, y - 190, 170) + 0.5 * gaussian(x - 200, y - 420, 150);
    const double cloud = fractal_noise(x / 170.0, y / 170.0, 41, 6);
    const double wisps = fractal_noise(x / 60.0 + 3 * cloud, y / 60.0, 43, 4);
    return std::clamp(band * (1.6 * cloud - 0.45) + 0.25 * band * wisps, 0.0, 1.0);
}

QRgb space_pixel(int x, int y)
{
    const double density = nebula_density(x, y);
    const double hue = std::clamp(0.5 + 2.5 * (fractal_noise(x / 260.0, y / 260.0, 47, 3) - 0.5), 0.0, 1.0);
    // Magenta where the hue noise is low, teal where it is high, dark blue between.
    const double r = 6 + density * (170 * (1 - hue) + 30 * hue);
    const double g = 5 + density * (40 * (1 - hue) + 120 * hue);
    const double b = 16 + density * (160 * (1 - hue) + 170 * hue);
    return qRgb(std::min(255, int(r)), std::min(255, int(g)), std::min(255, int(b)));
}

void paint_nebula(QImage& sky)
{
    for (int y = 0; y < HEIGHT; ++y)
        for (int x = 0; x < WIDTH; ++x)
            sky.setPixel(x, y, space_pixel(x, y));
}

void paint_glow(QPainter& painter, QPointF centre, double radius, QColor colour)
{
    QRadialGradient glow(centre, radius);
    glow.setColorAt(0, colour);
    colour.setAlpha(0);
    glow.setColorAt(1, colour);
    painter.setBrush(glow);
    painter.drawEllipse(centre, radius, radius);
}

void paint_stars(QPainter& painter)
{
    SeededRandom random(20240611);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 1400; ++i) {
        const QPointF at(random.between(0, WIDTH), random.between(0, HEIGHT));
        const double brightness = std::pow(random.next(), 3);
        const int tint = int(random.between(-30, 30));
        const QColor colour(std::clamp(225 + tint, 0, 255), 225, std::clamp(225 - tint, 0, 255),
                            int(90 + 165 * brightness));
        const double size = 0.45 + 1.1 * brightness;
        painter.setBrush(colour);
        painter.drawEllipse(at, size, size);
        if (brightness > 0.8)
            paint_glow(painter, at, 3 + 4 * brightness, QColor(180, 200, 255, 45));
    }
}

void paint_bright_star(QPainter& painter)
{
    paint_glow(painter, BRIGHT_STAR, 120, QColor(140, 170, 255, 70));
    paint_glow(painter, BRIGHT_STAR, 40, QColor(210, 225, 255, 200));
    paint_glow(painter, BRIGHT_STAR, 9, QColor(255, 255, 255, 255));
    // Four diffraction spikes, fading toward their tips.
    for (int angle : {0, 90}) {
        painter.save();
        painter.translate(BRIGHT_STAR);
        painter.rotate(angle);
        QLinearGradient spike(-95, 0, 95, 0);
        spike.setColorAt(0, QColor(200, 215, 255, 0));
        spike.setColorAt(0.5, QColor(240, 245, 255, 230));
        spike.setColorAt(1, QColor(200, 215, 255, 0));
        painter.setBrush(spike);
        painter.drawRect(QRectF(-95, -1.2, 190, 2.4));
        painter.restore();
    }
}

// Darkens a disc away from the bright star at the upper left, so it reads as a sphere.
void paint_shade(QPainter& painter, QPointF centre, double radius)
{
    QRadialGradient shade(centre + QPointF(-0.45 * radius, -0.45 * radius), 1.55 * radius);
    shade.setColorAt(0, QColor(0, 0, 0, 0));
    shade.setColorAt(0.5, QColor(0, 0, 0, 110));
    shade.setColorAt(0.8, QColor(0, 0, 0, 235));
    shade.setColorAt(1, QColor(0, 0, 0, 250));
    painter.setBrush(shade);
    painter.drawEllipse(centre, radius, radius);
}

// Cloud bands across the planet's face.
void paint_bands(QPainter& painter)
{
    QPainterPath disc;
    disc.addEllipse(PLANET, PLANET_RADIUS, PLANET_RADIUS);
    painter.save();
    painter.setClipPath(disc);
    SeededRandom random(77);
    for (int i = 0; i < 11; ++i) {
        const double y = PLANET.y() - PLANET_RADIUS + random.between(0, 2 * PLANET_RADIUS);
        const bool pale = random.next() < 0.5;
        painter.setBrush(pale ? QColor(245, 210, 160, int(random.between(40, 90)))
                              : QColor(140, 70, 40, int(random.between(40, 90))));
        painter.drawRect(QRectF(PLANET.x() - PLANET_RADIUS, y, 2 * PLANET_RADIUS, random.between(3, 14)));
    }
    painter.restore();
}

void paint_planet(QPainter& painter)
{
    paint_glow(painter, PLANET, PLANET_RADIUS * 1.1, QColor(110, 150, 255, 110));
    painter.setBrush(QColor(206, 140, 88));
    painter.drawEllipse(PLANET, PLANET_RADIUS, PLANET_RADIUS);
    paint_bands(painter);
    paint_shade(painter, PLANET, PLANET_RADIUS);
    painter.setBrush(QColor(196, 192, 186));
    painter.drawEllipse(MOON, MOON_RADIUS, MOON_RADIUS);
    paint_shade(painter, MOON, MOON_RADIUS);
}

}  // namespace

QImage draw_space_scene()
{
    QImage sky(WIDTH, HEIGHT, QImage::Format_RGB32);
    paint_nebula(sky);
    QPainter painter(&sky);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    paint_stars(painter);
    paint_bright_star(painter);
    paint_planet(painter);
    return sky;
}
