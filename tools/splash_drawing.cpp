#include <cmath>

#include <QPainter>
#include <QRadialGradient>

#include "tools/ball_shading.h"
#include "tools/picture_drawing.h"
#include "tools/picture_noise.h"

namespace {

constexpr int WIDTH = 400;
constexpr int HEIGHT = 292;
constexpr double RADIUS = 36;
const double ROW_STEP = std::sqrt(3.0) * RADIUS;  // rows of touching balls
// The apex ball's centre; the rack is framed close, so its ends are cut off.
const QPointF APEX(WIDTH / 2.0, HEIGHT / 2.0 - 2 * ROW_STEP);

// Red and yellow alternate round the black in the middle of the third row.
const char* const RACK_ROWS[] = {"R", "YR", "RBY", "YRYR", "YRYRY"};

QColor ball_colour(char code)
{
    if (code == 'R') return QColor(196, 18, 22);
    if (code == 'Y') return QColor(238, 196, 28);
    return QColor(22, 22, 26);
}

QPointF ball_centre(int row, int place)
{
    return APEX + QPointF((2 * place - row) * RADIUS, row * ROW_STEP);
}

void paint_cloth(QImage& picture)
{
    for (int y = 0; y < HEIGHT; ++y)
        for (int x = 0; x < WIDTH; ++x) {
            const double grain = 0.7 * value_noise(x * 0.8, y * 0.8, 91) + 0.3 * fractal_noise(x / 50.0, y / 50.0, 93, 3);
            const int g = int(44 + 18 * grain);
            picture.setPixel(x, y, qRgb(g / 4, g, g / 2));
        }
}

void paint_shadows(QPainter& painter)
{
    painter.setPen(Qt::NoPen);
    for (int row = 0; row < 5; ++row)
        for (int place = 0; place <= row; ++place) {
            const QPointF at = ball_centre(row, place) + QPointF(7, 9);
            QRadialGradient shadow(at, RADIUS * 1.1);
            shadow.setColorAt(0.6, QColor(0, 0, 0, 150));
            shadow.setColorAt(1, QColor(0, 0, 0, 0));
            painter.setBrush(shadow);
            painter.drawEllipse(at, RADIUS * 1.1, RADIUS * 1.1);
        }
}

void paint_balls(QPainter& painter)
{
    for (int row = 0; row < 5; ++row)
        for (int place = 0; place <= row; ++place)
            paint_shiny_ball(painter, ball_centre(row, place), RADIUS, ball_colour(RACK_ROWS[row][place]));
}

// The lamp lights the middle; the edges fall off into the dark.
void paint_vignette(QPainter& painter)
{
    QRadialGradient falloff(QPointF(WIDTH / 2.0, HEIGHT / 2.0), WIDTH * 0.72);
    falloff.setColorAt(0.45, QColor(0, 0, 0, 0));
    falloff.setColorAt(1, QColor(0, 0, 0, 200));
    painter.setPen(Qt::NoPen);
    painter.setBrush(falloff);
    painter.drawRect(QRect(0, 0, WIDTH, HEIGHT));
}

}  // namespace

QImage draw_racked_balls()
{
    QImage picture(WIDTH, HEIGHT, QImage::Format_RGB32);
    paint_cloth(picture);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    paint_shadows(painter);
    paint_balls(painter);
    paint_vignette(painter);
    return picture;
}
