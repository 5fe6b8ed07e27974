#include "app/drawing_area.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "sim/table_geometry.h"
#include "view/table_view.h"

namespace {

QRect spot_area(QPoint at)
{
    constexpr int reach = BALL_RADIUS + 1;
    return QRect(at - QPoint(reach, reach), at + QPoint(reach, reach));
}

}  // namespace

DrawingArea::DrawingArea(const TableView& table, QWidget* parent)
    : QWidget(parent), table_(table)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DrawingArea::show_spot(QPoint at, bool fits)
{
    hide_spot();
    spot_ = at;
    spot_fits_ = fits;
    update(spot_area(at));
}

void DrawingArea::hide_spot()
{
    if (!spot_) return;
    update(spot_area(*spot_));
    spot_.reset();
}

void DrawingArea::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), table_.surface(), event->rect());
    if (!spot_) return;
    painter.setPen(spot_fits_ ? Qt::white : Qt::red);
    painter.drawEllipse(*spot_, BALL_RADIUS, BALL_RADIUS);
}

void DrawingArea::mouseMoveEvent(QMouseEvent* event)
{
    hide_spot();
    const QPoint at = event->position().toPoint();
    emit mouse_moved(at.x(), at.y());
}

void DrawingArea::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    emit mouse_pressed(at.x(), at.y());
}
