#include "app/drawing_area.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "view/table_view.h"

DrawingArea::DrawingArea(const TableView& table, QWidget* parent)
    : QWidget(parent), table_(table)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DrawingArea::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), table_.surface(), event->rect());
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
