#include "tools/ball_shading.h"

#include <QRadialGradient>

void paint_shiny_ball(QPainter& painter, QPointF centre, double radius, QColor colour)
{
    painter.setPen(Qt::NoPen);
    QRadialGradient body(centre + QPointF(-0.35 * radius, -0.4 * radius), 1.45 * radius);
    body.setColorAt(0, colour.lighter(135));
    body.setColorAt(0.45, colour);
    body.setColorAt(1, colour.darker(330));
    painter.setBrush(body);
    painter.drawEllipse(centre, radius, radius);
    const QPointF spot = centre + QPointF(-0.38 * radius, -0.42 * radius);
    QRadialGradient shine(spot, 0.32 * radius);
    shine.setColorAt(0, QColor(255, 255, 255, 235));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    painter.setBrush(shine);
    painter.drawEllipse(spot, 0.32 * radius, 0.32 * radius);
}
