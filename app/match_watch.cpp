#include "app/match_watch.h"

#include <QApplication>
#include <QEvent>
#include <cmath>

#include "match/table_hands.h"
#include "rules/random.h"
#include "sim/table_geometry.h"

namespace {

constexpr int TICK_MS = 20;
constexpr int REST_TICKS = 25;   // half a second to see where the balls stopped
constexpr int GLIDE_TICKS = 30;  // 0.6 s, as the computer glides
constexpr int PAUSE_TICKS = 15;  // 0.3 s between the end of the glide and the press

int between(int from, int to, double t)
{
    return static_cast<int>(std::lround(from + (to - from) * t));
}

}  // namespace

MatchWatch::MatchWatch(const MatchHooks& hooks, QObject* parent) : QObject(parent), hooks_(hooks)
{
    ticks_.setInterval(TICK_MS);
    connect(&ticks_, &QTimer::timeout, this, &MatchWatch::tick);
}

void MatchWatch::start(const MatchRecord& record)
{
    stop();
    watched_ = record;
    next_input_ = 0;
    phase_ = Phase::settling;
    from_x_ = DRAWING_AREA_WIDTH / 2;
    from_y_ = DRAWING_AREA_HEIGHT / 2;
    hooks_.keep_seats_out(true);
    hooks_.rewind_rack();
    set_praise_state(record.praise_at_rack);
    hooks_.hands->new_game();
    qApp->installEventFilter(this);
    ticks_.start();
}

void MatchWatch::stop()
{
    if (!watching()) return;
    ticks_.stop();
    qApp->removeEventFilter(this);
    hooks_.keep_seats_out(false);
    emit ended();
}

// The click or key that stops the watching does nothing else.
bool MatchWatch::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
        stop();
        return true;
    default:
        return false;
    }
}

void MatchWatch::tick()
{
    switch (phase_) {
    case Phase::settling:
        if (!table_settled()) return;
        phase_ = Phase::resting;
        phase_ticks_ = 0;
        return;
    case Phase::resting:
        if (++phase_ticks_ == REST_TICKS) begin_input();
        return;
    case Phase::gliding: return glide_step();
    case Phase::pausing:
        if (++phase_ticks_ == PAUSE_TICKS) take_input();
        return;
    }
}

void MatchWatch::begin_input()
{
    if (next_input_ == watched_.inputs.size()) return stop();
    input_ = parse_script_line(watched_.inputs[next_input_]);
    phase_ = input_.kind == CommandKind::shot ? Phase::gliding : Phase::pausing;
    phase_ticks_ = 0;
}

void MatchWatch::glide_step()
{
    const double t = static_cast<double>(++phase_ticks_) / GLIDE_TICKS;
    hooks_.hands->move(between(from_x_, input_.x, t), between(from_y_, input_.y, t));
    if (phase_ticks_ < GLIDE_TICKS) return;
    from_x_ = input_.x;
    from_y_ = input_.y;
    phase_ = Phase::pausing;
    phase_ticks_ = 0;
}

void MatchWatch::take_input()
{
    if (input_.kind == CommandKind::undo)
        hooks_.hands->undo();
    else
        hooks_.hands->press(input_.x, input_.y);
    ++next_input_;
    phase_ = Phase::settling;
}
