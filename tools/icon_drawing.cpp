#include <QPainter>

#include "tools/ball_shading.h"
#include "tools/picture_drawing.h"

// A corner of the table seen from above: rail, cloth, a pocket, the white
// ball and a red one. Drawn on a 16-unit grid and scaled to the side asked for.
QImage draw_icon(int side)
{
    QImage icon(side, side, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / 16.0, side / 16.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(112, 58, 28));
    painter.drawRoundedRect(QRectF(0, 0, 16, 16), 3, 3);
    painter.setBrush(QColor(30, 130, 62));
    painter.drawRoundedRect(QRectF(2, 2, 12, 12), 1, 1);
    painter.setBrush(QColor(8, 8, 8));
    painter.drawEllipse(QPointF(2.6, 2.6), 2, 2);
    paint_shiny_ball(painter, QPointF(10, 10), 3.1, QColor(214, 20, 24));
    paint_shiny_ball(painter, QPointF(6, 7.4), 2.4, QColor(242, 242, 236));
    return icon;
}
