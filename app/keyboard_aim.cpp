#include "app/keyboard_aim.h"

#include <QKeyEvent>
#include <algorithm>

#include "sim/table_geometry.h"

namespace {

constexpr int SHIFTED_STEP = 10;

QPoint arrow_step(int key)
{
    switch (key) {
    case Qt::Key_Left: return {-1, 0};
    case Qt::Key_Right: return {1, 0};
    case Qt::Key_Up: return {0, -1};
    case Qt::Key_Down: return {0, 1};
    default: return {};
    }
}

bool is_press_key(int key)
{
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Where a mouse could be: on the drawing area.
QPoint on_drawing_area(QPoint p)
{
    return {std::clamp(p.x(), 0, DRAWING_AREA_WIDTH - 1), std::clamp(p.y(), 0, DRAWING_AREA_HEIGHT - 1)};
}

}  // namespace

KeyboardAim::Act KeyboardAim::key_pressed(const QKeyEvent& key, QPoint start)
{
    // Those belong to the window's shortcuts.
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return Act::none;
    const QPoint from = point_.value_or(start);
    if (is_press_key(key.key())) {
        // Held down, the key would shoot again as soon as the balls rest.
        if (key.isAutoRepeat()) return Act::none;
        point_ = from;
        return Act::press;
    }
    const QPoint step = arrow_step(key.key());
    if (step.isNull()) return Act::none;
    point_ = on_drawing_area(from + step * (key.modifiers() & Qt::ShiftModifier ? SHIFTED_STEP : 1));
    return Act::move;
}
