#pragma once

#include <QPoint>
#include <optional>

class QKeyEvent;

// The arrow keys, Space and Enter as the mouse they stand for over the
// drawing area: the arrows move the aiming point one pixel (ten with Shift)
// from where the mouse was last seen, and Space or Enter presses there. The
// game takes them as it takes the mouse, so a shot aimed by keys is recorded
// and replays as the same mouse's would.
class KeyboardAim {
public:
    enum class Act { none, move, press };

    // The mouse was seen at `at`, drawing-area pixels: the keys go on from there.
    void mouse_seen_at(QPoint at) { point_ = at; }
    // What `key` stands for, with the point moved for an arrow. `start` is
    // where the point is until the mouse or a key has put it somewhere.
    Act key_pressed(const QKeyEvent& key, QPoint start);
    // Where the last move or press by key went.
    QPoint point() const { return point_.value_or(QPoint()); }

private:
    std::optional<QPoint> point_;
};
