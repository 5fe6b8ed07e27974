#pragma once

#include <QTimer>
#include <array>
#include <functional>

#include "sim/window.h"

// The main window's three timers, ticking through the event loop at their
// fixed intervals.
class WindowTimers {
public:
    using Handler = std::function<void()>;

    WindowTimers();

    // Each tick of timer t runs `handler`.
    void wire(TimerId t, Handler handler);
    // Starting a running timer leaves it alone, so its period keeps its phase.
    void set_running(TimerId t, bool on);
    bool running(TimerId t) const { return timer(t).isActive(); }
    const QTimer& timer(TimerId t) const { return timers_[timer_index(t)]; }

private:
    std::array<QTimer, 3> timers_;
};
