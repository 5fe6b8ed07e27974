#include "app/drawing_area.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

DrawingArea::DrawingArea(const QImage& surface, QWidget* parent)
    : QWidget(parent), surface_(surface)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DrawingArea::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), surface_, event->rect());
}

void DrawingArea::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    emit mouse_moved(at.x(), at.y());
}

void DrawingArea::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    emit mouse_pressed(at.x(), at.y());
}
